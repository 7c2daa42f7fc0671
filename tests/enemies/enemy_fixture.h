// A built scene with a wall map of the test's own making, every enemy asleep until a test
// wakes the ones it needs, and helpers to place things on the ground.
#pragma once

#include <cmath>
#include <vector>

#include "enemies/enemies.h"
#include "tests/support/scene_fixture.h"

constexpr uint32_t White = 0xFFFFFF, Black = 0;

// Map pixel columns and rows of a ground point: one pixel is 5 x 5 units; the test square
// of a point starts at column round(x / 5) + 8, row 92 - round(z / 5).
constexpr int ColumnOf(double x) {
    return static_cast<int>(x / 5) + 8;
}
constexpr int RowOf(double z) {
    return 92 - static_cast<int>(z / 5);
}

class EnemyFixture : public SceneFixture {
protected:
    void SetUp() override {
        SceneFixture::SetUp();
        BuildQuiet();
    }

    // Builds the scene (the test may change options first) and sends every enemy to sleep.
    void BuildQuiet(const std::function<void(World&)>& options = {}) {
        Build(options);
        for (TParts& zako : w().Zako) zako.Life = 0;
        for (TParts& walker : w().GH) walker.Life = 0;
        UseWallMap();
        PlaceRobot(400, 400, 1, 0); // far from everything until a test says otherwise
    }

    void PaintBlock(int col0, int row0, int col1, int row1, uint32_t colour = Black) {
        for (int row = row0; row <= row1; ++row)
            for (int col = col0; col <= col1; ++col) Paint(col, row, colour);
    }
    // Takes the painted pixels as the enemies' wall map.
    void UseWallMap() {
        painted_map.Picture.Assign(102, 102, 24, pixels);
        w().Wall_Image = &painted_map;
    }

    // Wakes a zako at (x, 0, z) facing (dx, 0, dz), roaming, with the given hit points.
    TParts& WakeZako(int i, float x, float z, float dx, float dz, int life = 2) {
        TParts& zako = w().Zako[static_cast<size_t>(i)];
        Place(zako.Frame, x, z, dx, dz);
        zako.Life = life;
        zako.Count = 0;
        return zako;
    }
    TParts& WakeWalker(int i, float x, float z, float dx, float dz, int life = 4) {
        TParts& walker = w().GH[static_cast<size_t>(i)];
        Place(walker.Frame, x, z, dx, dz);
        walker.Life = life;
        walker.Count = 0;
        return walker;
    }
    // Puts a projectile of a pool in flight at (x, 0, z), facing +z.
    void Launch(TParts& projectile, float x, float z, float y = 0) {
        projectile.Frame->SetPosition(Root(), x, y, z);
        projectile.Frame->SetOrientation(Root(), 0, 0, 1, 0, 1, 0);
        projectile.Life = 1;
    }
    rm::Vector At(const rm::FramePtr& frame) { return frame->GetPosition(Root()); }
    // Heading of a frame on the ground, in radians from +x toward +z.
    float Heading(const rm::FramePtr& frame) {
        const rm::Vector d = frame->GetWorldDirection();
        return std::atan2(d.z, d.x);
    }
    // Frees every enemy shot, as if each had ended.
    void FreeEnemyShots() {
        for (TParts& shot : w().Teki_Tama) {
            shot.Life = 0;
            shot.Frame->SetPosition(Root(), 0, -100, 0);
        }
    }
};
