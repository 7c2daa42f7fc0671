#include "tools/assetgen/pic_text.h"

#include <algorithm>
#include <cmath>

namespace assetgen {
namespace {

// Text is shaped at four times the final size, so growing and outlining stay smooth.
constexpr int Super = 4;

// Pads a mask to a multiple of Super in both directions.
Mask PadToMultiple(const Mask& mask) {
    const int w = (mask.width + Super - 1) / Super * Super;
    const int h = (mask.height + Super - 1) / Super * Super;
    Mask out(w, h);
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x) out.at(x, y) = mask.at(x, y);
    return out;
}

} // namespace

float CapHeight(const Font& font, float size) {
    const TextMask m = font.Render("H", size * Super);
    return (m.ink_bottom - m.ink_top + 1) / static_cast<float>(Super);
}

float TextWidth(const Font& font, const std::string& text, float size, float tracking) {
    return font.Render(text, size * Super, tracking * Super).advance / Super;
}

TextStyle Fitted(const Font& font, const std::string& text, const TextStyle& requested) {
    TextStyle style = requested;
    if (style.max_width <= 0) return style;
    const float width =
        TextWidth(font, text, style.size, style.tracking) + 2 * (style.bold + style.outline);
    if (width > style.max_width) {
        const float k = style.max_width / width;
        style.size *= k;
        style.tracking *= k;
        style.bold *= k;
    }
    style.max_width = 0;
    return style;
}

TextBox DrawTextMiddle(Layer& layer, const Font& font, const std::string& text,
                       const TextStyle& requested, float centre_x, float centre_y) {
    const TextStyle style = Fitted(font, text, requested);
    return DrawText(layer, font, text, style, centre_x,
                    centre_y + CapHeight(font, style.size) / 2.0f);
}

TextBox DrawText(Layer& layer, const Font& font, const std::string& text,
                 const TextStyle& requested, float centre_x, float baseline_y) {
    const TextStyle style = Fitted(font, text, requested);
    const float reach =
        style.bold + style.outline + static_cast<float>(style.glow_radius) * 3.0f +
        static_cast<float>(std::max(std::abs(style.shadow_dx), std::abs(style.shadow_dy)));
    const int margin = (static_cast<int>(std::ceil(reach)) + 2) * Super;
    const TextMask shaped = font.Render(text, style.size * Super, style.tracking * Super, margin);
    const Mask big = PadToMultiple(shaped.mask);
    const std::vector<float> distance = DistanceOutside(big);
    const Mask fill = Downsample(Grow(big, distance, style.bold * Super), Super);
    const Mask outer = Downsample(Grow(big, distance, (style.bold + style.outline) * Super), Super);

    // Whole-pixel placement: the pen start goes to centre_x - advance / 2.
    const float advance = shaped.advance / Super;
    const int ox = static_cast<int>(std::lround(centre_x - advance / 2 - shaped.left / Super));
    const int oy = static_cast<int>(std::lround(baseline_y - shaped.baseline / Super));

    // Ink box of the filled letters, for the gradient.
    int x0 = fill.width, y0 = fill.height, x1 = 0, y1 = 0;
    for (int y = 0; y < fill.height; ++y)
        for (int x = 0; x < fill.width; ++x)
            if (fill.at(x, y) > 0.0f) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
    const float fw = static_cast<float>(std::max(1, x1 - x0));
    const float fh = static_cast<float>(std::max(1, y1 - y0));

    if (style.glow_radius > 0 && style.glow_opacity > 0) {
        const Mask glow = Blur(outer, style.glow_radius);
        layer.PaintMask(
            glow, ox, oy, [&](int, int) { return style.glow_colour; }, style.glow_opacity);
    }
    if (style.shadow_opacity > 0) {
        const Mask shadow = Shift(outer, style.shadow_dx, style.shadow_dy);
        layer.PaintMask(
            shadow, ox, oy, [&](int, int) { return style.shadow_colour; }, style.shadow_opacity);
    }
    if (style.outline > 0)
        layer.PaintMask(outer, ox, oy, [&](int, int) { return style.outline_colour; });
    layer.PaintMask(fill, ox, oy, [&](int x, int y) {
        const float u = std::clamp(static_cast<float>(x - ox - x0) / fw, 0.0f, 1.0f);
        const float v = std::clamp(static_cast<float>(y - oy - y0) / fh, 0.0f, 1.0f);
        return style.fill(u, v);
    });
    return {static_cast<float>(ox + x0), static_cast<float>(oy + y0), static_cast<float>(ox + x1),
            static_cast<float>(oy + y1)};
}

} // namespace assetgen
