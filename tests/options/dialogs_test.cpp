// The record dialogs: keyboard use, highlighting, drawing in the window, and the modal
// loop the game runs them in.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "media/events.h"
#include "media/window.h"
#include "options/controls_page.h"
#include "options/dialogs.h"
#include "options/options_panel.h"
#include "options/settings_page.h"
#include "tests/support/form_fixture.h"

namespace {

void Key(TModalDialog& d, int key, bool shift = false) {
    d.KeyDown(key, shift, false);
}

TEST(NameDialog, TypingReplacesTheSelectedPlayerAndEnterIsOk) {
    TfrmInput d;
    EXPECT_EQ(d.Caption, "Enter Your Name ! ");
    EXPECT_EQ(d.Edit1.Text, "Player");
    d.TextInput("太");
    d.TextInput("郎");
    EXPECT_EQ(d.Edit1.Text, "太郎");
    EXPECT_FALSE(d.Closed());
    Key(d, key_code::Backspace);
    EXPECT_EQ(d.Edit1.Text, "太") << "a whole character goes";
    Key(d, key_code::Enter);
    EXPECT_EQ(d.ModalResult, TModalResult::OK);
}

TEST(NameDialog, MovingTheCaretKeepsTheTextAndEditsInPlace) {
    TfrmInput d;
    Key(d, key_code::Home);
    d.TextInput("A");
    EXPECT_EQ(d.Edit1.Text, "APlayer");
    Key(d, key_code::End);
    Key(d, key_code::Left);
    Key(d, key_code::Backspace);
    EXPECT_EQ(d.Edit1.Text, "APlayr");
    Key(d, key_code::Delete);
    EXPECT_EQ(d.Edit1.Text, "APlay");
    Key(d, key_code::Right);
    Key(d, key_code::Right);
    d.TextInput("!");
    EXPECT_EQ(d.Edit1.Text, "APlay!") << "the caret stops at the end";
    TfrmInput cleared;
    Key(cleared, key_code::Backspace);
    EXPECT_EQ(cleared.Edit1.Text, "") << "Backspace removes the selected text";
    Key(cleared, key_code::Backspace);
    EXPECT_EQ(cleared.Edit1.Text, "");
}

TEST(NameDialog, EscapeCancelsButNotWhileAnInputMethodComposes) {
    TfrmInput d;
    d.TextEditing("やま");
    Key(d, key_code::Escape);
    Key(d, key_code::Enter);
    EXPECT_FALSE(d.Closed()) << "the keys belong to the input method";
    EXPECT_NE(d.GlyphText().find("やま"), std::string::npos) << "the composition is shown";
    d.TextInput("山");
    EXPECT_EQ(d.Edit1.Text, "山");
    Key(d, key_code::Escape);
    EXPECT_EQ(d.ModalResult, TModalResult::Cancel);
}

TEST(ScoreDialog, OneRowIsHighlightedFuchsiaOrNone) {
    TfrmScore d;
    EXPECT_EQ(d.Rows[0].mNO.Caption, "1");
    EXPECT_EQ(d.Rows[9].mNO.Caption, "10");
    EXPECT_EQ(d.Rows[9].mNO.Top, 88 + 9 * 32);
    for (const int rank : {0, 1, 10, 11}) {
        SCOPED_TRACE(rank);
        d.SetHighlight(rank);
        for (int n = 1; n <= 10; ++n) {
            const TfrmScore::Row& row = d.Rows[static_cast<size_t>(n - 1)];
            const uint32_t expected = n == rank ? 0xFF00FFu : 0xFFFFFFu;
            EXPECT_EQ(row.mNO.FontColor, expected);
            EXPECT_EQ(row.mPlayersName.FontColor, expected);
            EXPECT_EQ(row.mPlayersScore.FontColor, expected);
        }
    }
    Key(d, key_code::Space);
    EXPECT_EQ(d.ModalResult, TModalResult::OK);
}

// The key table of the message boxes and the top-10 table, row by row: each row presses
// its keys in a fresh dialog and finds whether the last was used, the answer (None: still
// open) and, in a message box, the button with the focus.
TEST(DialogKeys, EveryKeyOfTheTableDoesWhatItSays) {
    enum class Box { YesNo, OK, Score };
    struct Press {
        int key;
        bool shift = false;
    };
    struct Row {
        Box box;
        std::vector<Press> keys;
        bool used;
        TModalResult result;
        size_t focus;
    };
    using R = TModalResult;
    namespace k = key_code;
    const Row rows[] = {
        // A question's focus starts on No, the harmless answer.
        {Box::YesNo, {{k::Enter}}, true, R::No, 1},
        {Box::YesNo, {{k::Space}}, true, R::No, 1},
        {Box::YesNo, {{k::Escape}}, true, R::No, 1},
        {Box::YesNo, {{k::Tab}}, true, R::None, 0},
        {Box::YesNo, {{k::Tab, true}}, true, R::None, 0},
        {Box::YesNo, {{k::Left}}, true, R::None, 0},
        {Box::YesNo, {{k::Right}}, true, R::None, 0},
        {Box::YesNo, {{k::Up}}, true, R::None, 0},
        {Box::YesNo, {{k::Down}}, true, R::None, 0},
        {Box::YesNo, {{k::Right}, {k::Space}}, true, R::Yes, 0},
        {Box::YesNo, {{k::Tab}, {k::Tab, true}, {k::Enter}}, true, R::No, 1},
        {Box::YesNo, {{'Y'}}, true, R::Yes, 1},
        {Box::YesNo, {{k::Right}, {'Y'}}, true, R::Yes, 0},
        {Box::YesNo, {{'N'}}, true, R::No, 1},
        {Box::YesNo, {{'A'}}, false, R::None, 1},
        {Box::YesNo, {{k::Home}}, false, R::None, 1},
        {Box::OK, {{k::Enter}}, true, R::OK, 0},
        {Box::OK, {{k::Escape}}, true, R::OK, 0},
        {Box::OK, {{k::Tab}}, true, R::None, 0},
        {Box::OK, {{'N'}}, false, R::None, 0},
        {Box::Score, {{k::Enter}}, true, R::OK, 0},
        {Box::Score, {{k::Space}}, true, R::OK, 0},
        {Box::Score, {{k::Escape}}, true, R::Cancel, 0},
        {Box::Score, {{k::Tab}}, false, R::None, 0},
        {Box::Score, {{'O'}}, false, R::None, 0},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row& row = rows[i];
        SCOPED_TRACE(testing::Message() << "row " << i);
        TMessageDialog yes_no("q", "c", TMessageDialog::Kind::YesNo);
        TMessageDialog ok("problem", "Brannock", TMessageDialog::Kind::OK);
        TfrmScore score;
        TModalDialog& d = row.box == Box::YesNo ? static_cast<TModalDialog&>(yes_no)
                          : row.box == Box::OK  ? static_cast<TModalDialog&>(ok)
                                                : static_cast<TModalDialog&>(score);
        bool used = false;
        for (const Press& p : row.keys) used = d.KeyDown(p.key, p.shift, false);
        EXPECT_EQ(used, row.used);
        EXPECT_EQ(d.ModalResult, row.result);
        if (row.box != Box::Score) {
            EXPECT_EQ((row.box == Box::OK ? ok : yes_no).Focus, row.focus);
        }
    }
}

// Closing the window answers a dialog as Escape does, and always closes it: a controls page
// waiting for a key only stops waiting on Escape, so closing cancels it.
TEST(DialogKeys, ClosingTheWindowAnswersAsEscapeAndCloses) {
    TMessageDialog yes_no("q", "c", TMessageDialog::Kind::YesNo);
    TMessageDialog ok("problem", "Brannock", TMessageDialog::Kind::OK);
    TfrmScore table;
    TControlsPage waiting(DesignedBindings());
    waiting.StartWaiting(0, 0);
    const std::pair<TModalDialog*, TModalResult> rows[] = {{&yes_no, TModalResult::No},
                                                           {&ok, TModalResult::OK},
                                                           {&table, TModalResult::Cancel},
                                                           {&waiting, TModalResult::Cancel}};
    for (const auto& [dialog, answer] : rows) {
        dialog->CloseAsEscape();
        EXPECT_EQ(dialog->ModalResult, answer) << dialog->Name;
    }
}

// A pad alone works the panel and every dialog: each row presses its pad buttons, as the
// window's events give them, on a fresh panel or dialog and reads what became of it.
TEST(DialogPad, EveryPadButtonDoesItsDialogAction) {
    enum class On { Question, Table, Settings, Name, Controls, Panel };
    constexpr int A = SDL_CONTROLLER_BUTTON_A, B = SDL_CONTROLLER_BUTTON_B,
                  X = SDL_CONTROLLER_BUTTON_X, Start = SDL_CONTROLLER_BUTTON_START,
                  Up = SDL_CONTROLLER_BUTTON_DPAD_UP, Down = SDL_CONTROLLER_BUTTON_DPAD_DOWN,
                  Left = SDL_CONTROLLER_BUTTON_DPAD_LEFT, Right = SDL_CONTROLLER_BUTTON_DPAD_RIGHT;
    const struct {
        On on;
        std::vector<int> buttons;
        std::string after; // the answer (- still open), then what the subject shows
    } rows[] = {
        {On::Question, {A}, "No 1"}, // the focus starts on the harmless answer
        {On::Question, {B}, "No 1"},
        {On::Question, {Left, A}, "Yes 0"},
        {On::Question, {Right, Start}, "Yes 0"},
        {On::Question, {X, Down}, "- 0"},
        {On::Table, {A}, "OK"},
        {On::Table, {Start}, "OK"},
        {On::Table, {B}, "Cancel"},
        {On::Table, {Up, X}, "-"},
        {On::Settings, {Right, Right}, "- music 10 mute 0"},
        {On::Settings, {Down, Down, A}, "- music 0 mute 1"},
        {On::Settings, {Down, Down, A, B}, "Cancel music 0 mute 0"},
        {On::Settings, {Right, Start}, "OK music 5 mute 0"},
        {On::Name, {X}, "- Player"}, // the first press only brings the letter picker up
        {On::Name, {A, A}, "- A"},
        {On::Name, {Down, Right, A, Down, A}, "- BP"},
        {On::Name, {A, Left, A, Left, A}, "- NM"},
        {On::Name, {A, Up, A}, "-  "},       // round the top: the command row's first, a space
        {On::Name, {A, Up, Right, A}, "- "}, // its second deletes (the selected name)
        {On::Name, {A, A, B}, "- "},
        {On::Name, {A, B, B}, "Cancel "},
        {On::Name, {A, A, Start}, "OK A"},
        {On::Name, {Start}, "OK Player"},
        {On::Controls, {B}, "Cancel pad 11"},
        {On::Controls, {Right, Right, Right, A, X}, "- pad 2"},      // X goes into the waiting slot
        {On::Controls, {Right, Right, Right, A, Start}, "- pad 11"}, // Start is refused
        {On::Panel, {Down}, "- RadioButton19"},
        {On::Panel, {Down, Right}, "- RadioButton20"},
        {On::Panel, {Down, Down, A}, "- CheckBox4 0"},
        {On::Panel, {Up}, "- Button2"},
        {On::Panel, {B}, "- Button2"}, // a stray B does not end the program: EXIT is chosen
        {On::Panel, {Down, Start}, "START Button1"},
    };
    const TWindow window;
    for (size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(testing::Message() << "row " << i);
        TMessageDialog question("q", "c", TMessageDialog::Kind::YesNo);
        TfrmScore table;
        TSettingsPage settings(std::array<int32_t, OptionCount>{});
        TfrmInput name;
        TControlsPage controls(DesignedBindings());
        TOptionsPanel panel;
        std::string started = "-";
        panel.Button1.OnClick = [&started] { started = "START"; };
        TModalDialog* const dialogs[] = {&question, &table, &settings, &name, &controls, nullptr};
        TModalDialog* const dialog = dialogs[static_cast<size_t>(rows[i].on)];
        TUiReader reader;
        for (const int button : rows[i].buttons) {
            SDL_Event e{};
            e.type = SDL_CONTROLLERBUTTONDOWN;
            e.cbutton.button = static_cast<Uint8>(button);
            if (dialog != nullptr && RouteToControlsPage(*dialog, EventOf(e))) continue;
            const DialogAction action = DialogActionOf(reader.Read(EventOf(e), window));
            if (dialog != nullptr)
                dialog->PadInput(action);
            else
                panel.PadInput(action);
        }
        const char* const answers[] = {"-", "OK", "Cancel", "Yes", "No"};
        std::string after =
            dialog != nullptr ? answers[static_cast<size_t>(dialog->ModalResult)] : started;
        const auto value = [&settings](Option o) {
            return std::to_string(settings.Values[static_cast<size_t>(o)]);
        };
        if (rows[i].on == On::Question) after += " " + std::to_string(question.Focus);
        if (rows[i].on == On::Settings)
            after += " music " + value(Option::MusicVolume) + " mute " + value(Option::Mute);
        if (rows[i].on == On::Name) after += " " + name.Edit1.Text;
        if (rows[i].on == On::Controls) after += " pad " + std::to_string(controls.Shown[0].pad);
        if (rows[i].on == On::Panel) after += " " + panel.Focused()->Name;
        if (rows[i].on == On::Panel && panel.Focused() == &panel.CheckBox4)
            after += panel.CheckBox4.Checked ? " 1" : " 0";
        EXPECT_EQ(after, rows[i].after);
    }
}

// A click on a cell of the letter picker uses it as A does; beside the cells nothing.
TEST(NameDialog, APickerCellClickedIsUsed) {
    constexpr int Commands = 5, Last = -1; // the row under the five letter rows; its last
    const struct {
        std::vector<std::pair<int, int>> cells;
        std::string after;
    } rows[] = {
        {{{0, 0}}, "- A"},
        {{{0, 0}, {1, 13}}, "- A-"},
        {{{0, 0}, {4, 9}, {Commands, 0}}, "- A9 "},
        {{{0, 0}, {Commands, 1}}, "- "},
        {{{4, 12}}, "- Player"}, // past the end of the digits' row
        {{{0, 0}, {Commands, Last}}, "OK A"},
    };
    for (const auto& row : rows) {
        TfrmInput name;
        name.UsePad();
        for (auto [r, c] : row.cells) {
            if (c == Last) c = static_cast<int>(name.Picker->Commands().size()) - 1;
            const TfrmInput::Box b = name.PickerCell(r, c);
            name.PickerClick(b.left + b.width / 2, b.top + b.height / 2);
        }
        name.PickerClick(0, 0);
        const bool ok = name.ModalResult == TModalResult::OK;
        EXPECT_EQ((ok ? "OK " : "- ") + name.Edit1.Text, row.after);
    }
}

class DialogWindowTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        form_.reset();
        form_ = std::make_unique<TMainForm>(app_, /*open_window=*/true);
    }

    std::vector<uint32_t> Drawn() {
        form().Panel1.Draw();
        std::vector<uint32_t> pixels;
        int width = 0, height = 0;
        EXPECT_TRUE(form().Window.ReadPixels(pixels, width, height));
        width_ = width;
        return pixels;
    }

    int Count(const std::vector<uint32_t>& pixels, uint32_t rgb) const {
        int n = 0;
        for (const uint32_t p : pixels) n += (p & 0xFFFFFF) == rgb ? 1 : 0;
        return n;
    }

    static void Push(const SDL_Event& event) { SDL_PushEvent(const_cast<SDL_Event*>(&event)); }
    static void PushKey(SDL_Keycode key) {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.keysym.sym = key;
        Push(e);
    }
    static void PushText(const char* utf8) {
        SDL_Event e{};
        e.type = SDL_TEXTINPUT;
        std::strncpy(e.text.text, utf8, sizeof e.text.text - 1);
        Push(e);
    }

    int width_ = 0;
};

