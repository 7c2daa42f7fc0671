// The presented picture stays sharp when the window scales it: every screen pixel is one
// of the back surface's pixels, never a blend of neighbours, whatever scale quality the
// environment asks SDL for.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
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

// A full-screen mode fills the screen with its shape kept: repeated pixels when that is a
// whole multiple, smoothly filtered otherwise.
TEST(PresentFill, AFullScreenPictureFillsTheScreen) {
    struct Row {
        int out_w, out_h;
        SDL_Rect picture; // where the 100 x 75 picture lands
        bool smooth;
    } const rows[] = {{300, 240, {0, 7, 300, 225}, false},
                      {320, 150, {60, 0, 200, 150}, false},
                      {250, 187, {0, 0, 249, 187}, true},
                      {180, 150, {0, 7, 180, 135}, true}};
    for (const Row& row : rows) {
        TWindow window;
        window.Create("Brannock", row.out_w, row.out_h);
        std::vector<uint32_t> picture(100 * 75);
        for (size_t i = 0; i < picture.size(); ++i)
            picture[i] = ((i + i / 100) % 2) != 0 ? 0xFFFFFF : 0x203040;
        window.PresentPixels(picture.data(), 100, 75, TPictureFit::Fill);
        std::vector<uint32_t> shown;
        int w = 0, h = 0;
        ASSERT_TRUE(window.ReadPixels(shown, w, h));
        std::set<uint32_t> colours;
        SDL_Rect seen{w, h, -1, -1}; // left, top, right, bottom of the picture (no black in it)
        for (int i = 0; i < w * h; ++i)
            if (const uint32_t p = shown[static_cast<size_t>(i)] & 0xFFFFFF; p != 0) {
                colours.insert(p);
                seen = {std::min(seen.x, i % w), std::min(seen.y, i / w), std::max(seen.w, i % w),
                        std::max(seen.h, i / w)};
            }
        EXPECT_EQ(seen.x, row.picture.x);
        EXPECT_EQ(seen.y, row.picture.y);
        EXPECT_EQ(seen.w - seen.x + 1, row.picture.w);
        EXPECT_EQ(seen.h - seen.y + 1, row.picture.h);
        EXPECT_EQ(colours.size() > 2, row.smooth) << row.out_w << " x " << row.out_h;
    }
}

} // namespace
