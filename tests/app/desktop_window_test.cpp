// The window mode as a desktop window, on SDL's dummy driver (a 1024 x 768 screen).
#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "app/game.h"
#include "media/drawn_words.h"
#include "options/dialogs.h"
#include "options/option_table.h"
#include "screens/screens.h"
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
    static bool PointerShown() { return SDL_ShowCursor(SDL_QUERY) == SDL_ENABLE; }
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

// The pointer hides while a game screen covers the screen, F11's full screen too; the HUD
// says what the window is now.
TEST_F(DesktopWindowTest, ThePointerAndTheHudFollowTheWindowAsItIsNow) {
    const struct {
        const char* what;
        const char* mode;
        std::vector<SDL_Keycode> keys;
        bool dialog, pointer; // the pointer while the dialog is up, when there is one
        const char* hud;
    } rows[] = {
        {"full-screen mode", "RadioButton15", {}, false, false, "640 * 480：0FPS"},
        {"its pause menu", "RadioButton15", {SDLK_p}, false, true, "640 * 480：0FPS"},
        {"back in play", "RadioButton15", {SDLK_p, SDLK_p}, false, false, "640 * 480：0FPS"},
        {"a dialog over it", "RadioButton15", {}, true, true, ""},
        {"window mode", "RadioButton18", {}, false, true, "Window Mode：0FPS"},
        {"made full-screen", "RadioButton18", {SDLK_F11}, false, false, "1024 * 768：0FPS"},
        {"its pause menu", "RadioButton18", {SDLK_F11, SDLK_p}, false, true, ""},
        {"a dialog over it", "RadioButton18", {SDLK_F11}, true, true, ""},
        {"a window again", "RadioButton18", {SDLK_F11, SDLK_F11}, false, true, "Window Mode：0FPS"},
        {"the panel", "RadioButton18", {SDLK_F11, SDLK_p, SDLK_DOWN, SDLK_RETURN}, false, true, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Start({647, 471, 0}, row.mode); // not as the row before left it
        for (SDL_Keycode key : row.keys) Press(key);
        std::vector<std::string> texts;
        bool pointer_in_dialog = false;
        const DrawnWordsListener listener{[&](std::string_view text) {
                                              texts.emplace_back(text);
                                              if (TModalDialog* dialog = form().Panel1.Modal) {
                                                  pointer_in_dialog = PointerShown();
                                                  dialog->CloseAsEscape();
                                              }
                                          },
                                          [](std::string_view) {}};
        SetDrawnWordsListener(&listener);
        if (row.dialog)
            ReportProblem(form(), "!");
        else if (*row.hud)
            Draw_Text(form().MakeScreenContext());
        SetDrawnWordsListener(nullptr);
        if (*row.hud) {
            EXPECT_EQ(texts.size() > 1 ? texts[1] : "", row.hud);
        }
        EXPECT_EQ(row.dialog ? pointer_in_dialog : PointerShown(), row.pointer);
        EXPECT_TRUE(!row.dialog || !PointerShown()) << "hidden again after the dialog";
    }
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
