// At UI scale 2 every 2D picture of the game is the one of a screen half as large with each
// pixel drawn as a 2 x 2 block, placed by the same formulas and cut at the same edges. (Text
// is drawn by the font at its scaled size, not enlarged, so it is left out.)
#include <gtest/gtest.h>

#include <functional>

#include "app/game.h"
#include "media/canvas.h"
#include "screens/title_screen.h"
#include "tests/screens/hud_fixture.h"

namespace {

using UiScaleTest = HudFixture;

TEST_F(UiScaleTest, EveryPictureIsTheHalfSizeScreensDoubled) {
    OpenWindow();
    auto frame_at = [this](float x, float z) {
        rm::FramePtr frame = form().DXDraw.D3DRM()->CreateFrame(form().DXDraw.Scene());
        frame->SetPosition(form().DXDraw.Scene(), x, 0, z);
        return frame;
    };
    static_cast<TSurfaceCanvas&>(form().DXDraw.SurfaceCanvas()).SetFontFile("/nonexistent");
    World& w = world();
    w.Screen_Scale = 1.0; // the window mode's
    w.Stage_No = 2;
    w.Robo_HP = 0; // "GAME OVER" over the HUD
    w.Boss_HP = 120;
    w.Boss_Active = true;
    w.Energy = 97.0;
    w.Camera_Mode = 2; // the cockpit's scope
    for (TParts& p : w.GH) p.Life = 0;
    for (TParts& p : w.Zako) p.Life = 0;
    w.Robo_Frame = frame_at(140, 95);
    w.Zako[0] = {.Frame = frame_at(170, 140), .Life = 1}; // on the map and the radar
    const std::function<void()> screens[] = {
        [&] { Draw_Radar(screen()), DrawEndCaptions(screen()); },
        [&] { DrawTitleScreen(screen(), "Version 0.5"); },
        [&] { w.Ending_Scroll = 411, EndingTimerTimer(screen()); }, // the credits rising
        [&] { w.Ending_Scroll = 699, EndingTimerTimer(screen()); }, // the last one at rest
    };
    for (const auto& draw : screens) {
        // 540 lines cut the rising credits at the top and the bottom.
        TDirectDrawSurface half, full;
        for (auto [surface, width, height] : {std::tuple{&half, 640, 540}, {&full, 1280, 1080}}) {
            form().DXDraw.SetControlSize(width, height);
            form().DXDraw.FillSurface(0x203040);
            draw();
            *surface = form().DXDraw.BackSurface();
        }
        ASSERT_EQ(form().DXDraw.UiScale(), 2);
        int differing = 0, drawn = 0;
        for (int y = 0; y < full.Height(); ++y)
            for (int x = 0; x < full.Width(); ++x) {
                differing += full.Pixel(x, y) != half.Pixel(x / 2, y / 2) ? 1 : 0;
                drawn += full.Pixel(x, y) != 0x203040 ? 1 : 0;
            }
        EXPECT_EQ(differing, 0);
        EXPECT_GT(drawn, 10000);
    }
}

} // namespace
