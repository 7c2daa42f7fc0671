#include "tools/assetgen/stage_checks.h"

#include <algorithm>
#include <cmath>
#include <deque>

#include "tools/assetgen/stage_places.h"

namespace assetgen {
namespace {

bool InGrid(GridSpot s) {
    return s.column >= 0 && s.row >= 0 && s.column + 1 < MapSize && s.row + 1 < MapSize;
}

template <typename CellTest> bool AllFour(GridSpot s, CellTest test) {
    if (!InGrid(s)) return false;
    for (int dr = 0; dr < 2; ++dr)
        for (int dc = 0; dc < 2; ++dc)
            if (!test(s.column + dc, s.row + dr)) return false;
    return true;
}

bool Touches(const StageLayout& layout, GridSpot s, Cell cell) {
    return !AllFour(s, [&](int c, int r) { return layout.at(c, r) != cell; });
}

GridSpot SpotOf(double x, double z) {
    const MapPixel p = PixelOf(x, z);
    return {p.column, p.row};
}

std::string Where(const char* what, int index, double x, double z) {
    std::string text = what;
    if (index >= 0) text.append(" ").append(std::to_string(index));
    text.append(" at (").append(std::to_string(static_cast<int>(x)));
    text.append(", ").append(std::to_string(static_cast<int>(z))).append(")");
    return text;
}

// Spots an enemy reaches from its start on its wall map.
int EnemyRoamArea(const StageLayout& layout, GridSpot start) {
    std::vector<bool> seen(MapSize * MapSize, false);
    std::deque<GridSpot> todo{start};
    seen[static_cast<size_t>(start.row * MapSize + start.column)] = true;
    int count = 0;
    while (!todo.empty()) {
        const GridSpot s = todo.front();
        todo.pop_front();
        ++count;
        const GridSpot next[4] = {{s.column + 1, s.row},
                                  {s.column - 1, s.row},
                                  {s.column, s.row + 1},
                                  {s.column, s.row - 1}};
        for (const GridSpot& n : next) {
            if (!EnemyFits(layout, n)) continue;
            const size_t i = static_cast<size_t>(n.row * MapSize + n.column);
            if (seen[i]) continue;
            seen[i] = true;
            todo.push_back(n);
        }
    }
    return count;
}

void CheckBorder(const StageLayout& layout, std::vector<std::string>& faults) {
    for (int i = 0; i < MapSize; ++i)
        if (!layout.IsWall(i, 0) || !layout.IsWall(i, MapSize - 1) || !layout.IsWall(0, i) ||
            !layout.IsWall(MapSize - 1, i)) {
            faults.push_back("the border is open at " + std::to_string(i));
            return;
        }
}

void CheckGate(const StageLayout& layout, std::vector<std::string>& faults) {
    std::vector<MapPixel> gate;
    for (int r = 0; r < MapSize; ++r)
        for (int c = 0; c < MapSize; ++c)
            if (layout.at(c, r) == Cell::Gate) gate.push_back({c, r});
    bool strip = gate.size() == 6;
    for (size_t i = 1; strip && i < gate.size(); ++i)
        strip = gate[i].row == gate[0].row && gate[i].column == gate[i - 1].column + 1;
    if (!strip) faults.push_back("the gate is not one strip of 6 pixels in one row");
}

void CheckRobotStart(const StageLayout& layout, std::vector<std::string>& faults) {
    const GridSpot start = SpotOf(RobotStart.x, RobotStart.z);
    if (!RobotFits(layout, start, false) || Touches(layout, start, Cell::BossRoom)) {
        faults.push_back("the robot's start is not on floor");
        return;
    }
    // Facing +x: eight pixels (40 units) of free way ahead.
    for (int k = 1; k <= 8; ++k)
        if (!RobotFits(layout, {start.column + k, start.row}, false)) {
            faults.push_back("the robot's start has a wall close ahead");
            return;
        }
}

void CheckEnemy(const StageLayout& layout, const char* what, int index, const GroundPlace& p,
                std::vector<std::string>& faults) {
    const GridSpot spot = SpotOf(p.x, p.z);
    if (!EnemyFits(layout, spot) || !RobotFits(layout, spot, false)) {
        faults.push_back(Where(what, index, p.x, p.z) + " is not on floor in both maps");
        return;
    }
    if (Touches(layout, spot, Cell::BossRoom))
        faults.push_back(Where(what, index, p.x, p.z) + " is in the boss room");
    // Two pixels of free way in the facing it starts with (+z, or -x when turned).
    for (int k = 1; k <= 2; ++k) {
        const GridSpot ahead =
            p.turned ? GridSpot{spot.column - k, spot.row} : GridSpot{spot.column, spot.row - k};
        if (!EnemyFits(layout, ahead)) {
            faults.push_back(Where(what, index, p.x, p.z) + " faces a wall at its start");
            break;
        }
    }
    if (EnemyRoamArea(layout, spot) < 150)
        faults.push_back(Where(what, index, p.x, p.z) + " has no room to roam");
}

void CheckBossRoom(const StageLayout& layout, std::vector<std::string>& faults) {
    const MapPixel low = PixelOf(BossBoxX0, BossBoxZ1);
    const MapPixel high = PixelOf(BossBoxX1, BossBoxZ0);
    for (int r = low.row; r <= high.row; ++r)
        for (int c = low.column; c <= high.column; ++c)
            if (layout.at(c, r) != Cell::BossRoom) {
                faults.push_back("the boss's box is not all boss room");
                return;
            }
    const MapPixel boss = PixelOf(BossStart.x, BossStart.z);
    if (layout.at(boss.column, boss.row) != Cell::BossRoom)
        faults.push_back("the boss's start is not in the boss room");
}

void CheckWays(const StageLayout& layout, std::vector<std::string>& faults) {
    const std::vector<GridSpot> closed = ReachableSpots(layout, false);
    if (std::any_of(closed.begin(), closed.end(),
                    [&](GridSpot s) { return Touches(layout, s, Cell::BossRoom); }))
        faults.push_back("the boss room can be entered with the gate closed");
    const std::vector<GridSpot> open = ReachableSpots(layout, true);
    bool enters = false;
    std::vector<bool> covered(MapSize * MapSize, false);
    for (const GridSpot& s : open) {
        const bool room = Touches(layout, s, Cell::BossRoom);
        enters = enters || room;
        // Touching the room closes the gate behind the robot: a spot on both would leave
        // the robot unable to step anywhere that still touches the gate.
        if (room && Touches(layout, s, Cell::Gate)) {
            faults.push_back("a spot touches both the gate and the boss room");
            break;
        }
        for (int dr = 0; dr < 2; ++dr)
            for (int dc = 0; dc < 2; ++dc)
                covered[static_cast<size_t>((s.row + dr) * MapSize + s.column + dc)] = true;
    }
    if (!enters) faults.push_back("the boss room cannot be reached through the gate");
    int unreached = 0;
    for (int r = 0; r < MapSize; ++r)
        for (int c = 0; c < MapSize; ++c)
            if (!layout.IsWall(c, r) && !covered[static_cast<size_t>(r * MapSize + c)]) ++unreached;
    if (unreached > 0)
        faults.push_back(std::to_string(unreached) + " floor pixels cannot be reached");
}

// No enemy sees the robot's start, and some of the floor around every G-walker is hidden
// from it, so walls give cover.
void CheckCover(const StageLayout& layout, std::vector<std::string>& faults) {
    for (size_t i = 0; i < WalkerPlaces.size(); ++i) {
        const GroundPlace& w = WalkerPlaces[i];
        if (std::fabs(w.x - RobotStart.x) < 100 * std::sqrt(2.0) &&
            std::fabs(w.z - RobotStart.z) < 100 * std::sqrt(2.0) &&
            WalkerSees(layout, w.x, w.z, RobotStart.x, RobotStart.z))
            faults.push_back(Where("G-walker", static_cast<int>(i), w.x, w.z) +
                             " sees the robot's start");
    }
    int near = 0;
    int hidden = 0;
    for (const GridSpot& s : ReachableSpots(layout, false)) {
        const double x = PixelCentreX(s.column), z = PixelCentreZ(s.row);
        for (const GroundPlace& w : WalkerPlaces) {
            if (std::hypot(x - w.x, z - w.z) > 80) continue;
            ++near;
            if (!WalkerSees(layout, w.x, w.z, x, z)) ++hidden;
        }
    }
    if (near == 0 || hidden * 10 < near)
        faults.push_back("walls hide less than a tenth of the floor near the G-walkers");
}

} // namespace

bool RobotFits(const StageLayout& layout, GridSpot spot, bool gate_open) {
    return AllFour(spot, [&](int c, int r) {
        return !layout.IsWall(c, r) && (gate_open || layout.at(c, r) != Cell::Gate);
    });
}

bool EnemyFits(const StageLayout& layout, GridSpot spot) {
    return AllFour(
        spot, [&](int c, int r) { return !layout.IsWall(c, r) && layout.at(c, r) != Cell::Gate; });
}

bool EnemyMapBlocked(const StageLayout& layout, double x, double z) {
    return !EnemyFits(layout, SpotOf(x, z));
}

bool WalkerSees(const StageLayout& layout, double from_x, double from_z, double to_x, double to_z) {
    for (double t : {0.5, 0.25, 0.75})
        if (EnemyMapBlocked(layout, to_x + (from_x - to_x) * t, to_z + (from_z - to_z) * t))
            return false;
    return true;
}

std::vector<GridSpot> ReachableSpots(const StageLayout& layout, bool gate_open) {
    const GridSpot start = SpotOf(RobotStart.x, RobotStart.z);
    std::vector<GridSpot> out;
    if (!RobotFits(layout, start, gate_open)) return out;
    std::vector<bool> seen(MapSize * MapSize, false);
    std::deque<GridSpot> todo{start};
    seen[static_cast<size_t>(start.row * MapSize + start.column)] = true;
    while (!todo.empty()) {
        const GridSpot s = todo.front();
        todo.pop_front();
        out.push_back(s);
        const GridSpot next[4] = {{s.column + 1, s.row},
                                  {s.column - 1, s.row},
                                  {s.column, s.row + 1},
                                  {s.column, s.row - 1}};
        for (const GridSpot& n : next) {
            if (!RobotFits(layout, n, gate_open)) continue;
            const size_t i = static_cast<size_t>(n.row * MapSize + n.column);
            if (seen[i]) continue;
            seen[i] = true;
            todo.push_back(n);
        }
    }
    return out;
}

std::vector<std::string> CheckStageLayout(const StageLayout& layout) {
    std::vector<std::string> faults;
    CheckBorder(layout, faults);
    CheckGate(layout, faults);
    CheckRobotStart(layout, faults);
    for (size_t i = 0; i < ZakoPlaces.size(); ++i)
        CheckEnemy(layout, "zako", static_cast<int>(i), ZakoPlaces[i], faults);
    for (size_t i = 0; i < WalkerPlaces.size(); ++i)
        CheckEnemy(layout, "G-walker", static_cast<int>(i), WalkerPlaces[i], faults);
    CheckBossRoom(layout, faults);
    CheckWays(layout, faults);
    CheckCover(layout, faults);
    return faults;
}

} // namespace assetgen
