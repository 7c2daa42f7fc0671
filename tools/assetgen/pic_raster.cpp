#include "tools/assetgen/pic_raster.h"

#include <algorithm>
#include <cmath>

namespace assetgen {
namespace {

uint32_t Channel(float v) {
    return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

// One-dimensional squared distance transform (Felzenszwalb and Huttenlocher); "far" cells
// hold a huge finite value so the parabola intersections stay finite.
void Transform1D(const std::vector<double>& f, std::vector<double>& d, std::vector<int>& v,
                 std::vector<double>& z) {
    const int n = static_cast<int>(f.size());
    const auto sq = [](int q) { return static_cast<double>(q) * static_cast<double>(q); };
    int k = 0;
    v[0] = 0;
    z[0] = -1e30;
    z[1] = 1e30;
    for (int q = 1; q < n; ++q) {
        double s = 0;
        while (true) {
            const int p = v[static_cast<size_t>(k)];
            s = ((f[static_cast<size_t>(q)] + sq(q)) - (f[static_cast<size_t>(p)] + sq(p))) /
                (2.0 * (q - p));
            if (s <= z[static_cast<size_t>(k)] && k > 0) {
                --k;
                continue;
            }
            break;
        }
        ++k;
        v[static_cast<size_t>(k)] = q;
        z[static_cast<size_t>(k)] = s;
        z[static_cast<size_t>(k) + 1] = 1e30;
    }
    k = 0;
    for (int q = 0; q < n; ++q) {
        while (z[static_cast<size_t>(k) + 1] < q) ++k;
        const int p = v[static_cast<size_t>(k)];
        d[static_cast<size_t>(q)] = sq(q - p) + f[static_cast<size_t>(p)];
    }
}

} // namespace

Rgb FromHex(uint32_t rgb) {
    return {static_cast<float>((rgb >> 16) & 0xFF) / 255.0f,
            static_cast<float>((rgb >> 8) & 0xFF) / 255.0f,
            static_cast<float>(rgb & 0xFF) / 255.0f};
}

uint32_t ToHex(Rgb c) {
    return Channel(c.r) << 16 | Channel(c.g) << 8 | Channel(c.b);
}

Rgb Mix(Rgb a, Rgb b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

void Layer::Paint(int x, int y, Rgb colour, float coverage) {
    if (x < 0 || y < 0 || x >= width || y >= height || coverage <= 0.0f) return;
    coverage = std::min(coverage, 1.0f);
    const size_t i = index(x, y);
    const float a0 = alpha[i];
    const float a = coverage + a0 * (1.0f - coverage);
    const float w0 = a0 * (1.0f - coverage) / a;
    const float w1 = coverage / a;
    rgb[i] = {rgb[i].r * w0 + colour.r * w1, rgb[i].g * w0 + colour.g * w1,
              rgb[i].b * w0 + colour.b * w1};
    alpha[i] = a;
}

void Layer::PaintMask(const Mask& mask, int ox, int oy, const std::function<Rgb(int, int)>& colour,
                      float opacity) {
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x) {
            const float c = mask.at(x, y) * opacity;
            if (c > 0.0f) Paint(ox + x, oy + y, colour(ox + x, oy + y), c);
        }
}

Mask Downsample(const Mask& mask, int factor) {
    Mask out(mask.width / factor, mask.height / factor);
    const float scale = 1.0f / static_cast<float>(factor * factor);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            float sum = 0;
            for (int j = 0; j < factor; ++j)
                for (int i = 0; i < factor; ++i) sum += mask.at(x * factor + i, y * factor + j);
            out.at(x, y) = sum * scale;
        }
    return out;
}

std::vector<float> DistanceOutside(const Mask& mask) {
    const double far = 1e12;
    const int w = mask.width;
    const int h = mask.height;
    std::vector<double> grid(mask.v.size());
    for (size_t i = 0; i < grid.size(); ++i) grid[i] = mask.v[i] >= 0.5f ? 0.0 : far;
    const size_t n = static_cast<size_t>(std::max(w, h));
    std::vector<double> f(n), d(n), z(n + 1);
    std::vector<int> v(n);
    for (int x = 0; x < w; ++x) {
        f.resize(static_cast<size_t>(h));
        d.resize(static_cast<size_t>(h));
        for (int y = 0; y < h; ++y)
            f[static_cast<size_t>(y)] = grid[static_cast<size_t>(y * w + x)];
        Transform1D(f, d, v, z);
        for (int y = 0; y < h; ++y)
            grid[static_cast<size_t>(y * w + x)] = d[static_cast<size_t>(y)];
    }
    for (int y = 0; y < h; ++y) {
        f.resize(static_cast<size_t>(w));
        d.resize(static_cast<size_t>(w));
        for (int x = 0; x < w; ++x)
            f[static_cast<size_t>(x)] = grid[static_cast<size_t>(y * w + x)];
        Transform1D(f, d, v, z);
        for (int x = 0; x < w; ++x)
            grid[static_cast<size_t>(y * w + x)] = d[static_cast<size_t>(x)];
    }
    std::vector<float> out(grid.size());
    for (size_t i = 0; i < grid.size(); ++i) out[i] = static_cast<float>(std::sqrt(grid[i]));
    return out;
}

Mask Grow(const Mask& mask, const std::vector<float>& distance, float radius) {
    Mask out(mask.width, mask.height);
    for (size_t i = 0; i < out.v.size(); ++i) out.v[i] = distance[i] <= radius ? 1.0f : 0.0f;
    return out;
}

Mask Blur(const Mask& mask, int radius) {
    Mask a = mask;
    Mask b(mask.width, mask.height);
    const float scale = 1.0f / static_cast<float>(2 * radius + 1);
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < a.height; ++y)
            for (int x = 0; x < a.width; ++x) {
                float sum = 0;
                for (int i = -radius; i <= radius; ++i) sum += a.get(x + i, y);
                b.at(x, y) = sum * scale;
            }
        for (int y = 0; y < a.height; ++y)
            for (int x = 0; x < a.width; ++x) {
                float sum = 0;
                for (int i = -radius; i <= radius; ++i) sum += b.get(x, y + i);
                a.at(x, y) = sum * scale;
            }
    }
    return a;
}

Mask Shift(const Mask& mask, int dx, int dy) {
    Mask out(mask.width, mask.height);
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x) out.at(x, y) = mask.get(x - dx, y - dy);
    return out;
}

float EdgeCoverage(float signed_distance) {
    return std::clamp(0.5f - signed_distance, 0.0f, 1.0f);
}

} // namespace assetgen
