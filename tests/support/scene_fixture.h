// A headless main form with an initialised window-mode display, ready for Create_3D.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <set>
#include <vector>

#include "app/main_form.h"
#include "game/waves.h"
#include "media/clock.h"
#include "scene/scene.h"

class SceneFixture : public ::testing::Test {
protected:
    VirtualClock clock{5000};
    TApplication app{clock};
    std::unique_ptr<TMainForm> form;
    std::vector<int> plays; // wave indices in the order they started

    World& w() { return form->world; }
    const rm::FramePtr& Root() { return form->DXDraw.Scene(); }

    // Builds the form and the display, sets the options START would set (full lighting,
    // stage 1, camera mode 0), lets the test change them, then builds the scene.
    void Build(const std::function<void(World&)>& options = {}) {
        form.reset(); // one form at a time: they share the application
        form = std::make_unique<TMainForm>(app, false);
        TDXDrawOptions display_options = form->DXDraw.Options();
        display_options.Exclude(doFullScreen);
        form->DXDraw.SetOptions(display_options);
        form->DXDraw.InitializeDisplay();
        form->DXWaveList1.OnPlay = [this](int index) { plays.push_back(index); };
        World& world = form->world;
        world.Light_Mode = 2;
        world.Stage_No = 1;
        world.Camera_Mode = 0;
        world.Back_Distance = 170;
        world.Difficulty = 2;
        world.Boss_HP = 300;
        world.Map_Image = &form->Image1;
        world.Wall_Image = &form->Image4;
        SetEnemyHitPoints(world);
        if (options) options(world);
        Create_3D(*form);
    }

    int PlayCount(int index) const {
        int n = 0;
        for (int p : plays) n += p == index ? 1 : 0;
        return n;
    }

    // Holds exactly these input states for the next step.
    void Hold(std::initializer_list<TDXInputState> states) {
        form->DXInput1.States.reset();
        for (auto s : states) form->DXInput1.States.set(static_cast<size_t>(s));
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
