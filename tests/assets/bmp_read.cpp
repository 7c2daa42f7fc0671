#include "tests/assets/bmp_read.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

uint32_t U32(const std::vector<uint8_t>& d, size_t at) {
    return d.at(at) | d.at(at + 1) << 8 | d.at(at + 2) << 16 | uint32_t(d.at(at + 3)) << 24;
}
uint32_t U16(const std::vector<uint8_t>& d, size_t at) {
    return d.at(at) | d.at(at + 1) << 8;
}

} // namespace

ReadBmp LoadBmp(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("missing " + path);
    const std::vector<uint8_t> d((std::istreambuf_iterator<char>(file)),
                                 std::istreambuf_iterator<char>());
    if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') throw std::runtime_error("not a BMP");
    ReadBmp bmp;
    const uint32_t offset = U32(d, 10), header = U32(d, 14);
    bmp.width = static_cast<int>(U32(d, 18));
    bmp.height = static_cast<int>(U32(d, 22));
    bmp.bits = static_cast<int>(U16(d, 28));
    if (U32(d, 30) != 0) throw std::runtime_error("compressed BMP");
    std::vector<uint32_t> palette;
    if (bmp.bits <= 8) {
        const uint32_t used = U32(d, 46) ? U32(d, 46) : 1u << bmp.bits;
        for (uint32_t i = 0; i < used; ++i) {
            const size_t at = 14 + header + 4 * i;
            palette.push_back(uint32_t(d.at(at + 2)) << 16 | uint32_t(d.at(at + 1)) << 8 |
                              d.at(at));
        }
    }
    const size_t row_bytes = ((static_cast<size_t>(bmp.width) * bmp.bits + 31) / 32) * 4;
    bmp.pixels.resize(static_cast<size_t>(bmp.width * bmp.height));
    for (int y = 0; y < bmp.height; ++y) {
        const size_t row = offset + row_bytes * static_cast<size_t>(bmp.height - 1 - y);
        for (int x = 0; x < bmp.width; ++x) {
            uint32_t c;
            if (bmp.bits == 24) {
                const size_t at = row + 3 * static_cast<size_t>(x);
                c = uint32_t(d.at(at + 2)) << 16 | uint32_t(d.at(at + 1)) << 8 | d.at(at);
            } else {
                const size_t bit = static_cast<size_t>(x) * bmp.bits;
                const uint32_t byte = d.at(row + bit / 8);
                const uint32_t index = (byte >> (8 - bmp.bits - bit % 8)) & ((1u << bmp.bits) - 1);
                c = palette.at(index);
            }
            bmp.pixels[static_cast<size_t>(y * bmp.width + x)] = c;
        }
    }
    return bmp;
}
