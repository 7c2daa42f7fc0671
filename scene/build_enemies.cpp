// The zako, the boss and the G-walkers as they stand at the start of a stage.
#include "game/world.h"
#include "scene/construction.h"

void BuildZako(const SceneBuilder& b) {
    World& w = b.world;
    w.Zako_Mesh = b.LoadMesh("floator.x", 0.005f);
    for (TParts& zako : w.Zako) {
        zako.Frame = b.AddFrame(b.root, w.Zako_Mesh, static_cast<float>(zako.X), 0,
                                static_cast<float>(zako.Z));
        // A quarter turn to the left of its own facing.
        if (zako.Y == 1.0) zako.Frame->SetOrientation(zako.Frame, -1, 0, 0, 0, 1, 0);
    }
}

void BuildBoss(const SceneBuilder& b) {
    World& w = b.world;
    w.Boss_Frame = b.AddFrame(b.root, nullptr, 80, 0, 280);
    w.Boss_Frame->SetOrientation(b.root, 0, 0, -1, 0, 1, 0);
    w.Boss_Body_Mesh = b.LoadMesh("b1b.x", 0.015f);
    w.Boss_Body_Frame = b.AddFrame(w.Boss_Frame, w.Boss_Body_Mesh, 0, 0, 0);
    w.Boss_A_Mesh = b.LoadMesh("b1a.x", 0.015f);
    w.Boss_A_Frame.Frame = b.AddFrame(w.Boss_Body_Frame, w.Boss_A_Mesh, 9.6f, 2.4f, -1.5f);
    w.Boss_R_Mesh = b.LoadMesh("b1r.x", 0.015f);
    w.Boss_R_Frame.Frame = b.AddFrame(w.Boss_Body_Frame, w.Boss_R_Mesh, 5, 4.8f, -8.3f);
    w.Boss_L_Mesh = b.LoadMesh("b1l.x", 0.015f);
    w.Boss_L_Frame.Frame = b.AddFrame(w.Boss_Body_Frame, w.Boss_L_Mesh, -5, 4.8f, -8.3f);
}

void BuildWalkers(const SceneBuilder& b) {
    World& w = b.world;
    constexpr float s = 0.0033f;
    // Every walker loads its own six part meshes.
    for (size_t i = 0; i < GHCount; ++i) {
        w.GH[i].Frame = b.AddFrame(b.root, nullptr, static_cast<float>(w.GH[i].X), 0,
                                   static_cast<float>(w.GH[i].Z));
        w.GH_Body[i].Frame = b.AddFrame(w.GH[i].Frame, b.LoadMesh("gbody.x", s), 0, 0, 0);
        const rm::FramePtr& body = w.GH_Body[i].Frame;
        w.GH_Head[i].Frame = b.AddFrame(body, b.LoadMesh("GHead.x", s), 0, 0, 0);
        w.GH_FootR[i].Frame = b.AddFrame(body, b.LoadMesh("GFootR.x", s), 1, -1.5f, -0.3f);
        w.GH_FootL[i].Frame = b.AddFrame(body, b.LoadMesh("GFootL.x", s), -1, -1.5f, -0.3f);
        w.GH_FootR2[i].Frame =
            b.AddFrame(w.GH_FootR[i].Frame, b.LoadMesh("GFootR2.x", s), 0.9f, -3.3f, -0.4f);
        w.GH_FootL2[i].Frame =
            b.AddFrame(w.GH_FootL[i].Frame, b.LoadMesh("GFootL2.x", s), -0.9f, -3.3f, -0.4f);
    }
}
