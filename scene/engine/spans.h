// The inner loops of the rasteriser: one horizontal run of pixels with depth test, lit
// colour, optional texture and optional blending. Runs of four pixels go through SSE2
// where the compiler offers it, the rest pixel by pixel; both give the same colours.
#pragma once

#include <algorithm>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace rm::spans {

// What is stepped from pixel to pixel. Colours and texture coordinates are 16.16 fixed
// point; texture coordinates count texels and wrap.
struct Cursor {
    float inv_z = 0, inv_z_step = 0;
    int32_t r = 0, g = 0, b = 0, dr = 0, dg = 0, db = 0;
    uint32_t u = 0, v = 0, du = 0, dv = 0;

    void Advance(int pixels) {
        inv_z += inv_z_step * static_cast<float>(pixels);
        r += dr * pixels;
        g += dg * pixels;
        b += db * pixels;
        u += du * static_cast<uint32_t>(pixels);
        v += dv * static_cast<uint32_t>(pixels);
    }
};

struct Texels {
    const uint32_t* data = nullptr; // 0x00RRGGBB, rows of 2^width_log2
    int width_log2 = 0;
    uint32_t u_mask = 0, v_mask = 0;
    uint32_t key = 0; // the decal's transparent colour
};

struct Row {
    uint32_t* __restrict pixels;
    float* __restrict depth;
};

[[gnu::always_inline]] inline uint32_t Pack(const Cursor& c) {
    return (static_cast<uint32_t>(c.r) & 0xFF0000u) |
           ((static_cast<uint32_t>(c.g) >> 8) & 0xFF00u) | (static_cast<uint32_t>(c.b) >> 16);
}

// t * c / 255 rounded, for one channel of 0..255 each.
[[gnu::always_inline]] inline uint32_t Scale255(uint32_t t, uint32_t c) {
    return ((t * c + 128) * 257) >> 16;
}

// Texel times lit colour, channel by channel: full light leaves the texel as it is.
[[gnu::always_inline]] inline uint32_t Modulate(uint32_t texel, uint32_t colour) {
    return Scale255((texel >> 16) & 0xFFu, (colour >> 16) & 0xFFu) << 16 |
           Scale255((texel >> 8) & 0xFFu, (colour >> 8) & 0xFFu) << 8 |
           Scale255(texel & 0xFFu, colour & 0xFFu);
}

// src over dst with alpha / 256.
[[gnu::always_inline]] inline uint32_t Blend(uint32_t src, uint32_t dst, uint32_t alpha) {
    const uint32_t rb = ((src & 0xFF00FFu) * alpha + (dst & 0xFF00FFu) * (256 - alpha)) >> 8;
    const uint32_t g = ((src & 0x00FF00u) * alpha + (dst & 0x00FF00u) * (256 - alpha)) >> 8;
    return (rb & 0xFF00FFu) | (g & 0x00FF00u);
}

// p and q mixed by f / 256.
[[gnu::always_inline]] inline uint32_t Lerp(uint32_t p, uint32_t q, uint32_t f) {
    const uint32_t rb = ((p & 0xFF00FFu) * (256 - f) + (q & 0xFF00FFu) * f) >> 8;
    const uint32_t g = ((p & 0x00FF00u) * (256 - f) + (q & 0x00FF00u) * f) >> 8;
    return (rb & 0xFF00FFu) | (g & 0x00FF00u);
}

[[gnu::always_inline]] inline uint32_t Nearest(const Texels& t, uint32_t u, uint32_t v) {
    return t.data[(((v >> 16) & t.v_mask) << t.width_log2) | ((u >> 16) & t.u_mask)];
}

[[gnu::always_inline]] inline uint32_t Bilinear(const Texels& t, uint32_t u, uint32_t v) {
    u -= 0x8000; // texel centres
    v -= 0x8000;
    const uint32_t x0 = (u >> 16) & t.u_mask, y0 = (v >> 16) & t.v_mask;
    const uint32_t x1 = (x0 + 1) & t.u_mask, y1 = (y0 + 1) & t.v_mask;
    const uint32_t fu = (u >> 8) & 0xFFu, fv = (v >> 8) & 0xFFu;
    const uint32_t* top = t.data + (y0 << t.width_log2);
    const uint32_t* bottom = t.data + (y1 << t.width_log2);
    return Lerp(Lerp(top[x0], top[x1], fu), Lerp(bottom[x0], bottom[x1], fu), fv);
}

