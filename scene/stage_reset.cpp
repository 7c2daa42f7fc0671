// The scene's part of the stage reset: everything back at its start place, the gate and
// the boss's body back, and the next stage's walls and pillars.
#include "game/context.h"
#include "scene/construction.h"
#include "scene/scene.h"

namespace {

void CutAll(const rm::FramePtr& frame) {
    frame->Cut();
    for (const rm::FramePtr& child : frame->Children()) CutAll(child);
}

} // namespace

void ResetScenePlaces(const GameContext& game) {
    World& w = game.world;
    const rm::FramePtr& root = game.scene;
    w.Boss_Frame->SetPosition(root, 80, 0, 280);
    w.Boss_Frame->SetOrientation(root, 0, 0, -1, 0, 1, 0);
    w.Robo_Frame->SetPosition(root, 0, 0, 0);
    w.Robo_Frame->SetOrientation(root, 1, 0, 0, 0, 1, 0);
    w.Arena_Frame->AddVisual(w.Gate_Mesh); // the door came back when the boss fight began
    w.Boss_Frame->AddChild(w.Boss_Body_Frame);
    for (TParts& zako : w.Zako) {
        zako.Frame->SetPosition(root, static_cast<float>(zako.X), 0, static_cast<float>(zako.Z));
        // Turned once more, from whatever facing the last stage left.
        if (zako.Y == 1.0) zako.Frame->SetOrientation(zako.Frame, -1, 0, 0, 0, 1, 0);
        zako.Frame->AddVisual(w.Zako_Mesh);
    }
    for (TParts& walker : w.GH)
        walker.Frame->SetPosition(root, static_cast<float>(walker.X), 0,
                                  static_cast<float>(walker.Z));
    CutAll(root); // the stage starts afresh: nothing is drawn on its way back
}

void ReloadStageMeshes(const ScreenContext& screen) {
    World& w = screen.world;
    const SceneBuilder b = MakeSceneBuilder(screen);
    w.Arena_Frame->DeleteVisual(w.Block_Mesh);
    w.Arena_Frame->DeleteVisual(w.Pillar_Mesh);
    w.Block_Mesh = LoadBlockMesh(b);
    w.Arena_Frame->AddVisual(w.Block_Mesh);
    w.Pillar_Mesh = LoadPillarMesh(b);
    w.Arena_Frame->AddVisual(w.Pillar_Mesh);
}
