#include "scene/engine/bmp_reader.h"

#include "scene/engine/file_bytes.h"
#include "scene/engine/little_endian.h"

namespace rm {

namespace {

constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_BITFIELDS = 3;
constexpr size_t FileHeaderSize = 14;
constexpr size_t CoreHeaderSize = 12;
constexpr size_t InfoHeaderSize = 40;
// Larger pictures are refused rather than allocated: a corrupt header must not ask for
// gigabytes, and no texture side may pass what the rasterizer indexes.
constexpr int64_t MaxPixels = int64_t{1} << 26;
constexpr int64_t MaxSide = 16384;
constexpr size_t MaxFileSize = size_t{64} << 20;

BmpFailure Malformed(std::string reason) {
    return {BmpFailure::Kind::Malformed, std::move(reason)};
}

// One colour channel described by a bit mask of a 16- or 32-bit pixel.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0; // the largest value of the channel's bits

    // False when the mask's bits are not contiguous.
    bool SetMask(uint32_t bits) {
        mask = bits;
        if (mask == 0) return true;
        while (((mask >> shift) & 1u) == 0) ++shift;
        max = mask >> shift;
        return (max & (max + 1)) == 0;
    }
    // To 0..255, to the nearest.
    uint32_t To8Bits(uint32_t pixel) const {
        if (max == 0) return 0;
        const uint64_t v = (pixel & mask) >> shift;
        return static_cast<uint32_t>((v * 255 + max / 2) / max);
    }
};

struct Header {
    int width = 0;
    int height = 0;
    bool top_down = false;
    int bit_count = 0;
    uint32_t compression = BI_RGB;
    uint32_t masks[3] = {0, 0, 0}; // red, green, blue
    std::vector<uint32_t> palette;
};

std::optional<BmpFailure> ReadHeader(const uint8_t* b, size_t size, Header& header) {
    if (size < FileHeaderSize + CoreHeaderSize || b[0] != 'B' || b[1] != 'M')
        return Malformed("not a BMP picture");
    const size_t header_size = ReadLE32(b + 14);
    if (header_size > size - FileHeaderSize) return Malformed("truncated BMP header");
    const uint8_t* h = b + FileHeaderSize;
    size_t palette_start = FileHeaderSize + header_size;
    size_t palette_entry = 4;
    uint32_t colours_used = 0;
    int64_t width = 0, height = 0;
    if (header_size == CoreHeaderSize) {
        width = ReadLE16(h + 4);
        height = ReadLE16(h + 6);
        if (ReadLE16(h + 8) != 1) return Malformed("not one colour plane");
        header.bit_count = ReadLE16(h + 10);
        palette_entry = 3;
    } else if (header_size >= InfoHeaderSize) {
        width = static_cast<int32_t>(ReadLE32(h + 4));
        height = static_cast<int32_t>(ReadLE32(h + 8));
        if (ReadLE16(h + 12) != 1) return Malformed("not one colour plane");
        header.bit_count = ReadLE16(h + 14);
        header.compression = ReadLE32(h + 16);
        colours_used = ReadLE32(h + 32);
    } else {
        return Malformed("unknown BMP header");
    }

    const int bits = header.bit_count;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return BmpFailure{BmpFailure::Kind::BitCount,
                          "unsupported bit count " + std::to_string(bits), bits};
    const bool bitfields = header.compression == BI_BITFIELDS && (bits == 16 || bits == 32);
    if (header.compression != BI_RGB && !bitfields)
        return Malformed("compressed BMP pictures are not supported");

    header.top_down = height < 0;
    if (height < 0) height = -height;
    if (width <= 0 || height <= 0 || width > MaxSide || height > MaxSide ||
        width * height > MaxPixels)
        return Malformed("bad picture size");
    header.width = static_cast<int>(width);
    header.height = static_cast<int>(height);

    if (bitfields) {
        // Version 2 and later headers carry the masks; a plain info header is followed by them.
        size_t at = FileHeaderSize + InfoHeaderSize;
        if (header_size == InfoHeaderSize) palette_start += 12;
        if (at + 12 > size) return Malformed("truncated BMP header");
        for (uint32_t& mask : header.masks) {
            mask = ReadLE32(b + at);
            at += 4;
        }
    } else if (bits == 16) {
        header.masks[0] = 0x7C00; // 5-5-5
        header.masks[1] = 0x03E0;
        header.masks[2] = 0x001F;
    } else if (bits == 32) {
        header.masks[0] = 0xFF0000;
        header.masks[1] = 0x00FF00;
        header.masks[2] = 0x0000FF;
    }

    if (bits <= 8) {
        const uint32_t full = 1u << bits;
        const uint32_t count = colours_used == 0 || colours_used > full ? full : colours_used;
        if (palette_start + count * palette_entry > size) return Malformed("truncated palette");
        for (uint32_t i = 0; i < count; ++i) {
            const uint8_t* e = b + palette_start + i * palette_entry;
            header.palette.push_back((uint32_t{e[2]} << 16) | (uint32_t{e[1]} << 8) | e[0]);
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<BmpFailure> DecodeBmp(const uint8_t* data, size_t size, BmpPicture& out) {
    Header header;
    if (auto failure = ReadHeader(data, size, header)) return failure;
    const size_t data_offset = ReadLE32(data + 10);
    const uint64_t stride = ((uint64_t(header.width) * uint64_t(header.bit_count) + 31) / 32) * 4;
    if (data_offset < FileHeaderSize + CoreHeaderSize || data_offset > size ||
        stride * uint64_t(header.height) > size - data_offset)
        return Malformed("truncated pixel data");

    Channel red, green, blue;
    if (!red.SetMask(header.masks[0]) || !green.SetMask(header.masks[1]) ||
        !blue.SetMask(header.masks[2]))
        return Malformed("colour masks with gaps");
    const int w = header.width;
    const int bits = header.bit_count;
    std::vector<uint32_t> pixels(static_cast<size_t>(w) * static_cast<size_t>(header.height));
    for (int y = 0; y < header.height; ++y) {
        const int file_row = header.top_down ? y : header.height - 1 - y;
        const uint8_t* row = data + data_offset + static_cast<size_t>(stride) * size_t(file_row);
        uint32_t* line = &pixels[static_cast<size_t>(y) * static_cast<size_t>(w)];
        for (int x = 0; x < w; ++x) {
            uint32_t colour = 0;
            if (bits <= 8) {
                const int bit = x * bits;
                const int shift = 8 - bits - bit % 8;
                const uint32_t index = (row[bit / 8] >> shift) & ((1u << bits) - 1);
                // An index past the palette reads as black rather than failing the picture.
                colour = index < header.palette.size() ? header.palette[index] : 0;
            } else if (bits == 24) {
                const uint8_t* p = row + x * 3;
                colour = (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
            } else {
                const uint32_t v = bits == 16 ? ReadLE16(row + x * 2) : ReadLE32(row + x * 4);
                colour = (red.To8Bits(v) << 16) | (green.To8Bits(v) << 8) | blue.To8Bits(v);
            }
            line[x] = colour;
        }
    }
    out.width = w;
    out.height = header.height;
    out.bit_count = bits;
    out.pixels = std::move(pixels);
    return std::nullopt;
}

bool DecodeBmp(const uint8_t* data, size_t size, BmpPicture& out, std::string& error) {
    const std::optional<BmpFailure> failure = DecodeBmp(data, size, out);
    if (failure) error = failure->reason;
    return !failure;
}

bool ReadBmpFile(const std::string& path, BmpPicture& out, std::string& error) {
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(path, MaxFileSize, bytes, error)) return false;
    return DecodeBmp(bytes.data(), bytes.size(), out, error);
}

} // namespace rm
