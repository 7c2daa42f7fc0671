// The options panel shown before the game: option groups, the memo with option.txt, and
// the START, HELP, record and EXIT buttons, drawn inside the game window.
//
// Every control's state lives in the plain control data below, and the keyboard works on
// that data too, so the panel is fully usable without a window (tests, the replay tool).
// Attached to a window, it draws with Dear ImGui and takes mouse input there.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "media/display.h"
#include "options/controls.h"
#include "options/pad_actions.h"

struct TEvent;
class TModalDialog;
class TWindow;

class TOptionsPanel {
public:
    TOptionsPanel(); // every control at its designed place with its designed default
    // Every control back to its designed default (the bonus modes locked again), the focus
    // on START: the panel shown again after a game, before bn.ini is read into it.
    void RestoreDesign();
    ~TOptionsPanel();
    TOptionsPanel(const TOptionsPanel&) = delete;
    TOptionsPanel& operator=(const TOptionsPanel&) = delete;

    bool Visible = true;
    // An error shown over the panel until the player confirms it: the error box while the
    // panel is up. Empty when none is shown.
    std::string Message;
    void ShowMessage(const std::string& text) { Message = text; }
    // The dialog shown modally over the window (the panel, or the empty form once the
    // panel is hidden): it takes every key; null when none.
    TModalDialog* Modal = nullptr;
    int Width = TDXDraw::DesignWidth, Height = TDXDraw::DesignHeight; // the form's client area
    // The UI scale (options/panel_scale.h): the panel, the settings page and every dialog
    // are laid out in Width x Height and drawn Scale times as large, fonts rasterised at
    // that size. The window is Scale times the form's client area while the panel shows.
    int Scale = 1;

    TGroupBox LightGroup, AlphaGroup, TextureGroup, ControlGroup, MonitorGroup, BackGroup,
        CameraGroup, DifficultyGroup, HighScoreGroup, TimeAttackGroup, BonusGroup;
    TRadioButton RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5, RadioButton6,
        RadioButton7, RadioButton8, RadioButton9, RadioButton10, RadioButton11, RadioButton12,
        RadioButton13, RadioButton14, RadioButton15, RadioButton16, RadioButton17, RadioButton18,
        RadioButton19, RadioButton20, RadioButton21;
    TCheckBox CheckBox2, CheckBox4;
    TTrackBar TrackBar1;
    TLabel TrackNearLabel, TrackFarLabel; // "近" and "遠" at the track bar's ends
    TControl Bevel1;                      // the rule between the difficulties and the modes
    TMemo Memo1;
    TButton Button1, Button2, Button3, Button4, Button5, Button6, Button7;
    TButton Button8; // beyond the design: "設定…", the settings page
    TLabel Label1, Label2, Label3, Label4;

    // The captions again in the language in use (after the settings page changed it).
    void Recaption();

    // Widens the slider's end labels to their captions (text_width in whole pixels) and
    // fits the slider between them; one-character captions keep the designed places.
    void FitTrackBarToLabels(const std::function<int(const std::string&)>& text_width);

    // Controls by name, for the replay tool; null for an unknown name.
    TRadioButton* FindRadioButton(const std::string& name);
    TCheckBox* FindCheckBox(const std::string& name);
    TButton* FindButton(const std::string& name);
    TTrackBar* FindTrackBar(const std::string& name);
    // Checks a radio button the way a click does (its group's others are unchecked).
    void Check(TRadioButton& button);
    // Presses a button: its OnClick runs. Errors of the handler reach the caller.
    void Click(TButton& button);

    // --- keyboard, as on a desktop form ---
    TControl* Focused() const;
    void SetFocus(TControl& control);
    // The radio buttons of a group box, top to bottom.
    std::vector<TRadioButton*> GroupMembers(const TGroupBox& group) const;
    // Tab, arrows, space, Enter (the default button, or the focused button), Alt with a
    // button's underlined letter. key is a key code (media/events.h). True when the key was
    // used.
    bool KeyDown(int key, bool shift, bool alt);
    // Space coming up over the push button it went down on clicks that button.
    bool KeyUp(int key);
    // --- a game controller (options/pad_actions.h) ---
    // The dialog shown takes it; the error box closes with A, B or Start. On the panel
    // up and down go from one tab stop to the next, left and right choose within a radio
    // group, move the slider or scroll the memo (elsewhere they move on too), A is Space
    // on what has the focus, Start is START, and B takes the focus to EXIT: there is
    // nothing to go back to, and a stray B must not end the program.
    void PadInput(DialogAction action);
    // The push button held down by Space, drawn pressed; null when none.
    const TButton* SpacePressed() const { return space_pressed_; }
    // Lines the memo still has to scroll by keyboard (the drawing applies and clears it).
    int PendingMemoScroll = 0;

    // ImGui set-up on the window, event feeding and one drawn frame.
    void Attach(TWindow& window);
    void Detach();
    bool Attached() const { return gui_ != nullptr; }
    bool HandleEvent(const TEvent& event);
    // Draws one frame; true when it ran a click or the message changed, so the next
    // frame may look different although no event came.
    bool Draw();

    // Every control that can take the focus, in tab order.
    const std::vector<TControl*>& TabOrder() const { return tab_order_; }
    // Every control that shows a caption: the group boxes, radio buttons, check boxes,
    // buttons and labels.
    std::vector<const TControl*> CaptionedControls() const;

private:
    struct Gui;
    struct GuiDeleter {
        void operator()(Gui* gui) const;
    };
    void PlaceControls(); // every control's place and caption
    void DrawPanel();     // the panel's controls, inside a UI frame
    bool CanFocus(const TControl& control) const;
    void MoveFocus(bool forward);
    bool MoveInGroup(TRadioButton& from, bool forward);
    TButton* ButtonOf(TControl* control);
    TRadioButton* RadioOf(TControl* control);

    std::vector<TRadioButton*> radio_buttons_;
    std::vector<TCheckBox*> check_boxes_;
    std::vector<TButton*> buttons_;
    std::vector<TControl*> tab_order_;
    size_t focus_ = 0;
    TButton* space_pressed_ = nullptr;
    std::unique_ptr<Gui, GuiDeleter> gui_;
};

// The letter after "&" in a caption (upper case), or 0 when there is none.
char AcceleratorOf(const std::string& caption);
// The caption without its "&" marks ("&&" stays one "&").
std::string CaptionText(const std::string& caption);
