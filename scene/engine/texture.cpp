#include "scene/engine/texture.h"

namespace rm {

namespace {
// The smallest power of two not below n, as its exponent (at most 2^12).
int CeilLog2(int n) {
    int log2 = 0;
    while ((1 << log2) < n && log2 < 12) ++log2;
    return log2;
}
} // namespace

TextureImpl::TextureImpl(const BmpPicture& picture) {
    // Pictures of other sizes are resampled to the nearest texel, which keeps every
    // colour exact, so a transparent colour stays transparent.
    width_log2_ = CeilLog2(picture.width);
    height_log2_ = CeilLog2(picture.height);
    const int w = 1 << width_log2_;
    const int h = 1 << height_log2_;
    texels_.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int y = 0; y < h; ++y) {
        const int sy = static_cast<int>(static_cast<int64_t>(y) * picture.height / h);
        for (int x = 0; x < w; ++x) {
            const int sx = static_cast<int>(static_cast<int64_t>(x) * picture.width / w);
            texels_[static_cast<size_t>(y * w + x)] =
                picture.pixels[static_cast<size_t>(sy) * static_cast<size_t>(picture.width) +
                               static_cast<size_t>(sx)];
        }
    }
}

} // namespace rm
