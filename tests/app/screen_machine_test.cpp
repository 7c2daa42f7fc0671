// The screen machine: what Escape, the pause key and the window's focus do on each
// screen, and the pause menu worked by a game controller, the mouse and the focus in a
// form with its window (SDL's dummy driver).
#include <SDL.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "app/game.h"
#include "tests/support/form_fixture.h"

namespace {

TEST(ScreenRules, WhatEscapeThePauseKeyAndTheFocusDoOnEachScreen) {
    using enum ProgramEvent;
    using enum ScreenAction;
    const ScreenSettings plain{};
    const ScreenSettings escape_quits{.escape_quits = true};
    const ScreenSettings no_focus_pause{.focus_pause = false};
    const ScreenSettings demo{.demo_playback = true};
    const struct {
        ProgramEvent event;
        Screen screen;
        bool game_over;
        ScreenSettings settings;
        ScreenAction action;
    } rows[] = {
        {Escape, Screen::Panel, false, plain, Quit},
        {Escape, Screen::Title, false, plain, Pause},
        {Escape, Screen::Game, false, plain, Pause},
        {Escape, Screen::Game, true, plain, BackToPanel},
        {Escape, Screen::Transition, false, plain, Pause},
        {Escape, Screen::Ending, false, plain, Pause},
        {Escape, Screen::Paused, false, plain, Resume},
        {Escape, Screen::Game, false, escape_quits, Quit},
        {Escape, Screen::Paused, false, escape_quits, Quit},
        {Escape, Screen::Title, false, demo, Quit},
        {PauseKey, Screen::Panel, false, plain, None},
        {PauseKey, Screen::Title, false, plain, Pause},
        {PauseKey, Screen::Game, true, plain, Pause},
        {PauseKey, Screen::Ending, false, plain, Pause},
        {PauseKey, Screen::Paused, false, plain, Resume},
        {PauseKey, Screen::Game, false, escape_quits, Pause},
        {PauseKey, Screen::Game, false, demo, None},
        {FocusLost, Screen::Panel, false, plain, None},
        {FocusLost, Screen::Game, false, plain, Pause},
        {FocusLost, Screen::Transition, false, plain, Pause},
        {FocusLost, Screen::Paused, false, plain, None},
        {FocusLost, Screen::Game, false, no_focus_pause, None},
        {FocusLost, Screen::Game, false, demo, None},
        {PadLost, Screen::Game, false, no_focus_pause, Pause},
        {PadLost, Screen::Ending, false, plain, Pause},
        {PadLost, Screen::Panel, false, plain, None},
        {PadLost, Screen::Paused, false, plain, None},
        {PadLost, Screen::Game, false, demo, None},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const auto& r = rows[i];
        EXPECT_EQ(ActionFor(r.event, r.screen, r.game_over, r.settings), r.action) << "row " << i;
    }
}

class PauseMenuTest : public FormFixture {
protected:
    void SetUp() override {
        UseTemporaryFolders();
        form_ = std::make_unique<TMainForm>(app_, /*open_window=*/true);
        form().Panel1.Check(form().Panel1.RadioButton18);
        Button1Click(form());
        Frame();
    }
    // The events come, then one frame of whatever screen runs is drawn.
    void Frame() {
        const uint64_t shown = form().DXDraw.PresentCount();
        for (int pass = 0; pass < 1000 && !form().Closed(); ++pass) {
            app_.Step(false);
            if (form().DXDraw.PresentCount() != shown) return;
            clock_.Advance(1);
        }
    }
    void Push(SDL_Event event) { SDL_PushEvent(&event); }
    static SDL_Event Pad(Uint8 button) {
        SDL_Event e{};
        e.type = SDL_CONTROLLERBUTTONDOWN;
        e.cbutton.button = button;
        return e;
    }
    SDL_Event Mouse(Uint32 type, int x, int y) {
        SDL_Event e{};
        e.type = type;
        if (type == SDL_MOUSEMOTION) {
            e.motion.windowID = form().Window.window_id();
            e.motion.x = x;
            e.motion.y = y;
        } else {
            e.button.windowID = form().Window.window_id();
            e.button.button = SDL_BUTTON_LEFT;
            e.button.x = x;
            e.button.y = y;
        }
        return e;
    }
    // The middle of an item of the pause menu as it is drawn now.
    std::pair<int, int> Centre(PauseItem item) {
        TDXDraw& draw = form().DXDraw;
        std::vector<int> rows;
        for (int y = 0; y < draw.Height(); ++y)
            if (form().Screens.Menu().ItemAt(draw, draw.Width() / 2, y) == item) rows.push_back(y);
        return {draw.Width() / 2, rows.empty() ? -1 : (rows.front() + rows.back()) / 2};
    }
};

TEST_F(PauseMenuTest, TheMenuByPadMouseAndFocus) {
    using Step = std::function<void()>;
    const Step start = [&] { Push(Pad(SDL_CONTROLLER_BUTTON_START)); };
    const Step away = [&] {
        app_.SetActive(false);
        app_.SetActive(true); // back: the menu stays up
    };
    const struct {
        const char* what;
        bool focus_pause;
        std::vector<Step> steps;
        Screen screen;
    } rows[] = {
        {"Start pauses, B resumes",
         true,
         {start, [&] { Push(Pad(SDL_CONTROLLER_BUTTON_B)); }},
         Screen::Title},
        {"the focus lost pauses", true, {away}, Screen::Paused},
        {"and A resumes", true, {away, [&] { Push(Pad(SDL_CONTROLLER_BUTTON_A)); }}, Screen::Title},
        {"without the setting it does not", false, {away}, Screen::Title},
        {"the d-pad and A",
         true,
         {start, [&] { Push(Pad(SDL_CONTROLLER_BUTTON_DPAD_DOWN)); },
          [&] { Push(Pad(SDL_CONTROLLER_BUTTON_A)); }},
         Screen::Panel},
        {"the mouse",
         true,
         {start,
          [&] {
              const auto [x, y] = Centre(PauseItem::BackToPanel);
              Push(Mouse(SDL_MOUSEMOTION, x, y));
              Push(Mouse(SDL_MOUSEBUTTONDOWN, x, y));
              Push(Mouse(SDL_MOUSEBUTTONUP, x, y));
          }},
         Screen::Panel},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        if (form().Screens.Current() == Screen::Panel) {
            form().Panel1.Check(form().Panel1.RadioButton18);
            Button1Click(form());
            Frame();
        }
        form().world.Focus_Pause = row.focus_pause;
        ASSERT_EQ(form().Screens.Current(), Screen::Title);
        for (const Step& step : row.steps) {
            step();
            Frame();
            if (form().Screens.Current() == Screen::Paused) {
                EXPECT_TRUE(form().DXSound1.Paused() || !form().DXSound1.Initialized());
                EXPECT_TRUE(form().GameClock.Stopped());
            }
        }
        EXPECT_EQ(form().Screens.Current(), row.screen);
        if (row.screen == Screen::Paused) Push(Pad(SDL_CONTROLLER_BUTTON_START));
        Frame();
        EXPECT_FALSE(form().GameClock.Stopped());
    }
}

} // namespace
