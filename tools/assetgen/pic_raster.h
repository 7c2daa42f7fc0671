// Float coverage masks and RGBA layers for drawing the 2D pictures. Shapes are drawn
// with analytic anti-aliasing or at a supersampled scale and reduced afterwards.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace assetgen {

// Coverage 0..1 per pixel, row 0 at the top.
struct Mask {
    int width = 0;
    int height = 0;
    std::vector<float> v;

    Mask() = default;
    Mask(int w, int h) : width(w), height(h), v(static_cast<size_t>(w) * static_cast<size_t>(h)) {}
    float& at(int x, int y) { return v[static_cast<size_t>(y * width + x)]; }
    float at(int x, int y) const { return v[static_cast<size_t>(y * width + x)]; }
    // Zero outside the mask.
    float get(int x, int y) const {
        return x < 0 || y < 0 || x >= width || y >= height ? 0.0f : at(x, y);
    }
};

struct Rgb {
    float r = 0, g = 0, b = 0; // 0..1
};

Rgb FromHex(uint32_t rgb);
uint32_t ToHex(Rgb c);
Rgb Mix(Rgb a, Rgb b, float t);

// A straight-alpha colour layer.
struct Layer {
    int width = 0;
    int height = 0;
    std::vector<Rgb> rgb;
    std::vector<float> alpha;

    Layer(int w, int h)
        : width(w), height(h), rgb(static_cast<size_t>(w) * static_cast<size_t>(h)),
          alpha(static_cast<size_t>(w) * static_cast<size_t>(h), 0.0f) {}
    size_t index(int x, int y) const { return static_cast<size_t>(y * width + x); }
    // Paints colour(x, y) with the given coverage over what is there (source-over).
    void Paint(int x, int y, Rgb colour, float coverage);
    // Paints a mask placed with its top-left corner at (ox, oy).
    void PaintMask(const Mask& mask, int ox, int oy, const std::function<Rgb(int, int)>& colour,
                   float opacity = 1.0f);
};

// Box-averages factor x factor blocks (the mask's size must be a multiple of factor).
Mask Downsample(const Mask& mask, int factor);
// Euclidean distance (in pixels) from each pixel to the nearest pixel whose coverage is at
// least one half; 0 inside.
std::vector<float> DistanceOutside(const Mask& mask);
// Pixels within radius of the shape (coverage >= 0.5), as a hard mask.
Mask Grow(const Mask& mask, const std::vector<float>& distance, float radius);
// Separable box blur, repeated three times (close to a Gaussian).
Mask Blur(const Mask& mask, int radius);
// Shifts a mask by whole pixels, keeping its size.
Mask Shift(const Mask& mask, int dx, int dy);

// Analytic anti-aliased coverage helpers for a pixel centre at distance d from an edge:
// 1 well inside (d <= -0.5), 0 well outside (d >= 0.5).
float EdgeCoverage(float signed_distance);

} // namespace assetgen
