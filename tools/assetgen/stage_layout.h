// A stage layout: the 102 x 102 grid of cells from which the maps and the wall meshes of
// one stage are made. One cell is one map pixel, 5 x 5 world units.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "game/map_square.h"

namespace assetgen {

constexpr int MapSize = map_pixel::MapSize;
constexpr double CellSize = map_pixel::Units;

enum class Cell : char {
    Floor = '.',
    Wall = '#',
    Pillar = '+', // a wall cell that also carries a pillar
    BossRoom = 'B',
    Gate = 'G',
};

struct StageLayout {
    std::array<std::array<Cell, MapSize>, MapSize> cells{}; // [row][column], row 0 = far +z

    Cell at(int column, int row) const {
        return cells[static_cast<size_t>(row)][static_cast<size_t>(column)];
    }
    // Wall and pillar cells; outside the grid counts as wall.
    bool IsWall(int column, int row) const;
};

struct MapPixel {
    int column = 0;
    int row = 0;
};

// The game's mapping of a ground point to a map pixel (game/map_square.h).
inline MapPixel PixelOf(double x, double z) {
    return {MapColumn(x), MapRow(z)};
}
// World x of a column's pixel centre and world z of a row's pixel centre.
constexpr double PixelCentreX(int column) {
    return MapPixelCentreX(column);
}
constexpr double PixelCentreZ(int row) {
    return MapPixelCentreZ(row);
}

// Reads the text form: MapSize lines of MapSize cell characters; lines starting with ';'
// are comments. Throws std::runtime_error naming the line on any fault.
StageLayout ParseStageLayout(const std::string& text);
StageLayout LoadStageLayout(const std::string& path);

} // namespace assetgen
