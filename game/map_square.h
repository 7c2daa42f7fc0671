// Reading the stage maps under a ground point. One map pixel covers 5 x 5 units: a point
// (x, z) falls on column round(x / 5) + 8 and row 92 - round(z / 5), rounding halves to even.
// A leaf header: any game folder may include it.
#pragma once

#include <cstdint>

class TImage;

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

int MapColumn(double x);
int MapRow(double z);
// Without a map every pixel reads as floor (white).
MapSquare ReadMapSquare(const TImage* map, double x, double z);
