// The enemies' per-frame steps.
#pragma once

struct GameContext;

void Move_Teki(const GameContext& game);
void Move_GH(const GameContext& game);
void walk(const GameContext& game);
void BossWalk(const GameContext& game);
void Yarareta_Boss(const GameContext& game);
void Teki_Shot(const GameContext& game);
