#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/game.h"
#include "game/pictures.h"
#include "scene/scene.h"
#include "tests/support/form_fixture.h"

namespace {

class FrameLoopTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        OpenWindowedDisplay();
        World& w = world();
        // A stage as the title screen starts it: scene built, enemies alive.
        w.Stage_No = 1;
        w.Map_Image = &form().Image1;
        w.Wall_Image = &form().Image4;
        SetEnemyHitPoints(w);
        w.Special1 = bonus_; // the wings exist only when built in a bonus mode
        Create_3D(form());
        w.Robo_HP = 300;
        w.Boss_HP = 300;
        w.Clock_Running = false;
        form().OnFrameStep = [this](const char* step) { steps_.emplace_back(step); };
    }

    std::vector<std::string> Frame() {
        steps_.clear();
        DXTimerTimer(form());
        return steps_;
    }

    static bool Ran(const std::vector<std::string>& steps, const std::string& name) {
        return std::find(steps.begin(), steps.end(), name) != steps.end();
    }

    std::vector<std::string> steps_;
    bool bonus_ = false;
};

class FrameLoopBonusTest : public FrameLoopTest {
protected:
    void SetUp() override {
        bonus_ = true;
        FrameLoopTest::SetUp();
    }
};

TEST_F(FrameLoopTest, PlayingFrameRunsEveryStepInOrder) {
    const std::vector<std::string> expected = {
        "UpdateInput", "Camera_Change", "Guard_Action",     "Layzer_Brade",
        "Move_Robo",   "Tama_Shot",     "Move_Teki",        "Move_GH",
        "walk",        "Teki_Shot",     "Check_Zako_Clear", "Bakuhatu_Anim",
        "RenderScene", "Draw_Text",     "Draw_Radar",       "Present"};
    EXPECT_EQ(Frame(), expected);
}

TEST_F(FrameLoopBonusTest, BonusModesFlapTheWingsAndTheBossFightsOnlyOnceActive) {
    world().Boss_Active = true;
    const auto steps = Frame();
    const auto wing = std::find(steps.begin(), steps.end(), "Move_wing");
    const auto shots = std::find(steps.begin(), steps.end(), "Tama_Shot");
    const auto boss = std::find(steps.begin(), steps.end(), "BossWalk");
    ASSERT_NE(wing, steps.end());
    ASSERT_NE(boss, steps.end());
    EXPECT_LT(wing, shots) << "the wings move after the player and before the shots";
    EXPECT_EQ(*(boss - 1), "walk");
    EXPECT_EQ(*(boss + 1), "Teki_Shot");
}

TEST_F(FrameLoopTest, DefeatedPlayerStopsActingButTheEnemiesGoOn) {
    world().Robo_HP = 0;
    const auto steps = Frame();
    EXPECT_TRUE(Ran(steps, "Camera_Change")) << "the camera can still be switched";
    EXPECT_FALSE(Ran(steps, "Guard_Action"));
    EXPECT_FALSE(Ran(steps, "Layzer_Brade"));
    EXPECT_FALSE(Ran(steps, "Move_Robo"));
    EXPECT_TRUE(Ran(steps, "Yarareta_Poze"));
    EXPECT_TRUE(Ran(steps, "Move_Teki"));
    EXPECT_TRUE(Ran(steps, "Teki_Shot"));
    EXPECT_FALSE(Ran(steps, "Gats_Poze"));
}

TEST_F(FrameLoopTest, BossDownRunsTheVictoryAndCountsItsFrames) {
    world().Boss_HP = 0;
    const auto steps = Frame();
    EXPECT_FALSE(Ran(steps, "Camera_Change"));
    EXPECT_FALSE(Ran(steps, "Move_Robo"));
    const auto pose = std::find(steps.begin(), steps.end(), "Gats_Poze");
    ASSERT_NE(pose, steps.end());
    EXPECT_EQ(*(pose + 1), "Yarareta_Boss");
    EXPECT_EQ(*(pose + 2), "Move_Teki");
    EXPECT_EQ(world().Boss_Down_Frames, 1);
    Frame();
    EXPECT_EQ(world().Boss_Down_Frames, 2);
}

