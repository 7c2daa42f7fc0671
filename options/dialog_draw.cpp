#include "options/dialog_draw.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <string>

#include "media/gui_glue.h"
#include "options/controls_page.h"
#include "options/dialogs.h"
#include "options/options_panel.h"
#include "options/settings_page.h"
#include "options/text_wrap.h"

namespace {

constexpr uint32_t Accent = 0x0078D7;
constexpr uint32_t Frame = 0x7A7A7A;

ImU32 Colour(uint32_t rgb, int alpha = 0xFF) {
    return IM_COL32((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF, alpha);
}

float F(int v) {
    return static_cast<float>(v);
}

ImVec2 TextSize(ImFont* font, float size, const std::string& text) {
    return font->CalcTextSizeA(size, FLT_MAX, 0, text.c_str());
}

// A full-window layer under the dialog: the mouse reaches nothing below it.
void Blocker(bool dim) {
    const ImVec2 display = ImGui::GetIO().DisplaySize;
    ImGui::SetNextWindowPos(ImVec2(0, 0));
    ImGui::SetNextWindowSize(display);
    ImGui::SetNextWindowFocus();
    ImGui::PushStyleColor(ImGuiCol_WindowBg, ImVec4(0, 0, 0, dim ? 0.25f : 0.0f));
    ImGui::Begin("##modal blocker", nullptr,
                 ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove |
                     ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoNav);
    ImGui::End();
    ImGui::PopStyleColor();
}

// Opens the dialog's window centred on the window (integer halves, as a form centres).
ImVec2 BeginDialog(const TModalDialog& dialog, int width, int height) {
    const ImVec2 display = ImGui::GetIO().DisplaySize;
    const ImVec2 origin(F((static_cast<int>(display.x) - width) / 2),
                        F((static_cast<int>(display.y) - height) / 2));
    ImGui::SetNextWindowPos(origin);
    ImGui::SetNextWindowSize(ImVec2(F(width), F(height)));
    ImGui::SetNextWindowFocus();
    ImGui::PushStyleColor(ImGuiCol_WindowBg, ImGui::ColorConvertU32ToFloat4(Colour(dialog.Color)));
    ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(0, 0));
    ImGui::Begin((dialog.Name + "##modal dialog").c_str(), nullptr,
                 ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove |
                     ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoNav |
                     ImGuiWindowFlags_NoScrollWithMouse);
    ImGui::PopStyleVar();
    ImGui::PopStyleColor();
    return origin;
}

class DialogPainter {
public:
    DialogPainter(const DialogFonts& fonts, ImVec2 origin)
        : fonts_(fonts), origin_(origin), dl_(ImGui::GetWindowDrawList()) {}

    ImVec2 At(int x, int y) const { return ImVec2(origin_.x + F(x), origin_.y + F(y)); }

    void Label(const TLabel& l) {
        ImFont* font = fonts_.Bold(l.FontSize);
        const float size = F(l.FontSize);
        const ImVec2 extent = TextSize(font, size, l.Caption);
        float x = F(l.Left);
        if (l.Centred) x += std::floor((F(l.Width) - extent.x) / 2);
        if (l.RightAligned) x += F(l.Width) - extent.x;
        const ImVec2 a = At(l.Left, l.Top);
        // A label shows what fits in its box.
        const ImVec4 clip(a.x, a.y, a.x + F(l.Width), a.y + F(l.Height) + 4);
        dl_->AddText(font, size, ImVec2(origin_.x + x, a.y), Colour(l.FontColor), l.Caption.c_str(),
                     nullptr, 0, &clip);
    }

    // A push button with its caption centred; true when clicked.
    bool Button(const TButton& b, bool focused, ImFont* font, float size) {
        ImGui::SetCursorScreenPos(At(b.Left, b.Top));
        ImGui::PushID(b.Name.c_str());
        const bool clicked = ImGui::Button("##button", ImVec2(F(b.Width), F(b.Height)));
        ImGui::PopID();
        const ImVec2 a = At(b.Left, b.Top);
        const ImVec2 z = At(b.Left + b.Width, b.Top + b.Height);
        if (b.Default || focused) dl_->AddRect(a, z, Colour(Accent), 0, 0, 2);
        const std::string text = CaptionText(b.Caption);
        const ImVec2 extent = TextSize(font, size, text);
        dl_->AddText(font, size,
                     ImVec2(std::floor(a.x + (F(b.Width) - extent.x) / 2),
                            std::floor(a.y + (F(b.Height) - size) / 2)),
                     Colour(0x000000), text.c_str());
        return clicked;
    }

