// What the zako and the G-walkers do alike: stepping and turning away from walls,
// looking through the wall map, chasing, pacing their fire and meeting the player's
// projectiles. Each takes the walker's own constants.
#pragma once

#include <array>
#include <span>

#include "game/context.h"
#include "scene/engine/rm.h"

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
StepResult StepOrTurn(const GameContext& game, TParts& enemy, float turn_k, int turn_frames);

// The chase of one frame, for an enemy with Count -1 that saw the robot at r (its own
// coordinates): turn toward it by atan(1/turn_k), hold at 8 units, give up beyond 100
// ahead. True when the robot is straight ahead and the shared fire counter has just come
// round to 1: the caller fires.
bool Chase(World& w, TParts& enemy, rm::Vector r, float turn_k);

// What tells one kind of roaming enemy from the other.
struct RoamerKind {
    float turn_k;      // turns atan(1/turn_k) a frame, roaming and chasing
    int turn_frames;   // frames of a turn away from a wall
    float sight_range; // sees the robot within this on both of its own axes...
    // ...when no wall stands between them on the ground (positions in the scene's terms)
    bool (*clear_view)(const World& w, rm::Vector robot, rm::Vector self);
    double shot_half_x; // the half width of its box for the player's shots
    void (*fire)(const GameContext& game, size_t index);    // its shot, from pool[index]
    void (*remove)(const GameContext& game, TParts& enemy); // out of play, Life 0
};

// One frame of every living enemy of a pool, each in turn: a step or a turn (one buried
// in a wall is removed, without a trace), a look for the robot, the chase with its fire,
// then the player's shots, missiles and blade: a shot inside |x| < shot_half_x, |z| < 4
// takes a hit point, a missile inside |x| < 6, |z| < 4 or the blade kills at once, each
// hit exploding where the enemy stood.
void MoveRoamers(const GameContext& game, std::span<TParts> pool, const RoamerKind& kind);

} // namespace enemy
