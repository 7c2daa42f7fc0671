// Clips camera-space polygons against the front and back planes and against side planes
// a little outside the view (so projected coordinates stay small).
#pragma once

#include <cstdint>

#include <glm/glm.hpp>

namespace rm {

struct ClipVertex {
    glm::vec3 position; // camera space
    glm::vec3 colour;   // 0..255
    glm::vec2 uv;
};

// A triangle clipped by six planes has at most nine corners.
constexpr int MaxClipVertices = 9;

class Clipper {
public:
    Clipper(float front, float back, float side_x, float side_y)
        : front_(front), back_(back), side_x_(side_x), side_y_(side_y) {}

    // Bits of the planes a camera-space point lies outside of.
    uint32_t Outcode(const glm::vec3& p) const {
        return static_cast<uint32_t>(p.z - front_ < 0.0f) |
               static_cast<uint32_t>(back_ - p.z < 0.0f) << 1 |
               static_cast<uint32_t>(side_x_ * p.z - p.x < 0.0f) << 2 |
               static_cast<uint32_t>(side_x_ * p.z + p.x < 0.0f) << 3 |
               static_cast<uint32_t>(side_y_ * p.z - p.y < 0.0f) << 4 |
               static_cast<uint32_t>(side_y_ * p.z + p.y < 0.0f) << 5;
    }
    // Clips the polygon in place against the planes named by the outcode bits; returns
    // the number of corners left (0 when nothing remains).
    int Clip(ClipVertex* polygon, int count, uint32_t planes) const;

private:
    // Positive inside, negative outside; the same sums as Outcode.
    float Distance(int plane, const glm::vec3& p) const;

    float front_, back_, side_x_, side_y_;
};

} // namespace rm