// Pixels x .. end - 1, one at a time.
template <bool Textured, bool Linear, bool Blended, bool Decal>
void PixelRun(Row row, const Texels& tex, uint32_t alpha, Cursor& c, int x, int end) {
    for (; x < end; ++x) {
        if (c.inv_z >= row.depth[x]) {
            uint32_t colour = Pack(c);
            bool draw = true;
            if constexpr (Textured) {
                const uint32_t texel = Linear ? Bilinear(tex, c.u, c.v) : Nearest(tex, c.u, c.v);
                if constexpr (Decal) draw = (Linear ? Nearest(tex, c.u, c.v) : texel) != tex.key;
                colour = Modulate(texel, colour);
            }
            if (draw) {
                if constexpr (Blended) {
                    row.pixels[x] = Blend(colour, row.pixels[x], alpha);
                } else {
                    row.pixels[x] = colour;
                    row.depth[x] = c.inv_z;
                }
            }
        }
        c.Advance(1);
    }
}

#if defined(__SSE2__)

inline __m128i Ramp(uint32_t start, uint32_t step) {
    return _mm_set_epi32(static_cast<int32_t>(start + 3 * step),
                         static_cast<int32_t>(start + 2 * step), static_cast<int32_t>(start + step),
                         static_cast<int32_t>(start));
}

// Four texels times four lit colours, rounded exactly as Modulate does.
[[gnu::always_inline]] inline __m128i Modulate4(__m128i texel, __m128i colour) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i half = _mm_set1_epi16(128);
    const __m128i by255 = _mm_set1_epi16(257);
    __m128i low = _mm_mullo_epi16(_mm_unpacklo_epi8(texel, zero), _mm_unpacklo_epi8(colour, zero));
    __m128i high = _mm_mullo_epi16(_mm_unpackhi_epi8(texel, zero), _mm_unpackhi_epi8(colour, zero));
    low = _mm_mulhi_epu16(_mm_add_epi16(low, half), by255);
    high = _mm_mulhi_epu16(_mm_add_epi16(high, half), by255);
    return _mm_packus_epi16(low, high);
}

// The cursor of four neighbouring pixels: lane i is pixel x + i.
struct QuadCursor {
    __m128 inv_z, inv_z_step;
    __m128i r, g, b, r_step, g_step, b_step;
    __m128i u, v, u_step, v_step;

    QuadCursor() = default;
    explicit QuadCursor(const Cursor& c) {
        inv_z = _mm_add_ps(_mm_set1_ps(c.inv_z),
                           _mm_mul_ps(_mm_set_ps(3, 2, 1, 0), _mm_set1_ps(c.inv_z_step)));
        inv_z_step = _mm_set1_ps(4 * c.inv_z_step);
        auto u32 = [](int32_t value) { return static_cast<uint32_t>(value); };
        r = Ramp(u32(c.r), u32(c.dr));
        g = Ramp(u32(c.g), u32(c.dg));
        b = Ramp(u32(c.b), u32(c.db));
        r_step = _mm_set1_epi32(4 * c.dr);
        g_step = _mm_set1_epi32(4 * c.dg);
        b_step = _mm_set1_epi32(4 * c.db);
        SetTexture(c);
    }
    // Texture coordinates restart at every stretch of a perspective-correct span.
    void SetTexture(const Cursor& c) {
        u = Ramp(c.u, c.du);
        v = Ramp(c.v, c.dv);
        u_step = _mm_set1_epi32(static_cast<int32_t>(4 * c.du));
        v_step = _mm_set1_epi32(static_cast<int32_t>(4 * c.dv));
    }
};

