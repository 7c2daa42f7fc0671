// The caption pictures: game over / stage clear, and the three credit captions.
#include <algorithm>
#include <cmath>

#include "tools/assetgen/pic_items.h"
#include "tools/assetgen/pic_quantize.h"
#include "tools/assetgen/pic_text.h"

namespace assetgen {
namespace {

// A chrome fill in stepped bands: bright sky, a dark horizon line just below the middle,
// then a warm ground. Steps rather than a smooth ramp, so 16 colours hold it cleanly.
std::function<Rgb(float, float)> Chrome(uint32_t sky_top, uint32_t sky, uint32_t horizon,
                                        uint32_t ground, uint32_t ground_low) {
    return [=](float, float v) {
        if (v < 0.22f) return FromHex(sky_top);
        if (v < 0.50f) return FromHex(sky);
        if (v < 0.60f) return FromHex(horizon);
        if (v < 0.80f) return FromHex(ground);
        return FromHex(ground_low);
    };
}

TextStyle CaptionStyle(float size) {
    TextStyle s;
    s.size = size;
    s.tracking = size * 0.08f;
    s.bold = size * 0.035f;
    s.outline = 2.5f;
    s.outline_colour = FromHex(0x180C10);
    s.shadow_dx = 3;
    s.shadow_dy = 3;
    s.shadow_opacity = 1.0f;
    s.shadow_colour = FromHex(0x180C10);
    s.max_width = 360;
    return s;
}

Picture Finish(const Layer& layer, const picture::Design& design) {
    QuantizeOptions options;
    options.key = design.transparent_color;
    options.colours = 16;
    options.alpha_threshold = 0.5f;
    options.matte = FromHex(0x180C10);
    return Quantize(layer, options);
}

} // namespace

Picture MakeCaptions(const Font& font) {
    // Game over above stage clear.
    constexpr const picture::Design& design = ItemDesign(picture::GameOver);
    constexpr int w = design.pattern_width, h = design.pattern_height;
    Layer layer(w, 2 * h);
    TextStyle over = CaptionStyle(54);
    over.max_width = 470;
    over.fill = Chrome(0xFFE0D0, 0xFF6848, 0x6A0A10, 0xD02418, 0xFF8A50);
    DrawTextMiddle(layer, font, "GAME OVER", over, w / 2, 29);

    TextStyle clear = CaptionStyle(50);
    clear.max_width = 470;
    clear.fill = Chrome(0xFFFFE8, 0xFFD84A, 0x6A4200, 0xE09A10, 0xFFE07A);
    DrawTextMiddle(layer, font, "STAGE CLEAR", clear, w / 2, h + 29);
    return Finish(layer, design);
}

Picture MakeCredits(const Font& font, CreditWords words) {
    const bool english = words == CreditWords::English;
    constexpr const picture::Design& design = ItemDesign(picture::EndingCaptions);
    static_assert(ItemDesign(picture::EndingCaptionsEnglish).pattern_width == design.pattern_width);
    constexpr int w = design.pattern_width, h = design.pattern_height;
    Layer layer(w, 3 * h);
    // 1: the game's name.
    TextStyle name = CaptionStyle(52);
    name.fill = Chrome(0xF0FAFF, 0x9CCBFF, 0x1C2E6A, 0x4A78D8, 0xB8E0FF);
    DrawTextMiddle(layer, font, "Brannock", name, w / 2, 37);

    // 2: who made it, as a team.
    TextStyle head = CaptionStyle(17);
    head.tracking = 1.0f;
    head.bold = 0.3f;
    head.outline = 1.5f;
    head.shadow_dx = head.shadow_dy = 1;
    head.fill = [](float, float) { return FromHex(0xFFD860); };
    DrawTextMiddle(layer, font,
                   english ? "PROGRAM · GRAPHICS · SOUND" : "プログラム・グラフィック・サウンド",
                   head, w / 2, h + 20);
    TextStyle team = CaptionStyle(30);
    team.tracking = 1.5f;
    team.bold = 0.8f;
    team.outline = 2.0f;
    team.shadow_dx = team.shadow_dy = 2;
    team.fill = [](float, float v) { return Mix(FromHex(0xFFFFFF), FromHex(0xA8D4FF), v); };
    DrawTextMiddle(layer, font, english ? "The Brannock Team" : "Brannock 開発チーム", team, w / 2,
                   h + 50);

    // 3: the closing line, which stays on screen at the end. The small Japanese line above it
    // says the same, so the English picture has the large line alone.
    if (!english) {
        TextStyle thanks_jp = head;
        thanks_jp.size = 18;
        thanks_jp.fill = [](float, float) { return FromHex(0xA8D4FF); };
        DrawTextMiddle(layer, font, "遊んでくれてありがとう", thanks_jp, w / 2, 2 * h + 17);
    }
    TextStyle thanks = CaptionStyle(32);
    thanks.tracking = 2.0f;
    thanks.bold = 0.9f;
    thanks.outline = 2.0f;
    thanks.shadow_dx = thanks.shadow_dy = 2;
    thanks.fill = Chrome(0xFFFFF0, 0xFFE070, 0x7A4A00, 0xE8A020, 0xFFE890);
    DrawTextMiddle(layer, font, "THANK YOU FOR PLAYING", thanks, w / 2, 2 * h + 48);
    return Finish(layer, design);
}

} // namespace assetgen
