// The inner loops of the rasteriser: one horizontal run of pixels with depth test, lit
// colour, optional texture and optional blending. Every value is interpolated as a float
// plane across the triangle; runs of four pixels go through SSE2 where the compiler
// offers it, the rest (and linear texture filtering) pixel by pixel.
#pragma once

#include <algorithm>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace rm::spans {

// Values at one pixel centre, or their change from one pixel to the next. Colours are
// 0..255; u and v count texels (divided by z when the texture is perspective-correct).
struct Values {
    float inv_z = 0, r = 0, g = 0, b = 0, u = 0, v = 0;
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

// The whole texel a coordinate falls in. Coordinates reach the spans positive, so
// truncation rounds down; huge and NaN values give some texel rather than overflow.
[[gnu::always_inline]] inline int32_t TexelIndex(float v) {
    const float clamped = std::min(std::max(v, 0.0f), 2.0e9f);
    return clamped == clamped ? static_cast<int32_t>(clamped) : 0;
}

// A colour channel truncated into 0..255 (NaN gives 0).
[[gnu::always_inline]] inline uint32_t Channel(float c) {
    if (!(c >= 0.0f)) return 0;
    return c < 255.0f ? static_cast<uint32_t>(c) : 255u;
}

[[gnu::always_inline]] inline uint32_t Pack(float r, float g, float b) {
    return Channel(r) << 16 | Channel(g) << 8 | Channel(b);
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

[[gnu::always_inline]] inline uint32_t Nearest(const Texels& t, float u, float v) {
    const auto tx = static_cast<uint32_t>(TexelIndex(u)) & t.u_mask;
    const auto ty = static_cast<uint32_t>(TexelIndex(v)) & t.v_mask;
    return t.data[(ty << t.width_log2) | tx];
}

[[gnu::always_inline]] inline uint32_t Bilinear(const Texels& t, float u, float v) {
    u -= 0.5f; // texel centres
    v -= 0.5f;
    const int32_t iu = TexelIndex(u), iv = TexelIndex(v);
    const auto fu =
        static_cast<uint32_t>(std::clamp((u - static_cast<float>(iu)) * 256.0f, 0.0f, 255.0f));
    const auto fv =
        static_cast<uint32_t>(std::clamp((v - static_cast<float>(iv)) * 256.0f, 0.0f, 255.0f));
    const uint32_t x0 = static_cast<uint32_t>(iu) & t.u_mask,
                   y0 = static_cast<uint32_t>(iv) & t.v_mask;
    const uint32_t x1 = (x0 + 1) & t.u_mask, y1 = (y0 + 1) & t.v_mask;
    const uint32_t* top = t.data + (y0 << t.width_log2);
    const uint32_t* bottom = t.data + (y1 << t.width_log2);
    return Lerp(Lerp(top[x0], top[x1], fu), Lerp(bottom[x0], bottom[x1], fu), fv);
}

// One pixel with the values at its centre.
template <bool Textured, bool Perspective, bool Linear, bool Blended, bool Decal>
[[gnu::always_inline]] inline void Pixel(uint32_t& pixel, float& depth, const Texels& tex,
                                         uint32_t alpha, const Values& at) {
    if (!(at.inv_z >= depth)) return;
    uint32_t colour = Pack(at.r, at.g, at.b);
    if constexpr (Textured) {
        float u = at.u, v = at.v;
        if constexpr (Perspective) {
            const float z = 1.0f / at.inv_z;
            u *= z;
            v *= z;
        }
        const uint32_t texel = Linear ? Bilinear(tex, u, v) : Nearest(tex, u, v);
        if constexpr (Decal)
            if ((Linear ? Nearest(tex, u, v) : texel) == tex.key) return;
        colour = Modulate(texel, colour);
    }
    if constexpr (Blended) {
        pixel = Blend(colour, pixel, alpha);
    } else {
        pixel = colour;
        depth = at.inv_z;
    }
}

#if defined(__SSE2__)

struct Lanes {
    __m128 inv_z, r, g, b, u, v;
};

inline __m128 Ramp(float start, float step) {
    return _mm_add_ps(_mm_set1_ps(start), _mm_mul_ps(_mm_set_ps(3, 2, 1, 0), _mm_set1_ps(step)));
}

// Four pixels 0x00RRGGBB from four values of each channel, truncated into 0..255 as
// Channel does: the saturating packs clamp, and the bytes are then interleaved.
[[gnu::always_inline]] inline __m128i PackColours4(__m128 r, __m128 g, __m128 b) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i blue_green = _mm_packs_epi32(_mm_cvttps_epi32(b), _mm_cvttps_epi32(g));
    const __m128i red = _mm_packs_epi32(_mm_cvttps_epi32(r), zero);
    const __m128i bytes = _mm_packus_epi16(blue_green, red); // b0-b3 g0-g3 r0-r3 0 0 0 0
    const __m128i bg_pairs = _mm_unpacklo_epi8(bytes, _mm_srli_si128(bytes, 4));
    const __m128i r_pairs = _mm_unpacklo_epi8(_mm_srli_si128(bytes, 8), zero);
    return _mm_unpacklo_epi16(bg_pairs, r_pairs);
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

// Four source pixels over four destination pixels, as Blend does.
[[gnu::always_inline]] inline __m128i Blend4(__m128i src, __m128i dst, uint32_t alpha) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i a = _mm_set1_epi16(static_cast<int16_t>(alpha));
    const __m128i rest = _mm_set1_epi16(static_cast<int16_t>(256 - alpha));
    auto mix = [&](__m128i s, __m128i d) {
        return _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(s, a), _mm_mullo_epi16(d, rest)), 8);
    };
    return _mm_packus_epi16(mix(_mm_unpacklo_epi8(src, zero), _mm_unpacklo_epi8(dst, zero)),
                            mix(_mm_unpackhi_epi8(src, zero), _mm_unpackhi_epi8(dst, zero)));
}

