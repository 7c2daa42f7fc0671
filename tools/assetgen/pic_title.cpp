// The title picture: the name on the left, the robot on the right over a dim glow and a
// floor grid that fades into the black (transparent) background.
#include <algorithm>
#include <cmath>

#include "tools/assetgen/pic_items.h"
#include "tools/assetgen/pic_quantize.h"
#include "tools/assetgen/pic_robot.h"
#include "tools/assetgen/pic_text.h"

namespace assetgen {
namespace {

constexpr int Width = ItemDesign(picture::Title).pattern_width;
constexpr int Height = ItemDesign(picture::Title).pattern_height;
// Where the robot stands.
constexpr int RobotLeft = 300;
constexpr int RobotWidth = 316;

void DrawGlow(Layer& layer) {
    const Rgb glow = FromHex(0x1A3A78);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            const float dx = (static_cast<float>(x) - 470.0f) / 190.0f;
            const float dy = (static_cast<float>(y) - 150.0f) / 170.0f;
            const float d = std::sqrt(dx * dx + dy * dy);
            const float a = std::clamp(1.0f - d, 0.0f, 1.0f);
            if (a > 0) layer.Paint(x, y, glow, 0.85f * a * a);
        }
}

// A floor grid in perspective below the robot, brightest near its feet.
void DrawFloor(Layer& layer) {
    const Rgb line = FromHex(0x3C8CE0);
    const float horizon = 250.0f, cx = 470.0f;
    for (int y = static_cast<int>(horizon); y < Height; ++y)
        for (int x = 250; x < Width; ++x) {
            const float py = static_cast<float>(y) + 0.5f, px = static_cast<float>(x) + 0.5f;
            const float depth = 60.0f / (py - horizon + 1.0f); // distance along the floor
            const float fx = (px - cx) * depth / 60.0f;        // floor coordinate across
            // Lines every 1 unit across and every 0.8 units in depth; their width on screen
            // shrinks with distance.
            const float across = std::abs(fx - std::round(fx)) * 60.0f / depth;
            const float along = std::abs(depth / 0.8f - std::round(depth / 0.8f)) * 0.8f *
                                (py - horizon + 1.0f) / depth;
            const float cover = std::max(EdgeCoverage(across - 0.5f), EdgeCoverage(along - 0.5f));
            const float fade_x = std::clamp(1.0f - std::abs(px - cx) / 210.0f, 0.0f, 1.0f);
            const float fade_y = std::clamp((py - horizon) / 40.0f, 0.0f, 1.0f) *
                                 std::clamp((Height - py) / 30.0f, 0.0f, 1.0f);
            const float a = cover * fade_x * fade_x * fade_y;
            if (a > 0) layer.Paint(x, y, line, 0.8f * a);
        }
}

// Until the robot can be rendered: a clearly marked empty frame where it will stand.
void DrawRobotPlace(Layer& layer, const Font& font) {
    const Rgb mark = FromHex(0x808890);
    for (int y = 20; y < 320; ++y)
        for (int x = RobotLeft + 20; x < RobotLeft + RobotWidth - 20; ++x) {
            const bool edge =
                x == RobotLeft + 20 || x == RobotLeft + RobotWidth - 21 || y == 20 || y == 319;
            if (edge && ((x + y) / 6) % 2 == 0) layer.Paint(x, y, mark, 1.0f);
        }
    TextStyle style;
    style.size = 22;
    style.fill = [&](float, float) { return mark; };
    DrawText(layer, font, "ROBOT", style, RobotLeft + RobotWidth / 2.0f, 165);
    style.size = 14;
    DrawText(layer, font, "(描画エンジン待ち)", style, RobotLeft + RobotWidth / 2.0f, 190);
}

void DrawName(Layer& layer, const Font& font) {
    TextStyle name;
    name.size = 96;
    name.max_width = 400;
    name.tracking = 2.0f;
    name.bold = 2.6f;
    name.outline = 3.0f;
    name.outline_colour = FromHex(0x0A1430);
    name.shadow_dx = 5;
    name.shadow_dy = 5;
    name.shadow_opacity = 0.9f;
    name.shadow_colour = FromHex(0x050A18);
    name.glow_radius = 6;
    name.glow_opacity = 0.55f;
    name.glow_colour = FromHex(0x2A6CFF);
    // Chrome: white sky, steel blue, a sharp dark horizon, a warm reflected ground.
    name.fill = [](float u, float v) {
        Rgb c;
        if (v < 0.52f) {
            c = Mix(FromHex(0xFFFFFF), FromHex(0x7FB0E8), v / 0.52f);
        } else if (v < 0.58f) {
            c = FromHex(0x1A2A58);
        } else {
            c = Mix(FromHex(0x6A4A30), FromHex(0xFFD8A0), (v - 0.58f) / 0.42f);
        }
        // A faint diagonal sheen across the letters.
        const float sheen = std::max(0.0f, 1.0f - std::abs(u * 1.6f - v - 0.35f) * 6.0f);
        return Mix(c, FromHex(0xFFFFFF), 0.35f * sheen);
    };
    const TextBox box = DrawTextMiddle(layer, font, "Brannock", name, 200, 160);

    // A thin rule and the kind of game beneath the name.
    const Rgb rule = FromHex(0x58A8FF);
    for (int x = static_cast<int>(box.left); x <= static_cast<int>(box.right); ++x) {
        const float t = (static_cast<float>(x) - box.left) / (box.right - box.left);
        const float fade = std::min(1.0f, std::min(t, 1.0f - t) * 8.0f);
        layer.Paint(x, static_cast<int>(box.bottom) + 18, rule, fade);
        layer.Paint(x, static_cast<int>(box.bottom) + 19, rule, 0.5f * fade);
    }
    TextStyle sub;
    sub.size = 19;
    sub.tracking = 5.0f;
    sub.bold = 0.3f;
    sub.fill = [](float, float v) { return Mix(FromHex(0xE8F4FF), FromHex(0x90C4FF), v); };
    sub.outline = 1.0f;
    sub.outline_colour = FromHex(0x0A1430);
    sub.max_width = box.right - box.left;
    DrawTextMiddle(layer, font, "ROBOT  ACTION  SHOOTING", sub, (box.left + box.right) / 2,
                   box.bottom + 40);
}

} // namespace

Picture MakeTitle(const Font& font, const std::string& mesh_dir) {
    Layer layer(Width, Height);
    DrawGlow(layer);
    DrawFloor(layer);
    Layer robot(RobotWidth, Height);
    if (RenderRobot(mesh_dir, RobotWidth, Height, robot)) {
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < RobotWidth; ++x) {
                const size_t i = robot.index(x, y);
                layer.Paint(RobotLeft + x, y, robot.rgb[i], robot.alpha[i]);
            }
    } else {
        DrawRobotPlace(layer, font);
    }
    DrawName(layer, font);

    QuantizeOptions options;
    options.key = ItemDesign(picture::Title).transparent_color;
    options.colours = 256;
    options.alpha_threshold = 0.02f; // the glow's faint edge still counts
    options.dither = true;
    return Quantize(layer, options);
}

} // namespace assetgen
