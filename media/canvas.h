// Text on a surface: the display's 2D canvas, drawn with SDL2_ttf in the IPA P Gothic face
// (metric-compatible with the form's font and holding every glyph the game draws).
// Glyphs are rendered once per font and kept as coverage masks, so lines that change every
// frame (times, points) cost only the blending of their pixels.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "media/display.h"
#include "media/surface.h"

typedef struct _TTF_Font TTF_Font;

class TSurfaceCanvas final : public TCanvas {
public:
    explicit TSurfaceCanvas(TDirectDrawSurface& surface);
    ~TSurfaceCanvas() override;
    TSurfaceCanvas(const TSurfaceCanvas&) = delete;
    TSurfaceCanvas& operator=(const TSurfaceCanvas&) = delete;

    // Draws the text with its cell's top-left at (x, y) in Font.Color; a solid brush first
    // fills the cell with Brush.Color, a clear brush leaves the background as it is.
    void TextOut(int x, int y, const std::string& utf8_text) override;
    // Width and height of the text's cell in pixels (0, 0 without a font).
    std::pair<int, int> TextExtent(const std::string& utf8_text) override;

    // The font file used; tests point it elsewhere to check a missing font.
    static constexpr const char* DefaultFontFile =
        "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf";
    void SetFontFile(std::string path);

private:
    // A rendered glyph: its coverage (0..255) over the box where it has ink.
    struct Glyph {
        int min_x = 0;   // left bearing from the pen position
        int advance = 0; // pen movement
        int rise = 0;    // how far the glyph reaches above the font's ascent
        int left = 0;    // the ink box, relative to the glyph's own cell
        int top = 0;
        int width = 0;
        int height = 0;
        std::vector<uint8_t> coverage;
    };
    struct OpenFont {
        TTF_Font* font = nullptr;
        std::unordered_map<uint32_t, Glyph> glyphs; // by code point
    };
    OpenFont* CurrentFont();
    const Glyph& GlyphOf(OpenFont& font, uint32_t code_point);
    void CloseFonts();

    TDirectDrawSurface& surface_;
    std::string font_file_ = DefaultFontFile;
    std::map<std::pair<int, bool>, OpenFont> fonts_; // by size in points and boldness
    struct Placed {
        const Glyph* glyph;
        int pen;
    };
    std::vector<Placed> line_; // scratch: the glyphs of the line drawn, with their pen places
    bool ttf_started_ = false;
    bool reported_ = false;
};
