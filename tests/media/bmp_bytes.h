// Builds BMP files byte by byte for the reader's tests, so each test states exactly what
// the file holds.
#pragma once

#include <cstdint>
#include <vector>

struct BmpLayout {
    int width = 0;
    int height = 0; // negative: rows stored top-down
    int bit_count = 24;
    uint32_t compression = 0;      // 0 plain, 3 bit masks
    std::vector<uint32_t> palette; // 0x00RRGGBB
    std::vector<uint32_t> masks;   // red, green, blue for compression 3
    // Rows in file order, without padding (the builder pads each to 4 bytes).
    std::vector<std::vector<uint8_t>> rows;
};

std::vector<uint8_t> BuildBmp(const BmpLayout& layout);