// A triangle's steps over the four lanes of a block and from one block to the next, and
// its texture's constants in every lane.
struct BlockSteps {
    Lanes lane; // 0, 1, 2 and 3 steps
    Lanes next; // four steps
    __m128i u_mask, v_mask, row_shift, key;
};

template <bool Textured> BlockSteps MakeBlockSteps(const Values& step, const Texels& tex) {
    const __m128 lane = _mm_set_ps(3, 2, 1, 0);
    const __m128 four = _mm_set1_ps(4.0f);
    auto lanes = [&](__m128 factor) {
        Lanes l{_mm_mul_ps(factor, _mm_set1_ps(step.inv_z)),
                _mm_mul_ps(factor, _mm_set1_ps(step.r)),
                _mm_mul_ps(factor, _mm_set1_ps(step.g)),
                _mm_mul_ps(factor, _mm_set1_ps(step.b)),
                _mm_setzero_ps(),
                _mm_setzero_ps()};
        if constexpr (Textured) {
            l.u = _mm_mul_ps(factor, _mm_set1_ps(step.u));
            l.v = _mm_mul_ps(factor, _mm_set1_ps(step.v));
        }
        return l;
    };
    return {lanes(lane),
            lanes(four),
            _mm_set1_epi32(static_cast<int32_t>(tex.u_mask)),
            _mm_set1_epi32(static_cast<int32_t>(tex.v_mask)),
            _mm_cvtsi32_si128(tex.width_log2),
            _mm_set1_epi32(static_cast<int32_t>(tex.key))};
}

// The values of the first block of a run starting with start.
template <bool Textured> Lanes StartLanes(const Values& start, const BlockSteps& steps) {
    Lanes at{_mm_add_ps(_mm_set1_ps(start.inv_z), steps.lane.inv_z),
             _mm_add_ps(_mm_set1_ps(start.r), steps.lane.r),
             _mm_add_ps(_mm_set1_ps(start.g), steps.lane.g),
             _mm_add_ps(_mm_set1_ps(start.b), steps.lane.b),
             _mm_setzero_ps(),
             _mm_setzero_ps()};
    if constexpr (Textured) {
        at.u = _mm_add_ps(_mm_set1_ps(start.u), steps.lane.u);
        at.v = _mm_add_ps(_mm_set1_ps(start.v), steps.lane.v);
    }
    return at;
}

