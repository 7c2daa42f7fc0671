// Scene construction's inner steps, one file each; Create_3D runs them in its fixed order.
#pragma once

#include <string>

#include "scene/engine/rm.h"

struct ScreenContext;
struct World;

// What every construction step needs: the engine, the scene root, the program's folder.
struct SceneBuilder {
    World& world;
    rm::Engine& engine;
    rm::FramePtr root;
    bool bonus; // Special1 or Special2: wings, hearts and aubergines instead of shots

    // Reads App_Dir + file into a new mesh builder and scales it. A file that cannot be
    // read leaves the builder empty (the object is invisible) and construction goes on.
    rm::MeshBuilderPtr LoadMesh(const std::string& file, float sx, float sy, float sz) const;
    rm::MeshBuilderPtr LoadMesh(const std::string& file, float s) const {
        return LoadMesh(file, s, s, s);
    }
    // Loads a bitmap by full path with black as its decal (see-through) colour; null when
    // the bitmap cannot be read.
    rm::TexturePtr LoadDecalTexture(const std::string& file) const;
    // A new frame under parent, given a visual (when not null) and placed in the
    // parent's coordinates.
    rm::FramePtr AddFrame(const rm::FramePtr& parent, const rm::MeshBuilderPtr& visual, float x,
                          float y, float z) const;
};

void BuildLights(const SceneBuilder& b);
void BuildPools(const SceneBuilder& b); // explosions, shots, missiles, enemy shots, rings
void BuildZako(const SceneBuilder& b);
void BuildBoss(const SceneBuilder& b);
void BuildArena(const SceneBuilder& b);
void BuildRobot(const SceneBuilder& b);
void BuildWalkers(const SceneBuilder& b);

// The stage's walls or pillars ("block" / "hasira" + Stage_No + ".x") with their settings.
rm::MeshBuilderPtr LoadBlockMesh(const SceneBuilder& b);
rm::MeshBuilderPtr LoadPillarMesh(const SceneBuilder& b);

// The builder over the screen's display; the display must be initialised.
SceneBuilder MakeSceneBuilder(const ScreenContext& screen);