    ImDrawList* List() const { return dl_; }

private:
    const DialogFonts& fonts_;
    ImVec2 origin_;
    ImDrawList* dl_;
};

// The name entry's letter picker: the page's letters in a grid, the commands in a row
// under them, the cursor's cell filled. A click on a cell uses it.
void DrawPicker(TfrmInput& d, const DialogPainter& paint, const DialogFonts& fonts) {
    const TLetterPicker& picker = *d.Picker;
    ImDrawList* dl = paint.List();
    const auto cell = [&](const TfrmInput::Box& box, const std::string& text, ImFont* font,
                          float size, bool current, bool marked) {
        const ImVec2 a = paint.At(box.left + 1, box.top + 1);
        const ImVec2 z = paint.At(box.left + box.width - 1, box.top + box.height - 1);
        if (current) dl->AddRectFilled(a, z, Colour(Accent));
        if (marked) dl->AddRect(a, z, Colour(0x808080));
        const ImVec2 extent = TextSize(font, size, text);
        dl->AddText(font, size,
                    ImVec2(std::floor(a.x + (z.x - a.x - extent.x) / 2),
                           std::floor(a.y + (z.y - a.y - size) / 2)),
                    Colour(0xFFFFFF), text.c_str());
    };
    const auto& rows = picker.Rows();
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < rows[r].size(); ++c) {
            if (rows[r][c].empty()) continue;
            const bool current =
                picker.Row() == static_cast<int>(r) && picker.Column() == static_cast<int>(c);
            cell(d.PickerCell(static_cast<int>(r), static_cast<int>(c)), rows[r][c], fonts.Bold(19),
                 19, current, false);
        }
    }
    const auto& commands = picker.Commands();
    for (size_t c = 0; c < commands.size(); ++c) {
        const TLetterPicker::Cell& command = commands[c];
        const bool current =
            picker.Row() == static_cast<int>(rows.size()) && picker.Column() == static_cast<int>(c);
        const bool page_shown =
            command.command == TLetterPicker::Command::Page && command.page == picker.Page();
        cell(d.PickerCell(static_cast<int>(rows.size()), static_cast<int>(c)), command.text,
             fonts.regular, 12, current, !page_shown);
    }
    const TfrmInput::Box area = d.PickerArea();
    const ImVec2 origin = paint.At(0, 0);
    ImGui::SetCursorScreenPos(paint.At(area.left, area.top));
    if (ImGui::InvisibleButton("##picker", ImVec2(F(area.width), F(area.height)))) {
        const ImVec2 mouse = ImGui::GetIO().MousePos;
        d.PickerClick(static_cast<int>(std::floor(mouse.x - origin.x)),
                      static_cast<int>(std::floor(mouse.y - origin.y)));
    }
}

