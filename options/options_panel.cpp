#include "options/options_panel.h"

TOptionsPanel::TOptionsPanel() {
    Button1.Name = "Button1";
    Button2.Name = "Button2";
}
TOptionsPanel::~TOptionsPanel() = default;
TRadioButton* TOptionsPanel::FindRadioButton(const std::string&) { return nullptr; }
TCheckBox* TOptionsPanel::FindCheckBox(const std::string&) { return nullptr; }
TButton* TOptionsPanel::FindButton(const std::string& name) {
    if (name == "Button1") return &Button1;
    if (name == "Button2") return &Button2;
    return nullptr;
}
void TOptionsPanel::Check(TRadioButton& button) { button.Checked = true; }
void TOptionsPanel::Attach(TWindow& window) { window_ = &window; }
void TOptionsPanel::Detach() { window_ = nullptr; }
bool TOptionsPanel::HandleEvent(const SDL_Event&) { return false; }
void TOptionsPanel::Draw() {}
