// A scene with the game frames running, driven to the boss's defeat and through the
// transition screen that follows it.
#pragma once

#include <set>

#include "app/game.h"
#include "game/frame_time.h"
#include "screens/screens.h"
#include "tests/support/scene_fixture.h"

inline constexpr uint32_t KeyZ = 90; // button 1
inline constexpr uint32_t KeyX = 88; // button 2

class StageFlowTest : public SceneFixture {
protected:
    void BuildPlaying(const std::function<void(World&)>& options = {}) {
        Build([&options](World& world) {
            world.Robo_HP = 300;
            world.Frame_Interval = StandardFrameMs;
            world.Clock_Running = true;
            if (options) options(world);
        });
        form().DXSound1.OnBeep = [this] { ++beeps; };
        form().DXTimer.SetEnabled(true);
    }

    void KillAllEnemies() {
        for (TParts& zako : w().Zako) zako.Life = 0;
        for (TParts& walker : w().GH) walker.Life = 0;
    }

    int ArenaCount(const rm::MeshBuilderPtr& mesh) {
        const auto& visuals = w().Arena_Frame->Visuals();
        return static_cast<int>(std::count(visuals.begin(), visuals.end(), mesh));
    }

    // Game frames from the boss's defeat to the frame that ends the stage.
    void DefeatBossAndRunVictory() {
        w().Boss_HP = 0;
        while (form().DXTimer.Enabled()) DXTimerTimer(screen());
    }

    void Transition(std::set<uint32_t> keys = {}) {
        form().DXInput1.SetScriptedKeys(keys);
        TunagiTimerTimer(screen());
    }

    int beeps = 0;
};
