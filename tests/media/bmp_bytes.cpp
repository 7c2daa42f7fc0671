#include "tests/media/bmp_bytes.h"

void AppendLE16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

void AppendLE32(std::vector<uint8_t>& out, uint32_t v) {
    AppendLE16(out, v & 0xFFFF);
    AppendLE16(out, v >> 16);
}

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
    AppendLE32(out, offset + static_cast<uint32_t>(pixels.size()));
    AppendLE32(out, 0);
    AppendLE32(out, offset);
    AppendLE32(out, 40);
    AppendLE32(out, static_cast<uint32_t>(layout.width));
    AppendLE32(out, static_cast<uint32_t>(layout.height));
    AppendLE16(out, 1);
    AppendLE16(out, static_cast<uint32_t>(layout.bit_count));
    AppendLE32(out, layout.compression);
    AppendLE32(out, static_cast<uint32_t>(pixels.size()));
    AppendLE32(out, 3780);
    AppendLE32(out, 3780);
    AppendLE32(out, static_cast<uint32_t>(layout.palette.size()));
    AppendLE32(out, 0);
    for (uint32_t mask : layout.masks) AppendLE32(out, mask);
    for (uint32_t colour : layout.palette) {
        out.push_back(static_cast<uint8_t>(colour & 0xFF));
        out.push_back(static_cast<uint8_t>((colour >> 8) & 0xFF));
        out.push_back(static_cast<uint8_t>((colour >> 16) & 0xFF));
        out.push_back(0);
    }
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}
