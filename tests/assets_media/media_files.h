// Independent readers for the generated pictures and sounds, so the tests check the files
// as any BMP or WAVE reader would see them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace media_files {

struct Bmp {
    int width = 0;
    int height = 0;
    int bits = 0;
    std::vector<uint32_t> palette; // 0xRRGGBB
    std::vector<uint32_t> pixels;  // 0xRRGGBB, row 0 at the top
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

struct Wav {
    int format = 0;
    int channels = 0;
    int rate = 0;
    int bits = 0;
    std::vector<uint8_t> samples;
};

// Throws std::runtime_error when the file is missing or not a plain uncompressed BMP.
Bmp ReadBmp(const std::string& path);
// Throws std::runtime_error when the file is missing or not a RIFF WAVE file.
Wav ReadWav(const std::string& path);
std::string ReadFile(const std::string& path);

} // namespace media_files
