#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "app/game.h"
#include "game/pictures.h"
#include "scene/scene.h"
#include "tests/support/form_fixture.h"

namespace {

class FrameLoopTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        BuildStage();
    }

    void BuildStage() {
        OpenWindowedDisplay();
        World& w = world();
        // A stage as the title screen starts it: scene built, enemies alive.
        w.Stage_No = 1;
        w.Map_Image = &form().Image1;
        w.Wall_Image = &form().Image4;
        SetEnemyHitPoints(w);
        w.Special1 = bonus_; // the wings exist only when built in a bonus mode
        Create_3D(screen());
        w.Robo_HP = 300;
        w.Boss_HP = 300;
        w.Clock_Running = false;
    }

    // One game frame, holding exactly these virtual keys.
    void Frame(std::set<uint32_t> keys = {}) {
        form().DXInput1.SetScriptedKeys(keys);
        DXTimerTimer(screen());
    }

    bool bonus_ = false;
};

class FrameLoopBonusTest : public FrameLoopTest {
protected:
    void SetUp() override {
        bonus_ = true;
        FrameLoopTest::SetUp();
    }
};

constexpr uint32_t KeyUp = 38, KeyGuard = 70, KeyCamera = 71; // InUp, InButton3, InButton4

// While robot and boss both stand, the player acts; once either is down the player no
// longer walks or guards, the fallen side's pose plays, and the enemies go on.
TEST_F(FrameLoopTest, WhoActsFollowsWhoIsStillStanding) {
    struct Case {
        const char* what;
        int32_t robo_hp, boss_hp;
        bool player_acts, camera_switches, defeat_pose, victory_pose;
    };
    for (const Case& c : {Case{"both stand", 300, 300, true, true, false, false},
                          Case{"robot down", 0, 300, false, true, true, false},
                          Case{"boss down", 300, 0, false, false, false, true}}) {
        form_.reset(); // a fresh form and scene for each case; one form at a time
        form_ = std::make_unique<TMainForm>(app_, false);
        BuildStage();
        World& w = world();
        w.Robo_HP = c.robo_hp;
        w.Boss_HP = c.boss_hp;
        const rm::Vector robot = w.Robo_Frame->GetPosition(nullptr);
        const rm::Vector zako = w.Zako[0].Frame->GetPosition(nullptr);
        Frame({KeyUp, KeyGuard, KeyCamera});
        const rm::Vector moved = w.Robo_Frame->GetPosition(nullptr);
        const rm::Vector zako_moved = w.Zako[0].Frame->GetPosition(nullptr);
        EXPECT_EQ(moved.x != robot.x || moved.z != robot.z, c.player_acts) << c.what;
        EXPECT_EQ(w.Guard_On, c.player_acts) << c.what;
        EXPECT_EQ(w.Camera_Mode != camera_mode::BehindFar, c.camera_switches) << c.what;
        EXPECT_EQ(w.Pose_Step, c.defeat_pose ? 1 : 0) << c.what;
        EXPECT_EQ(w.Victory_Frames, c.victory_pose ? 1 : 0) << c.what;
        EXPECT_EQ(w.Boss_Down_Frames, c.victory_pose ? 1 : 0) << c.what;
        EXPECT_TRUE(zako_moved.x != zako.x || zako_moved.z != zako.z) << c.what << ": zako";
    }
}

TEST_F(FrameLoopBonusTest, BonusModesFlapTheWingsAndTheBossFightsOnlyOnceActive) {
    World& w = world();
    Frame();
    EXPECT_EQ(w.Wing_Step, 1);
    EXPECT_EQ(w.Boss_Fire_Count, 0) << "the boss waits until its room is entered";
    w.Boss_Active = true;
    Frame();
    EXPECT_EQ(w.Wing_Step, 2);
    EXPECT_EQ(w.Boss_Fire_Count, 1);
}

TEST_F(FrameLoopTest, WingsStayStillOutsideTheBonusModes) {
    Frame();
    EXPECT_EQ(world().Wing_Step, 0);
}

TEST_F(FrameLoopTest, FramesArePacedThirtyThreeMillisecondsApart) {
    World& w = world();
    // The time a frame's work takes passes between its start and the next frame's.
    DXTimerTimer(screen());
    const uint32_t first = w.Tick_Last;
    clock_.Advance(10);
    DXTimerTimer(screen());
    EXPECT_EQ(w.Tick_Last - first, 33u) << "a 10 ms frame waits for the rest of the 33 ms";

    const uint32_t slow = w.Tick_Last;
    clock_.Advance(50);
    DXTimerTimer(screen());
    EXPECT_EQ(w.Tick_Last - slow, 50u) << "after a 50 ms frame the next starts at once";
}

TEST_F(FrameLoopTest, PlayClockCountsFromItsStartAndCoversSkippedTime) {
    World& w = world();
    w.Clock_Start = clock_.Now();
    w.Clock_Running = true;
    DXTimerTimer(screen());
    const int32_t first = w.Play_Time;
    EXPECT_EQ(w.Frame_ms, first);
    clock_.Advance(5000); // the window was away for five seconds
    DXTimerTimer(screen());
    EXPECT_EQ(w.Frame_ms, 5000);
    EXPECT_EQ(w.Prev_Play_Time, w.Play_Time);

    w.Clock_Running = false; // the boss fell: the clock stops
    const int32_t stopped = w.Play_Time;
    DXTimerTimer(screen());
    EXPECT_EQ(w.Play_Time, stopped);
    EXPECT_EQ(w.Frame_ms, 0);
}

