// The options panel as designed: every control's place, caption and default, lookup by
// name, and keyboard use as on a desktop form. Drawing is in panel_draw.cpp.
#include "options/options_panel.h"

#include <algorithm>
#include <cctype>

#include "game/version.h"
#include "media/events.h"
#include "media/language.h"
#include "options/dialogs.h"
#include "options/option_table.h"

namespace {

// Radio buttons and check boxes stand one under the other inside their group box.
void PlaceChoice(TControl& c, const char* name, const char* caption, const TGroupBox& group,
                 int top) {
    Place(c, name, caption, group.Left + 8, top, group.Width - 16, 17);
}

// The slider's end labels: the near one starts at the left, the far one ends at the right;
// the slider fills what lies between them.
constexpr int TrackNearLeft = 304;
constexpr int TrackFarRight = 460;
constexpr int TrackLabelWidth = 12; // one character
constexpr int TrackLabelGap = 2;

} // namespace

TOptionsPanel::TOptionsPanel() {
    PlaceControls();

    // The bonus modes: below the visible area, and never tabbed to.
    RadioButton13.TabStop = RadioButton14.TabStop = false;

    const std::pair<TGroupBox*, std::vector<TRadioButton*>> groups[] = {
        {&LightGroup, {&RadioButton19, &RadioButton20, &RadioButton21}},
        {&CameraGroup, {&RadioButton7, &RadioButton10, &RadioButton8, &RadioButton9}},
        {&ControlGroup, {&RadioButton6, &RadioButton11}},
        {&MonitorGroup, {&RadioButton15, &RadioButton16, &RadioButton17, &RadioButton18}},
        {&DifficultyGroup,
         {&RadioButton2, &RadioButton3, &RadioButton4, &RadioButton5, &RadioButton1,
          &RadioButton12}},
        {&BonusGroup, {&RadioButton13, &RadioButton14}},
    };
    for (const auto& [group, members] : groups) {
        for (TRadioButton* r : members) {
            r->Group = group;
            radio_buttons_.push_back(r);
        }
    }
    check_boxes_ = {&CheckBox2, &CheckBox4};
    buttons_ = {&Button1, &Button2, &Button3, &Button4, &Button5, &Button6, &Button7, &Button8};

    // START first, then the options from left to right, the record buttons, the memo,
    // the settings, HELP and EXIT.
    tab_order_ = {&Button1,       &RadioButton19, &RadioButton20, &RadioButton21, &CheckBox4,
                  &RadioButton7,  &RadioButton10, &RadioButton8,  &RadioButton9,  &CheckBox2,
                  &RadioButton6,  &RadioButton11, &RadioButton15, &RadioButton16, &RadioButton17,
                  &RadioButton18, &TrackBar1,     &RadioButton2,  &RadioButton3,  &RadioButton4,
                  &RadioButton5,  &RadioButton1,  &RadioButton12, &Button4,       &Button5,
                  &Button6,       &Button7,       &Memo1,         &Button8,       &Button3,
                  &Button2,       &RadioButton13, &RadioButton14};
    RestoreDesign();
}

