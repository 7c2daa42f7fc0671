#include "tools/bench/bench_scene.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>

namespace bench_scene {

namespace fs = std::filesystem;

namespace {

constexpr float Pi = 3.14159265f;

struct V3 {
    float x, y, z;
};
V3 Sub(V3 a, V3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
V3 Cross(V3 a, V3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
float Dot(V3 a, V3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

struct Mesh {
    std::vector<V3> positions, normals;
    std::vector<float> u, v;
    std::vector<int> faces; // three per triangle

    int Add(V3 p, V3 n, float tu, float tv) {
        positions.push_back(p);
        normals.push_back(n);
        u.push_back(tu);
        v.push_back(tv);
        return static_cast<int>(positions.size()) - 1;
    }
    // Adds a triangle whose front (clockwise as seen from outside in the left-handed
    // scene) faces along `outward`.
    void Triangle(int a, int b, int c, V3 outward) {
        const V3 n = Cross(Sub(positions[b], positions[a]), Sub(positions[c], positions[a]));
        if (Dot(n, outward) < 0) std::swap(b, c);
        faces.insert(faces.end(), {a, b, c});
    }
    int TriangleCount() const { return static_cast<int>(faces.size()) / 3; }
};

// A sphere of `segments` around and `rings` from pole to pole, squashed by `squash` in y.
Mesh Sphere(int segments, int rings, float radius, float squash) {
    Mesh m;
    for (int r = 0; r <= rings; ++r) {
        const float phi = Pi * static_cast<float>(r) / static_cast<float>(rings);
        for (int s = 0; s <= segments; ++s) {
            const float theta = 2 * Pi * static_cast<float>(s) / static_cast<float>(segments);
            const V3 n{std::sin(phi) * std::cos(theta), std::cos(phi),
                       std::sin(phi) * std::sin(theta)};
            m.Add({n.x * radius, n.y * radius * squash, n.z * radius}, n,
                  static_cast<float>(s) / static_cast<float>(segments) * 2,
                  static_cast<float>(r) / static_cast<float>(rings));
        }
    }
    const int row = segments + 1;
    for (int r = 0; r < rings; ++r) {
        for (int s = 0; s < segments; ++s) {
            const int a = r * row + s, b = a + 1, c = a + row, d = c + 1;
            const V3 out = m.normals[static_cast<size_t>(a)];
            const V3 out2 = m.normals[static_cast<size_t>(d)];
            if (r != 0) m.Triangle(a, b, c, out);
            if (r != rings - 1) m.Triangle(b, d, c, out2);
        }
    }
    return m;
}

// A flat grid in the plane y = 0, facing up, with the texture repeated `repeat` times.
Mesh Ground(int cells, float size, float repeat) {
    Mesh m;
    for (int j = 0; j <= cells; ++j)
        for (int i = 0; i <= cells; ++i) {
            const float fx = static_cast<float>(i) / static_cast<float>(cells);
            const float fz = static_cast<float>(j) / static_cast<float>(cells);
            m.Add({(fx - 0.5f) * size, 0, (fz - 0.5f) * size}, {0, 1, 0}, fx * repeat, fz * repeat);
        }
    for (int j = 0; j < cells; ++j)
        for (int i = 0; i < cells; ++i) {
            const int a = j * (cells + 1) + i, b = a + 1, c = a + cells + 1, d = c + 1;
            m.Triangle(a, b, c, {0, 1, 0});
            m.Triangle(b, d, c, {0, 1, 0});
        }
    return m;
}

// Open-bottomed boxes standing on y = 0: walls of a maze.
void AddBox(Mesh& m, V3 lo, V3 hi) {
    auto quad = [&](V3 p0, V3 p1, V3 p2, V3 p3, V3 n, float w, float h) {
        const int a = m.Add(p0, n, 0, h), b = m.Add(p1, n, w, h);
        const int d = m.Add(p2, n, w, 0), e = m.Add(p3, n, 0, 0);
        m.Triangle(a, b, d, n);
        m.Triangle(a, d, e, n);
    };
    const float wx = (hi.x - lo.x) / 4, wz = (hi.z - lo.z) / 4, hy = (hi.y - lo.y) / 4;
    quad({lo.x, lo.y, lo.z}, {hi.x, lo.y, lo.z}, {hi.x, hi.y, lo.z}, {lo.x, hi.y, lo.z}, {0, 0, -1},
         wx, hy);
    quad({lo.x, lo.y, hi.z}, {hi.x, lo.y, hi.z}, {hi.x, hi.y, hi.z}, {lo.x, hi.y, hi.z}, {0, 0, 1},
         wx, hy);
    quad({lo.x, lo.y, lo.z}, {lo.x, lo.y, hi.z}, {lo.x, hi.y, hi.z}, {lo.x, hi.y, lo.z}, {-1, 0, 0},
         wz, hy);
    quad({hi.x, lo.y, lo.z}, {hi.x, lo.y, hi.z}, {hi.x, hi.y, hi.z}, {hi.x, hi.y, lo.z}, {1, 0, 0},
         wz, hy);
    quad({lo.x, hi.y, lo.z}, {hi.x, hi.y, lo.z}, {hi.x, hi.y, hi.z}, {lo.x, hi.y, hi.z}, {0, 1, 0},
         wx, wz);
}

// Writes a text .x file with one material (colour and optional texture file name).
void WriteX(const fs::path& path, const Mesh& m, float r, float g, float b,
            const std::string& texture) {
    std::ofstream f(path);
    f << "xof 0303txt 0032\n";
    f << "Material Skin {\n " << r << ";" << g << ";" << b << ";1.0;;\n 0.0;\n 0.0;0.0;0.0;;\n"
      << " 0.0;0.0;0.0;;\n";
    if (!texture.empty()) f << " TextureFilename { \"" << texture << "\"; }\n";
    f << "}\nMesh {\n " << m.positions.size() << ";\n";
    for (size_t i = 0; i < m.positions.size(); ++i)
        f << " " << m.positions[i].x << ";" << m.positions[i].y << ";" << m.positions[i].z << ";"
          << (i + 1 < m.positions.size() ? "," : ";") << "\n";
    const int tris = m.TriangleCount();
    f << " " << tris << ";\n";
    for (int t = 0; t < tris; ++t)
        f << " 3;" << m.faces[static_cast<size_t>(3 * t)] << ","
          << m.faces[static_cast<size_t>(3 * t + 1)] << ","
          << m.faces[static_cast<size_t>(3 * t + 2)] << ";" << (t + 1 < tris ? "," : ";") << "\n";
    f << " MeshNormals {\n " << m.normals.size() << ";\n";
    for (size_t i = 0; i < m.normals.size(); ++i)
        f << " " << m.normals[i].x << ";" << m.normals[i].y << ";" << m.normals[i].z << ";"
          << (i + 1 < m.normals.size() ? "," : ";") << "\n";
    f << " " << tris << ";\n";
    for (int t = 0; t < tris; ++t)
        f << " 3;" << m.faces[static_cast<size_t>(3 * t)] << ","
          << m.faces[static_cast<size_t>(3 * t + 1)] << ","
          << m.faces[static_cast<size_t>(3 * t + 2)] << ";" << (t + 1 < tris ? "," : ";") << "\n";
    f << " }\n MeshTextureCoords {\n " << m.u.size() << ";\n";
    for (size_t i = 0; i < m.u.size(); ++i)
        f << " " << m.u[i] << ";" << m.v[i] << ";" << (i + 1 < m.u.size() ? "," : ";") << "\n";
    f << " }\n MeshMaterialList {\n 1;\n " << tris << ";\n";
    for (int t = 0; t < tris; ++t) f << " 0" << (t + 1 < tris ? "," : ";") << "\n";
    f << " {Skin}\n }\n}\n";
}

// Writes a 24-bit BMP of a w x h picture given by a colour function.
template <class F> void WriteBmp(const fs::path& path, int w, int h, F colour) {
    const int row = (w * 3 + 3) & ~3;
    const uint32_t image = static_cast<uint32_t>(row * h), file = 54 + image;
    std::vector<uint8_t> out(file, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
    };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, file);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(w));
    put32(22, static_cast<uint32_t>(h));
    out[26] = 1;
    out[28] = 24;
    put32(34, image);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t c = colour(x, y);
            const size_t at = 54 + static_cast<size_t>((h - 1 - y) * row + x * 3);
            out[at] = static_cast<uint8_t>(c);
            out[at + 1] = static_cast<uint8_t>(c >> 8);
            out[at + 2] = static_cast<uint8_t>(c >> 16);
        }
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
}

} // namespace

int WriteFiles(const fs::path& dir) {
    fs::create_directories(dir);
    WriteBmp(dir / "ground.bmp", 64, 64, [](int x, int y) {
        const bool dark = ((x / 8) + (y / 8)) % 2 == 0;
        return dark ? 0x6A5A30u : 0xA89050u;
    });
    WriteBmp(dir / "wall.bmp", 64, 64, [](int x, int y) {
        const bool mortar = y % 16 == 0 || (x + (y / 16 % 2) * 16) % 32 == 0;
        return mortar ? 0x404040u : 0xB0B0C0u;
    });
    WriteBmp(dir / "grille.bmp", 32, 32, [](int x, int y) {
        return (x % 8 < 2 || y % 8 < 2) ? 0x20E0FFu : 0x000000u; // black is see-through
    });
    WriteX(dir / "ground.x", Ground(16, 400, 20), 0.8f, 0.8f, 0.8f, "ground.bmp");
    Mesh walls;
    for (int i = 0; i < 24; ++i) {
        const float x = -180 + static_cast<float>(i % 6) * 70,
                    z = -180 + static_cast<float>(i / 6) * 110;
        if (i % 2 == 0)
            AddBox(walls, {x, 0, z}, {x + 40, 10, z + 5});
        else
            AddBox(walls, {x, 0, z}, {x + 5, 10, z + 40});
    }
    WriteX(dir / "walls.x", walls, 0.9f, 0.9f, 0.9f, "wall.bmp");
    int mesh_triangles = 0;
    for (int i = 0; i < 30; ++i) {
        const int target = 200 + i * 1800 / 29;
        const int segments = std::max(6, static_cast<int>(std::sqrt(static_cast<float>(target))));
        const int rings = std::max(3, target / (2 * segments) + 1);
        const Mesh m =
            Sphere(segments, rings, 3.0f + static_cast<float>(i % 5), i % 3 == 0 ? 0.5f : 1.0f);
        mesh_triangles += m.TriangleCount();
        const float r = 0.3f + 0.7f * static_cast<float>((i * 37) % 10) / 10;
        const float g = 0.3f + 0.7f * static_cast<float>((i * 53) % 10) / 10;
        const float b = 0.3f + 0.7f * static_cast<float>((i * 71) % 10) / 10;
        WriteX(dir / ("thing" + std::to_string(i) + ".x"), m, r, g, b, i == 7 ? "grille.bmp" : "");
    }
    return mesh_triangles;
}

Scene Build(rm::Engine& engine, const rm::FramePtr& root, const fs::path& dir) {
    Scene s;
    engine.SetLoadNamedTextures(true);
    s.lights.push_back(engine.CreateLightRGB(rm::LightType::Ambient, 0.34f, 0.34f, 0.34f));
    root->AddLight(s.lights.back());
    for (int i = 0; i < 10; ++i) {
        auto light = engine.CreateLightRGB(rm::LightType::Point, i % 2 ? 1.0f : 0.3f, 0.8f,
                                           i % 3 ? 0.2f : 1.0f);
        light->SetLinearAttenuation(0.058f);
        light->SetConstantAttenuation(0.0f);
        auto frame = engine.CreateFrame(root);
        frame->AddLight(light);
        s.lights.push_back(light);
        s.light_frames.push_back(frame);
    }
    auto arena = engine.CreateFrame(root);
    arena->SetPosition(nullptr, 0, -6, 0);
    for (const char* name : {"ground.x", "walls.x"}) {
        auto mesh = engine.CreateMeshBuilder();
        mesh->Load((dir / name).string());
        mesh->SetPerspective(true);
        arena->AddVisual(mesh);
        s.meshes.push_back(mesh);
    }
    s.frames.push_back(arena);
    for (int i = 0; i < 30; ++i) {
        auto mesh = engine.CreateMeshBuilder();
        mesh->Load((dir / ("thing" + std::to_string(i) + ".x")).string());
        if (i % 8 == 3) mesh->SetColor(rm::CreateColorRGBA(0.2f, 0.6f, 1.0f, 0.5f));
        if (i == 7) {
            // A see-through grille like the arena's gate: decal texture, translucent.
            auto grille = engine.LoadTexture((dir / "grille.bmp").string());
            if (grille) {
                grille->SetDecalTransparency(true);
                grille->SetDecalTransparentColor(0);
            }
            mesh->SetTexture(grille);
            mesh->SetPerspective(true);
        }
        auto frame = engine.CreateFrame(root);
        const float angle = 2 * Pi * static_cast<float>(i) / 30;
        // The see-through ones stand near the middle, in front of others.
        const bool see_through = i % 8 == 3 || i == 7;
        const float radius = see_through ? 45.0f : 25.0f + static_cast<float>(i % 4) * 30.0f;
        frame->SetPosition(nullptr, radius * std::cos(angle), static_cast<float>(i % 3) * 3 - 1,
                           radius * std::sin(angle));
        frame->SetRotation(nullptr, 0, 1, 0, 0.02f * static_cast<float>(1 + i % 4));
        frame->AddVisual(mesh);
        s.meshes.push_back(mesh);
        s.frames.push_back(frame);
    }
    return s;
}

void SetUpView(rm::Device& device, rm::Viewport& viewport) {
    device.SetRenderMode(rm::RenderModeBlendedTransparency | rm::RenderModeSortedTransparency);
    viewport.SetFront(1.0f);
    viewport.SetBack(320.0f);
}

void Animate(const rm::FramePtr& root, const rm::FramePtr& camera, Scene& scene, int n) {
    const float t = static_cast<float>(n) * 0.02f;
    // Circles the arena looking at its middle, so most of the meshes are in view.
    const float cx = 120 * std::cos(t), cz = 120 * std::sin(t);
    camera->SetPosition(nullptr, cx, 25, cz);
    camera->SetOrientation(nullptr, -cx, -45, -cz, 0, 1, 0);
    for (size_t i = 0; i < scene.light_frames.size(); ++i) {
        const float a = t * 1.7f + static_cast<float>(i) * 0.628f;
        const float r = 30 + static_cast<float>(i) * 8;
        scene.light_frames[i]->SetPosition(nullptr, r * std::cos(a), 2, r * std::sin(a));
    }
    root->Move(1.0f);
}

} // namespace bench_scene
