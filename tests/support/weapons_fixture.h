// A built scene on an open floor (a white wall map), with the player's steps run in the
// order of one game frame.
#pragma once

#include <cmath>
#include <vector>

#include "player/player.h"
#include "tests/support/scene_fixture.h"

class WeaponsFixture : public SceneFixture {
protected:
    static constexpr uint32_t White = 0xFFFFFF, Black = 0, Red = 0xFF0000, Blue = 0x0000FF;

    TImage wall_map;
    std::vector<uint32_t> pixels = std::vector<uint32_t>(102 * 102, White);

    void SetUp() override {
        SceneFixture::SetUp();
        BuildOpen();
    }

    // The scene with these options, the robot at the origin facing +x, both maps open floor.
    void BuildOpen(const std::function<void(World&)>& options = {}) {
        Build(options);
        w().Energy_Regen = 0;
        UseMaps();
        PlaceRobot(0, 0, 1, 0);
    }

    void PaintColumn(int col, uint32_t colour) {
        for (int row = 0; row < 102; ++row) pixels[static_cast<size_t>(row * 102 + col)] = colour;
    }
    void PaintRow(int row, uint32_t colour) {
        for (int col = 0; col < 102; ++col) pixels[static_cast<size_t>(row * 102 + col)] = colour;
    }
    void UseMaps() {
        wall_map.Picture.Assign(102, 102, 24, pixels);
        w().Wall_Image = &wall_map;
        w().Map_Image = &wall_map;
    }
    void PlaceRobot(float x, float z, float dx, float dz) {
        w().Robo_Frame->SetPosition(Root(), x, 0, z);
        w().Robo_Frame->SetOrientation(Root(), dx, 0, dz, 0, 1, 0);
    }

    // One frame's player steps, in the frame loop's order, holding exactly `held`.
    void Frame(std::initializer_list<TDXInputState> held) {
        Hold(held);
        if (w().Robo_HP > 0 && w().Boss_HP > 0) {
            Guard_Action(game());
            Layzer_Brade(game());
            Move_Robo(game());
        }
        Tama_Shot(game());
        Bakuhatu_Anim(game());
    }
    // Runs n frames; returns the frames (1-based) in which a wave of this index started.
    std::vector<int> Frames(int n, std::initializer_list<TDXInputState> held, int wave_index) {
        std::vector<int> played_in;
        for (int i = 1; i <= n; ++i) {
            const int before = PlayCount(wave_index);
            Frame(held);
            if (PlayCount(wave_index) != before) played_in.push_back(i);
        }
        return played_in;
    }
    void Frames(int n, std::initializer_list<TDXInputState> held) {
        for (int i = 0; i < n; ++i) Frame(held);
    }

    int InFlight(const std::array<TParts, ShotCount>& pool) const {
        int n = 0;
        for (const TParts& p : pool) n += p.Life != 0 ? 1 : 0;
        return n;
    }
    bool Carries(const rm::FramePtr& frame, const rm::LightPtr& light) const {
        for (const auto& l : frame->Lights())
            if (l == light) return true;
        return false;
    }
    bool Shows(const rm::FramePtr& frame, const rm::MeshBuilderPtr& mesh) const {
        for (const auto& v : frame->Visuals())
            if (v == mesh) return true;
        return false;
    }
    // A frame's +z axis in the coordinates of `ref`, from two points along it.
    rm::Vector AxisIn(const rm::FramePtr& frame, const rm::FramePtr& ref) {
        rm::FramePtr probe = form().DXDraw.D3DRM()->CreateFrame(frame);
        probe->SetPosition(frame, 0, 0, 1);
        const rm::Vector a = frame->GetPosition(ref), b = probe->GetPosition(ref);
        frame->DeleteChild(probe);
        return {b.x - a.x, b.y - a.y, b.z - a.z};
    }
};

inline rm::Vector Unit(float x, float y, float z) {
    const float n = std::sqrt(x * x + y * y + z * z);
    return {x / n, y / n, z / n};
}

#define EXPECT_DIR(v, ex, ey, ez, tol)                                                             \
    do {                                                                                           \
        const rm::Vector e_ = Unit((ex), (ey), (ez));                                              \
        EXPECT_VEC_NEAR((v), e_.x, e_.y, e_.z, (tol));                                             \
    } while (0)
