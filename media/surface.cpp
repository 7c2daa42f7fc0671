#include "media/surface.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

TDirectDrawSurface::TDirectDrawSurface(const TDirectDrawSurface& other)
    : ColorKey(other.ColorKey), width_(other.width_), height_(other.height_),
      pending_fill_(other.pending_fill_) {
    const uint32_t* from = other.Data();
    own_.assign(from, from + static_cast<size_t>(width_) * static_cast<size_t>(height_));
}

TDirectDrawSurface& TDirectDrawSurface::operator=(const TDirectDrawSurface& other) {
    if (this != &other) *this = TDirectDrawSurface(other);
    return *this;
}

TDirectDrawSurface::TDirectDrawSurface(TDirectDrawSurface&& other) noexcept
    : ColorKey(other.ColorKey), width_(other.width_), height_(other.height_),
      own_(std::move(other.own_)), borrowed_(other.borrowed_), pending_fill_(other.pending_fill_) {
    other.borrowed_ = nullptr;
    other.width_ = other.height_ = 0;
    other.own_.clear();
}

TDirectDrawSurface& TDirectDrawSurface::operator=(TDirectDrawSurface&& other) noexcept {
    if (this == &other) return *this;
    ColorKey = other.ColorKey;
    width_ = other.width_;
    height_ = other.height_;
    own_ = std::move(other.own_);
    borrowed_ = other.borrowed_;
    pending_fill_ = other.pending_fill_;
    other.borrowed_ = nullptr;
    other.width_ = other.height_ = 0;
    other.own_.clear();
    return *this;
}

void TDirectDrawSurface::SetSize(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    pending_fill_.reset();
    borrowed_ = nullptr;
    own_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0);
}

void TDirectDrawSurface::Borrow(uint32_t* memory) {
    if (memory == nullptr || memory == borrowed_) return;
    const size_t count = static_cast<size_t>(width_) * static_cast<size_t>(height_);
    if (pending_fill_) {
        borrowed_ = memory; // the fill is made in the new memory when next needed
    } else {
        std::memcpy(memory, Data(), count * sizeof(uint32_t));
        borrowed_ = memory;
    }
    own_.clear();
    own_.shrink_to_fit();
}

void TDirectDrawSurface::Release() {
    if (borrowed_ == nullptr) return;
    const size_t count = static_cast<size_t>(width_) * static_cast<size_t>(height_);
    if (pending_fill_)
        own_.resize(count);
    else
        own_.assign(borrowed_, borrowed_ + count);
    borrowed_ = nullptr;
}

void TDirectDrawSurface::FillNow(uint32_t rgb) const {
    pending_fill_.reset();
    uint32_t* pixels = Data();
    const size_t count = static_cast<size_t>(width_) * static_cast<size_t>(height_);
    if (rgb == 0) {
        // Black every frame: the fastest clear there is.
        std::memset(pixels, 0, count * sizeof(uint32_t));
        return;
    }
    std::fill(pixels, pixels + count, rgb);
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

    // The source column (or row) of column i of a rectangle n wide starting at first, read
    // from its far side when mirrored.
    static int Index(bool mirror, int first, int n, int i) {
        return mirror ? first + n - 1 - i : first + i;
    }
    // Narrows the columns lo .. hi - 1 of the rectangle to those whose source lies within
    // 0 .. size - 1.
    static void KeepInside(bool mirror, int first, int n, int size, int& lo, int& hi) {
        if (!mirror) {
            lo = std::max(lo, -first);
            hi = std::min(hi, size - first);
        } else {
            lo = std::max(lo, first + n - size);
            hi = std::min(hi, first + n);
        }
    }
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

    // Column i of the copy reads source column Index(i) and writes x + i; keep the columns
    // whose both ends fall inside their surfaces (the same for rows).
    int i0 = std::max(0, -x), i1 = std::min(w, width_ - x);
    int j0 = std::max(0, -y), j1 = std::min(h, height_ - y);
    SourceRect::KeepInside(mirror_x, src_left, w, src.width_, i0, i1);
    SourceRect::KeepInside(mirror_y, src_top, h, src.height_, j0, j1);
    for (int j = j0; j < j1; ++j) {
        const uint32_t* from =
            src.Data() + static_cast<size_t>(SourceRect::Index(mirror_y, src_top, h, j)) *
                             static_cast<size_t>(src.width_);
        uint32_t* to = Data() + static_cast<size_t>(y + j) * static_cast<size_t>(width_);
        for (int i = i0; i < i1; ++i) {
            const uint32_t c = from[SourceRect::Index(mirror_x, src_left, w, i)];
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
    int k0 = 0, k1 = w, l0 = 0, l1 = h;
    SourceRect::KeepInside(mirror_x, src_left, w, src.width_, k0, k1);
    SourceRect::KeepInside(mirror_y, src_top, h, src.height_, l0, l1);
    const int i0 = std::max(k0 * scale, -x), i1 = std::min(k1 * scale, width_ - x);
    const int j0 = std::max(l0 * scale, -y), j1 = std::min(l1 * scale, height_ - y);
    for (int j = j0; j < j1; ++j) {
        const int sy = SourceRect::Index(mirror_y, src_top, h, j / scale);
        const uint32_t* from =
            src.Data() + static_cast<size_t>(sy) * static_cast<size_t>(src.width_);
        uint32_t* to = Data() + static_cast<size_t>(y + j) * static_cast<size_t>(width_) + x;
        // A source pixel at a time, drawn as a run of scale pixels.
        for (int i = i0; i < i1;) {
            const int k = i / scale;
            const int run_end = std::min((k + 1) * scale, i1);
            const uint32_t c = from[SourceRect::Index(mirror_x, src_left, w, k)];
            if (!keyed || (c & 0xFFFFFFu) != key) std::fill(to + i, to + run_end, c);
            i = run_end;
        }
    }
}
