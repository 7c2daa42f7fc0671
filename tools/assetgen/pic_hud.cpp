// The small HUD pictures: map markers, radar, enemy blip, scope and the gauge bitmaps.
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "tools/assetgen/pic_items.h"
#include "tools/assetgen/pic_quantize.h"
#include "tools/assetgen/pic_raster.h"

namespace assetgen {
namespace {

constexpr float Pi = std::numbers::pi_v<float>;

// Signed distance to a rounded rectangle centred at (cx, cy).
float RoundedBox(float x, float y, float cx, float cy, float half_w, float half_h, float radius) {
    const float qx = std::abs(x - cx) - (half_w - radius);
    const float qy = std::abs(y - cy) - (half_h - radius);
    const float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - radius;
}

// Which side of the line a-b the point p lies on.
float Side(float px, float py, float ax, float ay, float bx, float by) {
    return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
}

bool InTriangle(float px, float py, float ax, float ay, float bx, float by, float cx, float cy) {
    const float a = Side(px, py, ax, ay, bx, by), b = Side(px, py, bx, by, cx, cy),
                c = Side(px, py, cx, cy, ax, ay);
    return (a >= 0 && b >= 0 && c >= 0) || (a <= 0 && b <= 0 && c <= 0);
}

// Coverage of the pixel centred at (x, y) (relative to the arrow's centre) by a notched
// arrowhead pointing up, from 4 x 4 samples.
float ArrowCoverage(float x, float y) {
    int inside = 0;
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i) {
            const float sx = x + (static_cast<float>(i) - 1.5f) / 4.0f;
            const float sy = y + (static_cast<float>(j) - 1.5f) / 4.0f;
            if (InTriangle(sx, sy, 0, -4.5f, -4, 3.5f, 4, 3.5f) &&
                !InTriangle(sx, sy, 0, 1.0f, -4, 3.6f, 4, 3.6f))
                ++inside;
        }
    return static_cast<float>(inside) / 16.0f;
}

} // namespace

Picture MakeMapMarkers() {
    // Rounded 4 x 4 dots: a rim colour and a brighter core. Player cyan, zako red,
    // G-walker amber: all distinct from the map's black walls and from each other.
    const std::array<std::array<uint32_t, 2>, 3> colours = {{
        {0x00B8FF, 0xB0F4FF},
        {0xE01818, 0xFF8C70},
        {0xF0A000, 0xFFE890},
    }};
    constexpr const picture::Design& design = ItemDesign(picture::Marker);
    Picture out(design.pattern_width, 3 * design.pattern_height, design.transparent_color);
    for (int k = 0; k < 3; ++k)
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) {
                const bool corner = (x == 0 || x == 3) && (y == 0 || y == 3);
                if (corner) continue;
                const bool core = (x == 1 || x == 2) && (y == 1 || y == 2);
                out.at(x, k * 4 + y) = colours[static_cast<size_t>(k)][core ? 1 : 0];
            }
    return out;
}

Picture MakeEnemyMarker() {
    // A glowing red blip: hot core, red body, dark rim; the corners stay transparent.
    constexpr const picture::Design& design = ItemDesign(picture::Enemy);
    Picture out(design.pattern_width, design.pattern_height, design.transparent_color);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            const float dx = static_cast<float>(x) - 2.5f, dy = static_cast<float>(y) - 2.5f;
            const float d = std::sqrt(dx * dx + dy * dy);
            if (d > 3.2f) continue;
            out.at(x, y) = d < 1.0f ? 0xFFE0C0 : d < 2.0f ? 0xFF4020 : 0xA01010;
        }
    return out;
}

