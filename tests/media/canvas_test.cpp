#include <gtest/gtest.h>

#include "media/canvas.h"

namespace {

constexpr uint32_t Background = 0x102030;

int CountColour(const TDirectDrawSurface& s, uint32_t colour) {
    int n = 0;
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x) n += s.Pixel(x, y) == colour;
    return n;
}

// The bounding box of pixels that differ from the background.
struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    bool empty() const { return right < 0; }
};
Box Changed(const TDirectDrawSurface& s) {
    Box b;
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            if (s.Pixel(x, y) != Background) {
                b.left = std::min(b.left, x);
                b.top = std::min(b.top, y);
                b.right = std::max(b.right, x);
                b.bottom = std::max(b.bottom, y);
            }
    return b;
}

class CanvasTest : public ::testing::Test {
protected:
    void SetUp() override { surface.Fill(Background); }
    TDirectDrawSurface surface{200, 60};
    TSurfaceCanvas canvas{surface};
};

TEST_F(CanvasTest, TextLandsAtItsPositionInTheFontColour) {
    canvas.Font.Color = 0xFFFF00;
    canvas.Font.Size = 12;
    canvas.Brush.Style = TBrushStyle::Clear;
    canvas.TextOut(20, 10, "SCORE 1234");
    const Box box = Changed(surface);
    ASSERT_FALSE(box.empty());
    EXPECT_GE(box.left, 20);
    EXPECT_GE(box.top, 10);
    const auto [w, h] = canvas.TextExtent("SCORE 1234");
    EXPECT_LT(box.right, 20 + w);
    EXPECT_LT(box.bottom, 10 + h);
    // Solid glyph cores carry exactly the font colour.
    EXPECT_GT(CountColour(surface, 0xFFFF00), 10);
}

TEST_F(CanvasTest, JapaneseAndCircledDigitsHaveGlyphs) {
    canvas.Brush.Style = TBrushStyle::Clear;
    canvas.Font.Color = 0xFFFFFF;
    for (const char* text : {"①", "分", "秒", "："}) {
        surface.Fill(Background);
        canvas.TextOut(5, 5, text);
        const Box box = Changed(surface);
        ASSERT_FALSE(box.empty()) << text;
        // A real glyph, not a one-pixel box or nothing.
        EXPECT_GE(box.bottom - box.top, 3) << text;
    }
}

TEST_F(CanvasTest, SizeIsInPointsAtNinetySixDots) {
    canvas.Font.Size = 9;
    const int small = canvas.TextExtent("Stage").second;
    canvas.Font.Size = 24;
    const int large = canvas.TextExtent("Stage").second;
    // 24 pt at 96 dpi is a 32-pixel em; the line is taller than that.
    EXPECT_GE(large, 32);
    EXPECT_GT(large, 2 * small);
}

TEST_F(CanvasTest, ClearBrushKeepsTheBackgroundAndSolidBrushFillsTheCell) {
    canvas.Font.Color = 0xFFFFFF;
    canvas.Brush.Style = TBrushStyle::Clear;
    canvas.TextOut(10, 10, "A");
    EXPECT_EQ(CountColour(surface, 0x0000FF), 0);
    canvas.Brush.Style = TBrushStyle::Solid;
    canvas.Brush.Color = 0x0000FF;
    canvas.TextOut(100, 10, "A");
    const auto [w, h] = canvas.TextExtent("A");
    // Everything in the cell that is not glyph is the brush colour.
    EXPECT_GT(CountColour(surface, 0x0000FF), w * h / 3);
    EXPECT_EQ(surface.Pixel(100, 10), 0x0000FFu);
}

TEST_F(CanvasTest, TextOverTheEdgesIsClipped) {
    canvas.Font.Size = 30;
    canvas.TextOut(-15, -20, "WWW");
    canvas.TextOut(180, 40, "WWW");
    canvas.TextOut(5000, 5000, "W");
    EXPECT_FALSE(Changed(surface).empty());
}

TEST_F(CanvasTest, MissingFontDrawsNothingAndDoesNotFail) {
    canvas.SetFontFile("/nonexistent/brannock-no-font.ttf");
    canvas.TextOut(10, 10, "text");
    EXPECT_TRUE(Changed(surface).empty());
    EXPECT_EQ(canvas.TextExtent("text"), std::make_pair(0, 0));
}

} // namespace
