// Where the game puts things at the start of every stage; the layouts must leave room for
// them. (The game's own table lives in app/world.cpp; a test keeps the two equal.)
#pragma once

#include <array>

namespace assetgen {

struct GroundPlace {
    double x = 0, z = 0;
    bool turned = false; // a zako that starts facing -x instead of +z
};

inline constexpr std::array<GroundPlace, 12> ZakoPlaces = {{
    {120, 92, false},
    {200, 20, true},
    {340, 150, false},
    {420, 24, false},
    {332, 214, false},
    {405, 300, true},
    {300, 350, false},
    {180, 250, true},
    {230, 407, false},
    {27, 422, true},
    {180, 60, true},
    {240, 330, true},
}};

inline constexpr std::array<GroundPlace, 6> WalkerPlaces = {{
    {210, 107, false},
    {420, 202, false},
    {405, 300, false},
    {227, 202, false},
    {180, 400, false},
    {27, 422, false},
}};

inline constexpr GroundPlace RobotStart = {0, 0, false}; // facing +x
inline constexpr GroundPlace BossStart = {80, 280, false};
// The boss is held inside this box during the fight.
inline constexpr double BossBoxX0 = 5, BossBoxX1 = 85, BossBoxZ0 = 155, BossBoxZ1 = 265;

} // namespace assetgen

namespace assetgen {

// Shared by every stage, because door.x, unk.x and tobira.x are one file for all three:
// the gate strip and the boss room's front and side walls.
inline constexpr int GateRow = 67;
inline constexpr int GateFirstColumn = 13;
inline constexpr int GateLastColumn = 18;
inline constexpr int BossRoomTopRow = 30;     // wall row behind the boss room
inline constexpr int BossRoomSideColumn = 32; // wall column on the room's +x side

} // namespace assetgen
