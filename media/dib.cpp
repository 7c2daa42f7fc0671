#include "media/dib.h"

#include "media/read_file.h"

namespace {

constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_BITFIELDS = 3;
constexpr size_t FileHeaderSize = 14;
constexpr size_t CoreHeaderSize = 12;
constexpr size_t InfoHeaderSize = 40;
// Larger pictures than this are not pictures of this game; refusing them keeps a
// corrupt header from asking for gigabytes.
constexpr int64_t MaxPixels = int64_t{1} << 26;

[[noreturn]] void InvalidDib(const std::string& name) {
    throw EInvalidGraphic(name + ": 不正な DIB です");
}

[[noreturn]] void InvalidBitCount(const std::string& name, int bit_count) {
    throw EInvalidGraphic(name + ": 不正なビット数です (" + std::to_string(bit_count) + ")");
}

// One colour channel described by a bit mask of a 16- or 32-bit pixel.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0; // the largest value of the channel's bits

    static Channel FromMask(uint32_t mask, const std::string& name) {
        Channel c;
        c.mask = mask;
        if (mask == 0) return c;
        while (((mask >> c.shift) & 1u) == 0) ++c.shift;
        c.max = mask >> c.shift;
        if ((c.max & (c.max + 1)) != 0) InvalidDib(name); // the bits must be contiguous
        return c;
    }
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

Header ReadHeader(const std::vector<uint8_t>& b, const std::string& name) {
    if (b.size() < FileHeaderSize + CoreHeaderSize || b[0] != 'B' || b[1] != 'M') InvalidDib(name);
    const size_t header_size = ReadLE32(&b[14]);
    if (header_size > b.size() - FileHeaderSize) InvalidDib(name);
    const uint8_t* h = &b[FileHeaderSize];
    Header header;
    size_t palette_start = FileHeaderSize + header_size;
    size_t palette_entry = 4;
    uint32_t colours_used = 0;
    int64_t height = 0;
    if (header_size == CoreHeaderSize) {
        header.width = ReadLE16(h + 4);
        height = ReadLE16(h + 6);
        if (ReadLE16(h + 8) != 1) InvalidDib(name);
        header.bit_count = ReadLE16(h + 10);
        palette_entry = 3;
    } else if (header_size >= InfoHeaderSize) {
        header.width = static_cast<int32_t>(ReadLE32(h + 4));
        height = static_cast<int32_t>(ReadLE32(h + 8));
        if (ReadLE16(h + 12) != 1) InvalidDib(name);
        header.bit_count = ReadLE16(h + 14);
        header.compression = ReadLE32(h + 16);
        colours_used = ReadLE32(h + 32);
    } else {
        InvalidDib(name);
    }

    const int bits = header.bit_count;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        InvalidBitCount(name, bits);
    const bool bitfields = header.compression == BI_BITFIELDS && (bits == 16 || bits == 32);
    if (header.compression != BI_RGB && !bitfields) InvalidDib(name);

    header.top_down = height < 0;
    if (height < 0) height = -height;
    if (header.width <= 0 || height <= 0 || int64_t{header.width} * height > MaxPixels)
        InvalidDib(name);
    header.height = static_cast<int>(height);

    if (bitfields) {
        // Version 2 and later headers carry the masks; a plain info header is followed by them.
        size_t at = FileHeaderSize + InfoHeaderSize;
        if (header_size == InfoHeaderSize) palette_start += 12;
        if (at + 12 > b.size()) InvalidDib(name);
        for (uint32_t& mask : header.masks) {
            mask = ReadLE32(&b[at]);
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
        if (palette_start + count * palette_entry > b.size()) InvalidDib(name);
        for (uint32_t i = 0; i < count; ++i) {
            const uint8_t* e = &b[palette_start + i * palette_entry];
            header.palette.push_back((uint32_t{e[2]} << 16) | (uint32_t{e[1]} << 8) | e[0]);
        }
    }
    return header;
}

} // namespace

void TDIB::LoadFromFile(const std::string& path) {
    LoadFromBytes(ReadBinaryFile(path), path);
}

void TDIB::LoadFromBytes(const std::vector<uint8_t>& b, const std::string& name) {
    const Header header = ReadHeader(b, name);
    const size_t data_offset = ReadLE32(&b[10]);
    const uint64_t stride = ((uint64_t(header.width) * uint64_t(header.bit_count) + 31) / 32) * 4;
    if (data_offset < FileHeaderSize + CoreHeaderSize || data_offset > b.size() ||
        stride * uint64_t(header.height) > b.size() - data_offset)
        InvalidDib(name);

    const Channel red = Channel::FromMask(header.masks[0], name);
    const Channel green = Channel::FromMask(header.masks[1], name);
    const Channel blue = Channel::FromMask(header.masks[2], name);
    const int w = header.width;
    const int bits = header.bit_count;
    std::vector<uint32_t> pixels(static_cast<size_t>(w) * static_cast<size_t>(header.height));
    for (int y = 0; y < header.height; ++y) {
        const int file_row = header.top_down ? y : header.height - 1 - y;
        const uint8_t* row = &b[data_offset + static_cast<size_t>(stride) * size_t(file_row)];
        uint32_t* out = &pixels[static_cast<size_t>(y) * static_cast<size_t>(w)];
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
            out[x] = colour;
        }
    }
    Assign(w, header.height, bits, std::move(pixels));
}

void TDIB::Assign(int width, int height, int bit_count, std::vector<uint32_t> pixels) {
    if (width < 0 || height < 0 ||
        pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
        throw std::invalid_argument("TDIB::Assign: the pixel count does not match the size");
    width_ = width;
    height_ = height;
    bit_count_ = bit_count;
    pixels_ = std::move(pixels);
}
