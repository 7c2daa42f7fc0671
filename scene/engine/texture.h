// Textures: pictures wrapped over the faces of a mesh. Texels are kept in a power-of-two
// grid so the rasteriser can wrap coordinates with a mask.
#pragma once

#include <cstdint>
#include <vector>

#include "scene/engine/bmp_reader.h"
#include "scene/engine/rm.h"

namespace rm {

class TextureImpl final : public Texture {
public:
    explicit TextureImpl(const BmpPicture& picture);
    void SetDecalTransparency(bool on) override { decal_ = on; }
    void SetDecalTransparentColor(uint32_t rgb) override { decal_colour_ = rgb & 0xFFFFFFu; }

    bool Decal() const { return decal_; }
    uint32_t DecalColour() const { return decal_colour_; }
    int WidthLog2() const { return width_log2_; }
    int HeightLog2() const { return height_log2_; }
    const uint32_t* Texels() const { return texels_.data(); } // 0x00RRGGBB

private:
    bool decal_ = false;
    uint32_t decal_colour_ = 0;
    int width_log2_ = 0;
    int height_log2_ = 0;
    std::vector<uint32_t> texels_;
};

} // namespace rm
