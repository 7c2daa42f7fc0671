#include "tools/assetgen/mesh_model.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace assetgen {

Vec3 Normalized(Vec3 v) {
    const double length = std::sqrt(Dot(v, v));
    return length > 0 ? v * (1.0 / length) : Vec3{0, 1, 0};
}

Material Matte(double r, double g, double b, double glow) {
    Material m;
    m.diffuse = {r, g, b};
    m.emissive = {r * glow, g * glow, b * glow};
    return m;
}

int Mesh::AddMaterial(const Material& material) {
    for (size_t i = 0; i < materials.size(); ++i) {
        const Material& m = materials[i];
        if (m.diffuse.r == material.diffuse.r && m.diffuse.g == material.diffuse.g &&
            m.diffuse.b == material.diffuse.b && m.alpha == material.alpha &&
            m.power == material.power && m.emissive.r == material.emissive.r &&
            m.emissive.g == material.emissive.g && m.emissive.b == material.emissive.b &&
            m.texture == material.texture)
            return static_cast<int>(i);
    }
    materials.push_back(material);
    return static_cast<int>(materials.size() - 1);
}

void Mesh::AddPolygon(std::vector<Vec3> points, int material, Vec3 outward) {
    AddPolygon(std::move(points), material, outward, {});
}

void Mesh::AddPolygon(std::vector<Vec3> points, int material, Vec3 outward,
                      std::vector<Vec2> face_uvs) {
    if (points.size() < 3) throw std::logic_error("a polygon needs three points");
    if (!face_uvs.empty() && face_uvs.size() != points.size())
        throw std::logic_error("one texture coordinate per point");
    // Newell's normal of the polygon in its given order. In the game's left-handed space it
    // points to the side from which the points run clockwise: the front side.
    Vec3 normal;
    for (size_t i = 0; i < points.size(); ++i) {
        const Vec3& a = points[i];
        const Vec3& b = points[(i + 1) % points.size()];
        normal = normal + Cross(a, b);
    }
    if (Dot(normal, outward) < 0) {
        std::reverse(points.begin(), points.end());
        std::reverse(face_uvs.begin(), face_uvs.end());
        normal = normal * -1.0;
    }
    normal = Normalized(normal);
    Face face;
    face.material = material;
    for (size_t i = 0; i < points.size(); ++i) {
        face.vertices.push_back(static_cast<int>(positions.size()));
        positions.push_back(points[i]);
        normals.push_back(normal);
        uvs.push_back(face_uvs.empty() ? Vec2{} : face_uvs[i]);
    }
    faces.push_back(std::move(face));
}

void Mesh::Append(const Mesh& other) {
    const int base = static_cast<int>(positions.size());
    positions.insert(positions.end(), other.positions.begin(), other.positions.end());
    normals.insert(normals.end(), other.normals.begin(), other.normals.end());
    uvs.insert(uvs.end(), other.uvs.begin(), other.uvs.end());
    for (Face face : other.faces) {
        for (int& v : face.vertices) v += base;
        face.material = AddMaterial(other.materials[static_cast<size_t>(face.material)]);
        faces.push_back(std::move(face));
    }
}

bool Mesh::Textured() const {
    return std::any_of(materials.begin(), materials.end(),
                       [](const Material& m) { return !m.texture.empty(); });
}

int Mesh::TriangleCount() const {
    int count = 0;
    for (const Face& f : faces) count += static_cast<int>(f.vertices.size()) - 2;
    return count;
}

void Mesh::Bounds(Vec3& min, Vec3& max) const {
    const double inf = std::numeric_limits<double>::infinity();
    min = {inf, inf, inf};
    max = {-inf, -inf, -inf};
    for (const Vec3& p : positions) {
        min = {std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z)};
        max = {std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z)};
    }
}

} // namespace assetgen
