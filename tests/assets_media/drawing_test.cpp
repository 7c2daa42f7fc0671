// The picture generator's building blocks: distance transform, font, caption placement
// and the reduction to a palette with a transparent key.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "tools/assetgen/pic_font.h"
#include "tools/assetgen/pic_quantize.h"
#include "tools/assetgen/pic_raster.h"
#include "tools/assetgen/pic_text.h"

namespace {

using namespace assetgen;

TEST(DistanceTransform, EuclideanDistanceToTheNearestInkPixel) {
    Mask m(20, 20);
    m.at(5, 5) = 1.0f;
    m.at(15, 5) = 0.6f;  // counts: at least one half
    m.at(10, 15) = 0.4f; // does not
    const std::vector<float> d = DistanceOutside(m);
    EXPECT_FLOAT_EQ(d[static_cast<size_t>(5 * 20 + 5)], 0.0f);
    EXPECT_FLOAT_EQ(d[static_cast<size_t>(9 * 20 + 8)], 5.0f);  // (8, 9) from (5, 5)
    EXPECT_FLOAT_EQ(d[static_cast<size_t>(5 * 20 + 12)], 3.0f); // nearer to (15, 5)
    EXPECT_NEAR(d[static_cast<size_t>(15 * 20 + 10)], std::sqrt(125.0f), 1e-4f);
}

TEST(DistanceTransform, GrowingADotGivesADiscOfTheRightArea) {
    Mask m(64, 64);
    m.at(32, 32) = 1.0f;
    const Mask disc = Grow(m, DistanceOutside(m), 12.0f);
    float area = 0;
    for (float v : disc.v) area += v;
    EXPECT_NEAR(area, 3.14159f * 144.0f, 25.0f);
}

TEST(Font, EveryCaptionCharacterHasAGlyph) {
    const Font font(FontPath);
    const char* texts[] = {"GAME OVER",
                           "STAGE CLEAR",
                           "Brannock 開発チーム",
                           "プログラム・グラフィック・サウンド",
                           "遊んでくれてありがとう",
                           "THANK YOU FOR PLAYING",
                           "ROBOT ACTION SHOOTING"};
    for (const char* text : texts)
        for (char32_t c : DecodeUtf8(text)) {
            if (c == U' ') continue;
            std::string one;
            if (c < 0x80) {
                one = std::string(1, static_cast<char>(c));
            } else { // re-encode the three-byte character
                one = {static_cast<char>(0xE0 | (c >> 12)),
                       static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                       static_cast<char>(0x80 | (c & 0x3F))};
            }
            const TextMask m = font.Render(one, 32);
            EXPECT_LT(m.ink_top, m.ink_bottom)
                << text << ": no ink for U+" << std::hex << static_cast<uint32_t>(c);
        }
}

TEST(Captions, TextIsCentredWhereAsked) {
    const Font font(FontPath);
    Layer layer(300, 100);
    TextStyle style;
    style.size = 40;
    const TextBox box = DrawTextMiddle(layer, font, "HOH", style, 150, 50);
    EXPECT_NEAR((box.left + box.right) / 2, 150.0f, 1.5f);
    EXPECT_NEAR((box.top + box.bottom) / 2, 50.0f, 1.5f);
}

TEST(Captions, LongLinesShrinkToTheirWidth) {
    const Font font(FontPath);
    Layer layer(400, 100);
    TextStyle style;
    style.size = 60;
    style.max_width = 200;
    const TextBox box = DrawTextMiddle(layer, font, "THANK YOU FOR PLAYING", style, 200, 50);
    EXPECT_LE(box.right - box.left, 200.0f);
    EXPECT_GE(box.right - box.left, 180.0f);
}

TEST(Palette, OpaquePixelsNeverTakeTheKeyAndTheSizeHolds) {
    Layer layer(64, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 64; ++x) {
            if (x < 8) continue; // left strip left empty: transparent
            const Rgb c =
                x < 16 ? FromHex(0x00FF00) // exactly the key, but opaque
                       : Rgb{static_cast<float>(x) / 64.0f, static_cast<float>(y) / 16.0f, 0.5f};
            layer.Paint(x, y, c, 1.0f);
        }
    QuantizeOptions options;
    options.key = 0x00FF00;
    options.colours = 16;
    const Picture p = Quantize(layer, options);
    std::set<uint32_t> colours(p.pixels.begin(), p.pixels.end());
    EXPECT_LE(colours.size(), 16u);
    for (int y = 0; y < 16; ++y) {
        EXPECT_EQ(p.at(3, y), 0x00FF00u);
        EXPECT_NE(p.at(12, y), 0x00FF00u); // nudged off the key, still looks lime
        for (int x = 8; x < 64; ++x) EXPECT_NE(p.at(x, y), 0x00FF00u);
    }
    const Rgb near_lime = FromHex(p.at(12, 0));
    EXPECT_GT(near_lime.g, 0.95f);
    EXPECT_LT(near_lime.r + near_lime.b, 0.05f);
}

} // namespace