TEST_F(FrameLoopTest, EnergyRefillStopsAtTheFullGauge) {
    World& w = world();
    w.Energy_Regen = 1.0;
    w.Energy = 299.5;
    DXTimerTimer(screen());
    EXPECT_EQ(w.Energy, 300.0);
    DXTimerTimer(screen());
    EXPECT_EQ(w.Energy, 300.0);
    w.Energy = 450.0;
    DXTimerTimer(screen());
    EXPECT_EQ(w.Energy, 300.0) << "energy above the gauge never survives a playing frame";
    w.Energy = 100.0;
    w.Robo_HP = 0;
    DXTimerTimer(screen());
    EXPECT_EQ(w.Energy, 100.0) << "no refill after the player's defeat";
}

TEST_F(FrameLoopTest, WhiteFlashFillsTheWholeFrameOnce) {
    world().White_Flash = true;
    DXTimerTimer(screen());
    EXPECT_FALSE(world().White_Flash);
    const TDirectDrawSurface& back = form().DXDraw.BackSurface();
    ASSERT_GT(back.Width(), 0);
    for (int y = 0; y < back.Height(); y += 37)
        for (int x = 0; x < back.Width(); x += 41) ASSERT_EQ(back.Pixel(x, y), 0xFFFFFFu);
    DXTimerTimer(screen());
    EXPECT_EQ(back.Pixel(1, 1), 0u) << "the next frame is cleared to black again";
}

// Whether the flash is drawn is the limiter's and the player's (bn.ini or --no-flash).
TEST_F(FrameLoopTest, WhiteFlashIsLeftOutWhenThePlayerTurnedItOff) {
    for (const auto& [setting_off, option_off] :
         {std::pair{false, false}, {true, false}, {false, true}}) {
        world().No_Flash = setting_off;
        form().NoFlashOption = option_off;
        world().White_Flash = true;
        DXTimerTimer(screen());
        EXPECT_FALSE(world().White_Flash);
        const bool drawn = !setting_off && !option_off;
        EXPECT_EQ(form().DXDraw.BackSurface().Pixel(1, 1), drawn ? 0xFFFFFFu : 0u) << setting_off;
    }
}

TEST_F(FrameLoopTest, AFrameIsSkippedWholeWhileTheDisplayCannotDraw) {
    form().DXDraw.FinalizeDisplay();
    const uint32_t tick = world().Tick_Last;
    const uint64_t presents = form().DXDraw.PresentCount();
    const rm::Vector robot = world().Robo_Frame->GetPosition(nullptr);
    Frame({KeyUp});
    EXPECT_EQ(world().Tick_Last, tick);
    EXPECT_EQ(form().DXDraw.PresentCount(), presents);
    EXPECT_EQ(world().Robo_Frame->GetPosition(nullptr).z, robot.z);
}

TEST_F(FrameLoopTest, TheBossBodyGoesOnTheHundredAndEleventhFrameAfterTheDefeat) {
    World& w = world();
    w.Boss_HP = 0;
    w.Boss_Down_Frames = 109;
    auto body_shown = [&] {
        const auto& children = w.Boss_Frame->Children();
        return std::find(children.begin(), children.end(), w.Boss_Body_Frame) != children.end();
    };
    ASSERT_TRUE(body_shown());
    Frame();
    EXPECT_EQ(w.Boss_Down_Frames, 110);
    EXPECT_TRUE(body_shown()) << "still there on frame 110";
    Frame();
    EXPECT_EQ(w.Boss_Down_Frames, 111);
    EXPECT_FALSE(body_shown()) << "gone on frame 111";
}

TEST_F(FrameLoopTest, TheClearCaptionShowsFromTheFifteenthFrameAfterTheDefeat) {
    World& w = world();
    w.Boss_HP = 0;
    w.Boss_Down_Frames = 13;
    // The caption's own pixels: where it leaves two differently filled surfaces alike.
    const auto& caption = form().DXImageList1.Items(picture::GameOver);
    const TDirectDrawSurface& back = form().DXDraw.BackSurface();
    const int x = (back.Width() - caption.PatternWidth) / 2;
    const int y = (back.Height() - caption.PatternHeight) / 2 - 10;
    TDirectDrawSurface a(back.Width(), back.Height()), b(back.Width(), back.Height());
    a.Fill(0x010203);
    b.Fill(0xFDFCFB);
    caption.Draw(a, x, y, 1);
    caption.Draw(b, x, y, 1);
    auto shown = [&] {
        int inked = 0, matching = 0;
        for (int py = 0; py < back.Height(); ++py)
            for (int px = 0; px < back.Width(); ++px)
                if (a.Pixel(px, py) == b.Pixel(px, py)) {
                    ++inked;
                    matching += back.Pixel(px, py) == a.Pixel(px, py) ? 1 : 0;
                }
        EXPECT_GT(inked, 500) << "the caption has pixels of its own";
        return matching * 2 > inked;
    };
    Frame();
    EXPECT_EQ(w.Boss_Down_Frames, 14);
    EXPECT_FALSE(shown()) << "not yet on frame 14";
    Frame();
    EXPECT_TRUE(shown()) << "shown on frame 15";
}

} // namespace
