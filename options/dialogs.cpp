#include "options/dialogs.h"

#include <algorithm>
#include <cctype>

#include "media/events.h"
#include "options/options_panel.h"

namespace {

bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

size_t PreviousBoundary(const std::string& s, size_t at) {
    if (at == 0) return 0;
    --at;
    while (at > 0 && IsContinuation(s[at])) --at;
    return at;
}

size_t NextBoundary(const std::string& s, size_t at) {
    if (at >= s.size()) return s.size();
    ++at;
    while (at < s.size() && IsContinuation(s[at])) ++at;
    return at;
}

constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t Aqua = 0x00FFFF;
constexpr uint32_t Fuchsia = 0xFF00FF;

} // namespace

// --- name entry ---

TfrmInput::TfrmInput() {
    Name = "TfrmInput";
    // TRANSLATORS: the name entry's window title; the designed text ends in a space.
    Caption = Tr("Enter Your Name ! ");
    Width = 377;
    Height = 176;
    Place(Label1, "Label1", Tr("Enter Your Name !"), 16, 16, 345, 24);
    Label1.FontSize = 24;
    Label1.Bold = true;
    Label1.FontColor = White;
    Place(Edit1, "Edit1", "", 16, 64, 345, 29);
    Edit1.Text = "Player";
    Edit1.FontSize = 19;
    Edit1.Bold = true;
    Place(BitBtn1, "BitBtn1", "OK", 144, 120, 89, 33);
    BitBtn1.Default = true;
    BitBtn1.OnClick = [this] { ModalResult = TModalResult::OK; };
    Caret = Edit1.Text.size();
}

void TfrmInput::DeleteSelection() {
    if (!AllSelected) return;
    Edit1.Text.clear();
    Caret = 0;
    AllSelected = false;
}

void TfrmInput::TextInput(std::string_view utf8) {
    if (utf8.empty()) return;
    DeleteSelection();
    Edit1.Text.insert(Caret, utf8);
    Caret += utf8.size();
    Composition.clear();
}

bool TfrmInput::KeyDown(int key, bool, bool) {
    // While an input method composes, its keys are its own.
    if (!Composition.empty()) return false;
    std::string& text = Edit1.Text;
    switch (key) {
    case key_code::Enter:
        ModalResult = TModalResult::OK;
        return true;
    case key_code::Escape:
        ModalResult = TModalResult::Cancel;
        return true;
    case key_code::Backspace:
        if (AllSelected) {
            DeleteSelection();
        } else if (Caret > 0) {
            const size_t from = PreviousBoundary(text, Caret);
            text.erase(from, Caret - from);
            Caret = from;
        }
        return true;
    case key_code::Delete:
        if (AllSelected)
            DeleteSelection();
        else if (Caret < text.size())
            text.erase(Caret, NextBoundary(text, Caret) - Caret);
        return true;
    case key_code::Left:
        Caret = AllSelected ? 0 : PreviousBoundary(text, Caret);
        AllSelected = false;
        return true;
    case key_code::Right:
        Caret = AllSelected ? text.size() : NextBoundary(text, Caret);
        AllSelected = false;
        return true;
    case key_code::Home:
        Caret = 0;
        AllSelected = false;
        return true;
    case key_code::End:
        Caret = text.size();
        AllSelected = false;
        return true;
    default:
        return false;
    }
}

void TfrmInput::UsePad() {
    if (Picker) return;
    Picker.emplace(CurrentLanguage() == Language::Japanese);
    const Box area = PickerArea();
    BitBtn1.Top = area.top + area.height + 8;
    Height = BitBtn1.Top + BitBtn1.Height + 23;
}

