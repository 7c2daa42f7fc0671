#include "game/map_square.h"

#include <cmath>

#include "media/dib.h"

// std::nearbyint rounds halves to even in the default rounding mode, as the maps were drawn.
int MapColumn(double x) {
    return static_cast<int>(std::nearbyint(0.2 * x)) + 8;
}
int MapRow(double z) {
    return 92 - static_cast<int>(std::nearbyint(0.2 * z));
}

MapSquare ReadMapSquare(const TImage* map, double x, double z) {
    if (map == nullptr) return {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
    const int col = MapColumn(x);
    const int row = MapRow(z);
    return {map->Pixel(col, row), map->Pixel(col + 1, row), map->Pixel(col, row + 1),
            map->Pixel(col + 1, row + 1)};
}