// A long text and title wrap inside the window, at the smallest and a large window, and no
// character is lost to the wrapping.
TEST_F(DialogWindowTest, ALongMessageBoxWrapsInsideTheWindow) {
    const std::string path = "/home/player/.local/share/brannock/" + std::string(120, 'x');
    const std::string text = "記録表 " + path + " を読めません（許可がありません）。\n次の行";
    const std::string caption = "確認 " + std::string(40, 'y') + " " + std::string(90, 'z');
    for (const auto& [w, h] : {std::pair{640, 480}, {1920, 1080}}) {
        form().Window.SetClientSize(w, h);
        TMessageDialog box(text, caption, TMessageDialog::Kind::OK);
        form().Panel1.Modal = &box;
        Drawn();
        form().Panel1.Modal = nullptr;
        EXPECT_LE(box.Width, width_) << w;
        const TButton& ok = box.ButtonList.back();
        EXPECT_NEAR(ok.Left, box.Width - ok.Left - ok.Width, 1) << "the button row is centred";
        EXPECT_TRUE(w == 640 ? box.TextRows.size() > 3 : box.TextRows.size() == 2) << w;
        EXPECT_EQ(box.CaptionRows.size(), w == 640 ? 2u : 1u) << w;
        for (const auto& [rows, whole] :
             {std::pair{&box.TextRows, &text}, {&box.CaptionRows, &caption}}) {
            std::string joined;
            for (const std::string& row : *rows) joined += row;
            std::string letters;
            for (const char c : *whole)
                if (c != ' ' && c != '\n') letters += c;
            std::erase(joined, ' ');
            EXPECT_EQ(joined, letters) << w;
        }
    }
}

