// Reads BMP pictures, for the engine's textures and the game's own pictures alike:
// uncompressed 1, 4, 8, 24 and 32 bits per pixel and 16-bit 5-5-5 or masked ones, bottom-up
// or top-down, with the core or any later info header.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rm {

struct BmpPicture {
    int width = 0;
    int height = 0;
    int bit_count = 0;            // as stored in the file
    std::vector<uint32_t> pixels; // 0x00RRGGBB, row 0 at the top
};

// Why a picture was refused: a depth the reader does not know, or anything else wrong.
struct BmpFailure {
    enum class Kind { Malformed, BitCount };
    Kind kind;
    std::string reason; // a few English words, such as "truncated palette"
    int bit_count = 0;  // the file's, for BitCount
};

// Decodes a BMP held in memory. On failure out is left as it was.
std::optional<BmpFailure> DecodeBmp(const uint8_t* data, size_t size, BmpPicture& out);
// The same with the reason alone, for the engine's loaders.
bool DecodeBmp(const uint8_t* data, size_t size, BmpPicture& out, std::string& error);
// Reads and decodes a BMP file.
bool ReadBmpFile(const std::string& path, BmpPicture& out, std::string& error);

} // namespace rm
