#include "tools/assetgen/bmp_writer.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <stdexcept>

#include "tools/assetgen/little_endian.h"

namespace assetgen {

void WriteBmp(const std::string& path, const Picture& picture, int bit_count) {
    if (bit_count != 1 && bit_count != 4 && bit_count != 8 && bit_count != 24)
        throw std::runtime_error("unsupported bit count for " + path);
    std::vector<uint32_t> palette;
    std::map<uint32_t, uint32_t> index_of;
    if (bit_count < 24) {
        for (uint32_t c : picture.pixels) {
            if (index_of.count(c) == 0) {
                index_of[c] = static_cast<uint32_t>(palette.size());
                palette.push_back(c);
            }
        }
        const size_t limit = size_t{1} << bit_count;
        if (palette.size() > limit)
            throw std::runtime_error(path + ": " + std::to_string(palette.size()) +
                                     " colours do not fit " + std::to_string(bit_count) + " bits");
        palette.resize(limit, 0);
    }
    const uint32_t row_bits = static_cast<uint32_t>(picture.width * bit_count);
    const uint32_t row_bytes = ((row_bits + 31) / 32) * 4;
    const uint32_t palette_bytes = static_cast<uint32_t>(palette.size() * 4);
    const uint32_t data_offset = 14 + 40 + palette_bytes;
    const uint32_t image_bytes = row_bytes * static_cast<uint32_t>(picture.height);

    std::vector<uint8_t> out;
    out.reserve(data_offset + image_bytes);
    out.push_back('B');
    out.push_back('M');
    Put32(out, data_offset + image_bytes);
    Put32(out, 0);
    Put32(out, data_offset);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(picture.width));
    Put32(out, static_cast<uint32_t>(picture.height)); // bottom-up rows
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(bit_count));
    Put32(out, 0); // BI_RGB
    Put32(out, image_bytes);
    Put32(out, 3780); // 96 dpi
    Put32(out, 3780);
    Put32(out, bit_count < 24 ? static_cast<uint32_t>(palette.size()) : 0);
    Put32(out, 0);
    for (uint32_t c : palette) {
        out.push_back(static_cast<uint8_t>(c));       // blue
        out.push_back(static_cast<uint8_t>(c >> 8));  // green
        out.push_back(static_cast<uint8_t>(c >> 16)); // red
        out.push_back(0);
    }
    for (int y = picture.height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(row_bytes, 0);
        for (int x = 0; x < picture.width; ++x) {
            const uint32_t c = picture.at(x, y);
            if (bit_count == 24) {
                row[static_cast<size_t>(x * 3)] = static_cast<uint8_t>(c);
                row[static_cast<size_t>(x * 3 + 1)] = static_cast<uint8_t>(c >> 8);
                row[static_cast<size_t>(x * 3 + 2)] = static_cast<uint8_t>(c >> 16);
                continue;
            }
            const uint32_t index = index_of[c];
            const int bit = x * bit_count;
            const int shift = 8 - bit_count - bit % 8;
            row[static_cast<size_t>(bit / 8)] |= static_cast<uint8_t>(index << shift);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    if (!file) throw std::runtime_error("cannot write " + path);
}

} // namespace assetgen