TEST_F(DialogWindowTest, TheHighlightedRowIsDrawnInFuchsia) {
    TfrmScore table;
    for (int n = 1; n <= 10; ++n) table.SetRow(n, "名前", "99分59秒999");
    form().Panel1.Modal = &table;
    const std::vector<uint32_t> plain = Drawn();
    EXPECT_EQ(Count(plain, 0xFF00FF), 0);
    EXPECT_GT(Count(plain, 0x00FFFF), 50) << "the aqua title";
    table.SetHighlight(3);
    const std::vector<uint32_t> lit = Drawn();
    EXPECT_GT(Count(lit, 0xFF00FF), 100);
    // Only the third row (y 88 + 64 in the dialog) carries fuchsia.
    const int top = (471 - 480) / 2 + 88 + 64;
    for (size_t i = 0; i < lit.size(); ++i) {
        if ((lit[i] & 0xFFFFFF) != 0xFF00FF) continue;
        const int y = static_cast<int>(i) / width_;
        ASSERT_GE(y, top - 2);
        ASSERT_LT(y, top + 34);
    }
    // The longest time fits its label: right-aligned, it starts inside the label, not cut
    // at its left edge.
    const int left = (647 - 640) / 2 + table.Rows[2].mPlayersScore.Left;
    int first = width_;
    for (int y = top; y < top + 29; ++y)
        for (int x = left - 40; x < width_; ++x)
            if ((lit[static_cast<size_t>(y * width_ + x)] & 0xFFFFFF) == 0xFF00FF)
                first = std::min(first, x);
    EXPECT_GT(first, left + 1);
    form().Panel1.Modal = nullptr;
}

