#include "tests/media/bmp_bytes.h"

#include "tests/support/little_endian.h"

std::vector<uint8_t> BuildBmp(const BmpLayout& layout) {
    std::vector<uint8_t> pixels;
    for (const auto& row : layout.rows) {
        pixels.insert(pixels.end(), row.begin(), row.end());
        while (pixels.size() % 4 != 0) pixels.push_back(0);
    }
    const uint32_t masks_bytes = static_cast<uint32_t>(layout.masks.size() * 4);
    const uint32_t palette_bytes = static_cast<uint32_t>(layout.palette.size() * 4);
    const uint32_t offset = 14 + 40 + masks_bytes + palette_bytes;
    std::vector<uint8_t> out = {'B', 'M'};
    Put32(out, offset + static_cast<uint32_t>(pixels.size()));
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(layout.width));
    Put32(out, static_cast<uint32_t>(layout.height));
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(layout.bit_count));
    Put32(out, layout.compression);
    Put32(out, static_cast<uint32_t>(pixels.size()));
    Put32(out, 3780);
    Put32(out, 3780);
    Put32(out, static_cast<uint32_t>(layout.palette.size()));
    Put32(out, 0);
    for (uint32_t mask : layout.masks) Put32(out, mask);
    for (uint32_t colour : layout.palette) {
        out.push_back(static_cast<uint8_t>(colour & 0xFF));
        out.push_back(static_cast<uint8_t>((colour >> 8) & 0xFF));
        out.push_back(static_cast<uint8_t>((colour >> 16) & 0xFF));
        out.push_back(0);
    }
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}
