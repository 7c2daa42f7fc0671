// The title screen: pacing on the clock, the two buttons with their latch, the picture's
// place, and the blinking prompt.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <set>
#include <tuple>
#include <vector>

#include "app/game.h"
#include "game/pictures.h"
#include "game/waves.h"
#include "screens/screens.h"
#include "tests/support/options_fixture.h"

namespace {

constexpr uint32_t KeyZ = 90; // button 1
constexpr uint32_t KeyX = 88; // button 2

class OpeningTest : public OptionsFixture {
protected:
    void SetUp() override {
        OptionsFixture::SetUp();
        Hook();
    }

    void Hook() {
        form().DXSound1.OnBeep = [this] { ++beeps; };
        form().DXWaveList1.OnPlay = [this](int index) { played.push_back(index); };
    }

    void Start(const char* display_button = "RadioButton15") {
        form().Panel1.Check(*form().Panel1.FindRadioButton(display_button));
        Button1Click(form());
        ASSERT_TRUE(form().OPTimer.Enabled());
    }

    void Frame(std::set<uint32_t> keys = {}) {
        form().DXInput1.SetScriptedKeys(keys);
        OPTimerTimer(screen());
    }

    bool GameStarted() const {
        return !form_->OPTimer.Enabled() && form_->DXTimer.Enabled() &&
               played == std::vector<int>{wave::GameBGM};
    }

    // How many pixels of the back surface in [x0, x1) x [y0, y1) are not black, and
    // whether one of them is pure white.
    std::pair<int, bool> Ink(int x0, int y0, int x1, int y1) {
        const TDirectDrawSurface& s = form().DXDraw.BackSurface();
        int count = 0;
        bool white = false;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                const uint32_t p = s.Pixel(x, y) & 0xFFFFFF;
                count += p != 0 ? 1 : 0;
                white = white || p == 0xFFFFFF;
            }
        return {count, white};
    }

    int beeps = 0;
    std::vector<int> played;
};

TEST_F(OpeningTest, NothingHappensWhileTheDisplayCannotDraw) {
    const uint32_t before = clock_.Now();
    world().Button_Latch = true;
    Frame({KeyX});
    EXPECT_EQ(clock_.Now(), before);
    EXPECT_EQ(beeps, 0);
    EXPECT_EQ(world().Blink_Level, 0);
    EXPECT_TRUE(world().Button_Latch);
}

TEST_F(OpeningTest, FramesAre33MillisecondsApartOnTheClock) {
    Start();
    Frame();
    const uint32_t first = clock_.Now();
    EXPECT_EQ(world().Tick_Last, first);
    for (int i = 1; i <= 3; ++i) {
        Frame();
        EXPECT_EQ(clock_.Now(), first + 33u * static_cast<uint32_t>(i));
        EXPECT_EQ(world().Tick_Last, clock_.Now());
    }
    // A late frame does not wait at all.
    clock_.Advance(50);
    const uint32_t late = clock_.Now();
    Frame();
    EXPECT_EQ(clock_.Now(), late);
    EXPECT_EQ(world().Tick_Last, late);
}

TEST_F(OpeningTest, PromptBlinksOverTwentyOneFrames) {
    Start();
    const std::vector<int> expected = {25,  50,  75,  100, 125, 150, 175, 200, 225, 255, 230,
                                       205, 180, 155, 130, 105, 80,  55,  30,  5,   0};
    std::vector<int> levels;
    for (size_t i = 0; i < expected.size(); ++i) {
        Frame();
        levels.push_back(world().Blink_Level);
        // The prompt sits under the picture at ((640 - 210) div 2, 480 - 80); the
        // version text at (10, 10).
        const auto prompt = Ink(215, 400, 440, 440);
        const auto version = Ink(10, 10, 160, 45);
        if (levels.back() == 255) {
            EXPECT_TRUE(prompt.second) << "full white once a period";
            EXPECT_TRUE(version.second);
        }
        if (levels.back() == 0) {
            EXPECT_EQ(prompt.first, 0) << "invisible once a period";
            EXPECT_EQ(version.first, 0);
        }
        if (levels.back() == 25) {
            EXPECT_GT(prompt.first, 0);
        }
    }
    EXPECT_EQ(levels, expected);
    Frame();
    EXPECT_EQ(world().Blink_Level, 25) << "and again from the start";
}

