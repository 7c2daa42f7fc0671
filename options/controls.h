// The controls of the options panel as plain data: what they show and hold. The panel
// draws them; the game start reads them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TControl {
    std::string Name;
    std::string Caption;
    int Left = 0, Top = 0, Width = 0, Height = 0;
    bool Enabled = true;
    bool Visible = true;
    bool TabStop = true;
};

// Names a control, gives its caption and sets its bounds, as a form's design does.
inline void Place(TControl& c, const char* name, const char* caption, int left, int top, int width,
                  int height) {
    c.Name = name;
    c.Caption = caption;
    c.Left = left;
    c.Top = top;
    c.Width = width;
    c.Height = height;
}

struct TGroupBox : TControl {};

struct TRadioButton : TControl {
    bool Checked = false;
    const TGroupBox* Group = nullptr; // checking one unchecks the others of its group
};

struct TCheckBox : TControl {
    bool Checked = false;
};

struct TTrackBar : TControl {
    int Min = 0, Max = 5;
    int Position() const { return position_; }
    void SetPosition(int value) { position_ = value < Min ? Min : (value > Max ? Max : value); }

private:
    int position_ = 0;
};

struct TButton : TControl {
    bool Default = false; // Enter presses it
    bool Cancel = false;  // Escape presses it
    std::function<void()> OnClick;
};

struct TLabel : TControl {
    int FontSize = 12;
    bool Bold = false;
    bool Centred = false;
    bool RightAligned = false;
    uint32_t FontColor = 0x000000; // 0xRRGGBB
};

struct TEdit : TControl {
    std::string Text;
    int FontSize = 12;
    bool Bold = false;
};

struct TMemo : TControl {
    std::vector<std::string> Lines;
    bool ReadOnly = true;
};
