#include "tools/assetgen/stage_maps.h"

#include <vector>

namespace assetgen {
namespace {

// Floor cells joined to the blue room without crossing a wall or the gate.
std::vector<bool> InsideBossRoom(const StageLayout& layout) {
    std::vector<bool> inside(MapSize * MapSize, false);
    std::vector<MapPixel> todo;
    for (int r = 0; r < MapSize; ++r)
        for (int c = 0; c < MapSize; ++c)
            if (layout.at(c, r) == Cell::BossRoom) {
                inside[static_cast<size_t>(r * MapSize + c)] = true;
                todo.push_back({c, r});
            }
    while (!todo.empty()) {
        const MapPixel p = todo.back();
        todo.pop_back();
        const MapPixel next[4] = {{p.column + 1, p.row},
                                  {p.column - 1, p.row},
                                  {p.column, p.row + 1},
                                  {p.column, p.row - 1}};
        for (const MapPixel& n : next) {
            if (n.column < 0 || n.row < 0 || n.column >= MapSize || n.row >= MapSize) continue;
            const size_t i = static_cast<size_t>(n.row * MapSize + n.column);
            if (inside[i] || layout.at(n.column, n.row) != Cell::Floor) continue;
            inside[i] = true;
            todo.push_back(n);
        }
    }
    return inside;
}

} // namespace

Picture PlayerMap(const StageLayout& layout) {
    Picture map(MapSize, MapSize, MapFloor);
    for (int r = 0; r < MapSize; ++r)
        for (int c = 0; c < MapSize; ++c) {
            switch (layout.at(c, r)) {
            case Cell::Wall:
            case Cell::Pillar:
                map.at(c, r) = MapWall;
                break;
            case Cell::Gate:
                map.at(c, r) = MapGate;
                break;
            case Cell::BossRoom:
                map.at(c, r) = MapBossRoom;
                break;
            case Cell::Floor:
                break;
            }
        }
    return map;
}

Picture EnemyMap(const StageLayout& layout) {
    Picture map(MapSize, MapSize, MapFloor);
    for (int r = 0; r < MapSize; ++r)
        for (int c = 0; c < MapSize; ++c)
            if (layout.IsWall(c, r) || layout.at(c, r) == Cell::Gate) map.at(c, r) = MapWall;
    return map;
}

Picture RadarPattern(const StageLayout& layout) {
    const std::vector<bool> room = InsideBossRoom(layout);
    Picture pattern(MapSize, MapSize, RadarFloor);
    for (int r = 0; r < MapSize; ++r)
        for (int c = 0; c < MapSize; ++c) {
            uint32_t& pixel = pattern.at(c, r);
            if (layout.IsWall(c, r))
                pixel = RadarWall;
            else if (layout.at(c, r) == Cell::Gate)
                pixel = RadarGate;
            else if (room[static_cast<size_t>(r * MapSize + c)])
                pixel = RadarBossRoom;
        }
    return pattern;
}

Picture RadarMap(const std::array<StageLayout, 3>& layouts) {
    Picture map(3 * MapSize, MapSize, RadarFloor);
    for (int s = 0; s < 3; ++s) {
        const Picture pattern = RadarPattern(layouts[static_cast<size_t>(s)]);
        for (int r = 0; r < MapSize; ++r)
            for (int c = 0; c < MapSize; ++c) map.at(s * MapSize + c, r) = pattern.at(c, r);
    }
    return map;
}

} // namespace assetgen
