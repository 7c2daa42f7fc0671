// The arena: the stage's walls and pillars, the see-through part, the keep, the ground,
// the door and the gate line, all on Arena_Frame at the ground's height.
#include "game/world.h"
#include "scene/construction.h"

namespace {

rm::MeshBuilderPtr LoadStageMesh(const SceneBuilder& b, const char* base, float r, float g,
                                 float bl) {
    World& w = b.world;
    rm::MeshBuilderPtr mesh =
        b.LoadMesh(base + std::to_string(w.Stage_No) + ".x", 0.15f, 0.1f, 0.15f);
    mesh->SetPerspective(true);
    if (w.No_Texture) mesh->SetColorRGB(r, g, bl);
    return mesh;
}

} // namespace

rm::MeshBuilderPtr LoadBlockMesh(const SceneBuilder& b) {
    return LoadStageMesh(b, "block", 0.9f, 0.9f, 0.9f);
}

rm::MeshBuilderPtr LoadPillarMesh(const SceneBuilder& b) {
    return LoadStageMesh(b, "hasira", 0.9f, 0.8f, 0.0f);
}

void BuildArena(const SceneBuilder& b) {
    World& w = b.world;
    w.Block_Mesh = LoadBlockMesh(b);
    w.Arena_Frame = b.AddFrame(b.root, w.Block_Mesh, 0, -6, 0);
    w.Pillar_Mesh = LoadPillarMesh(b);
    w.Arena_Frame->AddVisual(w.Pillar_Mesh);

    rm::MeshBuilderPtr tobira = b.LoadMesh("tobira.x", 0.15f, 0.08f, 0.15f);
    tobira->SetPerspective(true);
    if (rm::TexturePtr texture = b.LoadDecalTexture("MESH1.bmp")) tobira->SetTexture(texture);
    w.Arena_Frame->AddVisual(tobira);

    rm::MeshBuilderPtr keep = b.LoadMesh("keep.x", 0.07f);
    keep->SetPerspective(true);
    keep->Translate(-3, 0.15f, -15);
    w.Arena_Frame->AddVisual(keep);

    rm::MeshBuilderPtr ground =
        b.LoadMesh(w.Light_Mode == light_mode::Off ? "gnd2.x" : "gnd.x", 0.15f, 0.07f, 0.15f);
    ground->SetPerspective(true);
    if (w.No_Texture) ground->SetColorRGB(0.7f, 0.46f, 0.08f);
    w.Arena_Frame->AddVisual(ground);

    w.Door_Mesh = b.LoadMesh("door.x", 0.15f, 0.1f, 0.15f);
    w.Door_Mesh->SetPerspective(true);
    if (w.No_Texture) w.Door_Mesh->SetColorRGB(0.9f, 0.7f, 0.0f);
    w.Arena_Frame->AddVisual(w.Door_Mesh);

    w.Gate_Mesh = b.LoadMesh("unk.x", 0.15f, 0.1f, 0.15f);
    w.Arena_Frame->AddVisual(w.Gate_Mesh);
}
