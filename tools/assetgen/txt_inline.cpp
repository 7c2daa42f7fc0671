#include "tools/assetgen/txt_inline.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include <stb/stb_image_write.h>

namespace assetgen {
namespace {

uint32_t Read32(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 |
           static_cast<uint32_t>(b[at + 2]) << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

// RGB pixels of an uncompressed BMP as our writer makes them (1, 4, 8 or 24 bits,
// bottom-up rows).
std::vector<uint8_t> ReadBmpRgb(const std::string& path, int& width, int& height) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<uint8_t> b((std::istreambuf_iterator<char>(file)),
                                 std::istreambuf_iterator<char>());
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') throw std::runtime_error("not a BMP: " + path);
    const uint32_t offset = Read32(b, 10);
    width = static_cast<int>(Read32(b, 18));
    height = static_cast<int>(Read32(b, 22));
    const int bits = b[28] | b[29] << 8;
    const size_t palette = 14 + Read32(b, 14);
    const size_t row_bytes =
        ((static_cast<size_t>(width) * static_cast<size_t>(bits) + 31) / 32) * 4;
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    for (int y = 0; y < height; ++y) {
        const size_t row = offset + static_cast<size_t>(height - 1 - y) * row_bytes;
        for (int x = 0; x < width; ++x) {
            uint8_t* out = &rgb[(static_cast<size_t>(y) * static_cast<size_t>(width) +
                                 static_cast<size_t>(x)) *
                                3];
            const uint8_t* px = nullptr;
            if (bits == 24) {
                px = &b.at(row + static_cast<size_t>(x) * 3);
            } else {
                const size_t bit = static_cast<size_t>(x) * static_cast<size_t>(bits);
                const int shift = 8 - bits - static_cast<int>(bit % 8);
                const int index = (b.at(row + bit / 8) >> shift) & ((1 << bits) - 1);
                px = &b.at(palette + static_cast<size_t>(index) * 4);
            }
            out[0] = px[2];
            out[1] = px[1];
            out[2] = px[0];
        }
    }
    return rgb;
}

void Append(void* context, void* data, int size) {
    auto* out = static_cast<std::string*>(context);
    out->append(static_cast<const char*>(data), static_cast<size_t>(size));
}

} // namespace

std::string Base64(const std::string& bytes) {
    static constexpr char Alphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        const uint32_t v = static_cast<uint32_t>(static_cast<uint8_t>(bytes[i])) << 16 |
                           static_cast<uint32_t>(static_cast<uint8_t>(bytes[i + 1])) << 8 |
                           static_cast<uint8_t>(bytes[i + 2]);
        for (int k = 3; k >= 0; --k) out += Alphabet[(v >> (6 * k)) & 63];
    }
    const size_t rest = bytes.size() - i;
    if (rest > 0) {
        uint32_t v = static_cast<uint32_t>(static_cast<uint8_t>(bytes[i])) << 16;
        if (rest == 2) v |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[i + 1])) << 8;
        out += Alphabet[(v >> 18) & 63];
        out += Alphabet[(v >> 12) & 63];
        out += rest == 2 ? Alphabet[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

std::string InlinePictures(const std::string& html, const std::string& picture_dir) {
    static const std::string Open = "{{png:";
    std::string out;
    size_t pos = 0;
    while (true) {
        const size_t start = html.find(Open, pos);
        if (start == std::string::npos) break;
        const size_t end = html.find("}}", start);
        if (end == std::string::npos) throw std::runtime_error("unclosed {{png: in the help page");
        std::string name = html.substr(start + Open.size(), end - start - Open.size());
        // An optional ":RRGGBB" names the picture's transparent colour.
        long key = -1;
        if (const size_t colon = name.find(':'); colon != std::string::npos) {
            key = std::stol(name.substr(colon + 1), nullptr, 16);
            name = name.substr(0, colon);
        }
        int width = 0, height = 0;
        const std::vector<uint8_t> rgb = ReadBmpRgb(picture_dir + "/" + name, width, height);
        std::vector<uint8_t> rgba;
        for (size_t i = 0; i < rgb.size(); i += 3) {
            const long c = rgb[i] << 16 | rgb[i + 1] << 8 | rgb[i + 2];
            rgba.insert(rgba.end(), {rgb[i], rgb[i + 1], rgb[i + 2]});
            rgba.push_back(c == key ? 0 : 255);
        }
        std::string png;
        if (stbi_write_png_to_func(Append, &png, width, height, 4, rgba.data(), width * 4) == 0)
            throw std::runtime_error("cannot encode " + name);
        out += html.substr(pos, start - pos);
        out += "data:image/png;base64," + Base64(png);
        pos = end + 2;
    }
    out += html.substr(pos);
    return out;
}

} // namespace assetgen