// Pixels x .. end - 1, four at a time, at holding the values of the block at x; the last
// block may be partly outside the run (its other lanes are left alone) but must lie
// inside the row.
template <bool Textured, bool Perspective, bool Blended, bool Decal>
void Blocks(Row row, const Texels& tex, uint32_t alpha, Lanes at, const BlockSteps& steps, int x,
            int end) {
    const __m128i lane_index = _mm_set_epi32(3, 2, 1, 0);
    if constexpr (!Textured && !Blended) {
        // Plain colour is cheap, and the runs of small triangles are short: every block is
        // merged without branches, which mispredict more often than they save work.
        for (; x < end; x += 4) {
            const __m128 old_z = _mm_loadu_ps(row.depth + x);
            const __m128 inside =
                _mm_castsi128_ps(_mm_cmpgt_epi32(_mm_set1_epi32(end - x), lane_index));
            const __m128 draw_z = _mm_and_ps(_mm_cmpge_ps(at.inv_z, old_z), inside);
            const __m128i draw = _mm_castps_si128(draw_z);
            auto* pixels = reinterpret_cast<__m128i*>(row.pixels + x);
            const __m128i colour = PackColours4(at.r, at.g, at.b);
            _mm_storeu_si128(pixels, _mm_or_si128(_mm_and_si128(draw, colour),
                                                  _mm_andnot_si128(draw, _mm_loadu_si128(pixels))));
            _mm_storeu_ps(row.depth + x,
                          _mm_or_ps(_mm_and_ps(draw_z, at.inv_z), _mm_andnot_ps(draw_z, old_z)));
            at.inv_z = _mm_add_ps(at.inv_z, steps.next.inv_z);
            at.r = _mm_add_ps(at.r, steps.next.r);
            at.g = _mm_add_ps(at.g, steps.next.g);
            at.b = _mm_add_ps(at.b, steps.next.b);
        }
        return;
    }
    for (; x < end; x += 4) {
        const __m128 old_z = _mm_loadu_ps(row.depth + x);
        __m128 nearer = _mm_cmpge_ps(at.inv_z, old_z);
        if (end - x < 4)
            nearer = _mm_and_ps(
                nearer, _mm_castsi128_ps(_mm_cmpgt_epi32(_mm_set1_epi32(end - x), lane_index)));
        if (_mm_movemask_ps(nearer) != 0) {
            __m128i draw = _mm_castps_si128(nearer);
            __m128i colour = PackColours4(at.r, at.g, at.b);
            if constexpr (Textured) {
                __m128 u = at.u, v = at.v;
                if constexpr (Perspective) {
                    const __m128 z = _mm_div_ps(_mm_set1_ps(1.0f), at.inv_z);
                    u = _mm_mul_ps(u, z);
                    v = _mm_mul_ps(v, z);
                }
                const __m128i tx = _mm_and_si128(_mm_cvttps_epi32(u), steps.u_mask);
                const __m128i ty = _mm_and_si128(_mm_cvttps_epi32(v), steps.v_mask);
                alignas(16) uint32_t index[4];
                _mm_store_si128(reinterpret_cast<__m128i*>(index),
                                _mm_or_si128(_mm_sll_epi32(ty, steps.row_shift), tx));
                const __m128i texel = _mm_set_epi32(static_cast<int32_t>(tex.data[index[3]]),
                                                    static_cast<int32_t>(tex.data[index[2]]),
                                                    static_cast<int32_t>(tex.data[index[1]]),
                                                    static_cast<int32_t>(tex.data[index[0]]));
                if constexpr (Decal)
                    draw = _mm_andnot_si128(_mm_cmpeq_epi32(texel, steps.key), draw);
                colour = Modulate4(texel, colour);
            }
            auto* pixels = reinterpret_cast<__m128i*>(row.pixels + x);
            if (!Blended && _mm_movemask_ps(_mm_castsi128_ps(draw)) == 0xF) {
                // All four pixels drawn: nothing of the old ones is kept.
                _mm_storeu_si128(pixels, colour);
                _mm_storeu_ps(row.depth + x, at.inv_z);
            } else {
                const __m128i old_pixels = _mm_loadu_si128(pixels);
                if constexpr (Blended) colour = Blend4(colour, old_pixels, alpha);
                _mm_storeu_si128(pixels, _mm_or_si128(_mm_and_si128(draw, colour),
                                                      _mm_andnot_si128(draw, old_pixels)));
                if constexpr (!Blended) {
                    const __m128 draw_z = _mm_castsi128_ps(draw);
                    _mm_storeu_ps(row.depth + x, _mm_or_ps(_mm_and_ps(draw_z, at.inv_z),
                                                           _mm_andnot_ps(draw_z, old_z)));
                }
            }
        }
        at.inv_z = _mm_add_ps(at.inv_z, steps.next.inv_z);
        at.r = _mm_add_ps(at.r, steps.next.r);
        at.g = _mm_add_ps(at.g, steps.next.g);
        at.b = _mm_add_ps(at.b, steps.next.b);
        if constexpr (Textured) {
            at.u = _mm_add_ps(at.u, steps.next.u);
            at.v = _mm_add_ps(at.v, steps.next.v);
        }
    }
}

