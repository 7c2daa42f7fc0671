#include "scene/engine/rasterizer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "scene/engine/spans.h"
#include "scene/engine/texture.h"

namespace rm {

namespace {

using spans::Texels;

// Triangles reaching further than this are not drawn; the device clips them far smaller.
constexpr float MaxCoordinate = 1.0e6f;

// The smallest integer not below v (|v| within MaxCoordinate), kept within low .. high.
int ClampedCeil(float v, int low, int high) {
    const int truncated = static_cast<int>(v); // toward zero: the ceiling for negative v
    const int ceiling = truncated + (static_cast<float>(truncated) < v ? 1 : 0);
    return std::min(std::max(ceiling, low), high);
}

struct Target {
    uint32_t* pixels;
    int pitch;
    float* depth; // the strip's rows only
    int width;
    int first_row;
    uint8_t* depth_ready;
};

template <bool Textured, bool Perspective, bool Linear, bool Blended, bool Decal>
bool FillRows(const Target& target, const SetUpTriangle& t, const Texels& texels, uint32_t alpha,
              int y_start, int y_end) {
    const spans::Gradient<Textured> gradient({t.inv_z.dx, t.r.dx, t.g.dx, t.b.dx, t.u.dx, t.v.dx},
                                             texels);
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
        const auto strip_row = static_cast<ptrdiff_t>(y - target.first_row);
        float* const depth_row = target.depth + strip_row * target.width;
        if (target.depth_ready[strip_row] == 0) {
            target.depth_ready[strip_row] = 1;
            std::memset(depth_row, 0, static_cast<size_t>(target.width) * sizeof(float)); // 0.0f
        }
        const float fx = static_cast<float>(xs) + 0.5f - t.x0;
        const float fy = yc - t.y0;
        spans::Values start{t.inv_z.At(fx, fy), t.r.At(fx, fy), t.g.At(fx, fy), t.b.At(fx, fy)};
        if constexpr (Textured) {
            start.u = t.u.At(fx, fy);
            start.v = t.v.At(fx, fy);
        }
        const spans::Row row{target.pixels + static_cast<ptrdiff_t>(y) * target.pitch, depth_row};
        spans::Span<Textured, Perspective, Linear, Blended, Decal>(row, target.width, texels, alpha,
                                                                   start, gradient, xs, xe);
    }
    return covered;
}

// One specialised span loop for every combination of the texture settings.
template <bool Perspective, bool Linear, bool Blended>
bool FillTexturedWith(const Target& target, const SetUpTriangle& t, const Texels& texels,
                      uint32_t alpha, int y_start, int y_end, bool decal) {
    if (decal)
        return FillRows<true, Perspective, Linear, Blended, true>(target, t, texels, alpha, y_start,
                                                                  y_end);
    return FillRows<true, Perspective, Linear, Blended, false>(target, t, texels, alpha, y_start,
                                                               y_end);
}

template <bool Perspective, bool Linear>
bool FillTexturedBlend(const Target& target, const SetUpTriangle& t, const Texels& texels,
                       uint32_t alpha, int y_start, int y_end, bool blend, bool decal) {
    if (blend)
        return FillTexturedWith<Perspective, Linear, true>(target, t, texels, alpha, y_start, y_end,
                                                           decal);
    return FillTexturedWith<Perspective, Linear, false>(target, t, texels, alpha, y_start, y_end,
                                                        decal);
}

bool FillTextured(const Target& target, const SetUpTriangle& t, const Texels& texels,
                  uint32_t alpha, int y_start, int y_end, const TriangleStyle& style, bool decal) {
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

// The planes of one triangle: the same three screen points for every value.
struct PlaneBasis {
    float dx1, dy1, dx2, dy2, inv_area;

    PlaneBasis(const ScreenVertex* const p[3], float inv_area_)
        : dx1(p[1]->x - p[0]->x), dy1(p[1]->y - p[0]->y), dx2(p[2]->x - p[0]->x),
          dy2(p[2]->y - p[0]->y), inv_area(inv_area_) {}

    // The plane through the values a0, a1, a2 at the three points.
    Plane Through(float a0, float a1, float a2) const {
        const float d1 = a1 - a0, d2 = a2 - a0;
        return {a0, (d1 * dy2 - d2 * dy1) * inv_area, (d2 * dx1 - d1 * dx2) * inv_area};
    }
};

} // namespace

bool SetUp(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
           const TriangleStyle& style, int height, SetUpTriangle& t) {
    const ScreenVertex* p[3] = {&a, &b, &c};
    if (p[0]->y > p[1]->y) std::swap(p[0], p[1]);
    if (p[1]->y > p[2]->y) std::swap(p[1], p[2]);
    if (p[0]->y > p[1]->y) std::swap(p[0], p[1]);

    for (const ScreenVertex* v : p)
        if (!(std::fabs(v->x) <= MaxCoordinate && std::fabs(v->y) <= MaxCoordinate)) return false;
    t.first_row = ClampedCeil(p[0]->y - 0.5f, 0, std::max(height, 0));
    t.end_row = ClampedCeil(p[2]->y - 0.5f, 0, std::max(height, 0));
    if (t.first_row >= t.end_row) return false;
    const float area =
        (p[1]->x - p[0]->x) * (p[2]->y - p[0]->y) - (p[2]->x - p[0]->x) * (p[1]->y - p[0]->y);
    if (!(std::fabs(area) > 1e-6f)) return false;

    const float inv_area = 1.0f / area;
    t.style = style;
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
    const PlaneBasis basis(p, inv_area);
    t.inv_z = basis.Through(p[0]->inv_z, p[1]->inv_z, p[2]->inv_z);
    t.r = basis.Through(p[0]->r, p[1]->r, p[2]->r);
    t.g = basis.Through(p[0]->g, p[1]->g, p[2]->g);
    t.b = basis.Through(p[0]->b, p[1]->b, p[2]->b);
    const TextureImpl* texture = style.texture;
    if (texture == nullptr) {
        t.u = t.v = Plane{};
        return true;
    }
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
    t.u = basis.Through(u[0], u[1], u[2]);
    t.v = basis.Through(v[0], v[1], v[2]);
    return true;
}

bool DrawRows(const SetUpTriangle& t, const StripTarget& strip) {
    const int y_start = std::max(t.first_row, strip.first_row);
    const int y_end = std::min(t.end_row, strip.end_row);
    if (y_start >= y_end) return false;
    const Target target{strip.pixels, strip.pitch,     strip.depth,
                        strip.width,  strip.first_row, strip.depth_ready};
    const TriangleStyle& style = t.style;
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
    return FillTextured(target, t, texels, alpha, y_start, y_end, style, texture->Decal());
}

void PaintRows(const RenderTarget& target, int width, int first, int end, uint32_t colour) {
    for (int y = first; y < end; ++y) {
        uint32_t* row = target.pixels + static_cast<ptrdiff_t>(y) * target.pitch;
        if (colour == 0) {
            std::memset(row, 0, static_cast<size_t>(width) * sizeof(uint32_t));
            continue;
        }
        int x = 0;
#if defined(__SSE2__)
        const __m128i four = _mm_set1_epi32(static_cast<int32_t>(colour));
        for (; x + 4 <= width; x += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(row + x), four);
#endif
        for (; x < width; ++x) row[x] = colour;
    }
}

} // namespace rm
