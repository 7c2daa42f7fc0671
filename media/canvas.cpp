#include "media/canvas.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <iostream>

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
    for (auto& [key, font] : fonts_)
        if (font != nullptr) TTF_CloseFont(font);
    fonts_.clear();
}

TTF_Font* TSurfaceCanvas::CurrentFont() {
    const int size = std::clamp(Font.Size, 1, 400);
    const auto key = std::make_pair(size, Font.Bold);
    auto known = fonts_.find(key);
    if (known != fonts_.end()) return known->second;
    TTF_Font* font = nullptr;
    if (ttf_started_) font = TTF_OpenFontDPI(font_file_.c_str(), size, 96, 96);
    if (font == nullptr) {
        // Text is left out, the game goes on; said once.
        if (!reported_)
            std::cerr << "Brannock: cannot open the font " << font_file_ << ": "
                      << (ttf_started_ ? TTF_GetError() : "SDL_ttf did not start")
                      << "; text is not drawn\n";
        reported_ = true;
    } else if (Font.Bold) {
        TTF_SetFontStyle(font, TTF_STYLE_BOLD);
    }
    fonts_[key] = font;
    return font;
}

std::pair<int, int> TSurfaceCanvas::TextExtent(const std::string& utf8_text) {
    TTF_Font* font = CurrentFont();
    int w = 0, h = 0;
    if (font == nullptr || TTF_SizeUTF8(font, utf8_text.c_str(), &w, &h) != 0) return {0, 0};
    return {w, h};
}

void TSurfaceCanvas::TextOut(int x, int y, const std::string& utf8_text) {
    TTF_Font* font = CurrentFont();
    if (font == nullptr || utf8_text.empty()) return;
    const SDL_Color colour{static_cast<Uint8>(Font.Color >> 16),
                           static_cast<Uint8>(Font.Color >> 8), static_cast<Uint8>(Font.Color),
                           255};
    SDL_Surface* rendered = TTF_RenderUTF8_Blended(font, utf8_text.c_str(), colour);
    if (rendered == nullptr) return;
    SDL_Surface* text = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(rendered);
    if (text == nullptr) return;

    const int x0 = std::max(x, 0), y0 = std::max(y, 0);
    const int x1 = std::min(x + text->w, surface_.Width());
    const int y1 = std::min(y + text->h, surface_.Height());
    const uint32_t brush = Brush.Color & 0xFFFFFFu;
    const bool solid = Brush.Style == TBrushStyle::Solid;
    SDL_LockSurface(text);
    for (int dy = y0; dy < y1; ++dy) {
        const auto* row = reinterpret_cast<const uint32_t*>(
            static_cast<const uint8_t*>(text->pixels) + (dy - y) * text->pitch);
        for (int dx = x0; dx < x1; ++dx) {
            const uint32_t texel = row[dx - x];
            const uint32_t a = texel >> 24;
            const uint32_t below = solid ? brush : surface_.Pixel(dx, dy);
            if (a == 0) {
                if (solid) surface_.SetPixel(dx, dy, brush);
                continue;
            }
            // Anti-aliased edges blend the glyph over what lies below it.
            auto mix = [a](uint32_t fg, uint32_t bg, int shift) {
                const uint32_t f = (fg >> shift) & 0xFFu, b = (bg >> shift) & 0xFFu;
                return ((f * a + b * (255 - a)) / 255) << shift;
            };
            surface_.SetPixel(dx, dy,
                              mix(texel, below, 16) | mix(texel, below, 8) | mix(texel, below, 0));
        }
    }
    SDL_UnlockSurface(text);
    SDL_FreeSurface(text);
}