void DrawInput(TfrmInput& d, const DialogFonts& fonts) {
    const ImVec2 origin = BeginDialog(d, d.Width, d.Height);
    DialogPainter paint(fonts, origin);
    paint.Label(d.Label1);

    // The edit box: white, sunken, its text selected until the player types.
    const TEdit& e = d.Edit1;
    ImDrawList* dl = paint.List();
    const ImVec2 a = paint.At(e.Left, e.Top);
    const ImVec2 z = paint.At(e.Left + e.Width, e.Top + e.Height);
    dl->AddRectFilled(a, z, Colour(0xFFFFFF));
    dl->AddRect(a, z, Colour(Frame));
    ImFont* font = fonts.Bold(e.FontSize);
    const float size = F(e.FontSize);
    const ImVec2 text_at(a.x + 4, std::floor(a.y + (F(e.Height) - size) / 2));
    const ImVec4 clip(a.x + 2, a.y + 1, z.x - 2, z.y - 1);
    const std::string before = e.Text.substr(0, d.Caret);
    const float caret_x = text_at.x + TextSize(font, size, before).x;
    if (d.AllSelected && !e.Text.empty()) {
        const float w = TextSize(font, size, e.Text).x;
        dl->AddRectFilled(text_at, ImVec2(text_at.x + w, text_at.y + size), Colour(Accent));
        dl->AddText(font, size, text_at, Colour(0xFFFFFF), e.Text.c_str(), nullptr, 0, &clip);
    } else {
        dl->AddText(font, size, text_at, Colour(0x000000), e.Text.c_str(), nullptr, 0, &clip);
    }
    // What an input method composes stands at the caret, underlined.
    if (!d.Composition.empty()) {
        const float w = TextSize(font, size, d.Composition).x;
        const ImVec2 at(caret_x, text_at.y);
        dl->AddRectFilled(at, ImVec2(at.x + w, at.y + size), Colour(0xFFFFFF));
        dl->AddText(font, size, at, Colour(0x000000), d.Composition.c_str(), nullptr, 0, &clip);
        dl->AddLine(ImVec2(at.x, at.y + size), ImVec2(at.x + w, at.y + size), Colour(0x000000));
    }
    dl->AddLine(ImVec2(caret_x, text_at.y), ImVec2(caret_x, text_at.y + size), Colour(0x000000));
    ImGui::SetCursorScreenPos(a);
    if (ImGui::InvisibleButton("##Edit1", ImVec2(F(e.Width), F(e.Height)))) {
        d.AllSelected = false;
        d.Caret = e.Text.size();
    }
    // The input method's candidates open next to the edit box.
    SetTextInputArea(static_cast<int>(a.x), static_cast<int>(a.y), e.Width, e.Height);

    if (d.Picker) DrawPicker(d, paint, fonts);

    // The OK button carries a green tick before its caption.
    const TButton& ok = d.BitBtn1;
    if (paint.Button(ok, false, fonts.Bold(19), 19)) ok.OnClick();
    const ImVec2 b = paint.At(ok.Left, ok.Top);
    const ImVec2 tick[] = {ImVec2(b.x + 14, b.y + 17), ImVec2(b.x + 19, b.y + 22),
                           ImVec2(b.x + 28, b.y + 11)};
    dl->AddPolyline(tick, 3, Colour(0x008000), 0, 3);
    ImGui::End();
}

void DrawScore(TfrmScore& d, const DialogFonts& fonts) {
    const ImVec2 origin = BeginDialog(d, d.Width, d.Height);
    DialogPainter paint(fonts, origin);
    paint.Label(d.Title);
    for (const TfrmScore::Row& row : d.Rows) {
        paint.Label(row.mNO);
        paint.Label(row.mPlayersName);
        paint.Label(row.mPlayersScore);
    }
    if (paint.Button(d.OKButton, false, fonts.Bold(19), 19)) d.OKButton.OnClick();
    ImGui::End();
}

