// libFuzzer target for the BMP reader of the image list, the HUD bitmaps and the stage maps.
// Whatever the bytes, a picture either loads whole or is refused with EInvalidGraphic.
#include <cstdint>
#include <vector>

#include "media/dib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    TDIB dib;
    try {
        dib.LoadFromBytes(bytes, "fuzz.bmp");
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    // A loaded picture has a size, one pixel per place, and only 24-bit colours.
    const int bits = dib.BitCount();
    if (dib.Width() <= 0 || dib.Height() <= 0) __builtin_trap();
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        __builtin_trap();
    if (dib.Pixels().size() != static_cast<size_t>(dib.Width()) * static_cast<size_t>(dib.Height()))
        __builtin_trap();
    for (const uint32_t pixel : dib.Pixels())
        if (pixel > 0xFFFFFFu) __builtin_trap();
    return 0;
}
