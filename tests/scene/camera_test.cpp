// The camera modes: placements relative to the robot, the viewport's depth range, and
// switching with button 4.
#include "tests/support/scene_fixture.h"

namespace {

class CameraTest : public SceneFixture {
protected:
    void Press(int frames) {
        for (int i = 0; i < frames; ++i) {
            Hold({InButton4});
            Camera_Change(game());
        }
    }
    void Release() {
        Hold({});
        Camera_Change(game());
    }
    rm::Vector CameraAt() { return w().Camera_Frame->GetPosition(w().Robo_Frame); }
};

TEST_F(CameraTest, EachModePlacesTheCameraBehindAboveOrInsideTheRobot) {
    struct Expect {
        rm::Vector at;
        float front, back;
    };
    const Expect expected[4] = {{{0, 8, -20}, 1.0f, 200},
                                {{0, 3, -5}, 0.7f, 200},
                                {{0, 0, 0.4f}, 1.0f, 200},
                                {{0, 90, -10}, 1.0f, 130}};
    for (int mode = 0; mode < 4; ++mode) {
        SCOPED_TRACE(mode);
        Build([mode](World& world) {
            world.Camera_Mode = mode;
            world.Back_Distance = 200;
        });
        EXPECT_EQ(w().Camera_Frame->GetParent(), w().Robo_Frame.get());
        const Expect& e = expected[mode];
        EXPECT_VEC_NEAR(CameraAt(), e.at.x, e.at.y, e.at.z, 1e-4f);
        rm::Viewport* viewport = form().DXDraw.Viewport();
        EXPECT_FLOAT_EQ(viewport->GetFront(), e.front);
        EXPECT_FLOAT_EQ(viewport->GetBack(), e.back);
        EXPECT_EQ(viewport->GetCamera(), w().Camera_Frame);
    }
}

TEST_F(CameraTest, BehindViewsLookDownAQuarterAndFollowTheRobot) {
    Build();
    // The robot faces +x; the camera looks along +x, tipped down by atan(1/4).
    const rm::Vector d = w().Camera_Frame->GetWorldDirection();
    EXPECT_NEAR(d.x, 4 / std::sqrt(17.0f), 1e-4f);
    EXPECT_NEAR(d.y, -1 / std::sqrt(17.0f), 1e-4f);
    EXPECT_NEAR(d.z, 0, 1e-4f);
    EXPECT_VEC_NEAR(w().Camera_Frame->GetPosition(Root()), -20, 8, 0, 1e-4f);
    w().Robo_Frame->SetPosition(Root(), 50, 0, 30);
    EXPECT_VEC_NEAR(w().Camera_Frame->GetPosition(Root()), 30, 8, 30, 1e-4f);
}

TEST_F(CameraTest, HeldButtonSwitchesOnceAndFourPressesComeBack) {
    Build([](World& world) { world.Back_Distance = 320; });
    Press(8);
    EXPECT_EQ(w().Camera_Mode, 1);
    EXPECT_VEC_NEAR(CameraAt(), 0, 3, -5, 1e-4f);
    Release();
    Press(1);
    EXPECT_EQ(w().Camera_Mode, 2);
    Release();
    Press(3);
    EXPECT_EQ(w().Camera_Mode, 3);
    EXPECT_FLOAT_EQ(form().DXDraw.Viewport()->GetBack(), 130);
    Release();
    Press(1);
    EXPECT_EQ(w().Camera_Mode, 0);
    EXPECT_VEC_NEAR(CameraAt(), 0, 8, -20, 1e-4f);
    EXPECT_FLOAT_EQ(form().DXDraw.Viewport()->GetBack(), 320);
}

} // namespace
