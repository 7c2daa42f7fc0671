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
    // A copy has pixels of its own, also of a surface drawing in borrowed memory.
    TDirectDrawSurface(const TDirectDrawSurface& other);
    TDirectDrawSurface& operator=(const TDirectDrawSurface& other);
    TDirectDrawSurface(TDirectDrawSurface&& other) noexcept;
    TDirectDrawSurface& operator=(TDirectDrawSurface&& other) noexcept;
    ~TDirectDrawSurface() = default;

    // Gives the surface a new size, black, in memory of its own.
    void SetSize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    uint32_t* Pixels() {
        Settle();
        return Data();
    }
    const uint32_t* Pixels() const {
        Settle();
        return Data();
    }
    uint32_t Pixel(int x, int y) const {
        Settle();
        return Data()[static_cast<size_t>(y * width_ + x)];
    }
    void SetPixel(int x, int y, uint32_t rgb) {
        Settle();
        Data()[static_cast<size_t>(y * width_ + x)] = rgb;
    }

    // Draws in memory the surface does not own from now on (Width() x Height() pixels, rows
    // Width() apart), such as the picture memory of the window it is shown in, taking its
    // picture there, until Release takes it back into memory of its own. SetSize gives the
    // memory back without taking the picture. The memory must stay valid until then.
    void Borrow(uint32_t* memory);
    void Release();
    bool Borrowed() const { return borrowed_ != nullptr; }
    // Fills the whole surface with one colour. The fill is made when the pixels are next
    // used, so a fill that is wholly drawn over (a frame's clear before the 3D view paints
    // its own background) costs nothing. A pointer from Pixels is therefore good only until
    // the next Fill: ask for it again after one.
    void Fill(uint32_t rgb) { pending_fill_ = rgb; }
    // The pixels, for a caller about to write every one of them: a pending fill is dropped.
    uint32_t* PixelsToOverwrite() {
        pending_fill_.reset();
        return Data();
    }

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
    // Makes a pending fill.
    void Settle() const {
        if (pending_fill_) FillNow(*pending_fill_);
    }
    void FillNow(uint32_t rgb) const;
    uint32_t* Data() const { return borrowed_ != nullptr ? borrowed_ : own_.data(); }

    int width_ = 0;
    int height_ = 0;
    // Mutable: reading a surface makes its pending fill first.
    mutable std::vector<uint32_t> own_;
    uint32_t* borrowed_ = nullptr; // the pixels while in borrowed memory
    mutable std::optional<uint32_t> pending_fill_;
};
