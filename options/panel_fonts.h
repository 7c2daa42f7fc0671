// The options panel's fonts, built into the current ImGui context's font atlas: the Japanese
// system font at the panel's sizes and the dialogs' bold sizes.
#pragma once

#include <imgui.h>

#include "options/dialog_draw.h"

inline constexpr const char* PanelFontFile = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf";
inline constexpr float PanelFontSize = 12.0f;
inline constexpr float PanelBoldFontSize = 16.0f;

// Builds the atlas afresh with the glyphs in `ranges` (kept alive by the caller while the
// atlas lives), every font rasterised at `scale` times its size and drawn at its size
// (io.FontGlobalScale), for a frame drawn `scale` times as large. When the font file cannot be read
// it says so on stderr and every font is ImGui's default one. The atlas keeps no copy of the font
// file once built.
void BuildPanelFonts(const ImVector<ImWchar>& ranges, ImFont*& regular, ImFont*& bold,
                     DialogFonts& dialog, const char* font_file = PanelFontFile, int scale = 1);
