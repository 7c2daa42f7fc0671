#include "media/surface.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

void TDirectDrawSurface::SetSize(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    pending_fill_.reset();
    pixels_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0);
}

void TDirectDrawSurface::FillNow(uint32_t rgb) const {
    pending_fill_.reset();
    if (rgb == 0) {
        // Black every frame: the fastest clear there is.
        std::memset(pixels_.data(), 0, pixels_.size() * sizeof(uint32_t));
        return;
    }
    std::fill(pixels_.begin(), pixels_.end(), rgb);
}

namespace {

// A copy's source rectangle: a rectangle given right-to-left or bottom-to-top is copied
// mirrored.
struct SourceRect {
    bool mirror_x, mirror_y;
    int left, top, width, height;
    explicit SourceRect(TRect r)
        : mirror_x(r.Right < r.Left), mirror_y(r.Bottom < r.Top), left(std::min(r.Left, r.Right)),
          top(std::min(r.Top, r.Bottom)), width(std::abs(r.Right - r.Left)),
          height(std::abs(r.Bottom - r.Top)) {}
};

} // namespace

void TDirectDrawSurface::CopyRect(int x, int y, TRect r, const TDirectDrawSurface& src,
                                  bool transparent) {
    Settle();
    src.Settle();
    if (&src == this) {
        // Overlapping rectangles of one surface: read from a snapshot.
        const TDirectDrawSurface snapshot = src;
        CopyRect(x, y, r, snapshot, transparent);
        return;
    }
    const SourceRect source(r);
    const auto [mirror_x, mirror_y, src_left, src_top, w, h] = source;
    const bool keyed = transparent && src.ColorKey.has_value();
    const uint32_t key = src.ColorKey.value_or(0) & 0xFFFFFFu;

    // Column i of the copy reads source column sx(i) and writes x + i; keep the columns
    // whose both ends fall inside their surfaces (the same for rows).
    auto source_of = [](bool mirror, int first, int n, int i) {
        return mirror ? first + n - 1 - i : first + i;
    };
    auto clip = [&](bool mirror, int first, int n, int src_size, int dest, int dest_size, int& lo,
                    int& hi) {
        lo = std::max(0, -dest);
        hi = std::min(n, dest_size - dest);
        // Source index runs forwards or backwards with i; bound it to 0..src_size-1.
        if (!mirror) {
            lo = std::max(lo, -first);
            hi = std::min(hi, src_size - first);
        } else {
            lo = std::max(lo, first + n - src_size);
            hi = std::min(hi, first + n);
        }
    };
    int i0, i1, j0, j1;
    clip(mirror_x, src_left, w, src.width_, x, width_, i0, i1);
    clip(mirror_y, src_top, h, src.height_, y, height_, j0, j1);
    for (int j = j0; j < j1; ++j) {
        const uint32_t* from =
            &src.pixels_[static_cast<size_t>(source_of(mirror_y, src_top, h, j)) *
                         static_cast<size_t>(src.width_)];
        uint32_t* to = &pixels_[static_cast<size_t>(y + j) * static_cast<size_t>(width_)];
        for (int i = i0; i < i1; ++i) {
            const uint32_t c = from[source_of(mirror_x, src_left, w, i)];
            if (keyed && (c & 0xFFFFFFu) == key) continue;
            to[x + i] = c;
        }
    }
}

void TDirectDrawSurface::CopyRect(int x, int y, TRect r, const TDirectDrawSurface& src,
                                  bool transparent, int scale) {
    if (scale <= 1) {
        CopyRect(x, y, r, src, transparent);
        return;
    }
    Settle();
    src.Settle();
    if (&src == this) {
        const TDirectDrawSurface snapshot = src;
        CopyRect(x, y, r, snapshot, transparent, scale);
        return;
    }
    const SourceRect source(r);
    const auto [mirror_x, mirror_y, src_left, src_top, w, h] = source;
    const bool keyed = transparent && src.ColorKey.has_value();
    const uint32_t key = src.ColorKey.value_or(0) & 0xFFFFFFu;
    // Destination pixel x + i shows source column i / scale of the rectangle (counted from
    // its far side when mirrored); pixels whose source lies outside the source are skipped.
    auto source_of = [scale](bool mirror, int first, int n, int i) {
        return mirror ? first + n - 1 - i / scale : first + i / scale;
    };
    const int i0 = std::max(0, -x), i1 = std::min(w * scale, width_ - x);
    const int j0 = std::max(0, -y), j1 = std::min(h * scale, height_ - y);
    for (int j = j0; j < j1; ++j) {
        const int sy = source_of(mirror_y, src_top, h, j);
        if (sy < 0 || sy >= src.height_) continue;
        const uint32_t* from =
            &src.pixels_[static_cast<size_t>(sy) * static_cast<size_t>(src.width_)];
        uint32_t* to = &pixels_[static_cast<size_t>(y + j) * static_cast<size_t>(width_)];
        for (int i = i0; i < i1; ++i) {
            const int sx = source_of(mirror_x, src_left, w, i);
            if (sx < 0 || sx >= src.width_) continue;
            const uint32_t c = from[sx];
            if (keyed && (c & 0xFFFFFFu) == key) continue;
            to[x + i] = c;
        }
    }
}
