#include "tools/assetgen/contact_sheet_scenes.h"

#include <algorithm>
#include <filesystem>

#include "game/pictures.h"
#include "tools/assetgen/mesh_model.h"
#include "tools/assetgen/model_catalog.h"
#include "tools/assetgen/xfile_writer.h"

namespace assetgen {
namespace {

rm::FramePtr Hang(rm::Engine& engine, const rm::FramePtr& parent, const std::string& bin,
                  const std::string& file, float scale, rm::Vector at) {
    auto frame = engine.CreateFrame(parent);
    frame->SetPosition(parent, at.x, at.y, at.z);
    if (!file.empty()) {
        auto mesh = engine.CreateMeshBuilder();
        mesh->Load(bin + "/" + file);
        mesh->Scale(scale, scale, scale);
        frame->AddVisual(mesh);
    }
    return frame;
}

void Ground(rm::Engine& engine, const rm::FramePtr& root, const std::string& bin) {
    auto frame = Hang(engine, root, bin, "", 1, {-200, -6, -200});
    auto mesh = engine.CreateMeshBuilder();
    mesh->Load(bin + "/gnd2.x");
    mesh->Scale(0.15f, 0.07f, 0.15f);
    frame->AddVisual(mesh);
}

struct RobotFiles {
    const char *body, *head, *r1, *r2, *l1, *l2, *tr, *tl, *lr, *ll;
    bool wings, frog;
};

void Robot(rm::Engine& engine, const rm::FramePtr& root, const std::string& bin,
           const RobotFiles& f) {
    const float s = 0.0022f;
    auto body = Hang(engine, root, bin, f.body, s, {0, 0, 0});
    Hang(engine, body, bin, f.head, s, {0, 0.8f, 0.3f});
    if (f.wings) {
        const float x = f.frog ? 0.5f : 0.7f, y = f.frog ? 0 : 0.1f;
        Hang(engine, body, bin, "kerowin.x", s, {x, y, -0.5f});
        Hang(engine, body, bin, "kerowin.x", s, {-x, y, -0.5f});
    }
    auto r1 = Hang(engine, body, bin, f.r1, s, {f.frog ? 0.9f : 1.2f, 0.1f, 0.1f});
    Hang(engine, r1, bin, f.r2, s,
         f.frog ? rm::Vector{0.63f, -0.7f, 0.4f} : rm::Vector{0.6f, -0.7f, 0.7f});
    auto l1 = Hang(engine, body, bin, f.l1, s, {f.frog ? -0.9f : -1.2f, 0.1f, 0.1f});
    auto l2 = Hang(engine, l1, bin, f.l2, s,
                   f.frog ? rm::Vector{-0.75f, -0.6f, 0} : rm::Vector{-0.8f, -0.8f, -0.2f});
    l2->SetOrientation(l1, 0, 61, 80, 0, 80, -61);
    auto tr = Hang(engine, body, bin, f.tr, s, {0.6f, -1.4f, 0.1f});
    auto tl = Hang(engine, body, bin, f.tl, s, {-0.6f, -1.4f, 0.1f});
    Hang(engine, tr, bin, f.lr, s,
         f.frog ? rm::Vector{0.5f, -1.5f, -0.25f} : rm::Vector{0.25f, -1.3f, 0});
    Hang(engine, tl, bin, f.ll, s,
         f.frog ? rm::Vector{-0.5f, -1.5f, -0.25f} : rm::Vector{-0.25f, -1.3f, 0});
}

void Walker(rm::Engine& engine, const rm::FramePtr& root, const std::string& bin) {
    const float s = 0.0033f;
    auto body = Hang(engine, root, bin, "gbody.x", s, {0, -0.1f, -1});
    Hang(engine, body, bin, "GHead.x", s, {0, 0, 0});
    auto r = Hang(engine, body, bin, "GFootR.x", s, {1, -1.5f, -0.3f});
    auto l = Hang(engine, body, bin, "GFootL.x", s, {-1, -1.5f, -0.3f});
    Hang(engine, r, bin, "GFootR2.x", s, {0.9f, -3.3f, -0.4f});
    Hang(engine, l, bin, "GFootL2.x", s, {-0.9f, -3.3f, -0.4f});
}

void Boss(rm::Engine& engine, const rm::FramePtr& root, const std::string& bin) {
    const float s = 0.015f;
    auto body = Hang(engine, root, bin, "b1b.x", s, {0, 0, 0});
    Hang(engine, body, bin, "b1a.x", s, {9.6f, 2.4f, -1.5f});
    Hang(engine, body, bin, "b1r.x", s, {5, 4.8f, -8.3f});
    Hang(engine, body, bin, "b1l.x", s, {-5, 4.8f, -8.3f});
}

} // namespace

std::vector<SheetItem> SheetItems() {
    std::vector<SheetItem> items = {{"robot", "", 1},
                                    {"Special1", "", 2},
                                    {"Special2", "", 3},
                                    {"G-walker", "", 4},
                                    {"boss", "", 5}};
    for (const ModelFile& m : AllModels())
        if (m.name != "gnd.x" && m.name != "gnd2.x") items.push_back({m.name, m.name, 0});
    return items;
}

SheetView BuildSheetScene(rm::Engine& engine, const rm::FramePtr& root, const std::string& bin,
                          const SheetItem& item) {
    switch (item.assembly) {
    case 1:
        Robot(engine, root, bin,
              {"body.x", "head.x", "armR1.x", "armR2b.x", "armL1.x", "armL2b.x", "momoR.x",
               "momoL.x", "asiR.x", "asiL.x", false, false});
        Ground(engine, root, bin);
        return {{0, -2.0f, 0.5f}, 5.5f};
    case 2:
        Robot(engine, root, bin,
              {"bodyh.x", "head.x", "armR1.x", "ar2h.x", "armL1.x", "al2h.x", "momoR.x", "momoL.x",
               "asiR.x", "asiL.x", true, false});
        Ground(engine, root, bin);
        return {{0, -2.0f, 0.5f}, 5.5f};
    case 3:
        Robot(engine, root, bin,
              {"kb.x", "kh.x", "kar.x", "kar2.x", "kal.x", "kal2.x", "kmr.x", "kml.x", "ksr.x",
               "ksl.x", true, true});
        Ground(engine, root, bin);
        return {{0, -2.0f, 0.5f}, 5.5f};
    case 4:
        Walker(engine, root, bin);
        Ground(engine, root, bin);
        return {{0, -1.8f, -0.5f}, 5.5f};
    case 5:
        Boss(engine, root, bin);
        Ground(engine, root, bin);
        return {{0, 0, 1}, 19};
    default:
        break;
    }
    for (const ModelFile& m : AllModels()) {
        if (m.name != item.file) continue;
        auto frame = engine.CreateFrame(root);
        auto mesh = engine.CreateMeshBuilder();
        mesh->Load(bin + "/" + m.name);
        mesh->Scale(float(m.load_scale.x), float(m.load_scale.y), float(m.load_scale.z));
        mesh->Translate(float(m.load_move.x), float(m.load_move.y), float(m.load_move.z));
        frame->AddVisual(mesh);
        rm::Vector lo, hi;
        mesh->GetBox(lo, hi);
        const float size = std::max({hi.x - lo.x, hi.y - lo.y, hi.z - lo.z}) * 0.5f + 1e-3f;
        return {{(lo.x + hi.x) / 2, (lo.y + hi.y) / 2, (lo.z + hi.z) / 2}, size};
    }
    return {};
}

void BuildStageTopScene(rm::Engine& engine, const rm::FramePtr& root, const std::string& bin,
                        const std::string& scratch, int stage) {
    namespace fs = std::filesystem;
    const std::string n = std::to_string(stage);
    // A quad with the player's map as its texture, pixel (c, r) over its ground square.
    const std::string map = picture::StageMapFile(stage);
    fs::copy_file(fs::path(bin) / map, fs::path(scratch) / map,
                  fs::copy_options::overwrite_existing);
    Mesh quad;
    Material paper = Matte(1, 1, 1, 1.0);
    paper.texture = map;
    const int m = quad.AddMaterial(paper);
    const double x0 = -42.5, x1 = 467.5, z0 = -47.5, z1 = 462.5;
    quad.AddPolygon({{x0, 0, z0}, {x0, 0, z1}, {x1, 0, z1}, {x1, 0, z0}}, m, {0, 1, 0},
                    {{0, 1}, {0, 0}, {1, 0}, {1, 1}});
    const std::string quad_path = scratch + "/mapquad" + n + ".x";
    WriteXFile(quad_path, quad);

    auto arena = engine.CreateFrame(root);
    arena->SetPosition(root, 0, -6, 0);
    auto add = [&](const std::string& path, float sx, float sy, float sz) {
        auto mesh = engine.CreateMeshBuilder();
        mesh->Load(path);
        mesh->Scale(sx, sy, sz);
        arena->AddVisual(mesh);
    };
    add(quad_path, 1, 1, 1);
    add(bin + "/block" + n + ".x", 0.15f, 0.1f, 0.15f);
    add(bin + "/hasira" + n + ".x", 0.15f, 0.1f, 0.15f);
    add(bin + "/door.x", 0.15f, 0.1f, 0.15f);
    add(bin + "/unk.x", 0.15f, 0.1f, 0.15f);
    add(bin + "/tobira.x", 0.15f, 0.08f, 0.15f);
}

} // namespace assetgen