// Every control's place and caption, in the language in use.
void TOptionsPanel::PlaceControls() {
    Place(LightGroup, "GroupBox1", Tr("ライト設定"), 24, 40, 121, 89);
    Place(AlphaGroup, "GroupBox2", "α-Blending", 24, 136, 121, 49);
    Place(TextureGroup, "GroupBox3", Tr("テクスチャ"), 160, 40, 121, 57);
    Place(ControlGroup, "GroupBox4", Tr("操作方式"), 160, 104, 129, 73);
    Place(MonitorGroup, "GroupBox5", Tr("モニタ解像度"), 160, 184, 129, 129);
    Place(BackGroup, "GroupBox6", Tr("背景描画"), 296, 40, 169, 57);
    Place(CameraGroup, "GroupBox7", Tr("カメラ位置"), 24, 192, 121, 121);
    Place(DifficultyGroup, "GroupBox8", Tr("難易度"), 312, 112, 153, 201);
    Place(HighScoreGroup, "GroupBox9", Tr("ハイスコア"), 480, 40, 145, 121);
    Place(TimeAttackGroup, "GroupBox10", Tr("タイムアタック"), 480, 176, 145, 121);
    Place(BonusGroup, "GroupBox11", Tr("謎のおまけモード"), 392, 552, 121, 73);

    PlaceChoice(RadioButton19, "RadioButton19", Tr("完全発光"), LightGroup, 58);
    PlaceChoice(RadioButton20, "RadioButton20", Tr("簡易発光"), LightGroup, 80);
    PlaceChoice(RadioButton21, "RadioButton21", TrIn("lighting", "使用しない"), LightGroup, 102);
    PlaceChoice(CheckBox4, "CheckBox4", Tr("半透明処理"), AlphaGroup, 158);
    PlaceChoice(RadioButton7, "RadioButton7", Tr("自機後方1"), CameraGroup, 212);
    PlaceChoice(RadioButton10, "RadioButton10", Tr("自機後方2"), CameraGroup, 236);
    PlaceChoice(RadioButton8, "RadioButton8", Tr("コクピット"), CameraGroup, 260);
    PlaceChoice(RadioButton9, "RadioButton9", Tr("自機上空"), CameraGroup, 284);
    PlaceChoice(CheckBox2, "CheckBox2", TrIn("textures", "使用しない"), TextureGroup, 64);
    PlaceChoice(RadioButton6, "RadioButton6", Tr("ＶＯＮタイプ"), ControlGroup, 124);
    PlaceChoice(RadioButton11, "RadioButton11", Tr("ＡＣタイプ"), ControlGroup, 148);
    PlaceChoice(RadioButton15, "RadioButton15", "640 * 480", MonitorGroup, 204);
    PlaceChoice(RadioButton16, "RadioButton16", "800 * 600", MonitorGroup, 228);
    PlaceChoice(RadioButton17, "RadioButton17", "1024 * 768", MonitorGroup, 252);
    PlaceChoice(RadioButton18, "RadioButton18", "Window Mode", MonitorGroup, 276);
    // TRANSLATORS: the game's own spelling of "Easy", which it keeps in Japanese.
    PlaceChoice(RadioButton2, "RadioButton2", Tr("Eazy"), DifficultyGroup, 132);
    PlaceChoice(RadioButton3, "RadioButton3", "Normal", DifficultyGroup, 156);
    PlaceChoice(RadioButton4, "RadioButton4", "Hard", DifficultyGroup, 180);
    PlaceChoice(RadioButton5, "RadioButton5", "Very Hard", DifficultyGroup, 204);
    Place(Bevel1, "Bevel1", "", DifficultyGroup.Left + 8, 232, DifficultyGroup.Width - 16, 2);
    PlaceChoice(RadioButton1, "RadioButton1", Tr("練習モード"), DifficultyGroup, 244);
    PlaceChoice(RadioButton12, "RadioButton12", Tr("タイムアタックモード"), DifficultyGroup, 268);
    PlaceChoice(RadioButton13, "RadioButton13", Tr("特殊１"), BonusGroup, 572);
    PlaceChoice(RadioButton14, "RadioButton14", Tr("特殊２"), BonusGroup, 596);

    // TRANSLATORS: the two ends of the draw-distance slider, near and far.
    Place(TrackNearLabel, "Label5", Tr("近"), TrackNearLeft, 66, TrackLabelWidth, 12);
    Place(TrackBar1, "TrackBar1", "", 318, 58, 128, 30);
    Place(TrackFarLabel, "Label6", Tr("遠"), TrackFarRight - TrackLabelWidth, 66, TrackLabelWidth,
          12);

    // TRANSLATORS: "&" marks the button's Alt letter; the letters of the seven panel
    // buttons differ (S, H and E are START, HELP and EXIT).
    Place(Button4, "Button4", Tr("ハイスコア(&P)"), 496, 64, 113, 33);
    Place(Button5, "Button5", Tr("クリア(&C)"), 496, 112, 113, 33);
    Place(Button6, "Button6", Tr("Ｔｏｐ１０(&T)"), 496, 200, 113, 33);
    Place(Button7, "Button7", Tr("クリア(&D)"), 496, 248, 113, 33);
    Place(Button1, "Button1", "&START", 528, 320, 97, 33);
    Place(Button3, "Button3", "&HELP", 528, 368, 97, 33);
    Place(Button2, "Button2", "&EXIT", 528, 416, 97, 33);
    // Beyond the design: the settings page, beside START.
    Place(Button8, "Button8", Tr("設定…(&G)"), 400, 320, 113, 33);
    Button1.Default = true;
    Button2.Cancel = true;

    Place(Memo1, "Memo1", "", 24, 328, 353, 129);
    Place(Label1, "Label1", Tr("ゲームオプション設定"), 224, 8, 0, 16);
    Label1.FontSize = 16;
    Label1.Bold = true;
    Place(Label2, "Label2", "Brannock ", 416, 360, 88, 16);
    Label2.FontSize = 16;
    Label2.Bold = true;
    Label2.Centred = true;
    // TRANSLATORS: the panel's version line; the designed text has no space.
    Place(Label4, "Label4", Format(Tr("Version%s"), GameVersion().c_str()).c_str(), 424, 384, 72,
          12);
    Label4.Centred = true;
    Place(Label3, "Label3", Tr("ESCキーで終了します"), 392, 424, 0, 12);
}

