// Writes uncompressed BMP files: palette pictures of 1, 4 or 8 bits, or 24-bit colour.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // 0x00RRGGBB, row 0 at the top

    Picture() = default;
    Picture(int w, int h, uint32_t fill = 0)
        : width(w), height(h), pixels(static_cast<size_t>(w) * static_cast<size_t>(h), fill) {}
    uint32_t& at(int x, int y) { return pixels[static_cast<size_t>(y * width + x)]; }
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

// bit_count 1, 4 or 8 builds a palette of the picture's colours (throws when it has more
// than the depth allows); 24 writes the colours directly.
void WriteBmp(const std::string& path, const Picture& picture, int bit_count);

} // namespace assetgen