TEST_F(FrameLoopTest, FramesArePacedThirtyThreeMillisecondsApart) {
    World& w = world();
    int work_ms = 10;
    form().OnFrameStep = [&](const char* step) {
        if (std::string(step) == "Move_Teki") clock_.Advance(static_cast<uint32_t>(work_ms));
    };
    DXTimerTimer(form());
    const uint32_t first = w.Tick_Last;
    DXTimerTimer(form());
    EXPECT_EQ(w.Tick_Last - first, 33u) << "a 10 ms frame waits for the rest of the 33 ms";

    work_ms = 50;
    DXTimerTimer(form());
    const uint32_t slow = w.Tick_Last;
    DXTimerTimer(form());
    EXPECT_EQ(w.Tick_Last - slow, 50u) << "after a 50 ms frame the next starts at once";
}

TEST_F(FrameLoopTest, PlayClockCountsFromItsStartAndCoversSkippedTime) {
    World& w = world();
    w.Clock_Start = clock_.Now();
    w.Clock_Running = true;
    DXTimerTimer(form());
    const int32_t first = w.Play_Time;
    EXPECT_EQ(w.Frame_ms, first);
    clock_.Advance(5000); // the window was away for five seconds
    DXTimerTimer(form());
    EXPECT_EQ(w.Frame_ms, 5000);
    EXPECT_EQ(w.Prev_Play_Time, w.Play_Time);

    w.Clock_Running = false; // the boss fell: the clock stops
    const int32_t stopped = w.Play_Time;
    DXTimerTimer(form());
    EXPECT_EQ(w.Play_Time, stopped);
    EXPECT_EQ(w.Frame_ms, 0);
}

TEST_F(FrameLoopTest, EnergyRefillStopsAtTheFullGauge) {
    World& w = world();
    w.Energy_Regen = 1.0;
    w.Energy = 299.5;
    DXTimerTimer(form());
    EXPECT_EQ(w.Energy, 300.0);
    DXTimerTimer(form());
    EXPECT_EQ(w.Energy, 300.0);
    w.Energy = 450.0;
    DXTimerTimer(form());
    EXPECT_EQ(w.Energy, 300.0) << "energy above the gauge never survives a playing frame";
    w.Energy = 100.0;
    w.Robo_HP = 0;
    DXTimerTimer(form());
    EXPECT_EQ(w.Energy, 100.0) << "no refill after the player's defeat";
}

TEST_F(FrameLoopTest, WhiteFlashFillsTheWholeFrameOnce) {
    world().White_Flash = true;
    DXTimerTimer(form());
    EXPECT_FALSE(world().White_Flash);
    const TDirectDrawSurface& back = form().DXDraw.BackSurface();
    ASSERT_GT(back.Width(), 0);
    for (int y = 0; y < back.Height(); y += 37)
        for (int x = 0; x < back.Width(); x += 41) ASSERT_EQ(back.Pixel(x, y), 0xFFFFFFu);
    DXTimerTimer(form());
    EXPECT_EQ(back.Pixel(1, 1), 0u) << "the next frame is cleared to black again";
}

// Whether the flash is drawn is the limiter's and the player's (bn.ini or --no-flash).
TEST_F(FrameLoopTest, WhiteFlashIsLeftOutWhenThePlayerTurnedItOff) {
    for (const auto& [setting_off, option_off] :
         {std::pair{false, false}, {true, false}, {false, true}}) {
        world().No_Flash = setting_off;
        form().NoFlashOption = option_off;
        world().White_Flash = true;
        DXTimerTimer(form());
        EXPECT_FALSE(world().White_Flash);
        const bool drawn = !setting_off && !option_off;
        EXPECT_EQ(form().DXDraw.BackSurface().Pixel(1, 1), drawn ? 0xFFFFFFu : 0u) << setting_off;
    }
}

TEST_F(FrameLoopTest, AFrameIsSkippedWholeWhileTheDisplayCannotDraw) {
    form().DXDraw.FinalizeDisplay();
    const uint32_t tick = world().Tick_Last;
    EXPECT_TRUE(Frame().empty());
    EXPECT_EQ(world().Tick_Last, tick);
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
    const int x = (back.Width() - 500) / 2, y = (back.Height() - 60) / 2 - 10;
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
