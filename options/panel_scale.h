// The panel's UI scale: the options panel, the settings page and every dialog are drawn at
// a whole-number scale, with their fonts rasterised at that size. It is the largest at
// which the panel's window fits the desktop's usable area, and at least 1 (the designed
// picture). TOptionsPanel::Scale holds the one in use; every page and dialog the panel
// draws reads it there.
#pragma once

#include <algorithm>

#include "media/display.h"

constexpr int PanelScaleFor(int usable_width, int usable_height) {
    return std::max(
        1, std::min(usable_width / TDXDraw::DesignWidth, usable_height / TDXDraw::DesignHeight));
}
