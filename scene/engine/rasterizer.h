// Draws screen-space triangles into a 32-bit surface with a float depth buffer (1/z, larger
// is nearer): Gouraud colour, optional texture (perspective-correct or affine, nearest or
// linear, decal transparency), optional alpha blending.
#pragma once

#include <cstdint>
#include <vector>

#include "scene/engine/rm.h"

namespace rm {

class TextureImpl;

struct ScreenVertex {
    float x = 0, y = 0;        // pixels; pixel (i, j) has its centre at (i + 0.5, j + 0.5)
    float inv_z = 0;           // 1 / camera-space depth
    float r = 0, g = 0, b = 0; // lit colour, 0..255
    float u = 0, v = 0;        // texture coordinates, 1 = the picture's width or height
};

struct TriangleStyle {
    const TextureImpl* texture = nullptr;
    bool perspective = false;
    bool linear = false;
    bool blend = false;
    int alpha = 256; // 0..256, used when blend is set
};

class Rasterizer {
public:
    // The surface and depth buffer (same width and height, depth one float per pixel)
    // that later triangles are drawn into; the drawing is clipped to width x height. The
    // depth buffer counts as cleared: each row is zeroed when a triangle first reaches
    // it, while it is about to be used, rather than the whole buffer up front.
    void Begin(const RenderTarget& target, float* depth, int width, int height);
    // Returns true when the triangle covered at least one pixel centre of the surface.
    bool DrawTriangle(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
                      const TriangleStyle& style);

private:
    uint32_t* pixels_ = nullptr;
    int pitch_ = 0;
    float* depth_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    std::vector<uint8_t> depth_row_ready_; // per row: already zeroed since Begin
};

} // namespace rm