TEST_F(DialogWindowTest, TheGameRunsADialogUntilItIsAnswered) {
    form().Panel1.Visible = false; // as at the end of a game
    PushText("花子");
    PushKey(SDLK_RETURN);
    TfrmInput name;
    form().ShowModal(name);
    EXPECT_EQ(name.ModalResult, TModalResult::OK);
    EXPECT_EQ(name.Edit1.Text, "花子");
    EXPECT_EQ(form().Panel1.Modal, nullptr);

    // Escape goes to the dialog, not to the form (which would close the program).
    PushKey(SDLK_ESCAPE);
    TMessageDialog ask(ClearQuestion, ClearCaption, TMessageDialog::Kind::YesNo);
    form().Panel1.Visible = true;
    form().ShowModal(ask);
    EXPECT_EQ(ask.ModalResult, TModalResult::No);
    EXPECT_FALSE(form().Closed());
    EXPECT_FALSE(app_.Terminated());
}

TEST_F(DialogWindowTest, ClosingTheWindowAnswersLikeEscapeAndEndsTheProgram) {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    Push(quit);
    TfrmInput name;
    form().ShowModal(name);
    EXPECT_EQ(name.ModalResult, TModalResult::Cancel);
    EXPECT_TRUE(app_.Terminated());
    TfrmScore table;
    form().ShowModal(table);
    EXPECT_TRUE(table.Closed()) << "no dialog waits once the program is ending";
}

TEST_F(DialogWindowTest, TheConfirmationIsDrawnOverThePanel) {
    const std::vector<uint32_t> panel = Drawn();
    TMessageDialog ask(ClearQuestion, ClearCaption, TMessageDialog::Kind::YesNo);
    form().Panel1.Modal = &ask;
    const std::vector<uint32_t> over = Drawn();
    EXPECT_GT(Count(over, 0x0078D7), Count(panel, 0x0078D7) + 500) << "its title bar";
    form().Panel1.Modal = nullptr;
}

} // namespace
