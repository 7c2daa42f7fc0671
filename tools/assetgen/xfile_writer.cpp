#include "tools/assetgen/xfile_writer.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace assetgen {
namespace {

std::string Num(double v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.6f", v);
    return buffer;
}

struct Triangle {
    int a, b, c, material;
};

std::vector<Triangle> Triangles(const Mesh& mesh) {
    std::vector<Triangle> out;
    for (const Face& f : mesh.faces)
        for (size_t i = 1; i + 1 < f.vertices.size(); ++i)
            out.push_back({f.vertices[0], f.vertices[i], f.vertices[i + 1], f.material});
    return out;
}

void WriteIndexList(std::string& out, const std::vector<Triangle>& triangles) {
    out += "  " + std::to_string(triangles.size()) + ";\n";
    for (size_t i = 0; i < triangles.size(); ++i) {
        const Triangle& t = triangles[i];
        out += "  3;" + std::to_string(t.a) + "," + std::to_string(t.b) + "," +
               std::to_string(t.c) + ";" + (i + 1 < triangles.size() ? ",\n" : ";\n");
    }
}

void WriteVectors(std::string& out, const std::vector<Vec3>& vectors) {
    out += "  " + std::to_string(vectors.size()) + ";\n";
    for (size_t i = 0; i < vectors.size(); ++i) {
        const Vec3& v = vectors[i];
        out += "  " + Num(v.x) + ";" + Num(v.y) + ";" + Num(v.z) + ";" +
               (i + 1 < vectors.size() ? ",\n" : ";\n");
    }
}

} // namespace

std::string XFileText(const Mesh& mesh, const std::string& name) {
    if (mesh.faces.empty() || mesh.materials.empty())
        throw std::logic_error(name + ": a mesh needs faces and a material");
    const std::vector<Triangle> triangles = Triangles(mesh);
    std::string out = "xof 0302txt 0032\n\n";
    out += "Mesh " + name + " {\n";
    WriteVectors(out, mesh.positions);
    WriteIndexList(out, triangles);

    out += "  MeshNormals {\n";
    WriteVectors(out, mesh.normals);
    WriteIndexList(out, triangles);
    out += "  }\n";

    out += "  MeshMaterialList {\n";
    out += "  " + std::to_string(mesh.materials.size()) + ";\n";
    out += "  " + std::to_string(triangles.size()) + ";\n";
    for (size_t i = 0; i < triangles.size(); ++i)
        out += "  " + std::to_string(triangles[i].material) +
               (i + 1 < triangles.size() ? ",\n" : ";\n");
    for (const Material& m : mesh.materials) {
        out += "  Material {\n";
        out += "   " + Num(m.diffuse.r) + ";" + Num(m.diffuse.g) + ";" + Num(m.diffuse.b) + ";" +
               Num(m.alpha) + ";;\n";
        out += "   " + Num(m.power) + ";\n";
        out +=
            "   " + Num(m.specular.r) + ";" + Num(m.specular.g) + ";" + Num(m.specular.b) + ";;\n";
        out +=
            "   " + Num(m.emissive.r) + ";" + Num(m.emissive.g) + ";" + Num(m.emissive.b) + ";;\n";
        if (!m.texture.empty()) out += "   TextureFilename {\n    \"" + m.texture + "\";\n   }\n";
        out += "  }\n";
    }
    out += "  }\n";

    if (mesh.Textured()) {
        out += "  MeshTextureCoords {\n";
        out += "  " + std::to_string(mesh.uvs.size()) + ";\n";
        for (size_t i = 0; i < mesh.uvs.size(); ++i)
            out += "  " + Num(mesh.uvs[i].u) + ";" + Num(mesh.uvs[i].v) + ";" +
                   (i + 1 < mesh.uvs.size() ? ",\n" : ";\n");
        out += "  }\n";
    }
    out += "}\n";
    return out;
}

void WriteXFile(const std::string& path, const Mesh& mesh) {
    std::string name = std::filesystem::path(path).stem().string();
    for (char& c : name)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) c = '_';
    const std::string text = XFileText(mesh, name);
    std::ofstream file(path, std::ios::binary);
    file << text;
    if (!file) throw std::runtime_error("cannot write " + path);
}

} // namespace assetgen
