// Enemy shots shared by the zako, the G-walkers and the boss: putting a shot in flight and
// what a hit on the robot costs.
#pragma once

#include <cstdint>

#include "scene/engine/rm.h"

struct GameContext;
struct World;

// Puts the first free Teki_Tama record in flight: its frame placed at `position` and
// aimed along `direction` (up +y), both relative to `from`; under full lighting it carries
// its own light, under simple lighting light 0 when `simple_light` is set; plays
// "敵ショット" and marks the record active. With all six in flight nothing happens and
// the result is false.
bool FireEnemyShot(const GameContext& game, const rm::FramePtr& from, rm::Vector position,
                   rm::Vector direction, bool simple_light = true);

// Hit points an enemy shot or the boss's arm takes from the robot, by Difficulty and
// Guard_On.
int32_t EnemyHitDamage(const World& world);
