#include "options/controls_page.h"

#include <algorithm>

#include "media/events.h"
#include "options/settings_page.h"

namespace {

constexpr int ButtonWidth = 97, ButtonHeight = 24, Margin = 12, ButtonGap = 8;
constexpr int StatusHeight = 26;

constexpr const char* WaitForKey = TrMark("キーを押してください…（Esc で取り消し）");
constexpr const char* WaitForPad = TrMark("パッドのボタンを押してください…（Esc で取り消し）");
// TRANSLATORS: the status line of the controls page: a key bound to two inputs.
constexpr const char* SharedWith = TrMark("%s は「%s」にも割り当てられています");
constexpr const char* MarkedShared =
    TrMark("赤い枠のキーやボタンは、ほかの入力にも割り当てられています");

} // namespace

TControlsPage::TControlsPage(const Bindings& bindings) : Shown(bindings), opened_with_(bindings) {
    Name = "ControlsPage";
    Caption = ControlsTitle;
    Color = 0xF0F0F0;
    Width = SlotLeft(SlotCount) - SlotGap + NameLeft;
    const int top = ButtonsTop();
    Height = top + ButtonHeight + Margin;
    Place(ResetButton, "Reset", ResetCaption, Margin, top, 2 * ButtonWidth - 34, ButtonHeight);
    Place(OKButton, "OK", "OK", Width - Margin - 2 * ButtonWidth - ButtonGap, top, ButtonWidth,
          ButtonHeight);
    Place(CancelButton, "Cancel", CancelCaption, Width - Margin - ButtonWidth, top, ButtonWidth,
          ButtonHeight);
    OKButton.Default = true;
    CancelButton.Cancel = true;
    ResetButton.OnClick = [this] { Reset(); };
    OKButton.OnClick = [this] { ModalResult = TModalResult::OK; };
    CancelButton.OnClick = [this] { Cancel(); };
}

int TControlsPage::StatusTop() const {
    return RowsTop + static_cast<int>(BindableInputs.size()) * RowHeight;
}

int TControlsPage::ButtonsTop() const {
    return StatusTop() + StatusHeight;
}

bool TControlsPage::InConflict(size_t row, size_t slot) const {
    return !ConflictOf(Shown, row, slot).empty();
}

std::string TControlsPage::Status() const {
    if (Waiting) return Tr(Column == PadSlot ? WaitForPad : WaitForKey);
    if (refusal_ != nullptr) return refusal_;
    const std::string other = Row == ButtonRow ? "" : ConflictOf(Shown, Row, Column);
    if (other.empty()) return HasConflicts(Shown) ? Tr(MarkedShared) : "";
    const Binding& b = Shown[Row];
    const std::string name = Column == PadSlot ? PadButtonName(b.pad) : KeyName(b.keys[Column]);
    return Format(Tr(SharedWith), name.c_str(), other.c_str());
}

void TControlsPage::StartWaiting(size_t row, size_t slot) {
    if (row >= ButtonRow || slot >= SlotCount) return;
    Row = row;
    Column = slot;
    refusal_ = nullptr;
    Waiting = true;
}

void TControlsPage::VirtualKeyDown(uint32_t key) {
    if (!Waiting) return;
    if (key == key_code::Escape) {
        Waiting = false;
        return;
    }
    if (Column == PadSlot || key == 0) return; // a pad slot waits for a pad button
    Waiting = false;
    refusal_ = RefusedKey(key);
    if (refusal_ != nullptr) return;
    Binding& b = Shown[Row];
    // A key stands once in a row: taken into this slot, it leaves the others.
    for (uint32_t& k : b.keys)
        if (k == key) k = 0;
    b.keys[Column] = key;
}

void TControlsPage::PadButtonDown(int sdl_button) {
    if (!Waiting || Column != PadSlot || sdl_button < 0 || sdl_button >= PadButtonCount()) return;
    Waiting = false;
    refusal_ = RefusedPadButton(sdl_button);
    if (refusal_ == nullptr) Shown[Row].pad = sdl_button;
}

void TControlsPage::Reset() {
    Waiting = false;
    refusal_ = nullptr;
    Shown = DesignedBindings();
}

void TControlsPage::Cancel() {
    Waiting = false;
    Shown = opened_with_;
    ModalResult = TModalResult::Cancel;
}

void TControlsPage::Move(int rows, int columns) {
    refusal_ = nullptr;
    const int row_count = static_cast<int>(ButtonRow) + 1;
    Row = static_cast<size_t>((static_cast<int>(Row) + rows + row_count) % row_count);
    const int n = static_cast<int>(Columns());
    const int column = std::min(static_cast<int>(Column), n - 1);
    Column = static_cast<size_t>((column + columns + n) % n);
}

bool TControlsPage::KeyDown(int key, bool shift, bool) {
    if (Waiting) {
        VirtualKeyDown(static_cast<uint32_t>(key));
        return true;
    }
    switch (key) {
    case key_code::Escape:
        Cancel();
        return true;
    case key_code::Up:
        Move(-1, 0);
        return true;
    case key_code::Down:
        Move(1, 0);
        return true;
    case key_code::Left:
        Move(0, -1);
        return true;
    case key_code::Right:
        Move(0, 1);
        return true;
    case key_code::Tab: {
        // Every slot row by row, then the buttons, and round again.
        const size_t slots = ButtonRow * SlotCount, stops = slots + 3;
        size_t at = Row < ButtonRow ? Row * SlotCount + Column : slots + Column;
        at = (at + (shift ? stops - 1 : 1)) % stops;
        Row = at < slots ? at / SlotCount : ButtonRow;
        Column = at < slots ? at % SlotCount : at - slots;
        refusal_ = nullptr;
        return true;
    }
    case key_code::Enter:
    case key_code::Space:
        if (Row < ButtonRow) {
            StartWaiting(Row, Column);
        } else {
            TButton* buttons[] = {&ResetButton, &OKButton, &CancelButton};
            buttons[Column]->OnClick();
        }
        return true;
    case key_code::Delete:
    case key_code::Backspace:
        if (Row < ButtonRow) {
            refusal_ = nullptr;
            if (Column == PadSlot)
                Shown[Row].pad = -1;
            else
                Shown[Row].keys[Column] = 0;
        }
        return true;
    default:
        return false;
    }
}

std::string TControlsPage::GlyphText() const {
    std::string text = std::string(Tr(ControlsTitle)) + Tr(ResetCaption) + Tr(CancelCaption) +
                       Tr(WaitForKey) + Tr(WaitForPad) + Tr(SharedWith) + Tr(MarkedShared) +
                       Tr(InputHeader) + Tr(KeysHeader) + Tr(PadHeader) + "OK0123456789…" +
                       Status() + Tr("ゲームの固定キー（H J U N）");
    for (const BindableInput& input : BindableInputs) text += Tr(input.caption);
    for (const Binding& b : Shown) text += BindingText(b);
    return text;
}

bool RouteToControlsPage(TModalDialog& dialog, const TEvent& event) {
    auto* page = dynamic_cast<TControlsPage*>(&dialog);
    if (page == nullptr || !page->Waiting) return false;
    if (const std::optional<int> button = PressedPadButton(event)) {
        page->PadButtonDown(*button);
        return true;
    }
    if (event.kind != TEventKind::KeyDown) return false;
    if (event.repeat) return true; // the held key that started the wait is no new press
    const std::optional<uint32_t> key = PressedVirtualKey(event);
    if (!key) return false; // an event made by hand: the dialog's keys take it
    page->VirtualKeyDown(*key);
    return true;
}
