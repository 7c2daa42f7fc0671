#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <string>

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

TEST_F(CanvasTest, CachedGlyphsComposeTheLineExactlyAsTheFontLibraryRendersIt) {
    // White on black, so each pixel is the library's coverage in all three channels. The
    // lines include a leading glyph with a negative bearing (V), descenders and Japanese.
    ASSERT_EQ(TTF_Init(), 0);
    TDirectDrawSurface target(520, 60);
    TSurfaceCanvas own(target);
    own.Brush.Style = TBrushStyle::Clear;
    own.Font.Color = 0xFFFFFF;
    for (int size : {12, 30}) {
        TTF_Font* font = TTF_OpenFontDPI(TSurfaceCanvas::DefaultFontFile, size, 96, 96);
        ASSERT_NE(font, nullptr);
        own.Font.Size = size;
        for (const std::string text : {"Stage2：Nomal", "59分59秒999", "Point：-650000",
                                       "Version 0.5", "Window Mode：30FPS", "Ty.jg ①"}) {
            SDL_Surface* line = TTF_RenderUTF8_Blended(font, text.c_str(), {255, 255, 255, 255});
            ASSERT_NE(line, nullptr);
            SDL_Surface* argb = SDL_ConvertSurfaceFormat(line, SDL_PIXELFORMAT_ARGB8888, 0);
            SDL_FreeSurface(line);
            target.Fill(0);
            own.TextOut(7, 5, text);
            int differing = 0;
            for (int y = 0; y < target.Height(); ++y)
                for (int x = 0; x < target.Width(); ++x) {
                    const int lx = x - 7, ly = y - 5;
                    uint32_t a = 0;
                    if (lx >= 0 && ly >= 0 && lx < argb->w && ly < argb->h)
                        a = static_cast<const uint32_t*>(argb->pixels)[ly * argb->pitch / 4 + lx] >>
                            24;
                    differing += target.Pixel(x, y) != ((a << 16) | (a << 8) | a);
                }
            EXPECT_EQ(differing, 0) << size << " pt: " << text;
            SDL_FreeSurface(argb);
        }
        TTF_CloseFont(font);
    }
    TTF_Quit();
}

TEST_F(CanvasTest, MalformedTextDrawsWhatItCanAndNeverReadsPastItsEnd) {
    canvas.Brush.Style = TBrushStyle::Clear;
    canvas.Font.Color = 0xFFFFFF;
    // A cut three-byte sequence at the end, a lone continuation byte in the middle.
    canvas.TextOut(5, 5,
                   std::string("AB\x80"
                               "C\xE5\x88",
                               6));
    EXPECT_FALSE(Changed(surface).empty());
}

} // namespace
