// An in-memory mesh the generator builds models in: flat-shaded polygons with materials
// and optional texture coordinates, in the file's own units.
#pragma once

#include <string>
#include <vector>

namespace assetgen {

struct Vec3 {
    double x = 0, y = 0, z = 0;
};
inline Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator*(Vec3 a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}
inline double Dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 Cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vec3 Normalized(Vec3 v);

struct Vec2 {
    double u = 0, v = 0;
};

struct Rgb {
    double r = 0, g = 0, b = 0;
};

struct Material {
    Rgb diffuse;
    double alpha = 1.0;
    double power = 8.0;
    Rgb specular{0.2, 0.2, 0.2};
    Rgb emissive{0, 0, 0};
    std::string texture; // file name beside the mesh, empty for none
};

// A diffuse colour with a faint highlight; glow adds emissive light of the same hue.
Material Matte(double r, double g, double b, double glow = 0.0);

struct Face {
    std::vector<int> vertices; // convex polygon, clockwise seen from the front
    int material = 0;
};

struct Mesh {
    std::vector<Vec3> positions;
    std::vector<Vec3> normals; // one per position
    std::vector<Vec2> uvs;     // one per position when any material is textured
    std::vector<Face> faces;
    std::vector<Material> materials;

    int AddMaterial(const Material& material);
    // Adds a flat polygon with its own vertices. The points are turned, if needed, so that
    // the face looks toward `outward` (the game culls faces seen from behind).
    void AddPolygon(std::vector<Vec3> points, int material, Vec3 outward);
    void AddPolygon(std::vector<Vec3> points, int material, Vec3 outward, std::vector<Vec2> uvs);
    // Adds another mesh's faces and materials.
    void Append(const Mesh& other);
    bool Textured() const;
    int TriangleCount() const;
    void Bounds(Vec3& min, Vec3& max) const;
};

} // namespace assetgen
