// The player robot: a root frame and its part hierarchy, built from the normal files or
// those of a bonus mode (Special2 wins when both are set).
#include "game/world.h"
#include "scene/construction.h"

namespace {

struct PartFiles {
    const char *body, *head, *arm_r1, *arm_r2, *arm_l1, *arm_l2;
    const char *thigh_r, *thigh_l, *leg_r, *leg_l;
};

constexpr PartFiles NormalFiles{"body.x",   "head.x",  "armR1.x", "armR2b.x", "armL1.x",
                                "armL2b.x", "momoR.x", "momoL.x", "asiR.x",   "asiL.x"};
constexpr PartFiles Special1Files{"bodyh.x", "head.x",  "armR1.x", "ar2h.x", "armL1.x",
                                  "al2h.x",  "momoR.x", "momoL.x", "asiR.x", "asiL.x"};
constexpr PartFiles Special2Files{"kb.x",   "kh.x",  "kar.x", "kar2.x", "kal.x",
                                  "kal2.x", "kmr.x", "kml.x", "ksr.x",  "ksl.x"};

// The offsets that differ with Special2's smaller parts.
struct PartOffsets {
    rm::Vector wing_r, arm_r1, arm_r2, arm_l1, arm_l2, leg_r, leg_l;
};

constexpr PartOffsets NormalOffsets{{0.7f, 0.1f, -0.5f}, {1.2f, 0.1f, 0.1f},    {0.6f, -0.7f, 0.7f},
                                    {-1.2f, 0.1f, 0.1f}, {-0.8f, -0.8f, -0.2f}, {0.25f, -1.3f, 0},
                                    {-0.25f, -1.3f, 0}};
constexpr PartOffsets Special2Offsets{
    {0.5f, 0, -0.5f},   {0.9f, 0.1f, 0.1f},    {0.63f, -0.7f, 0.4f},  {-0.9f, 0.1f, 0.1f},
    {-0.75f, -0.6f, 0}, {0.5f, -1.5f, -0.25f}, {-0.5f, -1.5f, -0.25f}};

constexpr float PartScale = 0.0022f;

void AddPart(const SceneBuilder& b, TParts& part, const rm::FramePtr& parent, const char* file,
             rm::Vector at) {
    part.Frame = b.AddFrame(parent, b.LoadMesh(file, PartScale), at.x, at.y, at.z);
}

} // namespace

void BuildRobot(const SceneBuilder& b) {
    World& w = b.world;
    const PartFiles& files = w.Special2 ? Special2Files : w.Special1 ? Special1Files : NormalFiles;
    const PartOffsets& at = w.Special2 ? Special2Offsets : NormalOffsets;

    w.Robo_Frame = b.engine.CreateFrame(b.root);
    w.Robo_Frame->SetOrientation(b.root, 1, 0, 0, 0, 1, 0); // starts facing +x

    AddPart(b, w.Robo_Body, w.Robo_Frame, files.body, {0, 0, 0});
    const rm::FramePtr& body = w.Robo_Body.Frame;
    AddPart(b, w.Robo_Head, body, files.head, {0, 0.8f, 0.3f});
    if (b.bonus) {
        rm::MeshBuilderPtr wing = b.LoadMesh("kerowin.x", PartScale);
        w.Robo_WingR.Frame = b.AddFrame(body, wing, at.wing_r.x, at.wing_r.y, at.wing_r.z);
        w.Robo_WingL.Frame = b.AddFrame(body, wing, -at.wing_r.x, at.wing_r.y, at.wing_r.z);
    }
    AddPart(b, w.Robo_ArmR1, body, files.arm_r1, at.arm_r1);
    AddPart(b, w.Robo_ArmR2, w.Robo_ArmR1.Frame, files.arm_r2, at.arm_r2);
    // Shown on the right forearm only during a swing.
    w.Blade_Mesh = b.LoadMesh("blade.x", PartScale);
    AddPart(b, w.Robo_ArmL1, body, files.arm_l1, at.arm_l1);
    AddPart(b, w.Robo_ArmL2, w.Robo_ArmL1.Frame, files.arm_l2, at.arm_l2);
    // The left forearm's built-in upward tilt.
    w.Robo_ArmL2.Frame->SetOrientation(w.Robo_ArmL1.Frame, 0, 61, 80, 0, 80, -61);
    AddPart(b, w.Robo_ThighR, body, files.thigh_r, {0.6f, -1.4f, 0.1f});
    AddPart(b, w.Robo_ThighL, body, files.thigh_l, {-0.6f, -1.4f, 0.1f});
    AddPart(b, w.Robo_LegR, w.Robo_ThighR.Frame, files.leg_r, at.leg_r);
    AddPart(b, w.Robo_LegL, w.Robo_ThighL.Frame, files.leg_l, at.leg_l);
}
