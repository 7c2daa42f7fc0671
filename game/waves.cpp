#include "game/waves.h"

#include "game/context.h"
#include "media/sound.h"

void PlayWave(const GameContext& game, int index) {
    game.waves.Items(index).Play(false);
}

void StopWave(const GameContext& game, int index) {
    game.waves.Items(index).Stop();
}
