#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
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

TEST_F(ApplicationTest, EscapeOnThePanelClosesTheProgram) {
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

namespace {

// The message loop with no timer installed and a counting idle handler.
class IdleLoopTest : public ApplicationTest {
protected:
    void SetUp() override {
        ApplicationTest::SetUp();
        app_.OnIdle = [this] { ++drawings_; };
        while (!app_.Quiet() && drawings_ < 100) app_.Step(true);
    }
    int drawings_ = 0;
};

} // namespace

TEST_F(IdleLoopTest, AfterAFewDrawingsTheLoopSleepsUntilAnEventComes) {
    ASSERT_TRUE(app_.Quiet());
    EXPECT_GE(drawings_, 1);
    EXPECT_LE(drawings_, 8) << "the idle handler kept running with nothing happening";
    const int before = drawings_;
    std::atomic<bool> pushed = false;
    std::thread later([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        pushed = true;
        PushKeyDown(SDLK_z, SDL_SCANCODE_Z);
    });
    app_.Step(true); // returns only once the key has come
    EXPECT_TRUE(pushed);
    later.join();
    EXPECT_EQ(drawings_, before + 1);
    EXPECT_FALSE(app_.Quiet()) << "an event earns a few more drawings";
}

TEST_F(IdleLoopTest, ACaretCanWakeTheLoopWithoutEvents) {
    app_.IdleWakeMs = 5;
    const int before = drawings_;
    app_.Step(true);
    app_.Step(true);
    EXPECT_EQ(drawings_, before + 2);
}

TEST_F(IdleLoopTest, ATimerLeavingTheSlotOrAChangeToShowEarnsMoreDrawings) {
    app_.SetIdleSlot(this, [] {});
    EXPECT_FALSE(app_.Quiet()) << "a timer runs on every pass";
    app_.ClearIdleSlot(); // the game ended: the panel must be drawn again
    EXPECT_FALSE(app_.Quiet());
    while (!app_.Quiet()) app_.Step(true);
    app_.KeepIdling();
    EXPECT_FALSE(app_.Quiet());
}

namespace {

// The form, the panel and its dialogs read keys by the layout's meaning, both Enter keys
// alike; a key none of them acts on reads as none.
TEST(Events, KeysReadAsTheirCodesAndRenderResetsAsSuch) {
    const struct {
        Uint32 type;
        SDL_Keycode sym;
        TEventKind kind;
        int key;
    } cases[] = {
        {SDL_KEYDOWN, SDLK_ESCAPE, TEventKind::KeyDown, key_code::Escape},
        {SDL_KEYDOWN, SDLK_z, TEventKind::KeyDown, 'Z'},
        {SDL_KEYDOWN, SDLK_7, TEventKind::KeyDown, '7'},
        {SDL_KEYDOWN, SDLK_KP_ENTER, TEventKind::KeyDown, key_code::Enter},
        {SDL_KEYDOWN, SDLK_KP_1, TEventKind::KeyDown, key_code::None},
        {SDL_KEYUP, SDLK_ESCAPE, TEventKind::KeyUp, key_code::Escape},
        {SDL_RENDER_TARGETS_RESET, 0, TEventKind::RenderReset, key_code::None},
        {SDL_RENDER_DEVICE_RESET, 0, TEventKind::RenderReset, key_code::None},
        {SDL_JOYDEVICEADDED, 0, TEventKind::Other, key_code::None},
    };
    for (const auto& c : cases) {
        SDL_Event event{};
        event.type = c.type;
        if (c.type == SDL_KEYDOWN || c.type == SDL_KEYUP) event.key.keysym.sym = c.sym;
        const TEvent read = EventOf(event);
        EXPECT_EQ(read.kind, c.kind) << "event type " << c.type << ", key " << c.sym;
        EXPECT_EQ(read.key, c.key) << "event type " << c.type << ", key " << c.sym;
    }
}

// The modal loop draws, hands on every event but the window's closing, which ends the
// program and the loop, and puts the cursor back as it was.
TEST_F(ApplicationTest, AModalLoopHandsOnEventsUntilDoneOrTheWindowCloses) {
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    SDL_ShowCursor(SDL_DISABLE);
    int drawings = 0;
    std::vector<Uint32> handled;
    PushKeyDown(SDLK_z, SDL_SCANCODE_Z);
    app_.RunModal([&] { return handled.size() == 1; }, [&] { ++drawings; },
                  [&](const TEvent& event) { handled.push_back(event.native->type); }, false);
    EXPECT_EQ(handled, std::vector<Uint32>{SDL_KEYDOWN});
    EXPECT_GE(drawings, 1);
    EXPECT_FALSE(app_.Terminated());
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE) << "the cursor is as it was";

    SDL_Event quit{};
    quit.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&quit), 1);
    PushKeyDown(SDLK_x, SDL_SCANCODE_X);
    app_.RunModal([] { return false; }, [] {},
                  [&](const TEvent& event) { handled.push_back(event.native->type); }, false);
    EXPECT_TRUE(app_.Terminated()) << "closing the window ends the program";
    EXPECT_EQ(handled, (std::vector<Uint32>{SDL_KEYDOWN, SDL_KEYDOWN}))
        << "the closing is not handed on; the events queued with it still are";
}

} // namespace

TEST(PlatformSessionLife, SdlRunsFromTheSessionsStartToItsEnd) {
    ASSERT_EQ(SDL_WasInit(SDL_INIT_EVENTS), 0u) << "no other test left SDL running";
    {
        const PlatformSession sdl;
        EXPECT_EQ(sdl.Error(), "");
        EXPECT_NE(SDL_WasInit(SDL_INIT_EVENTS), 0u);
        EXPECT_NE(SDL_WasInit(SDL_INIT_GAMECONTROLLER), 0u);
    }
    EXPECT_EQ(SDL_WasInit(SDL_INIT_EVENTS | SDL_INIT_GAMECONTROLLER), 0u);
}
