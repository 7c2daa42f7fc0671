#include "tests/engine/test_files.h"

#include <atomic>
#include <cmath>
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

std::string ToX(const XMesh& mesh) {
    std::ostringstream x;
    x << "xof 0303txt 0032\n\nMaterial Colour {\n " << mesh.colour[0] << ";" << mesh.colour[1]
      << ";" << mesh.colour[2] << ";" << mesh.colour[3]
      << ";;\n 0.0;\n 0.0;0.0;0.0;;\n 0.0;0.0;0.0;;\n";
    if (!mesh.texture.empty()) x << " TextureFilename {\n  \"" << mesh.texture << "\";\n }\n";
    x << "}\n\nMesh Shape {\n " << mesh.positions.size() << ";\n";
    for (size_t i = 0; i < mesh.positions.size(); ++i)
        x << " " << mesh.positions[i][0] << ";" << mesh.positions[i][1] << ";"
          << mesh.positions[i][2] << (i + 1 < mesh.positions.size() ? ";,\n" : ";;\n");
    x << " " << mesh.faces.size() << ";\n";
    for (size_t i = 0; i < mesh.faces.size(); ++i)
        x << " 3;" << mesh.faces[i][0] << "," << mesh.faces[i][1] << "," << mesh.faces[i][2]
          << (i + 1 < mesh.faces.size() ? ";,\n" : ";;\n");
    if (!mesh.normals.empty()) {
        x << " MeshNormals {\n  " << mesh.normals.size() << ";\n";
        for (size_t i = 0; i < mesh.normals.size(); ++i)
            x << "  " << mesh.normals[i][0] << ";" << mesh.normals[i][1] << ";"
              << mesh.normals[i][2] << (i + 1 < mesh.normals.size() ? ";,\n" : ";;\n");
        x << "  " << mesh.faces.size() << ";\n";
        for (size_t i = 0; i < mesh.faces.size(); ++i)
            x << "  3;" << mesh.faces[i][0] << "," << mesh.faces[i][1] << "," << mesh.faces[i][2]
              << (i + 1 < mesh.faces.size() ? ";,\n" : ";;\n");
        x << " }\n";
    }
    x << " MeshMaterialList {\n  1;\n  " << mesh.faces.size() << ";\n";
    for (size_t i = 0; i < mesh.faces.size(); ++i)
        x << "  0" << (i + 1 < mesh.faces.size() ? ",\n" : ";;\n");
    x << "  {Colour}\n }\n";
    if (!mesh.uvs.empty()) {
        x << " MeshTextureCoords {\n  " << mesh.uvs.size() << ";\n";
        for (size_t i = 0; i < mesh.uvs.size(); ++i)
            x << "  " << mesh.uvs[i][0] << ";" << mesh.uvs[i][1]
              << (i + 1 < mesh.uvs.size() ? ";,\n" : ";;\n");
        x << " }\n";
    }
    x << "}\n";
    return x.str();
}

XMesh Sphere(float radius, int segments, int rings) {
    XMesh mesh;
    constexpr float Pi = 3.14159265f;
    for (int ring = 0; ring <= rings; ++ring) {
        const float polar = Pi * static_cast<float>(ring) / static_cast<float>(rings);
        for (int segment = 0; segment <= segments; ++segment) {
            const float around =
                2 * Pi * static_cast<float>(segment) / static_cast<float>(segments);
            const float nx = std::sin(polar) * std::cos(around);
            const float ny = std::cos(polar);
            const float nz = std::sin(polar) * std::sin(around);
            mesh.positions.push_back({nx * radius, ny * radius, nz * radius});
            mesh.normals.push_back({nx, ny, nz});
            mesh.uvs.push_back({static_cast<float>(segment) / static_cast<float>(segments),
                                static_cast<float>(ring) / static_cast<float>(rings)});
        }
    }
    const int row = segments + 1;
    for (int ring = 0; ring < rings; ++ring) {
        for (int segment = 0; segment < segments; ++segment) {
            const int a = ring * row + segment, b = a + 1, c = a + row, d = c + 1;
            if (ring != 0) mesh.faces.push_back({a, b, c});
            if (ring != rings - 1) mesh.faces.push_back({b, d, c});
        }
    }
    return mesh;
}

XMesh Ground(float half_size, int cells, float repeat) {
    XMesh mesh;
    for (int j = 0; j <= cells; ++j) {
        for (int i = 0; i <= cells; ++i) {
            const float fx = static_cast<float>(i) / static_cast<float>(cells);
            const float fz = static_cast<float>(j) / static_cast<float>(cells);
            mesh.positions.push_back(
                {-half_size + 2 * half_size * fx, 0, -half_size + 2 * half_size * fz});
            mesh.normals.push_back({0, 1, 0});
            mesh.uvs.push_back({fx * repeat, fz * repeat});
        }
    }
    const int row = cells + 1;
    for (int j = 0; j < cells; ++j) {
        for (int i = 0; i < cells; ++i) {
            const int a = j * row + i, b = a + 1, c = a + row, d = c + 1;
            // Seen from above (+y), a -> c -> d is clockwise.
            mesh.faces.push_back({a, c, d});
            mesh.faces.push_back({a, d, b});
        }
    }
    return mesh;
}

} // namespace engine_test