void TOptionsPanel::RestoreDesign() {
    // The designed defaults are the option table's.
    ShowDefaults(*this);
    // The bonus modes: locked until the play count opens them.
    RadioButton13.Enabled = RadioButton14.Enabled = false;
    focus_ = 0;
    space_pressed_ = nullptr;
    PendingMemoScroll = 0;
    Memo1.Lines.clear();
}

void TOptionsPanel::FitTrackBarToLabels(const std::function<int(const std::string&)>& text_width) {
    TrackNearLabel.Width = std::max(TrackLabelWidth, text_width(TrackNearLabel.Caption));
    TrackFarLabel.Width = std::max(TrackLabelWidth, text_width(TrackFarLabel.Caption));
    TrackFarLabel.Left = TrackFarRight - TrackFarLabel.Width;
    TrackBar1.Left = TrackNearLabel.Left + TrackNearLabel.Width + TrackLabelGap;
    TrackBar1.Width = TrackFarLabel.Left - TrackLabelGap - TrackBar1.Left;
}

std::vector<const TControl*> TOptionsPanel::CaptionedControls() const {
    std::vector<const TControl*> controls = {
        &LightGroup, &AlphaGroup,     &TextureGroup,    &ControlGroup,   &MonitorGroup,
        &BackGroup,  &CameraGroup,    &DifficultyGroup, &HighScoreGroup, &TimeAttackGroup,
        &BonusGroup, &TrackNearLabel, &TrackFarLabel,   &Label1,         &Label2,
        &Label3,     &Label4};
    controls.insert(controls.end(), radio_buttons_.begin(), radio_buttons_.end());
    controls.insert(controls.end(), check_boxes_.begin(), check_boxes_.end());
    controls.insert(controls.end(), buttons_.begin(), buttons_.end());
    return controls;
}

TRadioButton* TOptionsPanel::FindRadioButton(const std::string& name) {
    for (TRadioButton* r : radio_buttons_)
        if (r->Name == name) return r;
    return nullptr;
}

TCheckBox* TOptionsPanel::FindCheckBox(const std::string& name) {
    for (TCheckBox* c : check_boxes_)
        if (c->Name == name) return c;
    return nullptr;
}

TButton* TOptionsPanel::FindButton(const std::string& name) {
    for (TButton* b : buttons_)
        if (b->Name == name) return b;
    return nullptr;
}

TTrackBar* TOptionsPanel::FindTrackBar(const std::string& name) {
    return name == TrackBar1.Name ? &TrackBar1 : nullptr;
}

