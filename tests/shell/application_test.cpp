#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/form_fixture.h"

namespace {

using ApplicationTest = FormFixture;

void PushKeyDown(SDL_Keycode key, SDL_Scancode scancode) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = scancode;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
}

TEST_F(ApplicationTest, AnEscapedExceptionShowsItsMessageAndTheLoopGoesOn) {
    std::vector<std::string> shown;
    app_.ErrorBox = [&](const std::string& message) { shown.push_back(message); };
    int calls = 0;
    app_.SetIdleSlot(this, [&] {
        if (++calls == 1)
            throw std::runtime_error("ディスプレイモードを変更できません (800x600 16bit)");
    });
    app_.Step(false);
    app_.Step(false);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "ディスプレイモードを変更できません (800x600 16bit)");
    EXPECT_EQ(calls, 2) << "the handler runs again after the error box";
    EXPECT_FALSE(app_.Terminated());
    app_.ClearIdleSlot();
}

TEST_F(ApplicationTest, EscapeClosesTheProgramFromAnyScreen) {
    PushKeyDown(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
    app_.Step(false);
    EXPECT_TRUE(form().Closed());
    EXPECT_TRUE(app_.Terminated());
}

TEST_F(ApplicationTest, EscapeOnlyDismissesAnErrorBoxOverThePanel) {
    form().Panel1.ShowMessage("bn.ini に書き込めません");
    PushKeyDown(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
    app_.Step(false);
    EXPECT_TRUE(form().Panel1.Message.empty()) << "the box is gone";
    EXPECT_FALSE(form().Closed()) << "and the program is still there";
    PushKeyDown(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE);
    app_.Step(false);
    EXPECT_TRUE(form().Closed()) << "without a box Escape closes";
}

TEST_F(ApplicationTest, OtherKeysDoNotClose) {
    PushKeyDown(SDLK_z, SDL_SCANCODE_Z);
    app_.Step(false);
    EXPECT_FALSE(form().Closed());
}

TEST_F(ApplicationTest, ExitButtonClosesLikeEscape) {
    ASSERT_TRUE(form().Panel1.Button2.OnClick);
    form().Panel1.Button2.OnClick();
    EXPECT_TRUE(form().Closed());
    EXPECT_TRUE(app_.Terminated());
}

TEST_F(ApplicationTest, ClosingBeforeStartNeverOpensTheDisplay) {
    form().Close();
    EXPECT_FALSE(form().DXDraw.Initialized());
    EXPECT_EQ(form().Radar_Surface, nullptr);
    EXPECT_EQ(form().Gauge_Surface, nullptr);
}

TEST_F(ApplicationTest, DisplayEventsCreateAndFreeTheHudSurfaces) {
    OpenWindowedDisplay();
    ASSERT_NE(form().Radar_Surface, nullptr);
    ASSERT_NE(form().Gauge_Surface, nullptr);
    EXPECT_EQ(form().Radar_Surface->ColorKey, 0x00FF00u);
    EXPECT_EQ(form().Gauge_Surface->ColorKey, 0x000000u);
    EXPECT_EQ(form().Gauge_Surface->Width(), form().PicBack2.DIB.Width());
    form().DXTimer.SetEnabled(true);
    form().DXDraw.FinalizeDisplay();
    EXPECT_FALSE(form().DXTimer.Enabled()) << "finalising the display stops the game frames";
    EXPECT_EQ(form().Radar_Surface, nullptr);
}

} // namespace
