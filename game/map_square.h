// Where a ground point falls on a stage map, and reading the maps there. One map pixel
// covers 5 x 5 units: a point (x, z) falls on column round(x / 5) + 8 and row
// 92 - round(z / 5), rounding halves to even. The asset generator draws the maps by the same
// mapping (this header alone, without the game). A leaf header: any game folder may include it.
#pragma once

#include <cmath>
#include <cstdint>

class TImage;

namespace map_pixel {
constexpr int MapSize = 102;    // a stage map's side, in pixels
constexpr double Units = 5.0;   // the world units one pixel covers, along x and z
constexpr int OriginColumn = 8; // the pixel the ground point (0, 0) falls on
constexpr int OriginRow = 92;
} // namespace map_pixel

// std::nearbyint rounds halves to even in the default rounding mode, as the maps were drawn.
inline int MapColumn(double x) {
    return static_cast<int>(std::nearbyint((1.0 / map_pixel::Units) * x)) + map_pixel::OriginColumn;
}
inline int MapRow(double z) {
    return map_pixel::OriginRow - static_cast<int>(std::nearbyint((1.0 / map_pixel::Units) * z));
}
// The ground point at the centre of a column's and a row's pixels.
constexpr double MapPixelCentreX(int column) {
    return map_pixel::Units * (column - map_pixel::OriginColumn);
}
constexpr double MapPixelCentreZ(int row) {
    return map_pixel::Units * (map_pixel::OriginRow - row);
}

namespace map_colour {
constexpr uint32_t Wall = 0x000000;
constexpr uint32_t Gate = 0xFF0000;     // red
constexpr uint32_t BossRoom = 0x0000FF; // blue
} // namespace map_colour

// The 2 x 2 pixels at and after a ground point: a, b along +column, c, d on the next row.
struct MapSquare {
    uint32_t a, b, c, d;
    bool Any(uint32_t colour) const {
        return a == colour || b == colour || c == colour || d == colour;
    }
};

// Without a map every pixel reads as floor (white).
MapSquare ReadMapSquare(const TImage* map, double x, double z);
