// An off-screen picture in display format: 32-bit 0x00RRGGBB pixels, with an optional
// source colour key that rectangle copies skip.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

struct TRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0; // right and bottom exclusive
};

class TDirectDrawSurface {
public:
    TDirectDrawSurface() = default;
    TDirectDrawSurface(int width, int height) { SetSize(width, height); }

    void SetSize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    uint32_t* Pixels() { return pixels_.data(); }
    const uint32_t* Pixels() const { return pixels_.data(); }
    uint32_t Pixel(int x, int y) const { return pixels_[static_cast<size_t>(y * width_ + x)]; }
    void SetPixel(int x, int y, uint32_t rgb) {
        pixels_[static_cast<size_t>(y * width_ + x)] = rgb;
    }
    void Fill(uint32_t rgb);

    // Source colour key (0xRRGGBB); copies with transparency skip pixels of this colour.
    std::optional<uint32_t> ColorKey;

    // Copies the source rectangle of src to (x, y), skipping src's colour key when
    // transparent is set. Clipped to both surfaces; a rectangle with right < left or
    // bottom < top is drawn mirrored.
    void CopyRect(int x, int y, TRect source_rect, const TDirectDrawSurface& src, bool transparent);
    // The same, each source pixel drawn as a scale x scale block (scale 1 is the copy
    // above): the 2D overlay of a large screen, kept sharp.
    void CopyRect(int x, int y, TRect source_rect, const TDirectDrawSurface& src, bool transparent,
                  int scale);

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
};