#if defined(__x86_64__) && defined(__GNUC__)
#define BRANNOCK_SPANS_AVX2 1

inline bool CpuHasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

[[gnu::target("avx2"), gnu::always_inline]] inline __m256 Pair(__m128 low, __m128 high) {
    return _mm256_insertf128_ps(_mm256_castps128_ps256(low), high, 1);
}

// PackColours4 on each half.
[[gnu::target("avx2"), gnu::always_inline]] inline __m256i PackColours8(__m256 r, __m256 g,
                                                                        __m256 b) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i blue_green = _mm256_packs_epi32(_mm256_cvttps_epi32(b), _mm256_cvttps_epi32(g));
    const __m256i red = _mm256_packs_epi32(_mm256_cvttps_epi32(r), zero);
    const __m256i bytes = _mm256_packus_epi16(blue_green, red);
    const __m256i bg_pairs = _mm256_unpacklo_epi8(bytes, _mm256_srli_si256(bytes, 4));
    const __m256i r_pairs = _mm256_unpacklo_epi8(_mm256_srli_si256(bytes, 8), zero);
    return _mm256_unpacklo_epi16(bg_pairs, r_pairs);
}

// Modulate4 on each half.
[[gnu::target("avx2"), gnu::always_inline]] inline __m256i Modulate8(__m256i texel,
                                                                     __m256i colour) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i half = _mm256_set1_epi16(128);
    const __m256i by255 = _mm256_set1_epi16(257);
    __m256i low =
        _mm256_mullo_epi16(_mm256_unpacklo_epi8(texel, zero), _mm256_unpacklo_epi8(colour, zero));
    __m256i high =
        _mm256_mullo_epi16(_mm256_unpackhi_epi8(texel, zero), _mm256_unpackhi_epi8(colour, zero));
    low = _mm256_mulhi_epu16(_mm256_add_epi16(low, half), by255);
    high = _mm256_mulhi_epu16(_mm256_add_epi16(high, half), by255);
    return _mm256_packus_epi16(low, high);
}

// The values of eight pixels in one register: the four of a block and the four of the
// next. Adding one four-pixel step to both halves twice moves on by eight pixels and gives
// every lane exactly the sum Blocks makes, since each half is its neighbour plus one step.
struct Lanes8 {
    __m256 inv_z, r, g, b, u, v;
};

[[gnu::target("avx2"), gnu::always_inline]] inline Lanes8
StartLanes8(const Lanes& at, const Lanes& next, bool textured) {
    Lanes8 l{Pair(at.inv_z, _mm_add_ps(at.inv_z, next.inv_z)),
             Pair(at.r, _mm_add_ps(at.r, next.r)),
             Pair(at.g, _mm_add_ps(at.g, next.g)),
             Pair(at.b, _mm_add_ps(at.b, next.b)),
             _mm256_setzero_ps(),
             _mm256_setzero_ps()};
    if (textured) {
        l.u = Pair(at.u, _mm_add_ps(at.u, next.u));
        l.v = Pair(at.v, _mm_add_ps(at.v, next.v));
    }
    return l;
}

