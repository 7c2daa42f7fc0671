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

// Rows first .. end - 1 of a surface.
struct RowSpan {
    int first = 0;
    int end = 0;
};

// The rows of a surface height rows high whose pixel centres a triangle may cover: every
// row DrawTriangle could draw it in lies within them.
RowSpan TriangleRows(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
                     int height);

class Rasterizer {
public:
    // The surface and depth buffer (same width and height, depth one float per pixel)
    // that later triangles are drawn into; the drawing is clipped to width x height and
    // to the rows first_row .. end_row - 1, which no other rasteriser draws at the same
    // time. The depth buffer of those rows counts as cleared: each row is zeroed when a
    // triangle first reaches it, while it is about to be used, rather than all up front.
    void Begin(const RenderTarget& target, float* depth, int width, int height, int first_row,
               int end_row);
    // Paints the rasteriser's rows, width pixels wide, in one colour.
    void PaintRows(uint32_t colour);
    // Returns true when the triangle covered at least one pixel centre of the rasteriser's
    // rows. A pixel gets the same value whichever rows the rasteriser has.
    bool DrawTriangle(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
                      const TriangleStyle& style);

private:
    uint32_t* pixels_ = nullptr;
    int pitch_ = 0;
    float* depth_ = nullptr;
    int width_ = 0;
    int first_row_ = 0;
    int end_row_ = 0;
    std::vector<uint8_t> depth_row_ready_; // per row of the surface: zeroed since Begin
};

} // namespace rm
