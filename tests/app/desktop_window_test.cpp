// The window mode as a desktop window, on SDL's dummy driver (a 1024 x 768 screen).
#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "app/game.h"
#include "options/option_table.h"
#include "tests/support/options_fixture.h"

namespace {

class DesktopWindowTest : public OptionsFixture {
protected:
    // A form with its window after START in the window mode (or `mode`), bn.ini holding
    // the window's width, height and state when given.
    void Start(std::vector<int> window = {}, const char* mode = "RadioButton18") {
        form_.reset();
        if (!window.empty())
            for (int i = 0; i < 3; ++i)
                WriteSettingInt(std::array{WindowWidthKey, WindowHeightKey, WindowStateKey}[i],
                                window[static_cast<size_t>(i)]);
        form_ = std::make_unique<TMainForm>(app_, /*open_window=*/true);
        form().Panel1.Check(*form().Panel1.FindRadioButton(mode));
        Button1Click(form());
        Pump();
    }
    void Pump() {
        for (int i = 0; i < 3; ++i) {
            clock_.Advance(40);
            app_.Step(false); // the events, and a title frame
        }
    }
    void Press(SDL_Keycode key, uint16_t modifiers = KMOD_NONE) {
        SDL_Event event{};
        event.type = SDL_KEYDOWN;
        event.key.windowID = form().Window.window_id();
        event.key.keysym = {SDL_GetScancodeFromKey(key), key, modifiers, 0};
        SDL_PushEvent(&event);
        Pump();
    }
    void Resize(int width, int height) {
        SDL_SetWindowSize(form().Window.sdl_window(), width, height);
        Pump();
    }
    std::pair<int, int> Drawn() { return {form().DXDraw.Width(), form().DXDraw.Height()}; }
};

TEST_F(DesktopWindowTest, TheWindowModeOpensAsThePlayerLeftIt) {
    struct Row {
        std::vector<int> stored;
        std::pair<int, int> drawn, windowed;
        int told; // values said to be unusable, one line each
    } const rows[] = {{{}, {647, 471}, {647, 471}, 0},
                      {{800, 600, 0}, {800, 600}, {800, 600}, 0},
                      {{100, 100, 9}, {647, 471}, {647, 471}, 3}, // the designed window
                      {{5000, 4000, 0}, {1024, 768}, {1024, 768}, 0},
                      {{900, 700, 2}, {1024, 768}, {900, 700}, 0}}; // full screen
    for (const Row& row : rows) {
        testing::internal::CaptureStderr();
        Start(row.stored);
        const std::string said = testing::internal::GetCapturedStderr();
        const std::string line = "brannock: " + SettingsFilePath() + ": ";
        int told = 0;
        for (size_t at = said.find(line); at != std::string::npos; at = said.find(line, at + 1))
            ++told;
        EXPECT_EQ(told, row.told) << said;
        EXPECT_TRUE(form().Window.Resizable());
        EXPECT_EQ(Drawn(), row.drawn);
        EXPECT_EQ(form().Window.WindowedWidth(), row.windowed.first);
        EXPECT_EQ(form().Window.WindowedHeight(), row.windowed.second);
    }
}

TEST_F(DesktopWindowTest, ThePlayersSizesAreDrawnAndTheFullScreenKeysNeverReachTheGame) {
    for (auto [key, modifiers] :
         {std::pair{SDLK_F11, KMOD_NONE}, {SDLK_RETURN, KMOD_LALT}, {SDLK_KP_ENTER, KMOD_RALT}}) {
        Start();
        Resize(1920, 1080);
        EXPECT_EQ(Drawn(), (std::pair{1920, 1080}));
        Resize(300, 200);
        EXPECT_EQ(Drawn(), (std::pair{640, 471})) << "no smaller than the smallest window";
        Press(key, static_cast<uint16_t>(modifiers));
        EXPECT_EQ(Drawn(), (std::pair{1024, 768}));
        EXPECT_TRUE(form().OPTimer.Enabled()) << "Enter, button 1, would leave the title";
        Press(key, static_cast<uint16_t>(modifiers));
        EXPECT_EQ(Drawn(), (std::pair{640, 471}));
    }
    Start({800, 600, 0}, "RadioButton17"); // a designed full-screen mode stays as it is
    Press(SDLK_F11);
    EXPECT_EQ(Drawn(), (std::pair{1024, 768}));
    EXPECT_TRUE(form().Window.FullScreen());
    EXPECT_FALSE(form().Window.Resizable());
}

TEST_F(DesktopWindowTest, AChangedWindowIsStoredAndTheFormIsTheDesignedOneAgain) {
    for (bool demo : {false, true}) { // unchanged, or changed while a demo plays: not written
        Start();
        form().DemoPlayback = demo;
        if (demo) Resize(1000, 700);
        form_.reset();
        EXPECT_EQ(Stored(WindowWidthKey), "(missing)");
    }
    Start();
    Resize(1000, 700);
    Press(SDLK_F11);
    form().DXDraw.FinalizeDisplay(); // as the ending does, before its dialogs
    EXPECT_EQ(Stored(WindowWidthKey) + Stored(WindowHeightKey) + Stored(WindowStateKey),
              "10007002");
    EXPECT_FALSE(form().Window.FullScreen());
    EXPECT_FALSE(form().Window.Resizable());
    EXPECT_EQ(form().Window.ClientWidth(), 647);
    EXPECT_EQ(form().Window.ClientHeight(), 471);
}

} // namespace
