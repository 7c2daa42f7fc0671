// The presented picture stays sharp when the window scales it: every screen pixel is one
// of the back surface's pixels, never a blend of neighbours, whatever scale quality the
// environment asks SDL for.
#include <SDL.h>
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "media/window.h"

namespace {

TEST(PresentSharpness, ScaledFramesCopyPixelsWithoutBlending) {
    // A player's environment (or another library) asking for smoothing must not blur the
    // HUD's text and markers.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    for (auto [out_w, out_h] : {std::pair{200, 150}, std::pair{250, 190}}) {
        TWindow window;
        try {
            window.Create("Brannock", out_w, out_h);
        } catch (const std::exception& e) {
            GTEST_SKIP() << "no video driver: " << e.what();
        }
        // One-pixel stripes both ways: the hardest picture to scale without blending.
        constexpr int W = 100, H = 75;
        std::vector<uint32_t> picture(W * H);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                picture[static_cast<size_t>(y * W + x)] = ((x + y) % 2) != 0 ? 0xFFFFFF : 0x203040;
        window.PresentPixels(picture.data(), W, H);
        std::vector<uint32_t> shown;
        int w = 0, h = 0;
        ASSERT_TRUE(window.ReadPixels(shown, w, h));
        std::set<uint32_t> colours;
        for (uint32_t p : shown) colours.insert(p & 0xFFFFFF);
        colours.erase(0x000000); // the borders around the picture
        EXPECT_EQ(colours, (std::set<uint32_t>{0xFFFFFF, 0x203040})) << out_w << " x " << out_h;
    }
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "");
}

} // namespace
