#include "media/dib.h"

void TDIB::LoadFromFile(const std::string&) {}
void TDIB::Assign(int width, int height, int bit_count, std::vector<uint32_t> pixels) {
    width_ = width;
    height_ = height;
    bit_count_ = bit_count;
    pixels_ = std::move(pixels);
}
