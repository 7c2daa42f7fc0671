// What the zako and the G-walkers do alike: stepping and turning away from walls,
// looking through the wall map, chasing, pacing their fire and meeting the player's
// projectiles. Each takes the walker's own constants.
#pragma once

#include <array>

#include "app/main_form.h"
#include "scene/engine/rm.h"

class TMainForm;

namespace enemy {

constexpr float StepLength = 0.6f;

// Whether any, or all four, of the wall-map pixels under a ground point are wall.
bool AnyWall(const World& w, double x, double z);
bool AllWall(const World& w, double x, double z);

enum class StepResult { Moved, Blocked, Turned, Buried };

// One frame of roaming: while Count <= 0 a step of 0.6 ahead, taken back at a wall
// (Count 0 becomes 1); while Count is 1..turn_frames a turn of atan(1/turn_k) to the
// left, Count wrapping to 0 after turn_frames. Buried: the step ended with all four
// pixels wall (the caller removes the enemy).
StepResult StepOrTurn(TMainForm& form, TParts& enemy, float turn_k, int turn_frames);

// The chase of one frame, for an enemy with Count -1 that saw the robot at r (its own
// coordinates): turn toward it by atan(1/turn_k), hold at 8 units, give up beyond 100
// ahead. True when the robot is straight ahead and the shared fire counter has just come
// round to 1: the caller fires.
bool Chase(World& w, TParts& enemy, rm::Vector r, float turn_k);

// The player's shots, missiles and blade against one enemy in a frame, in that order: a
// shot inside |x| < shot_half_x, |z| < 4 of the enemy takes a hit point, a missile inside
// |x| < 6, |z| < 4 or the blade kills at once. Each hit explodes where the enemy stood and
// parks the projectile; remove takes a killed enemy out of play (its Life 0), after its
// place is taken.
void TakeHits(TMainForm& form, TParts& enemy, double shot_half_x,
              void (*remove)(TMainForm&, TParts&));

} // namespace enemy
