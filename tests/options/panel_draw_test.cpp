// The panel drawn into a window under the dummy video driver: the designed text and
// frames land where they belong.
#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "media/events.h"
#include "media/window.h"
#include "options/options_panel.h"

namespace {

class PanelDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        window.Create("Brannock", 647, 471);
        panel.Memo1.Lines = {"オプションの説明", ""};
        panel.Attach(window);
        ASSERT_TRUE(panel.Attached());
    }
    void TearDown() override {
        panel.Detach();
        window.Destroy();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    void Capture() {
        panel.Draw();
        ASSERT_TRUE(window.ReadPixels(pixels, width, height));
        ASSERT_EQ(width, 647);
        ASSERT_EQ(height, 471);
    }
    uint32_t At(int x, int y) const {
        return pixels[static_cast<size_t>(y * width + x)] & 0xFFFFFF;
    }
    // Pixels in the rectangle clearly darker than the panel's face.
    int Dark(int x0, int y0, int x1, int y1) const {
        int count = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) count += (At(x, y) & 0xFF) < 0x60 ? 1 : 0;
        return count;
    }

    TWindow window;
    TOptionsPanel panel;
    std::vector<uint32_t> pixels;
    int width = 0, height = 0;
};

TEST_F(PanelDrawTest, DesignedTextAndFramesAreDrawnInPlace) {
    Capture();
    EXPECT_EQ(At(4, 4), 0xF0F0F0u) << "a light panel over the whole client area";
    EXPECT_EQ(At(640, 465), 0xF0F0F0u);
    EXPECT_GT(Dark(224, 8, 404, 28), 150) << "the bold heading at (224, 8)";
    EXPECT_EQ(Dark(100, 4, 220, 30), 0) << "nothing left of it";
    EXPECT_EQ(At(120, 46), 0xA0A0A0u) << "the light group's frame, 6 pixels below its top";
    EXPECT_EQ(At(121, 47), 0xFFFFFFu) << "etched";
    EXPECT_GT(Dark(32, 34, 90, 50), 20) << "the group's caption over its frame";
    EXPECT_EQ(At(529, 321), 0x0078D7u) << "START is the default button";
    EXPECT_GT(Dark(540, 326, 615, 348), 20) << "its caption";
    EXPECT_GT(Dark(28, 331, 200, 346), 20) << "the memo shows option.txt";
    EXPECT_EQ(At(200, 440), 0xFFFFFFu) << "on white";
    // The track bar's thumb, filled 0xE1E1E1, stands on the bar's top: the row two above it
    // is the face all along the thumb.
    const TTrackBar& bar = panel.TrackBar1;
    std::vector<int> thumb;
    for (int x = bar.Left; x < bar.Left + bar.Width; ++x)
        if (At(x, bar.Top + 5) == 0xE1E1E1u) thumb.push_back(x);
    ASSERT_GE(thumb.size(), 5u);
    for (int x = thumb.front() - 3; x <= thumb.back() + 3; ++x)
        EXPECT_EQ(At(x, bar.Top - 2), 0xF0F0F0u) << x;
}

