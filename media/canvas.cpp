#include "media/canvas.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>

#include "media/drawn_words.h"
#include "media/language.h"
#include "media/report.h"

namespace {

// The code points of UTF-8 text; a malformed sequence gives U+FFFD and moves one byte on.
std::vector<uint32_t> CodePoints(const std::string& text) {
    std::vector<uint32_t> out;
    out.reserve(text.size());
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const size_t n = text.size();
    for (size_t i = 0; i < n;) {
        const unsigned char c = s[i];
        int length = c < 0x80           ? 1
                     : (c >> 5) == 0x6  ? 2
                     : (c >> 4) == 0xE  ? 3
                     : (c >> 3) == 0x1E ? 4
                                        : 0;
        uint32_t cp = length == 1   ? c
                      : length == 2 ? c & 0x1Fu
                      : length == 3 ? c & 0x0Fu
                                    : c & 0x07u;
        bool valid = length > 0 && i + static_cast<size_t>(length) <= n;
        for (int k = 1; valid && k < length; ++k) {
            const unsigned char next = s[i + static_cast<size_t>(k)];
            valid = (next & 0xC0) == 0x80;
            cp = (cp << 6) | (next & 0x3Fu);
        }
        if (!valid) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        out.push_back(cp);
        i += static_cast<size_t>(length);
    }
    return out;
}

} // namespace

TSurfaceCanvas::TSurfaceCanvas(TDirectDrawSurface& surface) : surface_(surface) {
    ttf_started_ = TTF_Init() == 0;
}

TSurfaceCanvas::~TSurfaceCanvas() {
    CloseFonts();
    if (ttf_started_) TTF_Quit();
}

void TSurfaceCanvas::SetFontFile(std::string path) {
    CloseFonts();
    font_file_ = std::move(path);
    reported_ = false;
}

void TSurfaceCanvas::CloseFonts() {
    for (auto& [key, entry] : fonts_)
        if (entry.font != nullptr) TTF_CloseFont(entry.font);
    fonts_.clear();
}

TSurfaceCanvas::OpenFont* TSurfaceCanvas::CurrentFont() {
    const int size = std::clamp(Font.Size, 1, 400);
    const auto key = std::make_pair(size, Font.Bold);
    auto known = fonts_.find(key);
    if (known != fonts_.end()) return known->second.font != nullptr ? &known->second : nullptr;
    TTF_Font* font = nullptr;
    if (ttf_started_) font = TTF_OpenFontDPI(font_file_.c_str(), size, 96, 96);
    if (font == nullptr) {
        // Text is left out, the game goes on; said once.
        if (!reported_)
            ReportProblemLine(
                font_file_,
                Format(Tr("フォントを開けません（%s）。文字は描かれません。"),
                       ttf_started_ ? TTF_GetError() : Tr("SDL_ttf が始まっていません")));
        reported_ = true;
    } else if (Font.Bold) {
        TTF_SetFontStyle(font, TTF_STYLE_BOLD);
    }
    TSurfaceCanvas::OpenFont& entry = fonts_[key];
    entry.font = font;
    return font != nullptr ? &entry : nullptr;
}

// Renders a glyph alone, as SDL_ttf places it in a line of its own, and keeps its ink.
const TSurfaceCanvas::Glyph& TSurfaceCanvas::GlyphOf(TSurfaceCanvas::OpenFont& font,
                                                     uint32_t code_point) {
    auto known = font.glyphs.find(code_point);
    if (known != font.glyphs.end()) return known->second;
    Glyph& g = font.glyphs[code_point];
    int min_x = 0, max_x = 0, min_y = 0, max_y = 0, advance = 0;
    if (TTF_GlyphMetrics32(font.font, code_point, &min_x, &max_x, &min_y, &max_y, &advance) != 0)
        return g; // nothing to draw, no advance
    g.min_x = min_x;
    g.advance = advance;
    g.rise = std::max(0, max_y - TTF_FontAscent(font.font));
    SDL_Surface* rendered =
        TTF_RenderGlyph32_Blended(font.font, code_point, SDL_Color{255, 255, 255, 255});
    if (rendered == nullptr) return g;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(rendered);
    if (argb == nullptr) return g;
    SDL_LockSurface(argb);
    auto alpha = [argb](int x, int y) {
        const auto* row = reinterpret_cast<const uint32_t*>(
            static_cast<const uint8_t*>(argb->pixels) + y * argb->pitch);
        return static_cast<uint8_t>(row[x] >> 24);
    };
    int x0 = argb->w, y0 = argb->h, x1 = 0, y1 = 0;
    for (int y = 0; y < argb->h; ++y)
        for (int x = 0; x < argb->w; ++x)
            if (alpha(x, y) != 0) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x + 1);
                y1 = std::max(y1, y + 1);
            }
    if (x1 > x0) {
        // The cell of a lone glyph starts at its left bearing when that is negative.
        g.left = std::min(0, min_x) + x0;
        g.top = y0;
        g.width = x1 - x0;
        g.height = y1 - y0;
        g.coverage.resize(static_cast<size_t>(g.width * g.height));
        for (int y = 0; y < g.height; ++y)
            for (int x = 0; x < g.width; ++x)
                g.coverage[static_cast<size_t>(y * g.width + x)] = alpha(x0 + x, y0 + y);
    }
    SDL_UnlockSurface(argb);
    SDL_FreeSurface(argb);
    return g;
}