[[gnu::target("avx2"), gnu::always_inline]] inline __m256 Step8(__m256 value, __m256 step) {
    return _mm256_add_ps(_mm256_add_ps(value, step), step);
}

// Opaque perspective-textured pixels (the ground and walls, most of a frame) eight at a
// time where the processor has AVX2, while whole blocks of eight fit before end. Every
// pixel gets the values Blocks would give it (see Lanes8). Returns where it stopped, with
// at holding the values of the block there.
[[gnu::target("avx2")]] inline int PerspectiveBlocks8(Row row, const Texels& tex, Lanes& at,
                                                      const BlockSteps& steps, int x, int end) {
    if (end - x < 8) return x;
    const __m256 one = _mm256_set1_ps(1.0f);
    const __m256i u_mask = _mm256_set1_epi32(static_cast<int32_t>(tex.u_mask));
    const __m256i v_mask = _mm256_set1_epi32(static_cast<int32_t>(tex.v_mask));
    const auto* texels = reinterpret_cast<const int*>(tex.data);
    const Lanes& n = steps.next;
    const Lanes8 step{Pair(n.inv_z, n.inv_z), Pair(n.r, n.r), Pair(n.g, n.g),
                      Pair(n.b, n.b),         Pair(n.u, n.u), Pair(n.v, n.v)};
    Lanes8 l = StartLanes8(at, n, true);
    for (; end - x >= 8; x += 8) {
        const __m256 old_z = _mm256_loadu_ps(row.depth + x);
        const __m256 nearer = _mm256_cmp_ps(l.inv_z, old_z, _CMP_GE_OS);
        const int drawn = _mm256_movemask_ps(nearer);
        if (drawn != 0) {
            const __m256i colour = PackColours8(l.r, l.g, l.b);
            const __m256 z = _mm256_div_ps(one, l.inv_z);
            const __m256 u = _mm256_mul_ps(l.u, z);
            const __m256 v = _mm256_mul_ps(l.v, z);
            const __m256i tx = _mm256_and_si256(_mm256_cvttps_epi32(u), u_mask);
            const __m256i ty = _mm256_and_si256(_mm256_cvttps_epi32(v), v_mask);
            const __m256i index = _mm256_or_si256(_mm256_sll_epi32(ty, steps.row_shift), tx);
            // Plain loads: the gather instruction is slower on some processors.
            alignas(32) uint32_t at_index[8];
            _mm256_store_si256(reinterpret_cast<__m256i*>(at_index), index);
            const __m256i texel = _mm256_setr_epi32(
                texels[at_index[0]], texels[at_index[1]], texels[at_index[2]], texels[at_index[3]],
                texels[at_index[4]], texels[at_index[5]], texels[at_index[6]], texels[at_index[7]]);
            const __m256i lit = Modulate8(texel, colour);
            auto* pixels = reinterpret_cast<__m256i*>(row.pixels + x);
            if (drawn == 0xFF) {
                _mm256_storeu_si256(pixels, lit);
                _mm256_storeu_ps(row.depth + x, l.inv_z);
            } else {
                const __m256i draw = _mm256_castps_si256(nearer);
                _mm256_storeu_si256(pixels,
                                    _mm256_blendv_epi8(_mm256_loadu_si256(pixels), lit, draw));
                _mm256_storeu_ps(row.depth + x, _mm256_blendv_ps(old_z, l.inv_z, nearer));
            }
        }
        l = {Step8(l.inv_z, step.inv_z), Step8(l.r, step.r), Step8(l.g, step.g),
             Step8(l.b, step.b),         Step8(l.u, step.u), Step8(l.v, step.v)};
    }
    at = {_mm256_castps256_ps128(l.inv_z), _mm256_castps256_ps128(l.r),
          _mm256_castps256_ps128(l.g),     _mm256_castps256_ps128(l.b),
          _mm256_castps256_ps128(l.u),     _mm256_castps256_ps128(l.v)};
    return x;
}