TEST_F(OpeningTest, TitlePictureIsCentredAboveTheMiddle) {
    for (const auto& [button, x0, y0] :
         {std::tuple{"RadioButton15", 12, 60}, std::tuple{"RadioButton17", 204, 204}}) {
        SCOPED_TRACE(button);
        CreateFormWithSettings("");
        Hook();
        Start(button);
        Frame();
        const TDIB& title = form().DXImageList1.Items(picture::Title).Picture;
        ASSERT_EQ(title.Width(), 616);
        ASSERT_EQ(title.Height(), 340);
        const TDirectDrawSurface& s = form().DXDraw.BackSurface();
        int mismatches = 0;
        int shown = 0;
        for (int y = 0; y < 340; ++y)
            for (int x = 0; x < 616; ++x) {
                // Black is the picture's transparent colour: the black fill shows there.
                const uint32_t want = title.Pixel(x, y) & 0xFFFFFF;
                mismatches += (s.Pixel(x0 + x, y0 + y) & 0xFFFFFF) != want ? 1 : 0;
                shown += want != 0 ? 1 : 0;
            }
        EXPECT_EQ(mismatches, 0);
        EXPECT_GT(shown, 1000) << "the picture is not empty";
        EXPECT_EQ(Ink(x0, y0 - 5, x0 + 616, y0).first, 0) << "nothing just above it";
    }
}

TEST_F(OpeningTest, ButtonTwoBeepsOncePerPress) {
    Start();
    Frame({KeyX});
    Frame({KeyX});
    Frame({KeyX});
    EXPECT_EQ(beeps, 1);
    Frame();
    Frame({KeyX});
    EXPECT_EQ(beeps, 2);
    EXPECT_TRUE(form().OPTimer.Enabled());
    EXPECT_TRUE(played.empty());
}

TEST_F(OpeningTest, BothButtonsOnlyBeep) {
    Start();
    for (int i = 0; i < 5; ++i) Frame({KeyZ, KeyX});
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(form().OPTimer.Enabled());
    EXPECT_FALSE(form().DXTimer.Enabled());
    EXPECT_TRUE(played.empty());
}

TEST_F(OpeningTest, ButtonOneAfterABeepNeedsBothButtonsReleasedFirst) {
    Start();
    Frame({KeyX});
    Frame({KeyX, KeyZ});
    Frame({KeyZ}); // button 2 let go, button 1 still down: the latch is still clear
    Frame({KeyZ});
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(form().OPTimer.Enabled());
    Frame();
    Frame({KeyZ});
    EXPECT_TRUE(GameStarted());
    EXPECT_EQ(beeps, 1);
}

TEST_F(OpeningTest, HeldButtonOneWithTheLatchSetStartsOnTheFirstTitleFrame) {
    Start();
    ASSERT_TRUE(world().Button_Latch) << "FormCreate sets the latch";
    const uint64_t shown = form().DXDraw.PresentCount();
    Frame({KeyZ});
    EXPECT_TRUE(GameStarted());
    EXPECT_FALSE(world().Button_Latch);
    EXPECT_TRUE(world().Clock_Running) << "the scene was built and the play clock started";
    EXPECT_TRUE(world().Robo_Frame != nullptr);
    EXPECT_EQ(form().DXDraw.PresentCount(), shown + 1) << "the title is shown once more";
    EXPECT_EQ(world().Blink_Level, 25);
}

// Keys come as window events between frames. Space pressed and let go on START clicks it,
// and that press is no tap on the title, which stays until button 1 is pressed there; a
// key still held when the title begins counts (the title's latch rules).
TEST_F(OpeningTest, OnlyAKeyStillHeldWhenTheTitleBeginsCounts) {
    const auto key = [this](SDL_EventType type, SDL_Keycode sym, SDL_Scancode code) {
        SDL_Event event{};
        event.type = type;
        event.key.keysym = {code, sym, 0, 0};
        form().Application.OnEvent(EventOf(event));
    };
    for (const bool z_held : {false, true}) {
        CreateFormWithSettings("");
        Hook();
        played.clear();
        form().DXInput1.SetScriptedKeys(std::nullopt); // the keyboard's own events
        form().Panel1.SetFocus(form().Panel1.Button1);
        if (z_held) key(SDL_KEYDOWN, SDLK_z, SDL_SCANCODE_Z);
        key(SDL_KEYDOWN, SDLK_SPACE, SDL_SCANCODE_SPACE);
        key(SDL_KEYUP, SDLK_SPACE, SDL_SCANCODE_SPACE);
        for (int i = 0; i < 10; ++i) OPTimerTimer(screen());
        EXPECT_EQ(GameStarted(), z_held);
        key(SDL_KEYDOWN, SDLK_z, SDL_SCANCODE_Z); // a tap between two frames
        key(SDL_KEYUP, SDLK_z, SDL_SCANCODE_Z);
        OPTimerTimer(screen());
        EXPECT_TRUE(GameStarted()) << z_held;
    }
}

} // namespace
