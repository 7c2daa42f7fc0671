// The panel drawn into a window under the dummy video driver: the designed text and
// frames land where they belong.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
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
}

TEST_F(PanelDrawTest, FocusFollowsTheKeyboardOnScreen) {
    Capture();
    const int before = Dark(528, 368, 625, 401);
    panel.KeyDown('H', false, true); // Alt+H focuses and presses HELP
    Capture();
    EXPECT_GT(Dark(528, 368, 625, 401), before) << "the focus rectangle is drawn on HELP";
}

} // namespace
