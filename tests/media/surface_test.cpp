#include <gtest/gtest.h>

#include <random>

#include "media/surface.h"

namespace {

// A w x h surface whose pixel (x, y) holds 0x00XXYY.
TDirectDrawSurface Numbered(int w, int h) {
    TDirectDrawSurface s(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) s.SetPixel(x, y, static_cast<uint32_t>(x << 8 | y));
    return s;
}

constexpr uint32_t Background = 0xABCDEF;

TEST(CopyRect, CopiesTheRectangleToThePosition) {
    const TDirectDrawSurface src = Numbered(8, 8);
    TDirectDrawSurface dest(10, 10);
    dest.Fill(Background);
    dest.CopyRect(5, 6, {2, 3, 5, 5}, src, false);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool inside = x >= 5 && x < 8 && y >= 6 && y < 8;
            const uint32_t want =
                inside ? static_cast<uint32_t>((x - 5 + 2) << 8 | (y - 6 + 3)) : Background;
            ASSERT_EQ(dest.Pixel(x, y), want) << x << "," << y;
        }
}

TEST(CopyRect, ColourKeySkipsOnlyKeyedPixelsWhenTransparent) {
    TDirectDrawSurface src(3, 1);
    src.SetPixel(0, 0, 0x00FF00);
    src.SetPixel(1, 0, 0x00FE00); // one step off the key: copied
    src.SetPixel(2, 0, 0x00FF00);
    src.ColorKey = 0x00FF00;
    TDirectDrawSurface dest(3, 1);
    dest.Fill(Background);
    dest.CopyRect(0, 0, {0, 0, 3, 1}, src, true);
    EXPECT_EQ(dest.Pixel(0, 0), Background);
    EXPECT_EQ(dest.Pixel(1, 0), 0x00FE00u);
    EXPECT_EQ(dest.Pixel(2, 0), Background);
    // Without transparency the key colour is copied like any other.
    dest.CopyRect(0, 0, {0, 0, 3, 1}, src, false);
    EXPECT_EQ(dest.Pixel(0, 0), 0x00FF00u);
    // A source without a key copies everything even when asked for transparency.
    src.ColorKey.reset();
    dest.Fill(Background);
    dest.CopyRect(0, 0, {0, 0, 3, 1}, src, true);
    EXPECT_EQ(dest.Pixel(2, 0), 0x00FF00u);
}

TEST(CopyRect, ClipsToBothSurfaces) {
    const TDirectDrawSurface src = Numbered(4, 4);
    TDirectDrawSurface dest(5, 5);
    dest.Fill(Background);
    // Hangs over the top-left corner of the destination.
    dest.CopyRect(-2, -1, {0, 0, 4, 4}, src, false);
    EXPECT_EQ(dest.Pixel(0, 0), static_cast<uint32_t>(2 << 8 | 1));
    EXPECT_EQ(dest.Pixel(1, 2), static_cast<uint32_t>(3 << 8 | 3));
    EXPECT_EQ(dest.Pixel(2, 0), Background);
    // Hangs over the bottom-right corner; the source rectangle reaches past the source.
    dest.Fill(Background);
    dest.CopyRect(3, 3, {2, 2, 9, 9}, src, false);
    EXPECT_EQ(dest.Pixel(3, 3), static_cast<uint32_t>(2 << 8 | 2));
    EXPECT_EQ(dest.Pixel(4, 4), static_cast<uint32_t>(3 << 8 | 3));
    EXPECT_EQ(dest.Pixel(2, 3), Background);
    // Entirely outside: nothing changes, nothing breaks.
    dest.Fill(Background);
    dest.CopyRect(100, -100, {0, 0, 4, 4}, src, false);
    dest.CopyRect(0, 0, {-10, -10, -6, -6}, src, false);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) ASSERT_EQ(dest.Pixel(x, y), Background);
}

TEST(CopyRect, ReversedRectanglesDrawMirrored) {
    const TDirectDrawSurface src = Numbered(4, 3);
    TDirectDrawSurface dest(4, 3);
    // Right < Left: the same columns, drawn right to left.
    dest.CopyRect(0, 0, {4, 0, 0, 3}, src, false);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) ASSERT_EQ(dest.Pixel(x, y), src.Pixel(3 - x, y));
    // Bottom < Top: upside down.
    dest.CopyRect(0, 0, {0, 3, 4, 0}, src, false);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) ASSERT_EQ(dest.Pixel(x, y), src.Pixel(x, 2 - y));
    // Mirrored and clipped at the destination's left edge: the clipped part is the one
    // that would have landed outside.
    dest.Fill(Background);
    dest.CopyRect(-1, 0, {4, 0, 0, 1}, src, false);
    EXPECT_EQ(dest.Pixel(0, 0), src.Pixel(2, 0));
    EXPECT_EQ(dest.Pixel(2, 0), src.Pixel(0, 0));
    EXPECT_EQ(dest.Pixel(3, 0), Background);
}