void TfrmInput::PadInput(DialogAction action) {
    if (!Picker) {
        UsePad();
        if (action != DialogAction::Start) return;
    }
    switch (action) {
    case DialogAction::Up:
        Picker->Move(0, -1);
        break;
    case DialogAction::Down:
        Picker->Move(0, 1);
        break;
    case DialogAction::Left:
        Picker->Move(-1, 0);
        break;
    case DialogAction::Right:
        Picker->Move(1, 0);
        break;
    case DialogAction::Activate: {
        const TLetterPicker::Cell cell = Picker->Current();
        switch (cell.command) {
        case TLetterPicker::Command::Letter:
            TextInput(cell.text);
            break;
        case TLetterPicker::Command::Space:
            TextInput(" ");
            break;
        case TLetterPicker::Command::Delete:
            KeyDown(key_code::Backspace, false, false);
            break;
        case TLetterPicker::Command::Page:
            Picker->ShowPage(cell.page);
            break;
        case TLetterPicker::Command::OK:
            ModalResult = TModalResult::OK;
            break;
        }
        break;
    }
    case DialogAction::Back:
        if (Edit1.Text.empty())
            ModalResult = TModalResult::Cancel;
        else
            KeyDown(key_code::Backspace, false, false);
        break;
    case DialogAction::Start:
        ModalResult = TModalResult::OK;
        break;
    case DialogAction::None:
        break;
    }
}

namespace {
constexpr int PickerLeft = 16, PickerWidth = 345, PickerCommandGap = 8;
} // namespace

TfrmInput::Box TfrmInput::PickerArea() const {
    const Box commands = PickerCell(static_cast<int>(Picker->Rows().size()), 0);
    return {PickerLeft, PickerTop, PickerWidth, commands.top + commands.height - PickerTop};
}

TfrmInput::Box TfrmInput::PickerCell(int row, int column) const {
    const int letters = static_cast<int>(Picker->Rows().size());
    if (row < letters) {
        const int columns = std::max(1, Picker->Columns());
        const int width = PickerWidth / columns;
        const int left = PickerLeft + (PickerWidth - width * columns) / 2;
        return {left + column * width, PickerTop + row * PickerCellHeight, width, PickerCellHeight};
    }
    const int width = PickerWidth / static_cast<int>(Picker->Commands().size());
    return {PickerLeft + column * width, PickerTop + letters * PickerCellHeight + PickerCommandGap,
            width, PickerCommandHeight};
}

void TfrmInput::PickerClick(int x, int y) {
    if (!Picker) return;
    const auto& rows = Picker->Rows();
    for (size_t row = 0; row <= rows.size(); ++row) {
        const size_t length = row < rows.size() ? rows[row].size() : Picker->Commands().size();
        for (size_t column = 0; column < length; ++column) {
            const Box b = PickerCell(static_cast<int>(row), static_cast<int>(column));
            if (x < b.left || x >= b.left + b.width || y < b.top || y >= b.top + b.height) continue;
            if (Picker->Point(static_cast<int>(row), static_cast<int>(column)))
                PadInput(DialogAction::Activate);
            return;
        }
    }
}

std::string TfrmInput::GlyphText() const {
    std::string text = Caption + Label1.Caption + Edit1.Text + Composition + BitBtn1.Caption;
    if (Picker) text += Picker->GlyphText();
    return text;
}

// --- top 10 table ---

TfrmScore::TfrmScore(RecordKind kind) {
    Name = "TfrmScore";
    // The designed titles are the same for both tables; a translation names the table.
    const bool time = kind == RecordKind::Time;
    Caption = time ? TrIn("time table", "Top 10 Players") : TrIn("score table", "Top 10 Players");
    Width = 640;
    Height = 480;
    Place(Title, "Label1",
          time ? TrIn("time table", "Top  10  Players") : TrIn("score table", "Top  10  Players"),
          0, 24, 640, 37);
    Title.FontSize = 37;
    Title.Bold = true;
    Title.Centred = true;
    Title.FontColor = Aqua;
    for (int n = 1; n <= 10; ++n) {
        Row& row = Rows[static_cast<size_t>(n - 1)];
        const int top = 88 + 32 * (n - 1);
        const std::string index = std::to_string(n);
        Place(row.mNO, "", std::to_string(n).c_str(), 72, top, 73, 29);
        row.mNO.Name = "mNO" + index;
        row.mNO.RightAligned = true;
        // Wide enough for the longest time, "99分59秒999".
        Place(row.mPlayersName, "", "", 176, top, 208, 29);
        row.mPlayersName.Name = "mPlayersName" + index;
        Place(row.mPlayersScore, "", "", 392, top, 216, 29);
        row.mPlayersScore.Name = "mPlayersScore" + index;
        row.mPlayersScore.RightAligned = true;
        for (TLabel* label : {&row.mNO, &row.mPlayersName, &row.mPlayersScore}) {
            label->FontSize = 29;
            label->Bold = true;
            label->FontColor = White;
        }
    }
    Place(OKButton, "OKButton", "OK", 272, 424, 97, 33);
    OKButton.Default = true;
    OKButton.OnClick = [this] { ModalResult = TModalResult::OK; };
}

