// Text on a surface: the display's 2D canvas, drawn with SDL2_ttf in the IPA P Gothic face
// (metric-compatible with the form's font and holding every glyph the game draws).
#pragma once

#include <map>
#include <string>
#include <utility>

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
    std::pair<int, int> TextExtent(const std::string& utf8_text);

    // The font file used; tests point it elsewhere to check a missing font.
    static constexpr const char* DefaultFontFile =
        "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf";
    void SetFontFile(std::string path);

private:
    TTF_Font* CurrentFont();
    void CloseFonts();

    TDirectDrawSurface& surface_;
    std::string font_file_ = DefaultFontFile;
    std::map<std::pair<int, bool>, TTF_Font*> fonts_; // by size in points and boldness
    bool ttf_started_ = false;
    bool reported_ = false;
};
