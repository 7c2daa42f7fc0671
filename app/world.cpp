#include "app/world.h"

const std::array<StartPlace, ZakoCount> ZakoStartPlaces = {{
    {120, 92, false},
    {200, 20, true},
    {340, 150, false},
    {420, 24, false},
    {332, 214, false},
    {405, 300, true},
    {300, 350, false},
    {180, 250, true},
    {230, 407, false},
    {27, 422, true},
    {180, 60, true},
    {240, 330, true},
}};

const std::array<StartPlace, GHCount> GHStartPlaces = {{
    {210, 107, false},
    {420, 202, false},
    {405, 300, false},
    {227, 202, false},
    {180, 400, false},
    {27, 422, false},
}};

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
