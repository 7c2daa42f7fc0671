// A headless main form with an initialised window-mode display, ready for Create_3D, reading
// its settings and records from the form fixture's temporary folders.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <set>
#include <vector>

#include "app/main_form.h"
#include "game/modes.h"
#include "game/waves.h"
#include "scene/scene.h"
#include "tests/support/form_fixture.h"

class SceneFixture : public FormFixture {
protected:
    std::vector<int> plays; // wave indices in the order they started

    // The form is built by Build(), with the test's options.
    void SetUp() override { UseTemporaryFolders(); }

    World& w() { return world(); }
    const rm::FramePtr& Root() { return form().DXDraw.Scene(); }

    // Builds the form again with a window-mode display, sets the options START would set
    // (full lighting, stage 1, the far camera behind the robot), lets the test change them,
    // then builds the scene.
    void Build(const std::function<void(World&)>& options = {}) {
        form_.reset(); // one form at a time: they share the application
        form_ = std::make_unique<TMainForm>(app_, false);
        OpenWindowedDisplay();
        World& state = world();
        state.Light_Mode = light_mode::Full;
        state.Stage_No = 1;
        state.Camera_Mode = camera_mode::BehindFar;
        state.Back_Distance = 170;
        state.Difficulty = difficulty::Nomal;
        state.Boss_HP = 300;
        state.Map_Image = &form().Image1;
        state.Wall_Image = &form().Image4;
        SetEnemyHitPoints(state);
        if (options) options(state);
        Create_3D(screen());
        // The waves from here on (not the game's music, which starts with the frames).
        form().DXWaveList1.OnPlay = [this](int index) { plays.push_back(index); };
    }

    int PlayCount(int index) const {
        int n = 0;
        for (int p : plays) n += p == index ? 1 : 0;
        return n;
    }

    // Holds exactly these input states for the next step.
    void Hold(std::initializer_list<TDXInputState> states) {
        form().DXInput1.States.reset();
        for (auto s : states) form().DXInput1.States.set(static_cast<size_t>(s));
    }
};

// The mesh a file gives when loaded and scaled like the scene does, to tell which file a
// visual came from.
inline rm::MeshBuilderPtr ReferenceMesh(TMainForm& form, const std::string& file, float sx,
                                        float sy, float sz) {
    rm::MeshBuilderPtr mesh = form.DXDraw.D3DRM()->CreateMeshBuilder();
    mesh->Load(form.world.App_Dir + file);
    mesh->Scale(sx, sy, sz);
    return mesh;
}

inline bool SameShape(const rm::MeshBuilder& a, const rm::MeshBuilder& b) {
    rm::Vector amin, amax, bmin, bmax;
    a.GetBox(amin, amax);
    b.GetBox(bmin, bmax);
    auto near = [](float x, float y) { return std::abs(x - y) < 1e-5f; };
    return a.FaceCount() == b.FaceCount() && near(amin.x, bmin.x) && near(amin.y, bmin.y) &&
           near(amin.z, bmin.z) && near(amax.x, bmax.x) && near(amax.y, bmax.y) &&
           near(amax.z, bmax.z);
}

#define EXPECT_VEC_NEAR(v, ex, ey, ez, tol)                                                        \
    do {                                                                                           \
        const rm::Vector v_ = (v);                                                                 \
        EXPECT_NEAR(v_.x, (ex), (tol));                                                            \
        EXPECT_NEAR(v_.y, (ey), (tol));                                                            \
        EXPECT_NEAR(v_.z, (ez), (tol));                                                            \
    } while (0)
