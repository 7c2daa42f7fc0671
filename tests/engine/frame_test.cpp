// Frame maths of the retained-mode layer against hand-computed values.
#include <gtest/gtest.h>

#include <cmath>

#include "scene/engine/frame.h"
#include "scene/engine/rm.h"

namespace {

constexpr float Tolerance = 1e-5f;

void ExpectVector(const rm::Vector& v, float x, float y, float z) {
    EXPECT_NEAR(v.x, x, Tolerance);
    EXPECT_NEAR(v.y, y, Tolerance);
    EXPECT_NEAR(v.z, z, Tolerance);
}

class FrameMaths : public ::testing::Test {
protected:
    std::unique_ptr<rm::Engine> engine = rm::CreateEngine();
    rm::FramePtr root = engine->CreateFrame(nullptr);
};

TEST_F(FrameMaths, NewFrameHasIdentityTransformUnderItsParent) {
    auto parent = engine->CreateFrame(root);
    parent->SetPosition(nullptr, 1, 2, 3);
    auto child = engine->CreateFrame(parent);
    EXPECT_EQ(child->GetParent(), parent.get());
    ExpectVector(child->GetPosition(parent), 0, 0, 0);
    ExpectVector(child->GetPosition(nullptr), 1, 2, 3);
    ExpectVector(child->GetWorldDirection(), 0, 0, 1);
    ExpectVector(child->GetWorldUp(), 0, 1, 0);
}

TEST_F(FrameMaths, PositionRelativeToRotatedParent) {
    // The parent faces +x, so its own z axis is world +x and its x axis world -z.
    auto parent = engine->CreateFrame(root);
    parent->SetPosition(root, 10, 0, 0);
    parent->SetOrientation(root, 1, 0, 0, 0, 1, 0);
    auto child = engine->CreateFrame(parent);
    child->SetPosition(parent, 0, 0, 2);
    ExpectVector(child->GetPosition(nullptr), 12, 0, 0);
    child->SetPosition(parent, 1, 3, 0);
    ExpectVector(child->GetPosition(nullptr), 10, 3, -1);
    ExpectVector(child->GetPosition(parent), 1, 3, 0);
    // A world position given to the child lands there whatever the parent's turn.
    child->SetPosition(nullptr, 4, 5, 6);
    ExpectVector(child->GetPosition(root), 4, 5, 6);
    ExpectVector(child->GetPosition(parent), -6, 5, -6);
}

TEST_F(FrameMaths, OrientationRelativeToItselfTurnsFromTheCurrentHeading) {
    auto frame = engine->CreateFrame(root);
    const float step = std::atan(1.0f / 25.0f);
    frame->SetOrientation(frame, 1, 0, 25, 0, 1, 0);
    ExpectVector(frame->GetWorldDirection(), std::sin(step), 0, std::cos(step));
    frame->SetOrientation(frame, 1, 0, 25, 0, 1, 0);
    ExpectVector(frame->GetWorldDirection(), std::sin(2 * step), 0, std::cos(2 * step));
    ExpectVector(frame->GetWorldUp(), 0, 1, 0);

    // The robot starts facing +x; a turn to its right heads toward world -z.
    auto robot = engine->CreateFrame(root);
    robot->SetOrientation(root, 1, 0, 0, 0, 1, 0);
    robot->SetOrientation(robot, 1, 0, 25, 0, 1, 0);
    ExpectVector(robot->GetWorldDirection(), std::cos(step), 0, -std::sin(step));
    // Turning back by the same step restores the heading.
    robot->SetOrientation(robot, -1, 0, 25, 0, 1, 0);
    ExpectVector(robot->GetWorldDirection(), 1, 0, 0);
}

TEST_F(FrameMaths, OrientationVectorsNeedNotBeUnitOrPerpendicular) {
    auto frame = engine->CreateFrame(root);
    // Tilted up by atan(61/80), as the robot's left forearm is.
    frame->SetOrientation(frame, 0, 61, 80, 0, 80, -61);
    const float tilt = std::atan(61.0f / 80.0f);
    ExpectVector(frame->GetWorldDirection(), 0, std::sin(tilt), std::cos(tilt));
    ExpectVector(frame->GetWorldUp(), 0, std::cos(tilt), -std::sin(tilt));
    // An up vector along the direction leaves the orientation as it was.
    frame->SetOrientation(root, 0, 0, 5, 0, 0, 1);
    ExpectVector(frame->GetWorldDirection(), 0, std::sin(tilt), std::cos(tilt));
}

TEST_F(FrameMaths, PositionRelativeToItselfStepsAlongItsOwnAxes) {
    auto frame = engine->CreateFrame(root);
    frame->SetOrientation(root, 1, 0, 0, 0, 1, 0);
    frame->SetPosition(frame, 0, 0, 2);
    ExpectVector(frame->GetPosition(nullptr), 2, 0, 0);
    frame->SetPosition(frame, 0, 0, 2);
    ExpectVector(frame->GetPosition(nullptr), 4, 0, 0);
    frame->SetPosition(frame, 1, 0, 0); // sideways to its right: world -z
    ExpectVector(frame->GetPosition(nullptr), 4, 0, -1);
}

TEST_F(FrameMaths, PositionOfOneFrameRelativeToAnother) {
    auto a = engine->CreateFrame(root);
    a->SetPosition(nullptr, 5, 0, 5);
    a->SetOrientation(nullptr, -1, 0, 0, 0, 1, 0); // faces -x; its x axis is world +z
    auto b = engine->CreateFrame(root);
    b->SetPosition(nullptr, 5, 0, 15);
    ExpectVector(b->GetPosition(a), 10, 0, 0);
    b->SetPosition(nullptr, 2, 1, 5);
    ExpectVector(b->GetPosition(a), 0, 1, 3);
    // Deeper in another tree branch, the answer is the same.
    auto holder = engine->CreateFrame(root);
    holder->SetPosition(nullptr, 2, 0, 0);
    auto c = engine->CreateFrame(holder);
    c->SetPosition(holder, 0, 1, 5);
    ExpectVector(c->GetPosition(a), 0, 1, 3);
}

TEST_F(FrameMaths, MoveAppliesSpinsInTheSubtree) {
    auto holder = engine->CreateFrame(root);
    holder->SetPosition(nullptr, 0, -500, 0);
    auto spinner = engine->CreateFrame(holder);
    spinner->SetRotation(holder, 0, 0, 1, 0.2f);
    ExpectVector(spinner->GetWorldUp(), 0, 1, 0); // nothing turns before Move
    root->Move(1.0f);
    ExpectVector(spinner->GetWorldUp(), -std::sin(0.2f), std::cos(0.2f), 0);
    root->Move(1.0f);
    root->Move(1.0f);
    ExpectVector(spinner->GetWorldUp(), -std::sin(0.6f), std::cos(0.6f), 0);
    ExpectVector(spinner->GetWorldDirection(), 0, 0, 1); // the spin axis stays put
    ExpectVector(spinner->GetPosition(nullptr), 0, -500, 0);
    // Moving the holder elsewhere carries the spinning frame along.
    holder->SetPosition(nullptr, 3, 0, 0);
    ExpectVector(spinner->GetPosition(nullptr), 3, 0, 0);
    // A frame outside the moved subtree does not turn.
    spinner->SetRotation(holder, 0, 0, 1, 0.0f);
    root->Move(1.0f);
    ExpectVector(spinner->GetWorldUp(), -std::sin(0.6f), std::cos(0.6f), 0);
}

TEST_F(FrameMaths, ScaleReplaceThenPosition) {
    auto frame = engine->CreateFrame(root);
    frame->SetPosition(nullptr, 7, 8, 9);
    frame->SetOrientation(nullptr, 1, 0, 0, 0, 1, 0);
    auto child = engine->CreateFrame(frame);
    child->SetPosition(frame, 1, 0, 0);

    frame->AddScale(rm::CombineType::Replace, 2, 2, 2);
    ExpectVector(frame->GetPosition(nullptr), 0, 0, 0); // the whole transform was replaced
    ExpectVector(frame->GetWorldDirection(), 0, 0, 1);
    frame->SetPosition(nullptr, 3, 0, 4);
    ExpectVector(frame->GetPosition(nullptr), 3, 0, 4);
    ExpectVector(child->GetPosition(nullptr), 5, 0, 4); // the child's offset is scaled by 2

    // Scale 0 (an idle explosion) still places the frame, and asking for a position
    // relative to it gives no NaNs.
    frame->AddScale(rm::CombineType::Replace, 0, 0, 0);
    frame->SetPosition(nullptr, 1, 2, 3);
    ExpectVector(frame->GetPosition(nullptr), 1, 2, 3);
    const rm::Vector relative = root->GetPosition(frame);
    EXPECT_TRUE(std::isfinite(relative.x) && std::isfinite(relative.y) &&
                std::isfinite(relative.z));
}

TEST_F(FrameMaths, ChildrenAttachDetachAndReparent) {
    auto a = engine->CreateFrame(root);
    auto b = engine->CreateFrame(root);
    auto child = engine->CreateFrame(a);
    a->SetPosition(nullptr, 10, 0, 0);
    b->SetPosition(nullptr, 0, 0, 10);
    child->SetPosition(a, 1, 0, 0);

    b->AddChild(child); // keeps its offset, now from b
    EXPECT_EQ(child->GetParent(), b.get());
    EXPECT_TRUE(a->Children().empty());
    ASSERT_EQ(b->Children().size(), 1u);
    ExpectVector(child->GetPosition(nullptr), 1, 0, 10);

    b->DeleteChild(child);
    EXPECT_EQ(child->GetParent(), nullptr);
    EXPECT_TRUE(b->Children().empty());
    a->DeleteChild(child); // not its child: nothing happens
    EXPECT_EQ(child->GetParent(), nullptr);

    // A frame cannot be hung below itself.
    a->AddChild(child);
    child->AddChild(a);
    EXPECT_EQ(a->GetParent(), root.get());
    child->AddChild(child);
    EXPECT_TRUE(child->Children().empty());
}

TEST_F(FrameMaths, DestroyedParentLeavesDetachedChildren) {
    auto parent = engine->CreateFrame(nullptr);
    auto child = engine->CreateFrame(parent);
    parent.reset();
    EXPECT_EQ(child->GetParent(), nullptr);
    ExpectVector(child->GetPosition(nullptr), 0, 0, 0);
}

TEST_F(FrameMaths, VisualsAndLightsAreSharedBetweenFrames) {
    auto mesh = engine->CreateMeshBuilder();
    auto light = engine->CreateLightRGB(rm::LightType::Point, 1, 1, 0);
    auto first = engine->CreateFrame(root);
    auto second = engine->CreateFrame(root);
    first->AddVisual(mesh);
    second->AddVisual(mesh);
    first->AddLight(light);
    second->AddLight(light);
    first->DeleteVisual(mesh);
    first->DeleteLight(light);
    EXPECT_TRUE(first->Visuals().empty());
    EXPECT_TRUE(first->Lights().empty());
    ASSERT_EQ(second->Visuals().size(), 1u);
    EXPECT_EQ(second->Visuals()[0], mesh);
    ASSERT_EQ(second->Lights().size(), 1u);
    EXPECT_EQ(second->Lights()[0], light);
    first->DeleteLight(light); // already gone: nothing happens
    EXPECT_EQ(second->Lights().size(), 1u);
}

// A frame moved 10 along x and turned a quarter about y (or grown) since KeepStep, drawn.
struct BlendRow {
    const char* name;
    float blend;
    void (*after_keep)(rm::Engine&, const rm::FramePtr& root, rm::FramePtr& frame);
    glm::vec3 position, direction;
    float scale;
};

void MoveAndTurn(rm::Engine&, const rm::FramePtr&, rm::FramePtr& frame) {
    frame->SetPosition(nullptr, 10, 0, 0);
    frame->SetOrientation(nullptr, 1, 0, 0, 0, 1, 0);
}

const float Half = std::sqrt(0.5f);
const BlendRow BlendRows[] = {
    {"the kept step", 0.0f, MoveAndTurn, {0, 0, 0}, {0, 0, 1}, 1},
    {"halfway, turned by half, not shrunk", 0.5f, MoveAndTurn, {5, 0, 0}, {Half, 0, Half}, 1},
    {"a quarter",
     0.25f,
     MoveAndTurn,
     {2.5f, 0, 0},
     {std::sin(0.3926991f), 0, std::cos(0.3926991f)},
     1},
    {"now", 1.0f, MoveAndTurn, {10, 0, 0}, {1, 0, 0}, 1},
    {"cut: at its new place",
     0.5f,
     [](rm::Engine& e, const rm::FramePtr& r, rm::FramePtr& f) {
         MoveAndTurn(e, r, f);
         f->Cut();
     },
     {10, 0, 0},
     {1, 0, 0},
     1},
    {"added since the step: at its place",
     0.5f,
     [](rm::Engine& e, const rm::FramePtr& r, rm::FramePtr& f) {
         f = e.CreateFrame(r);
         MoveAndTurn(e, r, f);
     },
     {10, 0, 0},
     {1, 0, 0},
     1},
    {"given a new parent: at its place",
     0.5f,
     [](rm::Engine& e, const rm::FramePtr& r, rm::FramePtr& f) {
         auto parent = e.CreateFrame(r);
         parent->SetPosition(nullptr, 10, 0, 0);
         parent->KeepStep();
         parent->AddChild(f);
     },
     {10, 0, 0},
     {0, 0, 1},
     1},
    {"a cut parent carries its child without a trail",
     0.5f,
     [](rm::Engine& e, const rm::FramePtr&, rm::FramePtr& f) {
         auto child = e.CreateFrame(f);
         child->KeepStep();
         f->SetPosition(nullptr, 10, 0, 0);
         f->Cut();
         f = child;
     },
     {10, 0, 0},
     {0, 0, 1},
     1},
    {"a replaced scale grows by half",
     0.5f,
     [](rm::Engine&, const rm::FramePtr&, rm::FramePtr& f) {
         f->AddScale(rm::CombineType::Replace, 4, 4, 4);
         f->SetPosition(nullptr, 0, 0, 10);
     },
     {0, 0, 6},
     {0, 0, 3},
     3},
};

TEST_F(FrameMaths, DrawnBetweenTheKeptStepAndNowByTheBlend) {
    for (const BlendRow& row : BlendRows) {
        SCOPED_TRACE(row.name);
        rm::FramePtr frame = engine->CreateFrame(root);
        if (row.scale != 1) { // the growing explosion starts at scale 2
            frame->AddScale(rm::CombineType::Replace, 2, 2, 2);
            frame->SetPosition(nullptr, 0, 0, 2);
        }
        root->KeepStep();
        row.after_keep(*engine, root, frame);
        const rm::Transform shown = static_cast<rm::FrameImpl&>(*frame).ShownWorld(row.blend);
        ExpectVector({shown.t.x, shown.t.y, shown.t.z}, row.position.x, row.position.y,
                     row.position.z);
        const glm::vec3 z = shown.m[2];
        ExpectVector({z.x, z.y, z.z}, row.direction.x, row.direction.y, row.direction.z);
        // Never sheared: the axes stay square to each other and of the one length.
        EXPECT_NEAR(glm::dot(shown.m[0], shown.m[1]), 0, Tolerance);
        EXPECT_NEAR(glm::dot(shown.m[0], z), 0, Tolerance);
        EXPECT_NEAR(glm::length(shown.m[0]), row.scale, Tolerance);
        EXPECT_NEAR(glm::length(shown.m[1]), row.scale, Tolerance);
        if (row.blend == 1.0f) { // exactly now, no arithmetic
            const rm::Transform now = static_cast<rm::FrameImpl&>(*frame).World();
            EXPECT_EQ(shown.t, now.t);
            EXPECT_EQ(shown.m, now.m);
        }
        root->DeleteChild(frame);
    }
}

TEST(PackedColour, ChannelsAreTruncatedTimes255) {
    EXPECT_EQ(rm::CreateColorRGBA(1.0f, 0.5f, 0.0f, 0.5f), 0x7FFF7F00u);
    EXPECT_EQ(rm::CreateColorRGBA(0.0f, 0.9f, 0.9f, 0.5f), 0x7F00E5E5u);
    EXPECT_EQ(rm::CreateColorRGBA(1.0f, 1.0f, 1.0f, 1.0f), 0xFFFFFFFFu);
}

} // namespace
