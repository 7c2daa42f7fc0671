#include "tools/assetgen/pic_font.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <stdexcept>

#define STB_TRUETYPE_IMPLEMENTATION
#include <stb/stb_truetype.h>

namespace assetgen {

struct Font::Impl {
    stbtt_fontinfo info{};
};

std::vector<char32_t> DecodeUtf8(const std::string& text) {
    std::vector<char32_t> out;
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
        char32_t cp = extra == 0   ? c
                      : extra == 1 ? (c & 0x1Fu)
                      : extra == 2 ? (c & 0x0Fu)
                                   : (c & 0x07u);
        ++i;
        for (; extra > 0 && i < text.size(); --extra, ++i)
            cp = (cp << 6) | (static_cast<unsigned char>(text[i]) & 0x3Fu);
        out.push_back(cp);
    }
    return out;
}

Font::Font(const std::string& path) : impl_(std::make_unique<Impl>()) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot read the font " + path);
    data_.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (stbtt_InitFont(&impl_->info, data_.data(), stbtt_GetFontOffsetForIndex(data_.data(), 0)) ==
        0)
        throw std::runtime_error("cannot parse the font " + path);
}

Font::~Font() = default;

TextMask Font::Render(const std::string& utf8, float pixel_height, float tracking,
                      int margin) const {
    const stbtt_fontinfo* info = &impl_->info;
    const float scale = stbtt_ScaleForPixelHeight(info, pixel_height);
    int ascent = 0, descent = 0, gap = 0;
    stbtt_GetFontVMetrics(info, &ascent, &descent, &gap);

    const std::vector<char32_t> text = DecodeUtf8(utf8);
    std::vector<int> glyphs;
    for (char32_t c : text) glyphs.push_back(stbtt_FindGlyphIndex(info, static_cast<int>(c)));

    // Pen positions first, so the mask can be sized to the line.
    std::vector<float> pen(glyphs.size());
    float x = 0;
    for (size_t i = 0; i < glyphs.size(); ++i) {
        pen[i] = x;
        int advance = 0, lsb = 0;
        stbtt_GetGlyphHMetrics(info, glyphs[i], &advance, &lsb);
        x += static_cast<float>(advance) * scale;
        if (i + 1 < glyphs.size()) {
            x += static_cast<float>(stbtt_GetGlyphKernAdvance(info, glyphs[i], glyphs[i + 1])) *
                 scale;
            x += tracking;
        }
    }
    TextMask out;
    out.advance = x;
    out.left = static_cast<float>(margin);
    out.baseline = static_cast<float>(margin) + std::ceil(static_cast<float>(ascent) * scale);
    const int width = static_cast<int>(std::ceil(x)) + 2 * margin + 2;
    const int height =
        static_cast<int>(std::ceil(static_cast<float>(ascent - descent) * scale)) + 2 * margin + 2;
    out.mask = Mask(width, height);

    for (size_t i = 0; i < glyphs.size(); ++i) {
        const float gx = out.left + pen[i];
        const float ix = std::floor(gx);
        const float shift = gx - ix;
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        stbtt_GetGlyphBitmapBoxSubpixel(info, glyphs[i], scale, scale, shift, 0, &x0, &y0, &x1,
                                        &y1);
        const int gw = x1 - x0;
        const int gh = y1 - y0;
        if (gw <= 0 || gh <= 0) continue;
        std::vector<unsigned char> bitmap(static_cast<size_t>(gw * gh));
        stbtt_MakeGlyphBitmapSubpixel(info, bitmap.data(), gw, gh, gw, scale, scale, shift, 0,
                                      glyphs[i]);
        const int bx = static_cast<int>(ix) + x0;
        const int by = static_cast<int>(out.baseline) + y0;
        for (int yy = 0; yy < gh; ++yy)
            for (int xx = 0; xx < gw; ++xx) {
                const int px = bx + xx;
                const int py = by + yy;
                if (px < 0 || py < 0 || px >= width || py >= height) continue;
                float& cell = out.mask.at(px, py);
                cell = std::min(
                    1.0f,
                    cell + static_cast<float>(bitmap[static_cast<size_t>(yy * gw + xx)]) / 255.0f);
            }
    }
    out.ink_top = static_cast<float>(height);
    out.ink_bottom = 0;
    for (int yy = 0; yy < height; ++yy)
        for (int xx = 0; xx < width; ++xx)
            if (out.mask.at(xx, yy) > 0.0f) {
                out.ink_top = std::min(out.ink_top, static_cast<float>(yy));
                out.ink_bottom = std::max(out.ink_bottom, static_cast<float>(yy));
            }
    return out;
}

} // namespace assetgen