std::pair<int, int> TSurfaceCanvas::TextExtent(const std::string& utf8_text) {
    TSurfaceCanvas::OpenFont* font = CurrentFont();
    int w = 0, h = 0;
    if (font == nullptr || TTF_SizeUTF8(font->font, utf8_text.c_str(), &w, &h) != 0) return {0, 0};
    return {w, h};
}

void TSurfaceCanvas::TextOut(int x, int y, const std::string& utf8_text) {
    NoteDrawnText(utf8_text);
    TSurfaceCanvas::OpenFont* font = CurrentFont();
    if (font == nullptr || utf8_text.empty()) return;

    // Lay the line out as SDL_ttf does: a glyph reaching left of the line's start or above
    // the font's ascent moves the whole line right or down by as much.
    line_.clear();
    int pen = 0, leftmost = 0, rise = 0;
    uint32_t previous = 0;
    for (uint32_t cp : CodePoints(utf8_text)) {
        const Glyph& g = GlyphOf(*font, cp);
        if (previous != 0) pen += TTF_GetFontKerningSizeGlyphs32(font->font, previous, cp);
        previous = cp;
        leftmost = std::min(leftmost, pen + g.min_x);
        rise = std::max(rise, g.rise);
        line_.push_back({&g, pen});
        pen += g.advance;
    }

    if (Brush.Style == TBrushStyle::Solid) {
        const auto [w, h] = TextExtent(utf8_text);
        const uint32_t brush = Brush.Color & 0xFFFFFFu;
        const int x0 = std::max(x, 0), y0 = std::max(y, 0);
        const int x1 = std::min(x + w, surface_.Width()), y1 = std::min(y + h, surface_.Height());
        for (int py = y0; py < y1; ++py)
            std::fill(surface_.Pixels() + py * surface_.Width() + x0,
                      surface_.Pixels() + py * surface_.Width() + x1, brush);
    }

    const uint32_t colour = Font.Color & 0xFFFFFFu;
    const uint32_t fr = (colour >> 16) & 0xFFu, fg = (colour >> 8) & 0xFFu, fb = colour & 0xFFu;
    const int width = surface_.Width(), height = surface_.Height();
    uint32_t* pixels = surface_.Pixels();
    for (const Placed& placed : line_) {
        const Glyph& g = *placed.glyph;
        const int gx = x - leftmost + placed.pen + g.left;
        const int gy = y + rise - g.rise + g.top;
        const int x0 = std::max(gx, 0), x1 = std::min(gx + g.width, width);
        const int y0 = std::max(gy, 0), y1 = std::min(gy + g.height, height);
        for (int py = y0; py < y1; ++py) {
            const uint8_t* cover = g.coverage.data() + (py - gy) * g.width;
            uint32_t* row = pixels + py * width;
            for (int px = x0; px < x1; ++px) {
                const uint32_t a = cover[px - gx];
                if (a == 0) continue;
                if (a == 255) {
                    row[px] = colour;
                    continue;
                }
                // Anti-aliased edges blend the glyph over what lies below it.
                const uint32_t below = row[px];
                const uint32_t r = (fr * a + ((below >> 16) & 0xFFu) * (255 - a)) / 255;
                const uint32_t gr = (fg * a + ((below >> 8) & 0xFFu) * (255 - a)) / 255;
                const uint32_t b = (fb * a + (below & 0xFFu) * (255 - a)) / 255;
                row[px] = (r << 16) | (gr << 8) | b;
            }
        }
    }
}
