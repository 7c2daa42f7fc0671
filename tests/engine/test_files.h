// Small files the engine tests write for themselves: a scratch folder, text .x meshes and
// 24-bit BMP pictures.
#pragma once

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

} // namespace engine_test