void TfrmScore::SetRow(int n, const std::string& name, const std::string& score) {
    if (n < 1 || n > 10) return;
    Row& row = Rows[static_cast<size_t>(n - 1)];
    row.mPlayersName.Caption = name;
    row.mPlayersScore.Caption = score;
}

void TfrmScore::SetHighlight(int rank) {
    Highlight = rank >= 1 && rank <= 10 ? rank : 0;
    for (int n = 1; n <= 10; ++n) {
        Row& row = Rows[static_cast<size_t>(n - 1)];
        for (TLabel* label : {&row.mNO, &row.mPlayersName, &row.mPlayersScore})
            label->FontColor = n == Highlight ? Fuchsia : White;
    }
}

bool TfrmScore::KeyDown(int key, bool, bool) {
    if (key == key_code::Enter || key == key_code::Space) {
        ModalResult = TModalResult::OK;
        return true;
    }
    if (key == key_code::Escape) {
        ModalResult = TModalResult::Cancel;
        return true;
    }
    return false;
}

std::string TfrmScore::GlyphText() const {
    std::string text = Caption + Title.Caption + OKButton.Caption;
    for (const Row& row : Rows)
        text += row.mNO.Caption + row.mPlayersName.Caption + row.mPlayersScore.Caption;
    return text;
}

// --- message box ---

TMessageDialog::TMessageDialog(std::string text, std::string caption, Kind kind)
    : Text(std::move(text)), ButtonKind(kind) {
    Name = "MessageBox";
    Caption = std::move(caption);
    Color = 0xF0F0F0;
    auto add = [this](const char* name, const char* label, TModalResult result) {
        TButton& b = ButtonList.emplace_back();
        b.Name = name;
        b.Caption = label;
        b.Width = 97;
        b.Height = 24;
        b.OnClick = [this, result] { ModalResult = result; };
    };
    // Every button is added before any OnClick can run, so the vector stays put.
    ButtonList.reserve(2);
    if (kind == Kind::YesNo) {
        // TRANSLATORS: "&" marks the Alt letter; Yes and No need different ones.
        add("Yes", Tr("はい(&Y)"), TModalResult::Yes);
        add("No", Tr("いいえ(&N)"), TModalResult::No);
        Focus = 1;
    } else {
        add("OK", "OK", TModalResult::OK);
    }
}

std::vector<TButton*> TMessageDialog::Buttons() {
    std::vector<TButton*> buttons;
    for (TButton& b : ButtonList) buttons.push_back(&b);
    return buttons;
}

bool TMessageDialog::KeyDown(int key, bool shift, bool) {
    const size_t n = ButtonList.size();
    if (key == key_code::Enter || key == key_code::Space) {
        ButtonList[Focus].OnClick();
        return true;
    }
    if (key == key_code::Escape) {
        // Escape answers the harmless way: No, or OK when that is the only button.
        ModalResult = ButtonKind == Kind::YesNo ? TModalResult::No : TModalResult::OK;
        return true;
    }
    if (key == key_code::Tab || key == key_code::Left || key == key_code::Right ||
        key == key_code::Up || key == key_code::Down) {
        const bool back =
            key == key_code::Left || key == key_code::Up || (key == key_code::Tab && shift);
        Focus = back ? (Focus + n - 1) % n : (Focus + 1) % n;
        return true;
    }
    if (IsLetterKey(key)) {
        for (TButton& b : ButtonList) {
            if (AcceleratorOf(b.Caption) == key) {
                b.OnClick();
                return true;
            }
        }
    }
    return false;
}

std::string TMessageDialog::GlyphText() const {
    std::string text = Caption + Text;
    for (const TButton& b : ButtonList) text += b.Caption;
    return text;
}

void TModalDialog::PadInput(DialogAction action) {
    const int key = KeyOfDialogAction(action);
    if (key != key_code::None) KeyDown(key, false, false);
}

void TModalDialog::CloseAsEscape() {
    KeyDown(key_code::Escape, false, false);
    if (!Closed()) ModalResult = TModalResult::Cancel;
}
