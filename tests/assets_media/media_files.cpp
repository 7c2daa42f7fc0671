#include "tests/assets_media/media_files.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace media_files {
namespace {

uint32_t U16(const std::string& b, size_t at) {
    if (at + 2 > b.size()) throw std::runtime_error("file too short");
    return static_cast<uint32_t>(static_cast<uint8_t>(b[at])) |
           static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 8;
}
uint32_t U32(const std::string& b, size_t at) {
    return U16(b, at) | U16(b, at + 2) << 16;
}

uint32_t Colour(const std::string& b, size_t at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(b.at(at + 2))) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(b.at(at + 1))) << 8 |
           static_cast<uint8_t>(b.at(at));
}

} // namespace

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot open " + path);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

Bmp ReadBmp(const std::string& path) {
    const std::string b = ReadFile(path);
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') throw std::runtime_error("not a BMP");
    Bmp out;
    const uint32_t offset = U32(b, 10);
    const uint32_t header = U32(b, 14);
    out.width = static_cast<int>(U32(b, 18));
    const auto height = static_cast<int32_t>(U32(b, 22));
    if (U32(b, 30) != 0) throw std::runtime_error("compressed BMP");
    out.height = height < 0 ? -height : height;
    out.bits = static_cast<int>(U16(b, 28));
    if (out.bits <= 8) {
        uint32_t used = U32(b, 46);
        if (used == 0) used = 1u << out.bits;
        for (uint32_t i = 0; i < used; ++i) out.palette.push_back(Colour(b, 14 + header + i * 4));
    }
    const size_t row_bytes =
        ((static_cast<size_t>(out.width) * static_cast<size_t>(out.bits) + 31) / 32) * 4;
    out.pixels.resize(static_cast<size_t>(out.width) * static_cast<size_t>(out.height));
    for (int y = 0; y < out.height; ++y) {
        const int stored = height < 0 ? y : out.height - 1 - y;
        const size_t row = offset + static_cast<size_t>(stored) * row_bytes;
        for (int x = 0; x < out.width; ++x) {
            uint32_t c = 0;
            if (out.bits == 24) {
                c = Colour(b, row + static_cast<size_t>(x) * 3);
            } else {
                const size_t bit = static_cast<size_t>(x) * static_cast<size_t>(out.bits);
                const int shift = 8 - out.bits - static_cast<int>(bit % 8);
                const uint32_t index =
                    (static_cast<uint8_t>(b.at(row + bit / 8)) >> shift) & ((1u << out.bits) - 1);
                c = out.palette.at(index);
            }
            out.pixels[static_cast<size_t>(y * out.width + x)] = c;
        }
    }
    return out;
}

Wav ReadWav(const std::string& path) {
    const std::string b = ReadFile(path);
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0)
        throw std::runtime_error("not a RIFF WAVE file");
    Wav out;
    bool have_format = false, have_data = false;
    for (size_t at = 12; at + 8 <= b.size();) {
        const std::string id = b.substr(at, 4);
        const uint32_t size = U32(b, at + 4);
        if (id == "fmt ") {
            out.format = static_cast<int>(U16(b, at + 8));
            out.channels = static_cast<int>(U16(b, at + 10));
            out.rate = static_cast<int>(U32(b, at + 12));
            out.bits = static_cast<int>(U16(b, at + 22));
            have_format = true;
        } else if (id == "data") {
            if (at + 8 + size > b.size()) throw std::runtime_error("data chunk runs past the end");
            out.samples.assign(b.begin() + static_cast<std::ptrdiff_t>(at + 8),
                               b.begin() + static_cast<std::ptrdiff_t>(at + 8 + size));
            have_data = true;
        }
        at += 8 + size + (size & 1);
    }
    if (!have_format || !have_data) throw std::runtime_error("missing fmt or data chunk");
    return out;
}

} // namespace media_files
