#include "scene/engine/clipper.h"

namespace rm {

namespace {
constexpr int PlaneCount = 6;
}

float Clipper::Distance(int plane, const glm::vec3& p) const {
    switch (plane) {
    case 0:
        return p.z - front_;
    case 1:
        return back_ - p.z;
    case 2:
        return side_x_ * p.z - p.x;
    case 3:
        return side_x_ * p.z + p.x;
    case 4:
        return side_y_ * p.z - p.y;
    default:
        return side_y_ * p.z + p.y;
    }
}

int Clipper::Clip(ClipVertex* polygon, int count, uint32_t planes) const {
    ClipVertex scratch[MaxClipVertices + 1];
    for (int plane = 0; plane < PlaneCount && count > 0; ++plane) {
        if ((planes & (1u << plane)) == 0) continue;
        int kept = 0;
        for (int i = 0; i < count; ++i) {
            const ClipVertex& a = polygon[i];
            const ClipVertex& b = polygon[(i + 1) % count];
            const float da = Distance(plane, a.position);
            const float db = Distance(plane, b.position);
            if (da >= 0.0f && kept < MaxClipVertices) scratch[kept++] = a;
            if ((da >= 0.0f) != (db >= 0.0f) && kept < MaxClipVertices) {
                const float t = da / (da - db);
                ClipVertex& c = scratch[kept++];
                c.position = a.position + (b.position - a.position) * t;
                c.colour = a.colour + (b.colour - a.colour) * t;
                c.uv = a.uv + (b.uv - a.uv) * t;
            }
        }
        for (int i = 0; i < kept; ++i) polygon[i] = scratch[i];
        count = kept;
    }
    return count < 3 ? 0 : count;
}

} // namespace rm
