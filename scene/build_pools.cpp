// The pooled things that come and go during play: 15 explosions, 6 shots, 6 missiles,
// 6 enemy shots and 8 rings. Idle members wait below the arena.
#include "game/world.h"
#include "scene/construction.h"

namespace {

template <size_t N>
void MakePool(const SceneBuilder& b, std::array<TParts, N>& pool, const rm::MeshBuilderPtr& mesh,
              float parked_y) {
    for (TParts& item : pool) item.Frame = b.AddFrame(b.root, mesh, 0, parked_y, 0);
}

void BuildExplosions(const SceneBuilder& b) {
    World& w = b.world;
    rm::MeshBuilderPtr bomb = b.LoadMesh("bomb.x", 0.1f);
    if (w.Alpha_Blend)
        bomb->SetColor(rm::CreateColorRGBA(1.0f, 0.5f, 0.0f, 0.5f));
    else if (w.No_Texture)
        bomb->SetColorRGB(1.0f, 0.5f, 0.0f);
    MakePool(b, w.Bakuhatu, bomb, -1000);
}

void BuildMissiles(const SceneBuilder& b) {
    World& w = b.world;
    rm::MeshBuilderPtr missile =
        b.LoadMesh(b.bonus ? "nasu.x" : "miss.x", 0.0018f, 0.0018f, 0.0012f);
    std::array<rm::FramePtr, ShotCount> spin;
    for (size_t i = 0; i < ShotCount; ++i) {
        w.Missile[i].Frame = b.engine.CreateFrame(b.root);
        spin[i] = b.AddFrame(w.Missile[i].Frame, missile, 0, 0, 0);
        spin[i]->SetRotation(w.Missile[i].Frame, 0, 0, 1, 0.2f);
        w.Missile[i].Frame->SetPosition(b.root, 0, -500, 0);
    }
    if (b.bonus) return;
    // The exhaust flame: black texels of its texture are not drawn.
    rm::MeshBuilderPtr flame = b.LoadMesh("missfire.x", 0.0018f);
    flame->SetPerspective(true);
    if (rm::TexturePtr fire = b.LoadDecalTexture("fire.bmp")) flame->SetTexture(fire);
    if (w.Alpha_Blend) flame->SetColor(rm::CreateColorRGBA(0.0f, 0.9f, 0.9f, 0.5f));
    for (auto& frame : spin) frame->AddVisual(flame);
}

} // namespace

void BuildPools(const SceneBuilder& b) {
    World& w = b.world;
    BuildExplosions(b);
    MakePool(b, w.Tama, b.LoadMesh(b.bonus ? "hart.x" : "tama.x", 0.003f), -500);
    BuildMissiles(b);
    MakePool(b, w.Teki_Tama, b.LoadMesh("tekitama.x", 0.003f), -500);
    MakePool(b, w.Ring, b.LoadMesh("ring.x", 0.003f), -500);
}
