// The player robot's per-frame steps.
#pragma once

struct GameContext;

void Guard_Action(const GameContext& game);
void Layzer_Brade(const GameContext& game);
void Move_Robo(const GameContext& game);
void Tama_Shot(const GameContext& game);
// Ends a running blade swing as its last step does: Blade_Step 0, the blade put away (it is
// never shown in the bonus modes), the body back in place. Also used by the victory pose
// and the boss's defeat.
void EndBladeSwing(const GameContext& game);
