#include "tests/engine/test_files.h"

#include <atomic>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace engine_test {

ScratchFolder::ScratchFolder() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("brannock-engine-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

void WriteBmp24(const std::string& path, int width, int height,
                const std::vector<uint32_t>& pixels) {
    const int row_bytes = (width * 3 + 3) / 4 * 4;
    const int image_size = row_bytes * height;
    std::vector<uint8_t> out(54 + static_cast<size_t>(image_size), 0);
    auto put32 = [&out](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
    };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, static_cast<uint32_t>(out.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    out[26] = 1;
    out[28] = 24;
    put32(34, static_cast<uint32_t>(image_size));
    for (int y = 0; y < height; ++y) {
        const size_t row = 54 + static_cast<size_t>((height - 1 - y) * row_bytes);
        for (int x = 0; x < width; ++x) {
            const uint32_t c = pixels[static_cast<size_t>(y * width + x)];
            out[row + static_cast<size_t>(3 * x)] = static_cast<uint8_t>(c);
            out[row + static_cast<size_t>(3 * x + 1)] = static_cast<uint8_t>(c >> 8);
            out[row + static_cast<size_t>(3 * x + 2)] = static_cast<uint8_t>(c >> 16);
        }
    }
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
}

std::string QuadX(float x0, float y0, float x1, float y1, float z, float r, float g, float b,
                  float a, const std::string& texture) {
    std::ostringstream x;
    x << "xof 0303txt 0032\n\nMaterial Colour {\n " << r << ";" << g << ";" << b << ";" << a
      << ";;\n 0.0;\n 0.0;0.0;0.0;;\n 0.0;0.0;0.0;;\n";
    if (!texture.empty()) x << " TextureFilename {\n  \"" << texture << "\";\n }\n";
    x << "}\n\nMesh Quad {\n 4;\n";
    x << " " << x0 << ";" << y0 << ";" << z << ";,\n";
    x << " " << x0 << ";" << y1 << ";" << z << ";,\n";
    x << " " << x1 << ";" << y1 << ";" << z << ";,\n";
    x << " " << x1 << ";" << y0 << ";" << z << ";;\n";
    x << " 2;\n 3;0,1,2;,\n 3;0,2,3;;\n";
    x << " MeshNormals {\n  1;\n  0.0;0.0;-1.0;;\n  2;\n  3;0,0,0;,\n  3;0,0,0;;\n }\n";
    x << " MeshMaterialList {\n  1;\n  2;\n  0,\n  0;;\n  {Colour}\n }\n";
    x << " MeshTextureCoords {\n  4;\n  0.0;1.0;,\n  0.0;0.0;,\n  1.0;0.0;,\n  1.0;1.0;;\n }\n";
    x << "}\n";
    return x.str();
}

} // namespace engine_test
