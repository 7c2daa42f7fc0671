// Draws screen-space triangles into a 32-bit surface with a float depth buffer (1/z, larger
// is nearer): Gouraud colour, optional texture (perspective-correct or affine, nearest or
// linear, decal transparency), optional alpha blending.
//
// A triangle is set up once (its edges and the planes of its values) and then drawn in
// strips of rows, each strip with a depth buffer of its own rows only. A pixel gets the
// same value whichever strip it lies in.
#pragma once

#include <cstdint>

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

// An attribute as a plane over the screen: value at (x, y) = base + dx (x - x0) + dy (y - y0).
struct Plane {
    float base = 0, dx = 0, dy = 0;
    float At(float fx, float fy) const { return base + dx * fx + dy * fy; }
};

// A triangle ready to draw in any strip of rows.
struct SetUpTriangle {
    float x0 = 0, y0 = 0; // where the planes are referred to
    Plane inv_z, r, g, b, u, v;
    // Edges: from top to bottom (long), top to middle, middle to bottom.
    float top_x = 0, top_y = 0, mid_x = 0, mid_y = 0;
    float long_slope = 0, upper_slope = 0, lower_slope = 0;
    TriangleStyle style;
    int first_row = 0, end_row = 0; // the rows whose pixel centres it may cover
    uint32_t face = 0;              // a clipped face gives several triangles with one number
};

// Sets the triangle abc up for a surface height rows high (and at most MaxCoordinate
// pixels from its corner). False when it can cover no pixel centre there: nothing to draw.
bool SetUp(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
           const TriangleStyle& style, int height, SetUpTriangle& out);

// Rows first_row .. end_row - 1 of a surface, and a depth buffer for only those rows.
struct StripTarget {
    uint32_t* pixels = nullptr; // the surface: row y starts at pixels + y * pitch
    int pitch = 0;              // in pixels
    float* depth = nullptr;     // row y starts at depth + (y - first_row) * width
    int width = 0;
    int first_row = 0;
    int end_row = 0;
    // Per row of the strip: whether its depth has been zeroed yet. Each row is zeroed when
    // a triangle first reaches it, while it is about to be used, rather than all up front.
    uint8_t* depth_ready = nullptr;
};

// Draws the rows of t that lie in the strip; true when it covered at least one pixel
// centre there.
bool DrawRows(const SetUpTriangle& t, const StripTarget& target);

// Paints rows first .. end - 1 of a surface, width pixels wide, in one colour.
void PaintRows(const RenderTarget& target, int width, int first, int end, uint32_t colour);

} // namespace rm
