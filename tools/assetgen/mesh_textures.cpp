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

// A fixed grain in -1..1 per texel, so the files are the same on every build.
double Grain(int x, int y, uint32_t seed) {
    uint32_t h = static_cast<uint32_t>(x) * 73856093u ^ static_cast<uint32_t>(y) * 19349663u ^
                 seed * 83492791u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return (h & 0xFFFFu) / 32767.5 - 1.0;
}

uint32_t Grey(double v) {
    return Pack(v, v, v);
}

// A round bolt head of radius 1.5 texels centred at (cx, cy): lit from the upper left, so
// its upper left is bright and its lower right dark. Returns false outside it.
bool Bolt(int x, int y, double cx, double cy, double base, double& out) {
    const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
    if (dx * dx + dy * dy > 2.6) return false;
    out = base + (dx + dy < 0 ? 0.08 : -0.12);
    return true;
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

Picture WallTexture() {
    const int n = 128, half = n / 2;
    const int trim = 9, kick = 108, mid = 60; // rows: trim bottom, kick plate top, panel seam
    Picture p(n, n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const int px = x % half; // position inside the panel column
            // Each panel its own faint shade, so a long wall is not one flat sheet.
            const int panel = (x / half) + 2 * (y >= mid);
            double v = 0.86 + 0.015 * (panel % 3 - 1) + 0.012 * Grain(x, y, 1);
            if (y < trim) {
                v = 0.76 + 0.01 * Grain(x, y, 2);
                if (y == trim - 1) v = 0.66; // shadow under the trim
            } else if (y >= kick) {
                v = 0.72 + 0.01 * Grain(x, y, 3);
                if (y == kick) v = 0.92; // lit top edge of the kick plate
                if (y == kick + 1) v = 0.64;
            } else {
                // Bevelled seams: a dark line with a lit line beside it.
                if (px == 0 || y == mid) v = 0.68;
                if (px == 1 || y == mid + 1) v = 0.93;
                double bolt = 0;
                for (int by : {trim + 5, mid - 4, mid + 6, kick - 5})
                    for (int bx : {6, half - 5})
                        if (Bolt(px, y, bx, by, v, bolt)) v = bolt;
            }
            p.at(x, y) = Grey(v);
        }
    return p;
}

Picture PillarTexture() {
    const int w = PillarFaceTexels, h = 128;
    const int top_band = 14, bottom_band = 104; // hazard stripes above and below
    Picture p(PillarTextureWidth, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            double v = 0.93 + 0.01 * Grain(x, y, 4);
            if (y < top_band || y >= bottom_band) {
                // Diagonal stripes 8 texels wide; dark but not black so they stay readable.
                v = ((x + y) / 8) % 2 == 0 ? 0.94 : 0.28;
                if (y == top_band - 1 || y == bottom_band) v = 0.5; // band edges
            } else {
                // A recessed panel: a dark rim inside the face's lit and shaded edges.
                const bool rim = x == 4 || x == w - 5 || y == top_band + 4 || y == bottom_band - 5;
                if (rim) v = 0.7;
                double bolt = 0;
                for (int by : {top_band + 9, bottom_band - 10})
                    for (int bx : {10, w - 10})
                        if (Bolt(x, y, bx, by, v, bolt)) v = bolt;
            }
            if (x < 2) v += 0.05; // corners catch a little light
            if (x >= w - 2) v -= 0.12;
            p.at(x, y) = Grey(v);
        }
        // The columns past the face only meet a filtered sample at the face's two edges:
        // they repeat the edge texel each side would blend with.
        for (int x = w; x < PillarTextureWidth; ++x)
            p.at(x, y) = x < (w + PillarTextureWidth) / 2 ? p.at(w - 1, y) : p.at(0, y);
    }
    return p;
}

Picture GroundTexture() {
    const int n = 128;
    const double r = 0.6, g = 0.52, b = 0.35; // brown steel
    Picture p(n, n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            double k = 1.0 + 0.02 * Grain(x, y, 5);
            const int edge = std::min({x, y, n - 1 - x, n - 1 - y});
            if (edge == 0) k = 0.78;                          // the gap between plates
            if (edge == 1) k = x == 1 || y == 1 ? 1.08 : 0.9; // bevel, lit from -x -z
            double bolt = 0;
            for (int by : {8, n - 8})
                for (int bx : {8, n - 8})
                    if (Bolt(x, y, bx, by, k, bolt)) k = bolt;
            p.at(x, y) = Pack(r * k, g * k, b * k);
        }
    return p;
}

} // namespace assetgen
