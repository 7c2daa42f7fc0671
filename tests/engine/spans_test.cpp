// The eight-wide span loops must leave exactly the pixels and depths of the four-wide ones.
#include "scene/engine/spans.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <vector>

namespace rm::spans {
namespace {

#if defined(BRANNOCK_SPANS_AVX2)

// Both eight-wide loops, the perspective-textured one and the plain-colour one, against the
// four-wide loop of their kind.
TEST(Spans, EightWideBlocksMatchFourWide) {
    if (!CpuHasAvx2()) GTEST_SKIP() << "the processor has no AVX2";
    std::mt19937 rng(12345);
    auto uniform = [&](float low, float high) {
        return std::uniform_real_distribution<float>(low, high)(rng);
    };
    std::vector<uint32_t> texture(16 * 8);
    for (uint32_t& texel : texture) texel = rng() & 0xFFFFFFu;
    Texels tex;
    tex.data = texture.data();
    tex.width_log2 = 4;
    tex.u_mask = 15;
    tex.v_mask = 7;

    constexpr int Width = 80;
    for (int trial = 0; trial < 1000; ++trial) {
        const bool textured = trial % 2 == 0;
        std::vector<uint32_t> pixels(Width);
        std::vector<float> depth(Width);
        for (uint32_t& p : pixels) p = rng() & 0xFFFFFFu;
        // Some pixels nearer than the run, some farther, so both kinds of block occur.
        for (float& d : depth) d = (rng() % 3 == 0) ? uniform(0.0f, 0.03f) : 0.0f;
        const float inv_z = uniform(0.005f, 0.02f);
        const Values start{inv_z,
                           uniform(-20.0f, 280.0f),
                           uniform(-20.0f, 280.0f),
                           uniform(-20.0f, 280.0f),
                           uniform(1.0f, 200.0f) * inv_z,
                           uniform(1.0f, 200.0f) * inv_z};
        const Values step{uniform(-1e-4f, 1e-4f), uniform(-3.0f, 3.0f),   uniform(-3.0f, 3.0f),
                          uniform(-3.0f, 3.0f),   uniform(-0.05f, 0.05f), uniform(-0.05f, 0.05f)};
        const int xs = static_cast<int>(rng() % 30);
        const int xe = xs + 1 + static_cast<int>(rng() % static_cast<uint32_t>(Width - xs));
        // As Span chooses: the last block must lie inside the row.
        const int rounded_up = xs + ((xe - xs + 3) & ~3);
        const int end = rounded_up <= Width ? xe : xs + ((xe - xs) & ~3);
        const BlockSteps steps = MakeBlockSteps<true>(step, tex);

        std::vector<uint32_t> four_pixels = pixels, eight_pixels = pixels;
        std::vector<float> four_depth = depth, eight_depth = depth;
        const Row four{four_pixels.data(), four_depth.data()};
        const Row eight{eight_pixels.data(), eight_depth.data()};
        Lanes at = StartLanes<true>(start, steps);
        if (textured) {
            Blocks<true, true, false, false>(four, tex, 256, at, steps, xs, end);
            const int x = PerspectiveBlocks8(eight, tex, at, steps, xs, end);
            Blocks<true, true, false, false>(eight, tex, 256, at, steps, x, end);
        } else {
            Blocks<false, false, false, false>(four, tex, 256, at, steps, xs, end);
            const int x = PlainBlocks8(eight, at, steps, xs, end);
            Blocks<false, false, false, false>(eight, tex, 256, at, steps, x, end);
        }

        ASSERT_EQ(four_pixels, eight_pixels) << "trial " << trial;
        for (int i = 0; i < Width; ++i)
            ASSERT_EQ(std::bit_cast<uint32_t>(four_depth[static_cast<size_t>(i)]),
                      std::bit_cast<uint32_t>(eight_depth[static_cast<size_t>(i)]))
                << "trial " << trial << " pixel " << i;
    }
}

#endif

} // namespace
} // namespace rm::spans
