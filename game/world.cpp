#include "game/world.h"

void SetEnemyHitPoints(World& world) {
    const bool graded =
        world.Difficulty >= difficulty::Eazy && world.Difficulty <= difficulty::VeryHard;
    for (auto& zako : world.Zako) zako.Life = graded ? world.Difficulty : 2;
    for (auto& walker : world.GH) walker.Life = graded ? 2 * world.Difficulty : 4;
}

void PlaceEnemiesAtStart(World& world) {
    for (int i = 0; i < ZakoCount; ++i) {
        world.Zako[i].X = ZakoStartPlaces[i].x;
        world.Zako[i].Z = ZakoStartPlaces[i].z;
        // Zako not marked as turned keep whatever Y they had.
        if (ZakoStartPlaces[i].turned) world.Zako[i].Y = 1.0;
    }
    for (int i = 0; i < GHCount; ++i) {
        world.GH[i].X = GHStartPlaces[i].x;
        world.GH[i].Z = GHStartPlaces[i].z;
    }
}