void DrawMessage(TMessageDialog& d, const DialogFonts& fonts) {
    // A desktop message box: title bar, the text with padding, a row of buttons.
    constexpr int TitleHeight = 22, TitleInset = 8, Padding = 18, ButtonGap = 8;
    ImFont* font = fonts.regular;
    const float size = 12;
    // A long text or title (a file's path in it) is broken into rows that fit the window.
    const float room = std::max(200.0f, ImGui::GetIO().DisplaySize.x - 2 * Padding - 40);
    const auto measure = [&](std::string_view c) { return TextSize(font, size, std::string(c)).x; };
    d.TextRows = WrapLines(d.Text, room, measure);
    d.CaptionRows = WrapLines(d.Caption, room + 2 * Padding - 2 * TitleInset, measure);
    const std::string shown = JoinRows(d.TextRows);
    const std::string title = JoinRows(d.CaptionRows);
    const ImVec2 text = TextSize(font, size, shown);
    const ImVec2 title_text = TextSize(font, size, title);
    const int buttons_width = static_cast<int>(d.ButtonList.size()) * (97 + ButtonGap) - ButtonGap;
    const int width = std::max({static_cast<int>(std::ceil(text.x)) + 2 * Padding,
                                static_cast<int>(std::ceil(title_text.x)) + 2 * TitleInset,
                                buttons_width + 2 * Padding, 240});
    // One row of title sits centred in the designed bar; more rows make the bar taller.
    const int title_height =
        std::max(TitleHeight, static_cast<int>(std::ceil(title_text.y)) + TitleHeight - 12);
    const int text_top = title_height + 14;
    const int buttons_top = text_top + static_cast<int>(std::ceil(text.y)) + 16;
    const int height = buttons_top + 24 + 12;
    d.Width = width;
    d.Height = height;
    const ImVec2 origin = BeginDialog(d, width, height);
    DialogPainter paint(fonts, origin);
    ImDrawList* dl = paint.List();
    dl->AddRectFilled(paint.At(0, 0), paint.At(width, title_height), Colour(Accent));
    dl->AddText(font, size, paint.At(TitleInset, (TitleHeight - 12) / 2), Colour(0xFFFFFF),
                title.c_str());
    dl->AddRect(paint.At(0, 0), paint.At(width, height), Colour(0x696969));
    dl->AddText(font, size, paint.At(Padding, text_top), Colour(0x000000), shown.c_str());
    int left = (width - buttons_width) / 2;
    for (size_t i = 0; i < d.ButtonList.size(); ++i) {
        TButton& b = d.ButtonList[i];
        b.Left = left;
        b.Top = buttons_top;
        left += b.Width + ButtonGap;
        if (paint.Button(b, i == d.Focus, font, size)) {
            d.Focus = i;
            b.OnClick();
        }
    }
    ImGui::End();
}

namespace {

// Opens a page and draws its frame: the title bar with its title in the regular 12-pixel
// font, and the border.
DialogPainter BeginPage(const TModalDialog& d, const DialogFonts& fonts, int title_height,
                        const char* title) {
    DialogPainter paint(fonts, BeginDialog(d, d.Width, d.Height));
    ImDrawList* dl = paint.List();
    dl->AddRectFilled(paint.At(0, 0), paint.At(d.Width, title_height), Colour(Accent));
    dl->AddText(fonts.regular, 12, paint.At(8, (title_height - 12) / 2), Colour(0xFFFFFF), title);
    dl->AddRect(paint.At(0, 0), paint.At(d.Width, d.Height), Colour(0x696969));
    return paint;
}

} // namespace

