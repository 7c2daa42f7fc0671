#include "scene/engine/rasterizer.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "scene/engine/spans.h"
#include "scene/engine/texture.h"

namespace rm {

namespace {

using spans::Texels;

// The smallest integer not below v, kept within low .. high (low is not negative).
int ClampedCeil(float v, int low, int high) {
    const float c = std::min(std::max(v, static_cast<float>(low)), static_cast<float>(high));
    if (!(c == c)) return low;
    const int i = static_cast<int>(c); // truncation is the floor here: c is not negative
    return i + (static_cast<float>(i) < c ? 1 : 0);
}

// An attribute as a plane over the screen: value at (x, y) = base + dx (x - x0) + dy (y - y0).
struct Plane {
    float base = 0, dx = 0, dy = 0;
    float At(float fx, float fy) const { return base + dx * fx + dy * fy; }
};

struct Triangle {
    float x0 = 0, y0 = 0; // where the planes are referred to
    Plane inv_z, r, g, b, u, v;
    // Edges: from top to bottom (long), top to middle, middle to bottom.
    float top_x = 0, top_y = 0, mid_x = 0, mid_y = 0;
    float long_slope = 0, upper_slope = 0, lower_slope = 0;
};

struct Target {
    uint32_t* pixels;
    int pitch;
    float* depth;
    int width;
};

template <bool Textured, bool Perspective, bool Linear, bool Blended, bool Decal>
bool FillRows(const Target& target, const Triangle& t, const Texels& texels, uint32_t alpha,
              int y_start, int y_end) {
    const spans::Gradient gradient({t.inv_z.dx, t.r.dx, t.g.dx, t.b.dx, t.u.dx, t.v.dx});
    bool covered = false;
    for (int y = y_start; y < y_end; ++y) {
        const float yc = static_cast<float>(y) + 0.5f;
        float xa = t.top_x + (yc - t.top_y) * t.long_slope;
        float xb = yc < t.mid_y ? t.top_x + (yc - t.top_y) * t.upper_slope
                                : t.mid_x + (yc - t.mid_y) * t.lower_slope;
        if (xa > xb) std::swap(xa, xb);
        const int xs = ClampedCeil(xa - 0.5f, 0, target.width);
        const int xe = ClampedCeil(xb - 0.5f, 0, target.width);
        if (xs >= xe) continue;
        covered = true;
        const float fx = static_cast<float>(xs) + 0.5f - t.x0;
        const float fy = yc - t.y0;
        spans::Values start{t.inv_z.At(fx, fy), t.r.At(fx, fy), t.g.At(fx, fy), t.b.At(fx, fy)};
        if constexpr (Textured) {
            start.u = t.u.At(fx, fy);
            start.v = t.v.At(fx, fy);
        }
        const spans::Row row{target.pixels + static_cast<ptrdiff_t>(y) * target.pitch,
                             target.depth + static_cast<ptrdiff_t>(y) * target.width};
        spans::Span<Textured, Perspective, Linear, Blended, Decal>(row, target.width, texels, alpha,
                                                                   start, gradient, xs, xe);
    }
    return covered;
}

// One specialised span loop for every combination of the texture settings.
template <bool Perspective, bool Linear, bool Blended>
bool FillTexturedWith(const Target& target, const Triangle& t, const Texels& texels, uint32_t alpha,
                      int y_start, int y_end, bool decal) {
    if (decal)
        return FillRows<true, Perspective, Linear, Blended, true>(target, t, texels, alpha, y_start,
                                                                  y_end);
    return FillRows<true, Perspective, Linear, Blended, false>(target, t, texels, alpha, y_start,
                                                               y_end);
}

template <bool Perspective, bool Linear>
bool FillTexturedBlend(const Target& target, const Triangle& t, const Texels& texels,
                       uint32_t alpha, int y_start, int y_end, bool blend, bool decal) {
    if (blend)
        return FillTexturedWith<Perspective, Linear, true>(target, t, texels, alpha, y_start, y_end,
                                                           decal);
    return FillTexturedWith<Perspective, Linear, false>(target, t, texels, alpha, y_start, y_end,
                                                        decal);
}

bool FillTextured(const Target& target, const Triangle& t, const Texels& texels, uint32_t alpha,
                  int y_start, int y_end, const TriangleStyle& style, bool decal) {
    const bool blend = style.blend;
    if (style.perspective) {
        if (style.linear)
            return FillTexturedBlend<true, true>(target, t, texels, alpha, y_start, y_end, blend,
                                                 decal);
        return FillTexturedBlend<true, false>(target, t, texels, alpha, y_start, y_end, blend,
                                              decal);
    }
    if (style.linear)
        return FillTexturedBlend<false, true>(target, t, texels, alpha, y_start, y_end, blend,
                                              decal);
    return FillTexturedBlend<false, false>(target, t, texels, alpha, y_start, y_end, blend, decal);
}

// The plane through three values at three screen points.
Plane PlaneOf(const ScreenVertex* p[3], float a0, float a1, float a2, float inv_area) {
    const float dx1 = p[1]->x - p[0]->x, dy1 = p[1]->y - p[0]->y;
    const float dx2 = p[2]->x - p[0]->x, dy2 = p[2]->y - p[0]->y;
    Plane plane;
    plane.base = a0;
    plane.dx = ((a1 - a0) * dy2 - (a2 - a0) * dy1) * inv_area;
    plane.dy = ((a2 - a0) * dx1 - (a1 - a0) * dx2) * inv_area;
    return plane;
}

} // namespace

void Rasterizer::Begin(const RenderTarget& target, float* depth, int width, int height) {
    pixels_ = target.pixels;
    pitch_ = target.pitch;
    depth_ = depth;
    width_ = width;
    height_ = height;
}

bool Rasterizer::DrawTriangle(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
                              const TriangleStyle& style) {
    const ScreenVertex* p[3] = {&a, &b, &c};
    if (p[0]->y > p[1]->y) std::swap(p[0], p[1]);
    if (p[1]->y > p[2]->y) std::swap(p[1], p[2]);
    if (p[0]->y > p[1]->y) std::swap(p[0], p[1]);

    const float area =
        (p[1]->x - p[0]->x) * (p[2]->y - p[0]->y) - (p[2]->x - p[0]->x) * (p[1]->y - p[0]->y);
    if (!(std::fabs(area) > 1e-6f)) return false;
    const int y_start = ClampedCeil(p[0]->y - 0.5f, 0, height_);
    const int y_end = ClampedCeil(p[2]->y - 0.5f, 0, height_);
    if (y_start >= y_end) return false;

    const float inv_area = 1.0f / area;
    Triangle t;
    t.x0 = p[0]->x;
    t.y0 = p[0]->y;
    t.top_x = p[0]->x;
    t.top_y = p[0]->y;
    t.mid_x = p[1]->x;
    t.mid_y = p[1]->y;
    auto slope = [](const ScreenVertex* from, const ScreenVertex* to) {
        const float dy = to->y - from->y;
        return dy > 0.0f ? (to->x - from->x) / dy : 0.0f;
    };
    t.long_slope = slope(p[0], p[2]);
    t.upper_slope = slope(p[0], p[1]);
    t.lower_slope = slope(p[1], p[2]);
    t.inv_z = PlaneOf(p, p[0]->inv_z, p[1]->inv_z, p[2]->inv_z, inv_area);
    t.r = PlaneOf(p, p[0]->r, p[1]->r, p[2]->r, inv_area);
    t.g = PlaneOf(p, p[0]->g, p[1]->g, p[2]->g, inv_area);
    t.b = PlaneOf(p, p[0]->b, p[1]->b, p[2]->b, inv_area);

    const Target target{pixels_, pitch_, depth_, width_};
    const uint32_t alpha = static_cast<uint32_t>(std::clamp(style.alpha, 0, 256));
    const TextureImpl* texture = style.texture;
    if (texture == nullptr) {
        const Texels none;
        if (style.blend)
            return FillRows<false, false, false, true, false>(target, t, none, alpha, y_start,
                                                              y_end);
        return FillRows<false, false, false, false, false>(target, t, none, alpha, y_start, y_end);
    }

    Texels texels;
    texels.data = texture->Texels();
    texels.width_log2 = texture->WidthLog2();
    texels.u_mask = (1u << texture->WidthLog2()) - 1u;
    texels.v_mask = (1u << texture->HeightLog2()) - 1u;
    texels.key = texture->DecalColour();
    // Texture coordinates wrap, so whole turns can be dropped. Starting one turn above the
    // smallest keeps every coordinate inside the triangle positive even with rounding, so
    // the spans may truncate instead of rounding down, and the values stay small.
    const float tw = static_cast<float>(1 << texture->WidthLog2());
    const float th = static_cast<float>(1 << texture->HeightLog2());
    const float u_base = std::floor(std::min({p[0]->u, p[1]->u, p[2]->u})) - 1.0f;
    const float v_base = std::floor(std::min({p[0]->v, p[1]->v, p[2]->v})) - 1.0f;
    float u[3], v[3];
    for (int i = 0; i < 3; ++i) {
        u[i] = (p[i]->u - u_base) * tw;
        v[i] = (p[i]->v - v_base) * th;
        if (style.perspective) {
            u[i] *= p[i]->inv_z;
            v[i] *= p[i]->inv_z;
        }
    }
    t.u = PlaneOf(p, u[0], u[1], u[2], inv_area);
    t.v = PlaneOf(p, v[0], v[1], v[2], inv_area);
    return FillTextured(target, t, texels, alpha, y_start, y_end, style, texture->Decal());
}

} // namespace rm