// A copy at scale s draws what a plain copy of the source drawn s times larger would:
// clipped, mirrored and keyed alike, whatever the rectangles.
TEST(CopyRect, AScaledCopyIsThePlainCopyOfTheSourceDrawnLarger) {
    TDirectDrawSurface src = Numbered(5, 4);
    src.SetPixel(1, 2, 0x00FF00);
    src.ColorKey = 0x00FF00;
    std::mt19937 rng(7);
    auto any = [&](int low, int high) { return std::uniform_int_distribution(low, high)(rng); };
    for (int trial = 0; trial < 400; ++trial) {
        const int scale = any(2, 4);
        TDirectDrawSurface large(5 * scale, 4 * scale);
        large.ColorKey = src.ColorKey;
        for (int y = 0; y < large.Height(); ++y)
            for (int x = 0; x < large.Width(); ++x)
                large.SetPixel(x, y, src.Pixel(x / scale, y / scale));
        const TRect r{any(-2, 7), any(-2, 6), any(-2, 7), any(-2, 6)};
        const TRect r_large{r.Left * scale, r.Top * scale, r.Right * scale, r.Bottom * scale};
        const int x = any(-12, 12), y = any(-12, 12);
        const bool transparent = any(0, 1) != 0;
        TDirectDrawSurface scaled(13, 11), plain(13, 11);
        scaled.Fill(Background);
        plain.Fill(Background);
        scaled.CopyRect(x, y, r, src, transparent, scale);
        plain.CopyRect(x, y, r_large, large, transparent);
        for (int py = 0; py < 11; ++py)
            for (int px = 0; px < 13; ++px)
                ASSERT_EQ(scaled.Pixel(px, py), plain.Pixel(px, py))
                    << "trial " << trial << " at " << px << ", " << py;
    }
}

TEST(CopyRect, OverlappingCopyWithinOneSurfaceReadsTheOldPicture) {
    TDirectDrawSurface s = Numbered(6, 1);
    s.CopyRect(1, 0, {0, 0, 5, 1}, s, false);
    for (int x = 1; x < 6; ++x) EXPECT_EQ(s.Pixel(x, 0), static_cast<uint32_t>((x - 1) << 8));
}

// A fill is made when the pixels are next used: every way of reading a surface sees it,
// on the surface filled and on a copy's source; what is written after it stays; and only
// a caller that overwrites every pixel skips it.
TEST(Fill, EveryUseOfThePixelsComesAfterAFillMadeBefore) {
    struct Row {
        const char* use;
        uint32_t (*corner_after)(TDirectDrawSurface& filled); // pixel (3, 2) after the use
        uint32_t want;
    };
    const Row rows[] = {
        {"Pixel", [](TDirectDrawSurface& s) { return s.Pixel(3, 2); }, Background},
        {"Pixels", [](TDirectDrawSurface& s) { return s.Pixels()[2 * 4 + 3]; }, Background},
        {"const Pixels",
         [](TDirectDrawSurface& s) {
             const TDirectDrawSurface& c = s;
             return c.Pixels()[2 * 4 + 3];
         },
         Background},
        {"SetPixel",
         [](TDirectDrawSurface& s) {
             s.SetPixel(3, 2, 0x77);
             return s.Pixel(3, 2);
         },
         0x77u},
        {"written through Pixels",
         [](TDirectDrawSurface& s) {
             s.Pixels()[2 * 4 + 3] = 0x77;
             return s.Pixel(3, 2);
         },
         0x77u},
        {"copied into",
         [](TDirectDrawSurface& s) {
             s.CopyRect(3, 2, {1, 1, 2, 2}, Numbered(2, 2), false);
             return s.Pixel(3, 2);
         },
         0x101u},
        {"copied into, scaled",
         [](TDirectDrawSurface& s) {
             s.CopyRect(2, 1, {1, 1, 2, 2}, Numbered(2, 2), false, 2);
             return s.Pixel(3, 2);
         },
         0x101u},
        {"copied from",
         [](TDirectDrawSurface& s) {
             TDirectDrawSurface other = Numbered(4, 3);
             other.CopyRect(0, 0, {0, 0, 4, 3}, s, false);
             return other.Pixel(3, 2);
         },
         Background},
        {"copied from, scaled",
         [](TDirectDrawSurface& s) {
             TDirectDrawSurface other = Numbered(4, 3);
             other.CopyRect(0, 0, {0, 0, 2, 2}, s, false, 2);
             return other.Pixel(3, 2);
         },
         Background},
        {"to be overwritten whole", // the fill is not made: the old pixel shows
         [](TDirectDrawSurface& s) { return s.PixelsToOverwrite()[2 * 4 + 3]; }, 0x302u},
    };
    for (const Row& row : rows) {
        TDirectDrawSurface s = Numbered(4, 3);
        s.Fill(Background);
        EXPECT_EQ(row.corner_after(s), row.want) << row.use;
    }
}

} // namespace
