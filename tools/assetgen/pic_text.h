// Styled captions: bold, outlined, shadowed, gradient-filled text on a layer.
#pragma once

#include <functional>
#include <string>

#include "tools/assetgen/pic_font.h"
#include "tools/assetgen/pic_raster.h"

namespace assetgen {

struct TextStyle {
    float size = 24;     // em height in pixels
    float tracking = 0;  // extra pixels between letters
    float max_width = 0; // when set, the size shrinks until the line fits this width
    float bold = 0;      // the letters grow by this many pixels on every side
    float outline = 0;   // outline width around the grown letters
    Rgb outline_colour;
    int shadow_dx = 0; // drop shadow of the outlined shape
    int shadow_dy = 0;
    float shadow_opacity = 0;
    Rgb shadow_colour;
    int glow_radius = 0; // soft halo around the outlined shape
    float glow_opacity = 0;
    Rgb glow_colour;
    // Fill colour at (u, v) within the letters' ink box, both 0..1, v from the top.
    std::function<Rgb(float u, float v)> fill = [](float, float) { return Rgb{1, 1, 1}; };
};

// Where a drawn line of text ended up, in layer pixels.
struct TextBox {
    float left = 0, top = 0, right = 0, bottom = 0;
};

// Draws one line centred on x = centre_x with its baseline at baseline_y.
TextBox DrawText(Layer& layer, const Font& font, const std::string& text, const TextStyle& style,
                 float centre_x, float baseline_y);
// Draws one line centred on (centre_x, centre_y): capital letters are centred vertically.
TextBox DrawTextMiddle(Layer& layer, const Font& font, const std::string& text,
                       const TextStyle& style, float centre_x, float centre_y);
// The style with its size reduced to fit max_width (if set).
TextStyle Fitted(const Font& font, const std::string& text, const TextStyle& style);
// The pen advance of a line of text in pixels.
float TextWidth(const Font& font, const std::string& text, float size, float tracking);
// The ink height of capital letters at the given em size (to centre captions).
float CapHeight(const Font& font, float size);

} // namespace assetgen
