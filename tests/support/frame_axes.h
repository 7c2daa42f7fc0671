// A frame's direction and up vector as seen from another frame, read back through the
// frames' world axes (the engine keeps no relative orientation to ask for).
#pragma once

#include <cmath>

#include "scene/engine/rm.h"

namespace frame_axes {

inline float Dot(const rm::Vector& a, const rm::Vector& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline rm::Vector Cross(const rm::Vector& a, const rm::Vector& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// A world vector in the axes of ref: right (up x direction), up, direction.
inline rm::Vector InAxesOf(const rm::Vector& v, const rm::Frame& ref) {
    const rm::Vector d = ref.GetWorldDirection();
    const rm::Vector u = ref.GetWorldUp();
    return {Dot(v, Cross(u, d)), Dot(v, u), Dot(v, d)};
}

inline rm::Vector DirectionIn(const rm::Frame& frame, const rm::Frame& ref) {
    return InAxesOf(frame.GetWorldDirection(), ref);
}

inline rm::Vector UpIn(const rm::Frame& frame, const rm::Frame& ref) {
    return InAxesOf(frame.GetWorldUp(), ref);
}

// v scaled to length 1.
inline rm::Vector Unit(rm::Vector v) {
    const float length = std::sqrt(Dot(v, v));
    return {v.x / length, v.y / length, v.z / length};
}

} // namespace frame_axes
