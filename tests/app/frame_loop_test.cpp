#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "app/game.h"
#include "game/pictures.h"
#include "scene/engine/frame.h"
#include "scene/scene.h"
#include "tests/support/form_fixture.h"

namespace {

class FrameLoopTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        BuildStage();
    }

    // A stage as the title screen starts it: scene built, enemies alive. The wings exist
    // only when built in a bonus mode.
    void BuildStage(bool bonus = false) {
        form_.reset(); // one form at a time
        form_ = std::make_unique<TMainForm>(app_, false);
        OpenWindowedDisplay();
        World& w = world();
        w.Stage_No = 1;
        w.Map_Image = &form().Image1;
        w.Wall_Image = &form().Image4;
        SetEnemyHitPoints(w);
        w.Special1 = bonus;
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
};

bool Moved(const rm::FramePtr& frame, rm::Vector from) {
    const rm::Vector to = frame->GetPosition(nullptr);
    return to.x != from.x || to.z != from.z;
}

// While robot and boss both stand, the player acts; once either is down the player no
// longer walks or guards, the fallen side's pose plays, and the enemies go on.
TEST_F(FrameLoopTest, WhoActsFollowsWhoIsStillStanding) {
    constexpr uint32_t KeyUp = 38, KeyGuard = 70, KeyCamera = 71; // InUp, buttons 3 and 4
    struct Case {
        const char* what;
        int32_t robo_hp, boss_hp;
        bool player_acts, camera_switches, defeat_pose, victory_pose;
    };
    for (const Case& c : {Case{"both stand", 300, 300, true, true, false, false},
                          Case{"robot down", 0, 300, false, true, true, false},
                          Case{"boss down", 300, 0, false, false, false, true}}) {
        BuildStage();
        World& w = world();
        w.Robo_HP = c.robo_hp;
        w.Boss_HP = c.boss_hp;
        const rm::Vector robot = w.Robo_Frame->GetPosition(nullptr);
        const rm::Vector zako = w.Zako[0].Frame->GetPosition(nullptr);
        Frame({KeyUp, KeyGuard, KeyCamera});
        EXPECT_EQ(Moved(w.Robo_Frame, robot), c.player_acts) << c.what;
        EXPECT_EQ(w.Guard_On, c.player_acts) << c.what;
        EXPECT_EQ(w.Camera_Mode != camera_mode::BehindFar, c.camera_switches) << c.what;
        EXPECT_EQ(w.Pose_Step, c.defeat_pose ? 1 : 0) << c.what;
        EXPECT_EQ(w.Victory_Frames, c.victory_pose ? 1 : 0) << c.what;
        EXPECT_EQ(w.Boss_Down_Frames, c.victory_pose ? 1 : 0) << c.what;
        EXPECT_TRUE(Moved(w.Zako[0].Frame, zako)) << c.what << ": the zako go on";
    }
}

TEST_F(FrameLoopTest, BonusModesFlapTheWingsAndTheBossFightsOnlyOnceActive) {
    for (const bool bonus : {false, true}) {
        BuildStage(bonus);
        World& w = world();
        Frame();
        EXPECT_EQ(w.Wing_Step, bonus ? 1 : 0);
        EXPECT_EQ(w.Boss_Fire_Count, 0) << "the boss waits until its room is entered";
        w.Boss_Active = true;
        Frame();
        EXPECT_EQ(w.Wing_Step, bonus ? 2 : 0);
        EXPECT_EQ(w.Boss_Fire_Count, 1);
    }
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

// Between two steps the walking robot is drawn halfway at blend 0.5, exactly at its steps
// at 0 and 1, a shot parked by the step in its park; drawing changes nothing.
TEST_F(FrameLoopTest, APictureBetweenStepsShowsTheRobotHalfwayAndNoShotOnItsWayToThePark) {
    constexpr uint32_t KeyUp = 38;
    World& w = world();
    TDXDraw& draw = form().DXDraw;
    auto scene_at = [&](float blend) {
        draw.FillSurface(0);
        draw.RenderScene(blend);
        const TDirectDrawSurface& back = draw.BackSurface();
        return std::vector<uint32_t>(back.Pixels(), back.Pixels() + back.Width() * back.Height());
    };
    auto shown = [](const rm::FramePtr& frame, float blend) {
        return static_cast<const rm::FrameImpl&>(*frame).ShownWorld(blend).t;
    };
    w.Back_Distance = 230; // far enough to see the robot and the arena around it
    ApplyCameraPlacement(game());
    for (int i = 0; i < 3; ++i) Frame({KeyUp});
    const std::vector<uint32_t> step_before = scene_at(1.0f);
    const glm::vec3 from = shown(w.Robo_Frame, 1.0f);
    // A shot about to meet the arena's edge: the next step parks it.
    TParts& shot = w.Tama[0];
    shot.Frame->SetPosition(nullptr, -38, 1, 0);
    shot.Frame->SetOrientation(nullptr, -1, 0, 0, 0, 1, 0);
    shot.Life = 1;
    Frame({KeyUp});
    ASSERT_EQ(shot.Life, 0) << "parked";
    const std::vector<uint32_t> step = scene_at(1.0f);
    const glm::vec3 to = shown(w.Robo_Frame, 1.0f);
    ASSERT_GT(glm::length(to - from), 0.1f) << "the robot walked";

    EXPECT_EQ(shown(w.Robo_Frame, 0.0f), from);
    const glm::vec3 half = shown(w.Robo_Frame, 0.5f);
    EXPECT_NEAR(glm::length(half - (from + to) * 0.5f), 0, 1e-4f);
    EXPECT_EQ(shown(shot.Frame, 0.5f), glm::vec3(0, -100, 0));

    EXPECT_TRUE(scene_at(0.0f) == step_before) << "blend 0: the step before, pixel for pixel";
    const std::vector<uint32_t> between = scene_at(0.5f);
    EXPECT_TRUE(between != step_before && between != step);
    EXPECT_TRUE(scene_at(1.0f) == step) << "blend 1: the step, pixel for pixel";

    // Drawn whole, twice, between the steps: the world is as the step left it.
    const int32_t score = w.Score;
    const FlashAges ages = w.Flash_Ages;
    w.Frame_ms = 33;
    DrawGameFrame(screen(), 0.5f);
    DrawGameFrame(screen(), 0.5f);
    EXPECT_EQ(w.Score, score);
    EXPECT_EQ(w.Flash_Ages, ages);
    EXPECT_EQ(shown(w.Robo_Frame, 1.0f), to);

    VirtualClock drawing; // 90 a second: two pictures between steps, one frame of the timer
    form().BetweenSteps = {false, 90, &drawing};
    const uint64_t presents = draw.PresentCount();
    Frame({KeyUp});
    EXPECT_EQ(form().BetweenSteps.drawn, 2u);
    EXPECT_EQ(draw.PresentCount(), presents + 1);
    // Without --fps the frame-rate setting says how often; at 30 only at the steps.
    for (const auto& [setting, pictures] : {std::pair{90, 2u}, {30, 0u}}) {
        w.Frame_Rate = setting;
        form().BetweenSteps = {true, 0, &drawing, 0, 0, true}; // as set, not the display's
        Frame({KeyUp});
        EXPECT_EQ(form().BetweenSteps.drawn, pictures) << setting;
    }
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
    Frame({38}); // Up
    EXPECT_EQ(world().Tick_Last, tick);
    EXPECT_EQ(form().DXDraw.PresentCount(), presents);
    EXPECT_FALSE(Moved(world().Robo_Frame, robot));
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
