// Small vector and affine-transform helpers shared by the engine's files.
#pragma once

#include <cmath>

#include "scene/engine/rm.h"

namespace rm {

inline Vector operator+(Vector a, Vector b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vector operator-(Vector a, Vector b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vector operator*(Vector a, float s) {
    return {a.x * s, a.y * s, a.z * s};
}
inline float Dot(Vector a, Vector b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vector Cross(Vector a, Vector b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float Length(Vector a) {
    return std::sqrt(Dot(a, a));
}
// The unit vector along a, or the zero vector when a has no length.
inline Vector Normalize(Vector a) {
    const float len = Length(a);
    return len > 0 ? a * (1.0f / len) : Vector{};
}

// A 3x3 matrix stored as its three columns: the images of the x, y and z axes.
struct Mat3 {
    Vector x{1, 0, 0}, y{0, 1, 0}, z{0, 0, 1};

    Vector operator*(Vector v) const { return x * v.x + y * v.y + z * v.z; }
    Mat3 operator*(const Mat3& b) const { return {*this * b.x, *this * b.y, *this * b.z}; }
    float Determinant() const { return Dot(x, Cross(y, z)); }
    // The inverse, or the identity for a singular matrix (a frame scaled to nothing).
    Mat3 Inverse() const {
        const float det = Determinant();
        if (det == 0.0f || !std::isfinite(det)) return {};
        const float k = 1.0f / det;
        // Rows of the inverse are the cross products of the columns.
        const Vector r0 = Cross(y, z) * k, r1 = Cross(z, x) * k, r2 = Cross(x, y) * k;
        return {{r0.x, r1.x, r2.x}, {r0.y, r1.y, r2.y}, {r0.z, r1.z, r2.z}};
    }
    Mat3 Transpose() const { return {{x.x, y.x, z.x}, {x.y, y.y, z.y}, {x.z, y.z, z.z}}; }
    static Mat3 Scale(float sx, float sy, float sz) { return {{sx, 0, 0}, {0, sy, 0}, {0, 0, sz}}; }
    // Turns by theta about the unit axis; positive theta carries +z toward +x about +y,
    // as every turn in the left-handed scene does.
    static Mat3 Rotation(Vector axis, float theta) {
        const float c = std::cos(theta), s = std::sin(theta);
        auto turn = [&](Vector v) {
            return v * c + Cross(axis, v) * s + axis * (Dot(axis, v) * (1 - c));
        };
        return {turn({1, 0, 0}), turn({0, 1, 0}), turn({0, 0, 1})};
    }
};

// Maps a point of a frame's space into its parent's: p' = m * p + t.
struct Transform {
    Mat3 m;
    Vector t;

    Vector Apply(Vector p) const { return m * p + t; }
    // This after b: first b, then this.
    Transform operator*(const Transform& b) const { return {m * b.m, m * b.t + t}; }
    Transform Inverse() const {
        const Mat3 inv = m.Inverse();
        return {inv, inv * (t * -1.0f)};
    }
};

} // namespace rm