// The settings page: a title bar, a row per setting, OK and Cancel.
void DrawSettings(TSettingsPage& d, const DialogFonts& fonts) {
    constexpr int CaptionLeft = 16, ControlLeft = 250, ControlRight = 464;
    ImFont* font = fonts.regular;
    constexpr float size = 12;
    DialogPainter paint = BeginPage(d, fonts, TSettingsPage::TitleHeight, Tr(SettingsTitle));
    ImDrawList* dl = paint.List();
    const ImU32 ink = Colour(0x000000);
    for (size_t i = 0; i < SettingsRows.size(); ++i) {
        const SettingsRow& row = SettingsRows[i];
        const int top = TSettingsPage::RowTop(i);
        const int height = TSettingsPage::RowLines(row) * TSettingsPage::RowHeight;
        const int middle = top + height - TSettingsPage::RowHeight / 2; // the controls' line
        ImGui::PushID(static_cast<int>(i));
        dl->AddText(font, size, paint.At(CaptionLeft, top + TSettingsPage::RowHeight / 2 - 6), ink,
                    Tr(row.caption));
        if (d.Focus == i)
            dl->AddRect(paint.At(CaptionLeft - 6, top + 1),
                        paint.At(d.Width - CaptionLeft + 6, top + height - 1), Colour(Accent));
        switch (row.kind) {
        case SettingKind::Slider: {
            const int right = ControlRight - 44; // the percentage stands after the slider
            const float left = paint.At(ControlLeft, 0).x, width = F(right - ControlLeft);
            ImGui::SetCursorScreenPos(paint.At(ControlLeft, top + 4));
            ImGui::InvisibleButton("##slider", ImVec2(width, F(TSettingsPage::RowHeight - 8)));
            if (ImGui::IsItemActive()) {
                const float ratio =
                    std::clamp((ImGui::GetIO().MousePos.x - left) / width, 0.0f, 1.0f);
                d.Focus = i;
                d.Set(row, static_cast<int32_t>(std::lround(ratio * 100)));
            }
            const float x = left + width * F(d.Value(row)) / 100.0f;
            dl->AddRectFilled(paint.At(ControlLeft, middle - 2), paint.At(right, middle + 2),
                              Colour(0xC8C8C8));
            dl->AddRectFilled(paint.At(ControlLeft, middle - 2),
                              ImVec2(x, paint.At(0, middle + 2).y), Colour(Accent));
            dl->AddRectFilled(ImVec2(std::floor(x) - 4, paint.At(0, middle - 8).y),
                              ImVec2(std::floor(x) + 4, paint.At(0, middle + 8).y),
                              Colour(0xE1E1E1));
            dl->AddRect(ImVec2(std::floor(x) - 4, paint.At(0, middle - 8).y),
                        ImVec2(std::floor(x) + 4, paint.At(0, middle + 8).y), Colour(0x696969));
            const std::string percent = std::to_string(d.Value(row)) + " %";
            dl->AddText(font, size, paint.At(right + 8, middle - 6), ink, percent.c_str());
            break;
        }
        case SettingKind::Check: {
            ImGui::SetCursorScreenPos(paint.At(ControlLeft, middle - 9));
            bool on = d.On(row);
            if (ImGui::Checkbox("##check", &on)) {
                d.Focus = i;
                d.Toggle(row);
            }
            break;
        }
        case SettingKind::Choice: {
            int left = row.choices_below ? CaptionLeft + 12 : ControlLeft;
            const size_t count = ChoiceCount(row);
            const std::string other = std::to_string(d.Value(row));
            const bool shown_as_number = !ChoiceOf(row, d.Value(row));
            for (size_t c = 0; c < count + (shown_as_number ? 1 : 0); ++c) {
                ImGui::SetCursorScreenPos(paint.At(left, middle - 9));
                ImGui::PushID(static_cast<int>(c));
                const bool own = c < count;
                const char* text = own ? Tr(row.choices[c]) : other.c_str();
                if (ImGui::RadioButton(text, !own || d.Value(row) == ChoiceValue(row, c)) && own) {
                    d.Focus = i;
                    d.Set(row, ChoiceValue(row, c));
                }
                ImGui::PopID();
                left += static_cast<int>(ImGui::GetItemRectSize().x) + 12;
            }
            break;
        }
        }
        ImGui::PopID();
    }
    const size_t ok = SettingsRows.size();
    d.CancelButton.Caption = Tr(CancelCaption);
    if (paint.Button(d.OKButton, d.Focus == ok, font, size)) d.OKButton.OnClick();
    if (paint.Button(d.CancelButton, d.Focus == ok + 1, font, size)) d.CancelButton.OnClick();
    d.ControlsButton.Caption = Tr(ControlsCaption);
    if (paint.Button(d.ControlsButton, d.Focus == ok + 2, font, size)) d.ControlsWanted = true;
    ImGui::End();
}

