// The options panel shown before the game: option groups, the memo with option.txt, and
// the START, HELP, record and EXIT buttons, drawn inside the game window.
#pragma once

#include <string>
#include <vector>

#include "options/controls.h"

union SDL_Event;
class TWindow;

class TOptionsPanel {
public:
    TOptionsPanel(); // every control at its designed place with its designed default
    ~TOptionsPanel();
    TOptionsPanel(const TOptionsPanel&) = delete;
    TOptionsPanel& operator=(const TOptionsPanel&) = delete;

    bool Visible = true;

    TGroupBox LightGroup, AlphaGroup, TextureGroup, ControlGroup, MonitorGroup, BackGroup,
        CameraGroup, DifficultyGroup, HighScoreGroup, TimeAttackGroup, BonusGroup;
    TRadioButton RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5,
        RadioButton6, RadioButton7, RadioButton8, RadioButton9, RadioButton10, RadioButton11,
        RadioButton12, RadioButton13, RadioButton14, RadioButton15, RadioButton16,
        RadioButton17, RadioButton18, RadioButton19, RadioButton20, RadioButton21;
    TCheckBox CheckBox2, CheckBox4;
    TTrackBar TrackBar1;
    TMemo Memo1;
    TButton Button1, Button2, Button3, Button4, Button5, Button6, Button7;
    TLabel Label1, Label2, Label3, Label4;

    // Controls by name, for the replay tool; null for an unknown name.
    TRadioButton* FindRadioButton(const std::string& name);
    TCheckBox* FindCheckBox(const std::string& name);
    TButton* FindButton(const std::string& name);
    // Checks a radio button the way a click does (its group's others are unchecked).
    void Check(TRadioButton& button);

    // ImGui set-up on the window, event feeding and one drawn frame.
    void Attach(TWindow& window);
    void Detach();
    bool HandleEvent(const SDL_Event& event);
    void Draw();

private:
    std::vector<TRadioButton*> radio_buttons_;
    TWindow* window_ = nullptr;
};