void TOptionsPanel::Check(TRadioButton& button) {
    for (TRadioButton* r : radio_buttons_)
        if (r != &button && button.Group != nullptr && r->Group == button.Group) r->Checked = false;
    button.Checked = true;
}

void TOptionsPanel::Click(TButton& button) {
    if (button.OnClick) button.OnClick();
}

std::vector<TRadioButton*> TOptionsPanel::GroupMembers(const TGroupBox& group) const {
    std::vector<TRadioButton*> members;
    for (TRadioButton* r : radio_buttons_)
        if (r->Group == &group) members.push_back(r);
    return members;
}

TControl* TOptionsPanel::Focused() const {
    return tab_order_[focus_];
}

void TOptionsPanel::SetFocus(TControl& control) {
    for (size_t i = 0; i < tab_order_.size(); ++i)
        if (tab_order_[i] == &control) focus_ = i;
}

TButton* TOptionsPanel::ButtonOf(TControl* control) {
    for (TButton* b : buttons_)
        if (b == control) return b;
    return nullptr;
}

TRadioButton* TOptionsPanel::RadioOf(TControl* control) {
    for (TRadioButton* r : radio_buttons_)
        if (r == control) return r;
    return nullptr;
}

bool TOptionsPanel::CanFocus(const TControl& control) const {
    if (!control.Enabled || !control.Visible || !control.TabStop) return false;
    for (TRadioButton* r : radio_buttons_) {
        if (r != &control) continue;
        // A radio group is one tab stop: its checked button, or its first usable one
        // while none is checked.
        if (r->Checked) return true;
        const std::vector<TRadioButton*> members = GroupMembers(*r->Group);
        for (TRadioButton* other : members)
            if (other->Checked) return false;
        for (TRadioButton* other : members)
            if (other->Enabled && other->Visible) return other == r;
        return false;
    }
    return true;
}

void TOptionsPanel::MoveFocus(bool forward) {
    const size_t n = tab_order_.size();
    for (size_t step = 1; step < n; ++step) {
        const size_t i = forward ? (focus_ + step) % n : (focus_ + n - step) % n;
        if (CanFocus(*tab_order_[i])) {
            focus_ = i;
            return;
        }
    }
}

bool TOptionsPanel::MoveInGroup(TRadioButton& from, bool forward) {
    if (from.Group == nullptr) return false;
    const std::vector<TRadioButton*> members = GroupMembers(*from.Group);
    const size_t n = members.size();
    size_t at = 0;
    while (at < n && members[at] != &from) ++at;
    for (size_t step = 1; step < n; ++step) {
        TRadioButton* next = members[forward ? (at + step) % n : (at + n - step) % n];
        if (next->Enabled && next->Visible) {
            Check(*next);
            SetFocus(*next);
            return true;
        }
    }
    return false;
}

