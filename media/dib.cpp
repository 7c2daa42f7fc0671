#include "media/dib.h"

#include "media/read_file.h"

#include "scene/engine/bmp_reader.h"

void TDIB::LoadFromFile(const std::string& path) {
    LoadFromBytes(ReadBinaryFile(path), path);
}

void TDIB::LoadFromBytes(const std::vector<uint8_t>& bytes, const std::string& name) {
    rm::BmpPicture picture;
    if (const std::optional<rm::BmpFailure> failure =
            rm::DecodeBmp(bytes.data(), bytes.size(), picture)) {
        if (failure->kind == rm::BmpFailure::Kind::BitCount)
            throw EInvalidGraphic(name + ": 不正なビット数です (" +
                                  std::to_string(failure->bit_count) + ")");
        throw EInvalidGraphic(name + ": 不正な DIB です");
    }
    Assign(picture.width, picture.height, picture.bit_count, std::move(picture.pixels));
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
