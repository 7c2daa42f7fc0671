#include "scene/engine/bmp_reader.h"

#include "scene/engine/file_bytes.h"

namespace rm {

namespace {

constexpr int MaxSide = 16384; // larger pictures are refused rather than allocated
constexpr size_t MaxFileSize = size_t{64} << 20;

uint32_t Read16(const uint8_t* p) {
    return static_cast<uint32_t>(p[0] | p[1] << 8);
}
uint32_t Read32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// Scales a masked channel to 0..255.
uint32_t Channel(uint32_t value, uint32_t mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (((mask >> shift) & 1u) == 0) ++shift;
    const uint64_t max = mask >> shift;
    return static_cast<uint32_t>(static_cast<uint64_t>((value & mask) >> shift) * 255u / max);
}

} // namespace

bool DecodeBmp(const uint8_t* data, size_t size, BmpPicture& out, std::string& error) {
    if (size < 26 || data[0] != 'B' || data[1] != 'M') {
        error = "not a BMP picture";
        return false;
    }
    const uint32_t pixel_offset = Read32(data + 10);
    const uint32_t header_size = Read32(data + 14);
    int64_t width = 0, height = 0;
    uint32_t bit_count = 0, compression = 0, colours_used = 0;
    size_t palette_entry = 4;
    if (header_size == 12) {
        width = Read16(data + 18);
        height = static_cast<int16_t>(Read16(data + 20));
        bit_count = Read16(data + 24);
        palette_entry = 3;
    } else if (header_size >= 40 && size >= 14 + 40) {
        width = static_cast<int32_t>(Read32(data + 18));
        height = static_cast<int32_t>(Read32(data + 22));
        bit_count = Read16(data + 28);
        compression = Read32(data + 30);
        colours_used = Read32(data + 46);
    } else {
        error = "unknown BMP header";
        return false;
    }
    const bool top_down = height < 0;
    if (top_down) height = -height;
    if (width <= 0 || height <= 0 || width > MaxSide || height > MaxSide) {
        error = "bad picture size";
        return false;
    }
    uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
    if (bit_count == 32) masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
    if (compression == 3 && (bit_count == 16 || bit_count == 32)) {
        // Bit fields follow the 40-byte header (or are part of a longer one).
        if (size < 14 + 40 + 12) {
            error = "truncated BMP header";
            return false;
        }
        for (int i = 0; i < 3; ++i) masks[i] = Read32(data + 54 + 4 * i);
    } else if (compression != 0) {
        error = "compressed BMP pictures are not supported";
        return false;
    }
    if (bit_count != 1 && bit_count != 4 && bit_count != 8 && bit_count != 16 && bit_count != 24 &&
        bit_count != 32) {
        error = "unsupported bit count " + std::to_string(bit_count);
        return false;
    }

    std::vector<uint32_t> palette;
    if (bit_count <= 8) {
        size_t count = colours_used != 0 ? colours_used : size_t{1} << bit_count;
        if (count > 256) count = 256;
        const size_t start = 14 + static_cast<size_t>(header_size);
        if (start + count * palette_entry > size) {
            error = "truncated palette";
            return false;
        }
        for (size_t i = 0; i < count; ++i) {
            const uint8_t* e = data + start + i * palette_entry;
            palette.push_back(static_cast<uint32_t>(e[2]) << 16 | static_cast<uint32_t>(e[1]) << 8 |
                              e[0]);
        }
    }

    const size_t w = static_cast<size_t>(width);
    const size_t h = static_cast<size_t>(height);
    const size_t row_bytes = (w * bit_count + 31) / 32 * 4;
    if (pixel_offset > size || row_bytes * h > size - pixel_offset) {
        error = "truncated pixel data";
        return false;
    }
    out.width = static_cast<int>(w);
    out.height = static_cast<int>(h);
    out.pixels.assign(w * h, 0);
    for (size_t row = 0; row < h; ++row) {
        const uint8_t* src = data + pixel_offset + row * row_bytes;
        uint32_t* dst = out.pixels.data() + (top_down ? row : h - 1 - row) * w;
        for (size_t x = 0; x < w; ++x) {
            uint32_t c = 0;
            switch (bit_count) {
            case 1:
            case 4:
            case 8: {
                const size_t bit = x * bit_count;
                const uint32_t byte = src[bit / 8];
                const uint32_t index =
                    (byte >> (8 - bit_count - bit % 8)) & ((1u << bit_count) - 1u);
                c = index < palette.size() ? palette[index] : 0;
                break;
            }
            case 16: {
                const uint32_t v = Read16(src + 2 * x);
                c = Channel(v, masks[0]) << 16 | Channel(v, masks[1]) << 8 | Channel(v, masks[2]);
                break;
            }
            case 24:
                c = static_cast<uint32_t>(src[3 * x + 2]) << 16 |
                    static_cast<uint32_t>(src[3 * x + 1]) << 8 | src[3 * x];
                break;
            default: {
                const uint32_t v = Read32(src + 4 * x);
                c = Channel(v, masks[0]) << 16 | Channel(v, masks[1]) << 8 | Channel(v, masks[2]);
                break;
            }
            }
            dst[x] = c;
        }
    }
    return true;
}

bool ReadBmpFile(const std::string& path, BmpPicture& out, std::string& error) {
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(path, MaxFileSize, bytes, error)) return false;
    return DecodeBmp(bytes.data(), bytes.size(), out, error);
}

} // namespace rm
