#include "scene/engine/rasterizer.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "scene/engine/texture.h"

namespace rm {

namespace {

// Perspective-correct texture coordinates are computed exactly every SubSpan pixels and
// stepped linearly in between.
constexpr int SubSpan = 16;
constexpr float MinInvZ = 1e-12f;

// 16.16 fixed point, clamped so that no conversion overflows.
int32_t ToFixed(float v) {
    const float scaled = v * 65536.0f;
    if (!(scaled > -2.0e9f)) return -2000000000; // NaN lands here too
    if (scaled > 2.0e9f) return 2000000000;
    return static_cast<int32_t>(scaled);
}

int ClampedCeil(float v, int low, int high) {
    if (!(v > static_cast<float>(low))) return low;
    if (v > static_cast<float>(high)) return high;
    return std::clamp(static_cast<int>(std::ceil(v)), low, high);
}

// An attribute as a plane over the screen: value at (x, y) = base + dx (x - x0) + dy (y - y0).
struct Plane {
    float base = 0, dx = 0, dy = 0;
    float At(float fx, float fy) const { return base + dx * fx + dy * fy; }
};

struct TextureView {
    const uint32_t* texels = nullptr;
    int width_log2 = 0;
    uint32_t u_mask = 0, v_mask = 0;
    bool decal = false;
    uint32_t key = 0;
};

// p and q mixed by f / 256.
[[gnu::always_inline]] inline uint32_t Lerp(uint32_t p, uint32_t q, uint32_t f) {
    const uint32_t rb = ((p & 0xFF00FFu) * (256 - f) + (q & 0xFF00FFu) * f) >> 8;
    const uint32_t g = ((p & 0x00FF00u) * (256 - f) + (q & 0x00FF00u) * f) >> 8;
    return (rb & 0xFF00FFu) | (g & 0x00FF00u);
}

[[gnu::always_inline]] inline uint32_t Pack(int32_t r, int32_t g, int32_t b) {
    return static_cast<uint32_t>(r >> 16) << 16 | static_cast<uint32_t>(g >> 16) << 8 |
           static_cast<uint32_t>(b >> 16);
}

// Texel times lit colour, both 0..255, divided by 255 exactly: full light leaves the
// texel as it is.
[[gnu::always_inline]] inline uint32_t Modulate(uint32_t texel, int32_t r, int32_t g, int32_t b) {
    auto scale = [](uint32_t t, int32_t c) {
        const uint32_t x = t * static_cast<uint32_t>(c >> 16);
        return (x + 1 + (x >> 8)) >> 8;
    };
    return scale((texel >> 16) & 0xFFu, r) << 16 | scale((texel >> 8) & 0xFFu, g) << 8 |
           scale(texel & 0xFFu, b);
}

[[gnu::always_inline]] inline uint32_t Blend(uint32_t src, uint32_t dst, uint32_t alpha) {
    const uint32_t rb = ((src & 0xFF00FFu) * alpha + (dst & 0xFF00FFu) * (256 - alpha)) >> 8;
    const uint32_t g = ((src & 0x00FF00u) * alpha + (dst & 0x00FF00u) * (256 - alpha)) >> 8;
    return (rb & 0xFF00FFu) | (g & 0x00FF00u);
}

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

// A colour channel along a span: start and step in 16.16. Rounding can put the ends of a
// span a little outside 0..255; then the step is refitted so that no pixel leaves the range.
[[gnu::always_inline]] inline void ColourSpan(const Plane& p, float fx, float fy, int n,
                                              int32_t& value, int32_t& step) {
    const float first = p.At(fx, fy);
    const float last = first + p.dx * static_cast<float>(n - 1);
    value = ToFixed(std::clamp(first, 0.0f, 255.0f));
    step = ToFixed(p.dx);
    if (first < 0.0f || first > 255.0f || last < 0.0f || last > 255.0f) {
        const float fitted = std::clamp(last, 0.0f, 255.0f) - std::clamp(first, 0.0f, 255.0f);
        step = n > 1 ? ToFixed(fitted / static_cast<float>(n - 1)) : 0;
    }
}

template <bool Textured, bool Perspective, bool Linear, bool Blended, bool Decal>
bool FillRows(const Target& target, const Triangle& t, const TextureView view, uint32_t alpha,
              int y_start, int y_end) {
    // Local copies: stores to the surface could otherwise alias the texture's fields and
    // force them to be read again for every pixel.
    const uint32_t* const texels = view.texels;
    const int width_log2 = view.width_log2;
    const uint32_t u_mask = view.u_mask, v_mask = view.v_mask, key = view.key;
    auto nearest = [&](int32_t u, int32_t v) {
        const uint32_t tx = static_cast<uint32_t>(u >> 16) & u_mask;
        const uint32_t ty = static_cast<uint32_t>(v >> 16) & v_mask;
        return texels[(ty << width_log2) | tx];
    };
    auto bilinear = [&](int32_t u, int32_t v) {
        u -= 0x8000; // texel centres
        v -= 0x8000;
        const uint32_t x0 = static_cast<uint32_t>(u >> 16) & u_mask;
        const uint32_t y0 = static_cast<uint32_t>(v >> 16) & v_mask;
        const uint32_t x1 = (x0 + 1) & u_mask;
        const uint32_t y1 = (y0 + 1) & v_mask;
        const uint32_t fu = static_cast<uint32_t>(u >> 8) & 0xFFu;
        const uint32_t fv = static_cast<uint32_t>(v >> 8) & 0xFFu;
        const uint32_t top =
            Lerp(texels[(y0 << width_log2) | x0], texels[(y0 << width_log2) | x1], fu);
        const uint32_t bottom =
            Lerp(texels[(y1 << width_log2) | x0], texels[(y1 << width_log2) | x1], fu);
        return Lerp(top, bottom, fv);
    };
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
        const int n = xe - xs;
        const float fx = static_cast<float>(xs) + 0.5f - t.x0;
        const float fy = yc - t.y0;
        float inv_z = t.inv_z.At(fx, fy);
        const float inv_z_step = t.inv_z.dx;
        int32_t r, dr, g, dg, b, db;
        ColourSpan(t.r, fx, fy, n, r, dr);
        ColourSpan(t.g, fx, fy, n, g, dg);
        ColourSpan(t.b, fx, fy, n, b, db);
        uint32_t* __restrict row = target.pixels + static_cast<ptrdiff_t>(y) * target.pitch;
        float* __restrict depth = target.depth + static_cast<ptrdiff_t>(y) * target.width;

        auto put = [&](int x, uint32_t colour) {
            if constexpr (Blended) {
                row[x] = Blend(colour, row[x], alpha);
            } else {
                row[x] = colour;
                depth[x] = inv_z;
            }
        };
        auto textured = [&](int x, int32_t u, int32_t v) {
            if (inv_z >= depth[x]) {
                const uint32_t texel = Linear ? bilinear(u, v) : nearest(u, v);
                if (!Decal || (Linear ? nearest(u, v) : texel) != key)
                    put(x, Modulate(texel, r, g, b));
            }
            inv_z += inv_z_step;
            r += dr;
            g += dg;
            b += db;
        };

        if constexpr (!Textured) {
            for (int x = xs; x < xe; ++x) {
                if (inv_z >= depth[x]) put(x, Pack(r, g, b));
                inv_z += inv_z_step;
                r += dr;
                g += dg;
                b += db;
            }
        } else if constexpr (!Perspective) {
            int32_t u = ToFixed(t.u.At(fx, fy));
            int32_t v = ToFixed(t.v.At(fx, fy));
            const int32_t du = ToFixed(t.u.dx);
            const int32_t dv = ToFixed(t.v.dx);
            for (int x = xs; x < xe; ++x) {
                textured(x, u, v);
                u += du;
                v += dv;
            }
        } else {
            float sub_inv_z = inv_z;
            float uz = t.u.At(fx, fy);
            float vz = t.v.At(fx, fy);
            float z = 1.0f / std::max(sub_inv_z, MinInvZ);
            float u_start = uz * z;
            float v_start = vz * z;
            for (int x = xs; x < xe;) {
                const int len = std::min(SubSpan, xe - x);
                const float flen = static_cast<float>(len);
                sub_inv_z += inv_z_step * flen;
                uz += t.u.dx * flen;
                vz += t.v.dx * flen;
                z = 1.0f / std::max(sub_inv_z, MinInvZ);
                const float u_end = uz * z;
                const float v_end = vz * z;
                int32_t u = ToFixed(u_start);
                int32_t v = ToFixed(v_start);
                const int32_t du = ToFixed((u_end - u_start) / flen);
                const int32_t dv = ToFixed((v_end - v_start) / flen);
                for (int i = 0; i < len; ++i, ++x) {
                    textured(x, u, v);
                    u += du;
                    v += dv;
                }
                u_start = u_end;
                v_start = v_end;
            }
        }
    }
    return covered;
}

// One specialised span loop for every combination of the texture settings.
template <bool Perspective, bool Linear, bool Blended>
bool FillTexturedWith(const Target& target, const Triangle& t, const TextureView& view,
                      uint32_t alpha, int y_start, int y_end) {
    if (view.decal)
        return FillRows<true, Perspective, Linear, Blended, true>(target, t, view, alpha, y_start,
                                                                  y_end);
    return FillRows<true, Perspective, Linear, Blended, false>(target, t, view, alpha, y_start,
                                                               y_end);
}

template <bool Perspective, bool Linear>
bool FillTexturedBlend(const Target& target, const Triangle& t, const TextureView& view,
                       uint32_t alpha, int y_start, int y_end, bool blend) {
    if (blend)
        return FillTexturedWith<Perspective, Linear, true>(target, t, view, alpha, y_start, y_end);
    return FillTexturedWith<Perspective, Linear, false>(target, t, view, alpha, y_start, y_end);
}

bool FillTextured(const Target& target, const Triangle& t, const TextureView& view, uint32_t alpha,
                  int y_start, int y_end, const TriangleStyle& style) {
    if (style.perspective) {
        if (style.linear)
            return FillTexturedBlend<true, true>(target, t, view, alpha, y_start, y_end,
                                                 style.blend);
        return FillTexturedBlend<true, false>(target, t, view, alpha, y_start, y_end, style.blend);
    }
    if (style.linear)
        return FillTexturedBlend<false, true>(target, t, view, alpha, y_start, y_end, style.blend);
    return FillTexturedBlend<false, false>(target, t, view, alpha, y_start, y_end, style.blend);
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

    TextureView view;
    const TextureImpl* texture = style.texture;
    if (texture != nullptr) {
        view.texels = texture->Texels();
        view.width_log2 = texture->WidthLog2();
        view.u_mask = (1u << texture->WidthLog2()) - 1u;
        view.v_mask = (1u << texture->HeightLog2()) - 1u;
        view.decal = texture->Decal();
        view.key = texture->DecalColour();
        // Texture coordinates wrap, so whole turns can be dropped; this keeps the fixed
        // point values small.
        const float tw = static_cast<float>(1 << texture->WidthLog2());
        const float th = static_cast<float>(1 << texture->HeightLog2());
        const float u_base = std::floor(std::min({p[0]->u, p[1]->u, p[2]->u}));
        const float v_base = std::floor(std::min({p[0]->v, p[1]->v, p[2]->v}));
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
    }

    const Target target{pixels_, pitch_, depth_, width_};
    const uint32_t alpha = static_cast<uint32_t>(std::clamp(style.alpha, 0, 256));
    if (texture == nullptr) {
        if (style.blend)
            return FillRows<false, false, false, true, false>(target, t, view, alpha, y_start,
                                                              y_end);
        return FillRows<false, false, false, false, false>(target, t, view, alpha, y_start, y_end);
    }
    return FillTextured(target, t, view, alpha, y_start, y_end, style);
}

} // namespace rm