// Opaque nearest-texel or plain pixels, four at a time: quads groups from x on.
template <bool Textured, bool Decal>
void Quads(Row row, const Texels& tex, QuadCursor& q, int x, int quads) {
    const __m128i red_bits = _mm_set1_epi32(0xFF0000), green_bits = _mm_set1_epi32(0xFF00);
    const __m128i u_mask = _mm_set1_epi32(static_cast<int32_t>(tex.u_mask));
    const __m128i v_mask = _mm_set1_epi32(static_cast<int32_t>(tex.v_mask));
    const __m128i row_shift = _mm_cvtsi32_si128(tex.width_log2);
    const __m128i key = _mm_set1_epi32(static_cast<int32_t>(tex.key));
    for (int n = 0; n < quads; ++n, x += 4) {
        const __m128 old_z = _mm_loadu_ps(row.depth + x);
        const __m128 nearer = _mm_cmpge_ps(q.inv_z, old_z);
        if (_mm_movemask_ps(nearer) != 0) {
            __m128i draw = _mm_castps_si128(nearer);
            __m128i colour =
                _mm_or_si128(_mm_or_si128(_mm_and_si128(q.r, red_bits),
                                          _mm_and_si128(_mm_srli_epi32(q.g, 8), green_bits)),
                             _mm_srli_epi32(q.b, 16));
            if constexpr (Textured) {
                const __m128i tx = _mm_and_si128(_mm_srli_epi32(q.u, 16), u_mask);
                const __m128i ty = _mm_and_si128(_mm_srli_epi32(q.v, 16), v_mask);
                alignas(16) uint32_t at[4];
                _mm_store_si128(reinterpret_cast<__m128i*>(at),
                                _mm_or_si128(_mm_sll_epi32(ty, row_shift), tx));
                const __m128i texel = _mm_set_epi32(
                    static_cast<int32_t>(tex.data[at[3]]), static_cast<int32_t>(tex.data[at[2]]),
                    static_cast<int32_t>(tex.data[at[1]]), static_cast<int32_t>(tex.data[at[0]]));
                if constexpr (Decal) draw = _mm_andnot_si128(_mm_cmpeq_epi32(texel, key), draw);
                colour = Modulate4(texel, colour);
            }
            uint32_t* pixels = row.pixels + x;
            const __m128i old_pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels));
            _mm_storeu_si128(
                reinterpret_cast<__m128i*>(pixels),
                _mm_or_si128(_mm_and_si128(draw, colour), _mm_andnot_si128(draw, old_pixels)));
            const __m128 draw_z = _mm_castsi128_ps(draw);
            _mm_storeu_ps(row.depth + x,
                          _mm_or_ps(_mm_and_ps(draw_z, q.inv_z), _mm_andnot_ps(draw_z, old_z)));
        }
        q.inv_z = _mm_add_ps(q.inv_z, q.inv_z_step);
        q.r = _mm_add_epi32(q.r, q.r_step);
        q.g = _mm_add_epi32(q.g, q.g_step);
        q.b = _mm_add_epi32(q.b, q.b_step);
        if constexpr (Textured) {
            q.u = _mm_add_epi32(q.u, q.u_step);
            q.v = _mm_add_epi32(q.v, q.v_step);
        }
    }
}

#endif

// Whether runs of four pixels can take the SSE2 loop.
template <bool Linear, bool Blended> constexpr bool HasQuads() {
#if defined(__SSE2__)
    return !Linear && !Blended;
#else
    return false;
#endif
}

// Pixels x .. end - 1 with one texture step, by the fastest loop that gives the same
// colours. Only the cursor's colours and depth are carried on.
template <bool Textured, bool Linear, bool Blended, bool Decal>
void Run(Row row, const Texels& tex, uint32_t alpha, Cursor& c, int x, int end) {
#if defined(__SSE2__)
    if constexpr (HasQuads<Linear, Blended>()) {
        const int quads = (end - x) / 4;
        if (quads > 0) {
            QuadCursor q(c);
            Quads<Textured, Decal>(row, tex, q, x, quads);
            c.Advance(4 * quads);
            x += 4 * quads;
        }
    }
#endif
    PixelRun<Textured, Linear, Blended, Decal>(row, tex, alpha, c, x, end);
}

// Pixels x .. end - 1 in stretches of Stretch pixels, each with its own texture step:
// next(c, n) sets c's texture coordinates where c stands and their step over n pixels.
template <int Stretch, bool Linear, bool Blended, bool Decal, typename NextStep>
void StretchedRun(Row row, const Texels& tex, uint32_t alpha, Cursor& c, int x, int end,
                  NextStep next) {
#if defined(__SSE2__)
    if constexpr (HasQuads<Linear, Blended>()) {
        static_assert(Stretch % 4 == 0);
        QuadCursor q;
        bool started = false;
        for (; end - x >= Stretch; x += Stretch) {
            next(c, Stretch);
            if (started) {
                q.SetTexture(c);
            } else {
                q = QuadCursor(c);
                started = true;
            }
            Quads<true, Decal>(row, tex, q, x, Stretch / 4);
            c.Advance(Stretch);
        }
        if (x < end) {
            next(c, end - x);
            Run<true, Linear, Blended, Decal>(row, tex, alpha, c, x, end);
        }
        return;
    }
#endif
    for (; x < end; x += Stretch) {
        const int n = std::min(Stretch, end - x);
        next(c, n);
        PixelRun<true, Linear, Blended, Decal>(row, tex, alpha, c, x, x + n);
    }
}

} // namespace rm::spans
