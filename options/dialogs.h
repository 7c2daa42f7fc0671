// The modal dialogs of the record tables: the name entry, the top-10 table, and message
// boxes (the clear confirmation, file problems). Each is plain data with keyboard
// handling, so it works without a window; the options panel's UI draws the one shown
// (dialog_draw.cpp), and the form runs it modally (TMainForm::ShowModal).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "media/language.h"
#include "options/controls.h"
#include "options/letter_picker.h"
#include "options/pad_actions.h"

enum class TModalResult { None, OK, Cancel, Yes, No };

class TModalDialog {
public:
    TModalDialog() = default;
    virtual ~TModalDialog() = default;
    // Buttons refer to their dialog: a dialog stays where it was made.
    TModalDialog(const TModalDialog&) = delete;
    TModalDialog& operator=(const TModalDialog&) = delete;
    std::string Name; // the designed form's name
    std::string Caption;
    int Width = 0, Height = 0;
    uint32_t Color = 0x000000; // background
    TModalResult ModalResult = TModalResult::None;
    bool Closed() const { return ModalResult != TModalResult::None; }
    // Closes the dialog the way Escape does (No, an empty name); Cancel if it ignores Escape.
    void CloseAsEscape();

    // A key press (a key code, media/events.h); true when the dialog used it.
    virtual bool KeyDown(int key, bool shift, bool alt) = 0;
    // Text typed through the system's text input (UTF-8).
    virtual void TextInput(std::string_view) {}
    // Text an input method is composing, shown but not yet typed.
    virtual void TextEditing(std::string_view) {}
    virtual bool WantsTextInput() const { return false; }
    // A game controller's action (options/pad_actions.h): by default the key it stands for.
    virtual void PadInput(DialogAction action);
    // A game controller is open as the dialog comes up: a dialog that needs more than its
    // keys for a pad gets ready for it.
    virtual void UsePad() {}
    // Every character the dialog shows, so the font holds their glyphs.
    virtual std::string GlyphText() const = 0;
    // The buttons; a button's OnClick closes the dialog with its result.
    virtual std::vector<TButton*> Buttons() = 0;
};

// "Enter Your Name ! ": the player's name for a new record.
class TfrmInput : public TModalDialog {
public:
    TfrmInput();
    TLabel Label1;
    TEdit Edit1;
    TButton BitBtn1;
    // The caret as a byte offset in Edit1.Text, always on a character boundary.
    size_t Caret = 0;
    // The edit box takes the focus with its whole text selected: typing replaces it.
    bool AllSelected = true;
    std::string Composition;

    // The letter picker, shown below the edit box once a pad is used (the dialog grows).
    std::optional<TLetterPicker> Picker;
    static constexpr int PickerTop = 104, PickerCellHeight = 24, PickerCommandHeight = 26;
    // Where the picker stands in the dialog, in the dialog's own pixels: the whole of it, and
    // one cell (row Rows().size() is the command row).
    struct Box {
        int left, top, width, height;
    };
    Box PickerArea() const;
    Box PickerCell(int row, int column) const;
    // A click at (x, y) in the dialog's pixels: the picker's cell there is chosen and used,
    // as A uses it.
    void PickerClick(int x, int y);

    bool KeyDown(int key, bool shift, bool alt) override;
    void TextInput(std::string_view utf8) override;
    void TextEditing(std::string_view utf8) override { Composition = utf8; }
    bool WantsTextInput() const override { return true; }
    // The d-pad moves the picker's cursor, A types its letter or runs its command, B
    // deletes (backs out when the name is empty), Start confirms. The first press of a
    // pad only brings the picker up, unless it is Start.
    void PadInput(DialogAction action) override;
    void UsePad() override;
    std::string GlyphText() const override;
    std::vector<TButton*> Buttons() override { return {&BitBtn1}; }

private:
    void DeleteSelection();
};

// The two top-10 tables: points and times.
enum class RecordKind { Score, Time };

// "Top 10 Players": ten rows of rank, name and score; one row may be highlighted.
class TfrmScore : public TModalDialog {
public:
    explicit TfrmScore(RecordKind kind = RecordKind::Score);
    struct Row {
        TLabel mNO, mPlayersName, mPlayersScore;
    };
    TLabel Title;
    std::array<Row, 10> Rows;
    TButton OKButton;
    int Highlight = 0; // 1..10, 0 for none

    // Fills row n (1..10) and colours the highlighted row's three labels fuchsia.
    void SetRow(int n, const std::string& name, const std::string& score);
    void SetHighlight(int rank);

    bool KeyDown(int key, bool shift, bool alt) override;
    std::string GlyphText() const override;
    std::vector<TButton*> Buttons() override { return {&OKButton}; }
};

// A desktop message box: a caption, a text and OK or Yes/No.
class TMessageDialog : public TModalDialog {
public:
    enum class Kind { OK, YesNo };
    TMessageDialog(std::string text, std::string caption, Kind kind);
    std::string Text;
    Kind ButtonKind;
    std::vector<TButton> ButtonList;
    size_t Focus = 0; // the first button, or No when the box asks: answering is harmless
    // The rows the text and the caption were last drawn in, wrapped to fit the window.
    std::vector<std::string> TextRows, CaptionRows;

    bool KeyDown(int key, bool shift, bool alt) override;
    std::string GlyphText() const override;
    std::vector<TButton*> Buttons() override;
};

// The clear confirmations of the record buttons, each naming its table (Tr gives the
// player's language).
inline constexpr const char* ClearQuestion = TrMark("ハイスコアを消去しますか？");
// TRANSLATORS: the title of the box that asks before the high score table is erased.
inline constexpr const char* ClearCaption = TrMark("ハイスコアクリアの確認");
inline constexpr const char* ClearTimeQuestion = TrMark("タイムアタックの記録を消去しますか？");
// TRANSLATORS: the title of the box that asks before the time attack table is erased.
inline constexpr const char* ClearTimeCaption = TrMark("タイムアタック記録クリアの確認");
