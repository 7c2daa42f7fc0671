#include "game/map_square.h"

#include "media/dib.h"

MapSquare ReadMapSquare(const TImage* map, double x, double z) {
    if (map == nullptr) return {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
    const int col = MapColumn(x);
    const int row = MapRow(z);
    return {map->Pixel(col, row), map->Pixel(col + 1, row), map->Pixel(col, row + 1),
            map->Pixel(col + 1, row + 1)};
}
