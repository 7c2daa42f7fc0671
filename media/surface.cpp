#include "media/surface.h"

#include <algorithm>

void TDirectDrawSurface::SetSize(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    pixels_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0);
}

void TDirectDrawSurface::Fill(uint32_t rgb) { std::fill(pixels_.begin(), pixels_.end(), rgb); }

void TDirectDrawSurface::CopyRect(int x, int y, TRect r, const TDirectDrawSurface& src,
                                  bool transparent) {
    const bool mirror_x = r.Right < r.Left;
    const bool mirror_y = r.Bottom < r.Top;
    const int src_left = std::min(r.Left, r.Right);
    const int src_top = std::min(r.Top, r.Bottom);
    const int w = std::abs(r.Right - r.Left);
    const int h = std::abs(r.Bottom - r.Top);
    const bool keyed = transparent && src.ColorKey.has_value();
    const uint32_t key = src.ColorKey.value_or(0);
    for (int j = 0; j < h; ++j) {
        const int sy = mirror_y ? src_top + h - 1 - j : src_top + j;
        const int dy = y + j;
        if (sy < 0 || sy >= src.height_ || dy < 0 || dy >= height_) continue;
        for (int i = 0; i < w; ++i) {
            const int sx = mirror_x ? src_left + w - 1 - i : src_left + i;
            const int dx = x + i;
            if (sx < 0 || sx >= src.width_ || dx < 0 || dx >= width_) continue;
            const uint32_t c = src.Pixel(sx, sy);
            if (keyed && c == key) continue;
            SetPixel(dx, dy, c);
        }
    }
}
