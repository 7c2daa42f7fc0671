// Where the game puts things at the start of every stage; the layouts must leave room for
// them. The enemies' places are the game's own table.
#pragma once

#include "game/start_places.h"

namespace assetgen {

using GroundPlace = StartPlace;

inline const auto& ZakoPlaces = ZakoStartPlaces;
inline const auto& WalkerPlaces = GHStartPlaces;

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
