// Appends little-endian integers to a byte buffer, for tests that build BMP, WAVE and
// binary mesh files byte by byte.
#pragma once

#include <cstdint>
#include <vector>

inline void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
