// Reads the uncompressed BMP files the generator writes (1, 4, 8 or 24 bits).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ReadBmp {
    int width = 0;
    int height = 0;
    int bits = 0;
    std::vector<uint32_t> pixels; // 0xRRGGBB, row 0 at the top
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

// Throws std::runtime_error when the file is missing or not a plain BMP.
ReadBmp LoadBmp(const std::string& path);
