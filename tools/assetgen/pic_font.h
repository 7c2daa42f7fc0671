// Text rendering with the IPAPGothic outline font, read at generation time.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tools/assetgen/pic_raster.h"

namespace assetgen {

constexpr const char* FontPath = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf";

// A rendered line of text: coverage with its own margin, and where the text sits in it.
struct TextMask {
    Mask mask;
    float baseline = 0; // y of the baseline within the mask
    float left = 0;     // x where the pen started
    float advance = 0;  // pen advance of the whole line
    float ink_top = 0;  // first and last rows that hold ink
    float ink_bottom = 0;
};

class Font {
public:
    explicit Font(const std::string& path);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // Renders UTF-8 text with the em height (ascent to descent) of pixel_height pixels, plus
    // tracking pixels between letters, into a mask with margin pixels on every side.
    TextMask Render(const std::string& utf8, float pixel_height, float tracking = 0,
                    int margin = 0) const;

private:
    struct Impl;
    std::vector<unsigned char> data_;
    std::unique_ptr<Impl> impl_;
};

std::vector<char32_t> DecodeUtf8(const std::string& text);

} // namespace assetgen
