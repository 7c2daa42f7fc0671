// Create_3D: builds the whole scene once per run, then hands over to the game frames.
#include <stdexcept>

#include "game/context.h"
#include "media/display.h"
#include "scene/construction.h"
#include "scene/scene.h"

rm::MeshBuilderPtr SceneBuilder::LoadMesh(const std::string& file, float sx, float sy,
                                          float sz) const {
    rm::MeshBuilderPtr mesh = engine.CreateMeshBuilder();
    mesh->Load(world.App_Dir + file);
    mesh->Scale(sx, sy, sz);
    return mesh;
}

rm::TexturePtr SceneBuilder::LoadDecalTexture(const std::string& file) const {
    rm::TexturePtr texture = engine.LoadTexture(world.App_Dir + file);
    if (texture) {
        texture->SetDecalTransparency(true);
        texture->SetDecalTransparentColor(0);
    }
    return texture;
}

rm::FramePtr SceneBuilder::AddFrame(const rm::FramePtr& parent, const rm::MeshBuilderPtr& visual,
                                    float x, float y, float z) const {
    rm::FramePtr frame = engine.CreateFrame(parent);
    if (visual) frame->AddVisual(visual);
    frame->SetPosition(parent, x, y, z);
    return frame;
}

SceneBuilder MakeSceneBuilder(const ScreenContext& screen) {
    rm::Engine* engine = screen.display.D3DRM();
    if (engine == nullptr || !screen.scene)
        throw std::logic_error("the scene needs an initialised display");
    World& w = screen.world;
    return SceneBuilder{w, *engine, screen.scene, w.Special1 || w.Special2};
}

void Create_3D(const ScreenContext& screen) {
    const SceneBuilder b = MakeSceneBuilder(screen);
    World& w = screen.world;
    // Without textures, the names inside mesh files are simply not loaded.
    b.engine.SetLoadNamedTextures(!w.No_Texture);

    BuildLights(b);
    BuildPools(b);
    BuildZako(b);
    BuildBoss(b);
    BuildArena(b);
    BuildRobot(b);
    BuildWalkers(b);

    w.Camera_Frame = b.engine.CreateFrame(w.Robo_Frame);
    ApplyCameraPlacement(screen);

    screen.ChangeScreen(Screen::Game);
}
