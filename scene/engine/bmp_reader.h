// Reads BMP pictures for textures: uncompressed 1, 4, 8, 16, 24 and 32 bits per pixel,
// bottom-up or top-down, with the core or any later info header.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rm {

struct BmpPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // 0x00RRGGBB, row 0 at the top
};

// Decodes a BMP held in memory. On failure returns false and says why in error.
bool DecodeBmp(const uint8_t* data, size_t size, BmpPicture& out, std::string& error);
// Reads and decodes a BMP file.
bool ReadBmpFile(const std::string& path, BmpPicture& out, std::string& error);

} // namespace rm
