// The map pictures made from a stage layout: the player's map, the enemies' wall map and
// the stage's pattern of the radar map.
#pragma once

#include <array>
#include <cstdint>

#include "game/pictures.h"
#include "tools/assetgen/bmp_writer.h"
#include "tools/assetgen/stage_layout.h"

namespace assetgen {

// Player's map colours (the game compares them exactly).
constexpr uint32_t MapWall = map_colour::Wall;
constexpr uint32_t MapGate = map_colour::Gate;
constexpr uint32_t MapBossRoom = map_colour::BossRoom;
constexpr uint32_t MapFloor = 0xFFFFFF;

// Radar map colours; the floor colour is the picture's transparent colour.
constexpr uint32_t RadarFloor = picture::Designs[picture::Map].transparent_color;
constexpr uint32_t RadarWall = 0xC0C0C0;
constexpr uint32_t RadarGate = 0xFF0000;
constexpr uint32_t RadarBossRoom = 0x000080;

// 102 x 102: black wall, red gate, blue boss room, white floor.
Picture PlayerMap(const StageLayout& layout);
// 102 x 102, black and white: the gate counts as wall, the boss room as floor.
Picture EnemyMap(const StageLayout& layout);
// One 102 x 102 radar pattern. Floor inside the boss room (behind the gate) shows in the
// boss room's colour, so the room reads as one piece on the radar.
Picture RadarPattern(const StageLayout& layout);
// The three stages' patterns side by side: 306 x 102.
Picture RadarMap(const std::array<StageLayout, 3>& layouts);

} // namespace assetgen