Picture MakeRadar() {
    // A square console with rounded corners (the corners are lime, so the screen copy
    // drops them); inside, a dark scope disc with range rings at 50, 100 and 150 units
    // (12.5, 25 and 37.5 pixels), a faint forward sector and the player's chevron.
    // No pixel is black: drawing the radar must cover last frame's markers everywhere.
    constexpr int Size = ItemDesign(picture::Radar).pattern_width;
    constexpr float C = 50.0f; // the player's marker is centred here
    Layer layer(Size, Size);
    const Rgb bezel_light = FromHex(0x8EA4B0), bezel_dark = FromHex(0x34424C);
    const Rgb panel = FromHex(0x0C1A16), disc = FromHex(0x06261A), sector = FromHex(0x0C3A26);
    const Rgb ring = FromHex(0x2E9A5A), cross = FromHex(0x1A5E3A), chevron = FromHex(0xF0F8C0);
    for (int y = 0; y < Size; ++y)
        for (int x = 0; x < Size; ++x) {
            const float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
            const float box = RoundedBox(px, py, 50, 50, 50, 50, 9);
            const float cover = EdgeCoverage(box);
            if (cover <= 0) continue;
            // Bevel: light on the upper left, dark on the lower right.
            const float diag = (px - py) / 100.0f; // -1 lower left .. +1 upper right
            const float inner = RoundedBox(px, py, 50, 50, 47.5f, 47.5f, 7);
            Rgb c = Mix(bezel_dark, bezel_light,
                        std::clamp(0.5f - (px + py - 100.0f) / 120.0f + diag * 0.1f, 0.0f, 1.0f));
            const float dx = px - C, dy = py - C;
            const float r = std::sqrt(dx * dx + dy * dy);
            const float body = EdgeCoverage(inner);
            if (body > 0) {
                Rgb in = panel;
                const float disc_cover = EdgeCoverage(r - 45.0f);
                in = Mix(in, disc, disc_cover);
                // The forward sector, 30 degrees either side of straight ahead.
                const float angle = std::atan2(dx, -dy);
                if (std::abs(angle) < Pi / 6 && r < 45.0f)
                    in = Mix(in, sector, std::min(disc_cover, 1.0f));
                for (float rr : {12.5f, 25.0f, 37.5f})
                    in = Mix(in, ring, 0.75f * EdgeCoverage(std::abs(r - rr) - 0.5f));
                in = Mix(in, ring, EdgeCoverage(std::abs(r - 45.5f) - 0.7f));
                const float axis = std::min(std::abs(dx), std::abs(dy));
                if (r < 45.0f && r > 4.0f) in = Mix(in, cross, EdgeCoverage(axis - 0.5f));
                c = Mix(c, in, body);
            }
            // The player: a small arrowhead pointing ahead (up).
            c = Mix(c, chevron, ArrowCoverage(px - C, py - C));
            layer.Paint(x, y, c, 1.0f);
            layer.alpha[layer.index(x, y)] = cover;
        }
    QuantizeOptions options;
    options.key = KeyLime;
    options.colours = 16;
    options.alpha_threshold = 0.5f;
    options.fixed = {ToHex(panel), ToHex(disc), ToHex(ring), ToHex(chevron)};
    Picture out = Quantize(layer, options);
    for (uint32_t& p : out.pixels)
        if (p == 0x000000) p = 0x010101; // black would be skipped when the radar is drawn
    return out;
}

Picture MakeScope() {
    // One colour on black: a broken ring, a crosshair with an open centre, range ticks on
    // the horizontal line and corner brackets. Pixel-exact, there is no room for shading.
    constexpr uint32_t Ink = 0x50FF70;
    constexpr const picture::Design& design = ItemDesign(picture::Scope);
    Picture out(design.pattern_width, design.pattern_height, design.transparent_color);
    constexpr int C = 50;
    auto set = [&](int x, int y) {
        if (x >= 0 && y >= 0 && x < 100 && y < 100) out.at(x, y) = Ink;
    };
    // Ring of radius 30 (midpoint circle), open for about 16 degrees around each axis.
    for (int x = 0, y = 30, err = 1 - 30; x <= y; ++x) {
        for (int sx : {-1, 1})
            for (int sy : {-1, 1})
                if (x > 4) { // the gap at the axes
                    set(C + sx * x, C + sy * y);
                    set(C + sx * y, C + sy * x);
                }
        if (err < 0) {
            err += 2 * x + 3;
        } else {
            err += 2 * (x - y) + 5;
            --y;
        }
    }
    for (int i = 6; i <= 20; ++i) { // inner crosshair arms
        set(C + i, C);
        set(C - i, C);
        set(C, C + i);
        set(C, C - i);
    }
    for (int i = 36; i <= 46; ++i) { // outer arms
        set(C + i, C);
        set(C - i, C);
        set(C, C - i);
        set(C, C + i);
    }
    set(C, C);             // centre dot
    for (int t : {10, 20}) // range ticks on the horizontal arms
        for (int j = -2; j <= 2; ++j) {
            set(C + t, C + j);
            set(C - t, C + j);
        }
    // Corner brackets.
    for (int sx : {-1, 1})
        for (int sy : {-1, 1})
            for (int i = 0; i < 9; ++i) {
                set(C + sx * 44, C + sy * (44 - i));
                set(C + sx * (44 - i), C + sy * 44);
            }
    return out;
}

Picture MakePicBack() {
    return Picture(map_pixel::MapSize, map_pixel::MapSize, 0xFFFFFF);
}

Picture MakePicBack2() {
    // Gauge bands from the top: red, green, cyan, yellow; each with a lighter top row
    // and a darker bottom row so the bars read as raised strips.
    const std::array<uint32_t, 4> bands = {0xFF0000, 0x00FF00, 0x00FFFF, 0xFFFF00};
    Picture out(300, 80);
    for (int b = 0; b < 4; ++b) {
        const Rgb base = FromHex(bands[static_cast<size_t>(b)]);
        const uint32_t top = ToHex(Mix(base, Rgb{1, 1, 1}, 0.55f));
        const uint32_t bottom = ToHex(Mix(base, Rgb{0, 0, 0}, 0.35f));
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 300; ++x)
                out.at(x, b * 20 + y) = y == 0    ? top
                                        : y == 19 ? bottom
                                                  : bands[static_cast<size_t>(b)];
    }
    return out;
}

} // namespace assetgen
