// Move_Robo's inner steps: the poses that follow the controls and the collision step.
#pragma once

struct GameContext;
struct World;

// The walking and sidestepping pose built from the parts' RotX / RotZ fields.
void ApplyMovementPose(World& w);
// The pose of turning on the spot, step c = 1..10 to the right, mirrored to the left;
// a negative step bends the other way while a reversed turn passes through zero.
void ApplyTurnPoseRight(World& w, int step);
void ApplyTurnPoseLeft(World& w, int step);
// Keeps the robot out of walls, the closed gate and the boss, and starts the boss fight
// at the first blue map pixel.
void CollideWithMap(const GameContext& game);
