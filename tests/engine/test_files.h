// Small files the engine tests write for themselves: a scratch folder, text .x meshes and
// 24-bit BMP pictures.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace engine_test {

// A fresh empty folder under the system's temporary folder, removed by the destructor.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::string Path(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

void WriteText(const std::string& path, const std::string& text);
// Pixels 0x00RRGGBB, row 0 at the top.
void WriteBmp24(const std::string& path, int width, int height,
                const std::vector<uint32_t>& pixels);

// A text .x file of one quad at depth z facing a camera at the origin (front faces
// clockwise), from (x0, y0) to (x1, y1), with a material of the given colour and an
// optional texture name; texture coordinates span the whole picture.
std::string QuadX(float x0, float y0, float x1, float y1, float z, float r, float g, float b,
                  float a, const std::string& texture = "");

// A mesh to be written as a text .x file: faces clockwise when seen from the front.
struct XMesh {
    std::vector<std::array<float, 3>> positions;
    std::vector<std::array<float, 3>> normals; // one per position, or none
    std::vector<std::array<float, 2>> uvs;     // one per position, or none
    std::vector<std::array<int, 3>> faces;
    std::array<float, 4> colour{1, 1, 1, 1};
    std::string texture;
};
std::string ToX(const XMesh& mesh);
// A sphere around the origin, seen from outside.
XMesh Sphere(float radius, int segments, int rings);
// A flat square grid on y = 0 facing up, cells x cells, texture repeated repeat times.
XMesh Ground(float half_size, int cells, float repeat);

} // namespace engine_test
