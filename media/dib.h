// Device-independent bitmaps read from BMP files: the pictures of the image list, the two
// HUD bitmap holders and the hidden stage maps.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "media/read_file.h"

class EInvalidGraphic : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TDIB {
public:
    // Reads a BMP file. Raises EInvalidGraphic "不正な DIB です" for a file that is not a
    // valid bitmap and "不正なビット数です (%d)" for an unsupported bit depth; the message
    // names the file too. A missing file raises EFOpenError naming it. Reads uncompressed
    // 1, 4, 8, 24 and 32-bit pictures and 16-bit 5-5-5 or masked ones, either row order.
    void LoadFromFile(const std::string& path);
    // The same from a file's bytes already in memory; name is used in messages.
    void LoadFromBytes(const std::vector<uint8_t>& bytes, const std::string& name);
    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitCount() const { return bit_count_; }
    bool Empty() const { return pixels_.empty(); }
    // 0x00RRGGBB, row 0 at the top.
    uint32_t Pixel(int x, int y) const { return pixels_[static_cast<size_t>(y * width_ + x)]; }
    const std::vector<uint32_t>& Pixels() const { return pixels_; }
    // Takes a picture built in memory (0x00RRGGBB, row 0 at the top); the pixel count
    // must be width x height.
    void Assign(int width, int height, int bit_count, std::vector<uint32_t> pixels);

private:
    int width_ = 0;
    int height_ = 0;
    int bit_count_ = 0;
    std::vector<uint32_t> pixels_;
};

// A bitmap holder of the form (PicBack, PicBack2).
struct TDXDIB {
    TDIB DIB;
};

// A hidden picture control of the form (the stage maps Image1 to Image6).
class TImage {
public:
    TDIB Picture;
    // 0x00RRGGBB of a pixel; outside the picture reads as white (floor).
    uint32_t Pixel(int x, int y) const {
        if (x < 0 || y < 0 || x >= Picture.Width() || y >= Picture.Height()) return 0xFFFFFF;
        return Picture.Pixel(x, y);
    }
};
