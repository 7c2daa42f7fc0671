// Reduces a drawn layer to a palette picture with one transparent key colour.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/assetgen/bmp_writer.h"
#include "tools/assetgen/pic_raster.h"

namespace assetgen {

struct QuantizeOptions {
    uint32_t key = 0x00FF00;      // transparent colour: where the layer is (nearly) empty
    int colours = 16;             // palette size including the key
    float alpha_threshold = 0.5f; // below it a pixel is transparent
    Rgb matte;                    // what partly covered pixels are blended over
    bool dither = false;          // Floyd-Steinberg error diffusion
    std::vector<uint32_t> fixed;  // colours the palette must contain
};

// The opaque colours chosen for a layer (without the key).
std::vector<uint32_t> ChoosePalette(const Layer& layer, const QuantizeOptions& options);
Picture Quantize(const Layer& layer, const QuantizeOptions& options);

} // namespace assetgen
