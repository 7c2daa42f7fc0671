// The rules every stage layout keeps, checked by the generator before it writes anything
// and by the tests on the files it wrote.
#pragma once

#include <string>
#include <vector>

#include "tools/assetgen/stage_layout.h"

namespace assetgen {

// A robot (or enemy) position on the pixel grid: it tests the four pixels
// (column, row) .. (column + 1, row + 1).
struct GridSpot {
    int column = 0;
    int row = 0;
};

// What a robot may stand on: no wall among its four pixels; the gate counts as wall unless
// `gate_open`; the boss room is floor.
bool RobotFits(const StageLayout& layout, GridSpot spot, bool gate_open);
// The enemies' four-pixel test on their wall map (gate = wall).
bool EnemyFits(const StageLayout& layout, GridSpot spot);
// The enemies' wall-map test at a ground point: true when any of its four pixels is black.
bool EnemyMapBlocked(const StageLayout& layout, double x, double z);
// The G-walkers' sight test between two ground points (the points at 1/2, 1/4 and 3/4).
bool WalkerSees(const StageLayout& layout, double from_x, double from_z, double to_x, double to_z);

// Every spot the robot reaches from its start, walking pixel by pixel.
std::vector<GridSpot> ReachableSpots(const StageLayout& layout, bool gate_open);

// All faults of a layout, in words; empty when it keeps every rule.
std::vector<std::string> CheckStageLayout(const StageLayout& layout);

} // namespace assetgen