// Opaque plain-colour pixels eight at a time where the processor has AVX2, merged without
// branches as Blocks does, while whole blocks of eight fit before end; the values are
// summed as in PerspectiveBlocks8. Returns where it stopped, with at holding the values of
// the block there.
[[gnu::target("avx2")]] inline int PlainBlocks8(Row row, Lanes& at, const BlockSteps& steps, int x,
                                                int end) {
    if (end - x < 8) return x;
    const Lanes& n = steps.next;
    const __m256 step_inv_z = Pair(n.inv_z, n.inv_z), step_r = Pair(n.r, n.r),
                 step_g = Pair(n.g, n.g), step_b = Pair(n.b, n.b);
    Lanes8 l = StartLanes8(at, n, false);
    for (; end - x >= 8; x += 8) {
        const __m256 old_z = _mm256_loadu_ps(row.depth + x);
        const __m256 nearer = _mm256_cmp_ps(l.inv_z, old_z, _CMP_GE_OS);
        const __m256i colour = PackColours8(l.r, l.g, l.b);
        auto* pixels = reinterpret_cast<__m256i*>(row.pixels + x);
        _mm256_storeu_si256(pixels, _mm256_blendv_epi8(_mm256_loadu_si256(pixels), colour,
                                                       _mm256_castps_si256(nearer)));
        _mm256_storeu_ps(row.depth + x, _mm256_blendv_ps(old_z, l.inv_z, nearer));
        l.inv_z = Step8(l.inv_z, step_inv_z);
        l.r = Step8(l.r, step_r);
        l.g = Step8(l.g, step_g);
        l.b = Step8(l.b, step_b);
    }
    at.inv_z = _mm256_castps256_ps128(l.inv_z);
    at.r = _mm256_castps256_ps128(l.r);
    at.g = _mm256_castps256_ps128(l.g);
    at.b = _mm256_castps256_ps128(l.b);
    return x;
}

#endif
#endif

// Everything a span needs from its triangle.
template <bool Textured> struct Gradient {
    Values step; // from one pixel to the next
#if defined(__SSE2__)
    BlockSteps blocks;
#endif
    Gradient(const Values& per_pixel, [[maybe_unused]] const Texels& tex) : step(per_pixel) {
#if defined(__SSE2__)
        blocks = MakeBlockSteps<Textured>(per_pixel, tex);
#endif
    }
};

// Pixels xs .. xe - 1 of a row width pixels wide, start holding the values at pixel xs.
template <bool Textured, bool Perspective, bool Linear, bool Blended, bool Decal>
void Span(Row row, [[maybe_unused]] int width, const Texels& tex, uint32_t alpha,
          const Values& start, const Gradient<Textured>& gradient, int xs, int xe) {
    int x = xs;
#if defined(__SSE2__)
    if constexpr (!Linear) {
        // Whole blocks, the last one partly masked when the row has room for it.
        const int rounded_up = xs + ((xe - xs + 3) & ~3);
        const int block_end = rounded_up <= width ? xe : xs + ((xe - xs) & ~3);
        if (block_end > xs) {
            Lanes at = StartLanes<Textured>(start, gradient.blocks);
#if defined(BRANNOCK_SPANS_AVX2)
            if constexpr (Textured && Perspective && !Blended && !Decal)
                if (block_end - x >= 8 && CpuHasAvx2())
                    x = PerspectiveBlocks8(row, tex, at, gradient.blocks, x, block_end);
            if constexpr (!Textured && !Blended)
                if (block_end - x >= 8 && CpuHasAvx2())
                    x = PlainBlocks8(row, at, gradient.blocks, x, block_end);
#endif
            Blocks<Textured, Perspective, Blended, Decal>(row, tex, alpha, at, gradient.blocks, x,
                                                          block_end);
            x = block_end;
        }
    }
#endif
    const Values& step = gradient.step;
    for (; x < xe; ++x) {
        const auto k = static_cast<float>(x - xs);
        const Values at{start.inv_z + step.inv_z * k, start.r + step.r * k, start.g + step.g * k,
                        start.b + step.b * k,         start.u + step.u * k, start.v + step.v * k};
        Pixel<Textured, Perspective, Linear, Blended, Decal>(row.pixels[x], row.depth[x], tex,
                                                             alpha, at);
    }
}

} // namespace rm::spans
