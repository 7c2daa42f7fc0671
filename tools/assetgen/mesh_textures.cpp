#include "tools/assetgen/mesh_textures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace assetgen {
namespace {

uint32_t Pack(double r, double g, double b) {
    auto c = [](double v) { return static_cast<uint32_t>(std::clamp(v, 0.0, 1.0) * 255.0 + 0.5); };
    return c(r) << 16 | c(g) << 8 | c(b);
}

} // namespace

Picture FireTexture() {
    const int w = 32, h = 64;
    Picture p(w, h, 0);
    for (int y = 0; y < h; ++y) {
        const double v = (y + 0.5) / h;            // 0 at the nozzle
        const double half = 0.46 * (1 - v) + 0.04; // the flame narrows to a tip
        for (int x = 0; x < w; ++x) {
            const double u = std::fabs((x + 0.5) / w - 0.5);
            if (u > half) continue;
            const double core = 1 - u / half; // 1 on the axis
            const double heat = core * (1 - 0.7 * v);
            // White-yellow core, orange body, red edges; never pure black inside.
            p.at(x, y) = Pack(0.55 + 0.45 * std::min(1.0, heat * 1.6), 0.12 + 0.8 * heat,
                              0.02 + 0.6 * std::max(0.0, heat - 0.5));
        }
    }
    return p;
}

Picture GrilleTexture() {
    const int n = 64;
    Picture p(n, n, 0);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const bool frame = x < 4 || y < 4 || x >= n - 4 || y >= n - 4;
            const bool lattice = (x + y) % 16 < 3 || (x - y + n) % 16 < 3;
            if (frame)
                p.at(x, y) = Pack(0.55, 0.55, 0.6);
            else if (lattice)
                p.at(x, y) = Pack(0.75 + 0.1 * ((x + y) % 16 == 1), 0.75, 0.8);
        }
    return p;
}

} // namespace assetgen