// The controls page: a title bar, column heads, a row per input with its slots, the
// status line, Reset on the left and OK and Cancel on the right.
void DrawControls(TControlsPage& d, const DialogFonts& fonts) {
    ImFont* font = fonts.regular;
    constexpr float size = 12;
    constexpr uint32_t ConflictInk = 0xC42B1C;
    DialogPainter paint = BeginPage(d, fonts, TControlsPage::TitleHeight, Tr(ControlsTitle));
    ImDrawList* dl = paint.List();
    const ImU32 ink = Colour(0x000000);
    const int head = TControlsPage::HeaderTop;
    dl->AddText(font, size, paint.At(TControlsPage::NameLeft, head), Colour(0x505050),
                Tr(InputHeader));
    for (size_t slot = 0; slot < KeySlots; ++slot) {
        const std::string text = std::string(Tr(KeysHeader)) + " " + std::to_string(slot + 1);
        dl->AddText(font, size, paint.At(d.SlotLeft(slot) + 4, head), Colour(0x505050),
                    text.c_str());
    }
    dl->AddText(font, size, paint.At(d.SlotLeft(PadSlot) + 4, head), Colour(0x505050),
                Tr(PadHeader));
    for (size_t row = 0; row < BindableInputs.size(); ++row) {
        const int top = TControlsPage::RowsTop + static_cast<int>(row) * TControlsPage::RowHeight;
        dl->AddText(font, size, paint.At(TControlsPage::NameLeft, top + 5), ink,
                    Tr(BindableInputs[row].caption));
        const Binding& b = d.Shown[row];
        for (size_t slot = 0; slot < SlotCount; ++slot) {
            const int left = d.SlotLeft(slot);
            const ImVec2 a = paint.At(left, top + 2);
            const ImVec2 z =
                paint.At(left + TControlsPage::SlotWidth, top + TControlsPage::RowHeight - 2);
            ImGui::SetCursorScreenPos(a);
            ImGui::PushID(static_cast<int>(row * SlotCount + slot));
            if (ImGui::InvisibleButton("##slot", ImVec2(z.x - a.x, z.y - a.y)))
                d.StartWaiting(row, slot);
            ImGui::PopID();
            const bool focused = d.Row == row && d.Column == slot;
            const bool waiting = focused && d.Waiting;
            const bool conflict = d.InConflict(row, slot);
            dl->AddRectFilled(a, z, Colour(waiting ? 0xFFF4C8 : conflict ? 0xFDE7E9 : 0xFFFFFF));
            dl->AddRect(a, z, Colour(conflict ? ConflictInk : Frame), 0, 0, conflict ? 2.0f : 1.0f);
            if (focused)
                dl->AddRect(ImVec2(a.x - 2, a.y - 2), ImVec2(z.x + 2, z.y + 2), Colour(Accent), 0,
                            0, 2);
            const std::string name = waiting           ? "…"
                                     : slot == PadSlot ? PadButtonName(b.pad)
                                                       : KeyName(b.keys[slot]);
            const ImVec4 clip(a.x + 2, a.y, z.x - 2, z.y);
            dl->AddText(font, size, ImVec2(a.x + 5, a.y + 4), conflict ? Colour(ConflictInk) : ink,
                        name.c_str(), nullptr, 0, &clip);
        }
    }
    const std::string status = d.Status();
    const int status_top = d.StatusTop() + 6;
    dl->AddText(font, size, paint.At(TControlsPage::NameLeft, status_top), ink, status.c_str());
    d.ResetButton.Caption = Tr(ResetCaption);
    d.CancelButton.Caption = Tr(CancelCaption);
    TButton* buttons[] = {&d.ResetButton, &d.OKButton, &d.CancelButton};
    for (size_t i = 0; i < 3; ++i)
        if (paint.Button(*buttons[i], d.Row == TControlsPage::ButtonRow && d.Column == i, font,
                         size))
            buttons[i]->OnClick();
    ImGui::End();
}

} // namespace

ImFont* DialogFonts::Bold(int pixels) const {
    size_t best = 0;
    for (size_t i = 1; i < BoldSizes.size(); ++i)
        if (std::abs(BoldSizes[i] - pixels) < std::abs(BoldSizes[best] - pixels)) best = i;
    return bold[best] != nullptr ? bold[best] : regular;
}

void DrawModalDialog(TModalDialog& dialog, const DialogFonts& fonts) {
    if (auto* input = dynamic_cast<TfrmInput*>(&dialog)) {
        Blocker(false);
        DrawInput(*input, fonts);
    } else if (auto* score = dynamic_cast<TfrmScore*>(&dialog)) {
        Blocker(false);
        DrawScore(*score, fonts);
    } else if (auto* box = dynamic_cast<TMessageDialog*>(&dialog)) {
        Blocker(true);
        DrawMessage(*box, fonts);
    } else if (auto* page = dynamic_cast<TSettingsPage*>(&dialog)) {
        Blocker(true);
        DrawSettings(*page, fonts);
    } else if (auto* controls = dynamic_cast<TControlsPage*>(&dialog)) {
        Blocker(true);
        DrawControls(*controls, fonts);
    }
}