// Every designed frame of the panel at scale 1, on its own pixels: the group boxes' etched
// frames (grey, with white just inside and below, from 6 below the box's top, the caption's
// gap starting 6 in), the rule between the difficulties and the modes, the buttons (the
// default one in the accent colour, two pixels thick) and the memo.
TEST_F(PanelDrawTest, EveryDesignedFrameLiesOnItsPixels) {
    struct Rect {
        const char* name;
        int left, top, width, height;
    };
    constexpr uint32_t Face = 0xF0F0F0, Grey = 0xA0A0A0, White = 0xFFFFFF, ButtonFace = 0xE1E1E1,
                       Accent = 0x0078D7;
    Capture();
    const Rect groups[] = {
        {"light", 24, 40, 121, 89},        {"alpha", 24, 136, 121, 49},
        {"texture", 160, 40, 121, 57},     {"control", 160, 104, 129, 73},
        {"monitor", 160, 184, 129, 129},   {"back", 296, 40, 169, 57},
        {"camera", 24, 192, 121, 121},     {"difficulty", 312, 112, 153, 201},
        {"high score", 480, 40, 145, 121}, {"time attack", 480, 176, 145, 121},
    };
    for (const Rect& g : groups) {
        SCOPED_TRACE(g.name);
        const int l = g.left, t = g.top + 6, r = g.left + g.width - 2, b = g.top + g.height - 2;
        const int mx = (l + r) / 2, my = (t + b) / 2;
        for (const auto& [x, y, dx, dy] : {std::array{l, my, -1, 0}, std::array{r, my, 1, 0},
                                           std::array{mx, b, 0, 1}, std::array{r - 4, t, 0, -1}}) {
            EXPECT_EQ(At(x, y), Grey) << x << "," << y;
            EXPECT_EQ(At(x - dx - dy, y - dy - dx), dx + dy < 0 ? White : Face) << x << "," << y;
            EXPECT_EQ(At(x + dx, y + dy), dx + dy < 0 ? Face : White) << x << "," << y;
        }
        EXPECT_EQ(At(l, t), Grey) << "the left edge reaches the top";
        EXPECT_EQ(At(l + 5, t), Grey) << "up to the caption's gap";
        EXPECT_EQ(At(l + 6, t), Face) << "the caption's gap";
    }
    // The rule: grey over white, 8 pixels inside the difficulty box on either side.
    for (int x = 320; x < 457; ++x) {
        ASSERT_EQ(At(x, 231), Face) << x;
        ASSERT_EQ(At(x, 232), Grey) << x;
        ASSERT_EQ(At(x, 233), White) << x;
        ASSERT_EQ(At(x, 234), Face) << x;
    }
    EXPECT_EQ(At(319, 232), Face);
    EXPECT_EQ(At(457, 232), Face);
    // ImGui's frames: the frame's own pixels from left and top to right - 1 and bottom - 1
    // (the start button's two thick), the face two pixels outside them (its one-pixel line
    // spreads by at most one), the inside colour next to them.
    struct Framed {
        Rect rect;
        uint32_t inside, inside_right; // the memo's scroll bar is on its right
    };
    const Framed framed[] = {
        {{"Button4", 496, 64, 113, 33}, ButtonFace, ButtonFace},
        {{"Button5", 496, 112, 113, 33}, ButtonFace, ButtonFace},
        {{"Button6", 496, 200, 113, 33}, ButtonFace, ButtonFace},
        {{"Button7", 496, 248, 113, 33}, ButtonFace, ButtonFace},
        {{"Button1", 528, 320, 97, 33}, ButtonFace, ButtonFace},
        {{"Button3", 528, 368, 97, 33}, ButtonFace, ButtonFace},
        {{"Button2", 528, 416, 97, 33}, ButtonFace, ButtonFace},
        {{"Memo1", 24, 328, 353, 129}, White, Face},
    };
    for (const Framed& f : framed) {
        const Rect& c = f.rect;
        SCOPED_TRACE(c.name);
        const bool start = std::string(c.name) == "Button1";
        const int l = c.left, t = c.top, r = c.left + c.width - 1, b = c.top + c.height - 1;
        const int mx = l + 3, my = t + c.height / 2;
        const int in = start ? 2 : 1; // inside the left and top edges
        EXPECT_EQ(At(l - 2, my), Face);
        EXPECT_EQ(At(l + in, my), f.inside);
        EXPECT_EQ(At(r + 1, my), Face);
        EXPECT_EQ(At(r - 2, my), f.inside_right);
        EXPECT_EQ(At(mx, t - 2), Face);
        EXPECT_EQ(At(mx, t + in), f.inside);
        EXPECT_EQ(At(mx, b + 1), Face);
        EXPECT_EQ(At(mx, b - 2), f.inside);
        for (const auto& [x, y] : {std::pair{l, my}, {r, my}, {mx, t}, {mx, b}}) {
            if (start) {
                EXPECT_EQ(At(x, y), Accent) << x << "," << y;
            }
            EXPECT_TRUE(At(x, y) != Face && At(x, y) != f.inside) << x << "," << y;
        }
    }
}

TEST_F(PanelDrawTest, FocusFollowsTheKeyboardOnScreen) {
    Capture();
    const int before = Dark(528, 368, 625, 401);
    panel.KeyDown('H', false, true); // Alt+H focuses and presses HELP
    Capture();
    EXPECT_GT(Dark(528, 368, 625, 401), before) << "the focus rectangle is drawn on HELP";
}

} // namespace