bool TOptionsPanel::KeyDown(int key, bool shift, bool alt) {
    if (!Message.empty()) {
        // The error box is modal: Enter, Space or Escape confirms it, other keys wait.
        if (key == key_code::Enter || key == key_code::Space || key == key_code::Escape)
            Message.clear();
        space_pressed_ = nullptr;
        return true;
    }
    if (alt) {
        if (IsLetterOrDigitKey(key)) {
            for (TButton* b : buttons_) {
                if (b->Enabled && b->Visible && AcceleratorOf(b->Caption) == key) {
                    SetFocus(*b);
                    Click(*b);
                    return true;
                }
            }
        }
        return false;
    }
    TControl* focused = Focused();
    const bool back = key == key_code::Up || key == key_code::Left;
    const bool ahead = key == key_code::Down || key == key_code::Right;
    switch (key) {
    case key_code::Tab:
        MoveFocus(!shift);
        return true;
    case key_code::Enter:
        if (TButton* b = ButtonOf(focused)) {
            Click(*b);
            return true;
        }
        for (TButton* b : buttons_) {
            if (b->Default && b->Enabled && b->Visible) {
                Click(*b);
                return true;
            }
        }
        return false;
    case key_code::Escape:
        for (TButton* b : buttons_) {
            if (b->Cancel && b->Enabled && b->Visible) {
                Click(*b);
                return true;
            }
        }
        return false;
    case key_code::Space:
        // A push button goes down with Space and clicks when it comes up again.
        if (TButton* b = ButtonOf(focused)) space_pressed_ = b;
        if (focused == &CheckBox2 || focused == &CheckBox4) {
            auto* box = static_cast<TCheckBox*>(focused);
            box->Checked = !box->Checked;
        }
        if (TRadioButton* r = RadioOf(focused)) Check(*r);
        return true;
    default:
        break;
    }
    if (focused == &TrackBar1) {
        int position = TrackBar1.Position();
        if (back || key == key_code::PageUp) --position;
        if (ahead || key == key_code::PageDown) ++position;
        if (key == key_code::Home) position = TrackBar1.Min;
        if (key == key_code::End) position = TrackBar1.Max;
        TrackBar1.SetPosition(position);
        return back || ahead || key == key_code::PageUp || key == key_code::PageDown ||
               key == key_code::Home || key == key_code::End;
    }
    if (focused == &Memo1) {
        constexpr int PageLines = 8;
        if (key == key_code::Up) PendingMemoScroll -= 1;
        if (key == key_code::Down) PendingMemoScroll += 1;
        if (key == key_code::PageUp) PendingMemoScroll -= PageLines;
        if (key == key_code::PageDown) PendingMemoScroll += PageLines;
        return key == key_code::Up || key == key_code::Down || key == key_code::PageUp ||
               key == key_code::PageDown;
    }
    if (!back && !ahead) return false;
    if (TRadioButton* r = RadioOf(focused)) return MoveInGroup(*r, ahead);
    MoveFocus(ahead);
    return true;
}

bool TOptionsPanel::KeyUp(int key) {
    if (key != key_code::Space || space_pressed_ == nullptr) return false;
    TButton* pressed = space_pressed_;
    space_pressed_ = nullptr;
    // Moving the focus away while Space is held lets the button go without a click.
    if (Focused() != pressed || !pressed->Enabled || !pressed->Visible || !Message.empty())
        return true;
    Click(*pressed);
    return true;
}

void TOptionsPanel::PadInput(DialogAction action) {
    if (action == DialogAction::None) return;
    if (Modal != nullptr) {
        Modal->PadInput(action);
        return;
    }
    if (!Message.empty()) {
        if (action == DialogAction::Activate || action == DialogAction::Back ||
            action == DialogAction::Start)
            Message.clear();
        return;
    }
    TControl* focused = Focused();
    switch (action) {
    case DialogAction::Up:
    case DialogAction::Down:
        MoveFocus(action == DialogAction::Down);
        break;
    case DialogAction::Left:
    case DialogAction::Right:
        if (focused == &Memo1) {
            constexpr int PageLines = 8;
            PendingMemoScroll += action == DialogAction::Right ? PageLines : -PageLines;
        } else if (RadioOf(focused) != nullptr || focused == &TrackBar1) {
            KeyDown(KeyOfDialogAction(action), false, false);
        } else {
            MoveFocus(action == DialogAction::Right);
        }
        break;
    case DialogAction::Activate:
        KeyDown(key_code::Space, false, false);
        KeyUp(key_code::Space);
        break;
    case DialogAction::Back:
        SetFocus(Button2);
        break;
    case DialogAction::Start:
        SetFocus(Button1);
        Click(Button1);
        break;
    case DialogAction::None:
        break;
    }
}

char AcceleratorOf(const std::string& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i; // "&&" is a plain "&"
            continue;
        }
        const auto c = static_cast<unsigned char>(caption[i + 1]);
        return c < 128 ? static_cast<char>(std::toupper(c)) : 0;
    }
    return 0;
}

std::string CaptionText(const std::string& caption) {
    std::string text;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        text += caption[i];
    }
    return text;
}
