// Drawing the modal dialogs with Dear ImGui, inside the options panel's UI context.
// Used only by the panel's drawing code.
#pragma once

#include <imgui.h>

#include <array>

class TModalDialog;

struct DialogFonts {
    ImFont* regular = nullptr; // 12 px, the message boxes
    // Bold fonts at the pixel sizes the designed forms use.
    static constexpr std::array<int, 4> BoldSizes = {19, 24, 29, 37};
    std::array<ImFont*, 4> bold{};
    // The bold font of a size (the nearest one built).
    ImFont* Bold(int pixels) const;
};

// Draws the dialog centred in the window over whatever was drawn before, keeping the
// mouse from everything under it. Its buttons act at once (they only close it).
void DrawModalDialog(TModalDialog& dialog, const DialogFonts& fonts);
