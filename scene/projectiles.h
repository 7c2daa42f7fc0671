// What every projectile pool shares: which light a slot carries, and ending a projectile.
#pragma once

#include <span>

#include "scene/engine/rm.h"

struct GameContext;
struct TParts;

// The light that pooled slot i carries: its own under full lighting (mode 2), the first
// one shared by all under simple lighting (mode 1), none with lights off.
rm::LightPtr LightForSlot(int light_mode, std::span<const rm::LightPtr> lights, size_t i);

// Ends a projectile: its frame parked below the arena at (0, -100, 0), the given light (if
// any) taken off that frame only, its slot free again.
void ParkProjectile(const GameContext& game, TParts& projectile, const rm::LightPtr& light);
