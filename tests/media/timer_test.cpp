#include <gtest/gtest.h>

#include <vector>

#include "media/application.h"
#include "media/clock.h"
#include "media/game_time.h"
#include "media/timer.h"

namespace {

struct TimerTest : ::testing::Test {
    VirtualClock clock{5000};
    TApplication app{clock};

    // Runs the idle slot the way the message loop does when the queue is empty.
    void Idle() {
        if (app.HasIdleSlot()) app.Step(false);
    }
};

TEST_F(TimerTest, TheIdleSlotHoldsOneTimerAtATime) {
    TDXTimer op(app), game(app);
    int op_calls = 0, game_calls = 0;
    op.SetInterval(0);
    game.SetInterval(0);
    op.OnTimer = [&](TDXTimer&, int) { ++op_calls; };
    game.OnTimer = [&](TDXTimer&, int) { ++game_calls; };

    op.SetEnabled(true);
    Idle();
    EXPECT_EQ(op_calls, 1);

    // Enabling a second timer takes the slot from the first.
    game.SetEnabled(true);
    Idle();
    Idle();
    EXPECT_EQ(op_calls, 1);
    EXPECT_EQ(game_calls, 2);

    // Disabling the first, still marked installed, leaves the slot the second holds.
    op.SetEnabled(false);
    EXPECT_EQ(app.IdleOwner(), &game);
    Idle();
    EXPECT_EQ(game_calls, 3);
    game.SetEnabled(false);
    EXPECT_FALSE(app.HasIdleSlot());
}

// A timer stopped for a pause and continued goes on where it stopped: its clock stood still,
// so its first lag and its frame rate count are as if it had never stopped.
TEST_F(TimerTest, ContinuingAfterAPauseKeepsTheLastTickAndTheRateCount) {
    VirtualClock game_clock{100};
    TDXTimer timer(app, game_clock);
    std::vector<int> lags;
    timer.SetInterval(10);
    timer.OnTimer = [&](TDXTimer&, int lag) { lags.push_back(lag); };
    timer.SetEnabled(true);
    game_clock.Advance(40);
    timer.SetEnabled(false);
    clock.Advance(60000); // the application's clock goes on meanwhile
    timer.Continue();
    EXPECT_EQ(app.IdleOwner(), &timer);
    Idle();
    EXPECT_EQ(lags, std::vector<int>{4}) << "the 40 ms before the pause, nothing of the pause";
}

TEST_F(TimerTest, IntervalLimitsTheRateAndReportsTheLag) {
    TDXTimer timer(app);
    std::vector<int> lags;
    timer.SetInterval(10);
    timer.OnTimer = [&](TDXTimer&, int lag) { lags.push_back(lag); };
    timer.SetEnabled(true);

    clock.Advance(9);
    Idle();
    EXPECT_TRUE(lags.empty()) << "fired before the interval had passed";
    clock.Advance(1);
    Idle();
    ASSERT_EQ(lags.size(), 1u);
    EXPECT_EQ(lags[0], 1);

    clock.Advance(50); // the loop was held up for 50 ms
    Idle();
    ASSERT_EQ(lags.size(), 2u);
    EXPECT_EQ(lags[1], 5);
}

TEST_F(TimerTest, IntervalOneFiresAtMostOncePerMillisecond) {
    TDXTimer timer(app);
    std::vector<int> lags;
    timer.SetInterval(1);
    timer.OnTimer = [&](TDXTimer&, int lag) { lags.push_back(lag); };
    timer.SetEnabled(true);
    for (int i = 0; i < 3; ++i) Idle(); // same millisecond: nothing
    EXPECT_TRUE(lags.empty());
    clock.Advance(1);
    Idle();
    Idle();
    EXPECT_EQ(lags, std::vector<int>{1});
}

TEST_F(TimerTest, FiftyNineFramesInOneThousandAndThreeMilliseconds) {
    TDXTimer timer(app);
    timer.SetInterval(0);
    timer.OnTimer = [](TDXTimer&, int) {};
    timer.SetEnabled(true);
    for (int i = 0; i < 58; ++i) {
        clock.Advance(17);
        Idle();
    }
    EXPECT_EQ(timer.FramesPerSecond(), 0) << "58 frames in 986 ms is not a full second";
    clock.Advance(1003 - 58 * 17);
    Idle();
    EXPECT_EQ(timer.FramesPerSecond(), 59);
}

TEST_F(TimerTest, DeactivationSuspendsAndActivationResumesWithAFreshTick) {
    TDXTimer timer(app);
    std::vector<int> lags;
    timer.SetInterval(10);
    timer.OnTimer = [&](TDXTimer&, int lag) { lags.push_back(lag); };
    timer.SetEnabled(true);

    app.SetActive(false);
    EXPECT_FALSE(app.HasIdleSlot());
    EXPECT_TRUE(timer.Installed()) << "the timer stays installed while the window is away";
    clock.Advance(5000);
    Idle();
    EXPECT_TRUE(lags.empty());

    app.SetActive(true);
    clock.Advance(10);
    Idle();
    EXPECT_EQ(lags, std::vector<int>{1}) << "the first lag after resuming must be small";
}

TEST_F(TimerTest, EnablingWhileInactiveWaitsForActivation) {
    TDXTimer timer(app);
    int calls = 0;
    timer.SetInterval(0);
    timer.OnTimer = [&](TDXTimer&, int) { ++calls; };
    app.SetActive(false);
    timer.SetEnabled(true);
    EXPECT_FALSE(app.HasIdleSlot());
    app.SetActive(true);
    Idle();
    EXPECT_EQ(calls, 1);
}

TEST_F(TimerTest, IntervalIsNeverNegative) {
    TDXTimer timer(app);
    timer.SetInterval(-5);
    EXPECT_EQ(timer.Interval(), 0);
}

TEST_F(TimerTest, DeactivationLeavesASlotAnotherTimerHolds) {
    TDXTimer game(app), op(app);
    int op_calls = 0;
    game.SetActiveOnly(true);
    op.SetActiveOnly(false); // runs on while the window is away
    op.SetInterval(0);
    game.OnTimer = [](TDXTimer&, int) {};
    op.OnTimer = [&](TDXTimer&, int) { ++op_calls; };
    game.SetEnabled(true);
    op.SetEnabled(true); // takes the slot; the game timer stays marked installed
    ASSERT_EQ(app.IdleOwner(), &op);
    app.SetActive(false);
    EXPECT_EQ(app.IdleOwner(), &op) << "the game timer only empties a slot it holds";
    clock.Advance(1);
    Idle();
    EXPECT_EQ(op_calls, 1);
}

} // namespace

// The wall clock's wait sleeps most of the way and spins the rest: it must never come back
// before the deadline's millisecond, and a deadline already past returns at once.
TEST(RealClockWait, NeverReturnsBeforeTheDeadline) {
    RealClock clock;
    for (uint32_t i = 0; i < 12; ++i) {
        const uint32_t deadline = clock.Now() + 1 + i % 4;
        clock.WaitUntil(deadline);
        EXPECT_TRUE(ClockReached(clock.Now(), deadline)) << "wait " << i;
    }
    const uint32_t before = clock.Now();
    clock.WaitUntil(before - 5);
    clock.WaitUntil(before);
    EXPECT_TRUE(ClockReached(clock.Now(), before));
}

// A paced frame ends interval ms after the last one, or at once when it is already late;
// the wrapping clock and a last frame stamped ahead of the clock wait all the same.
TEST(FramePacing, WaitsOutTheIntervalSinceTheLastFrameAndNoMore) {
    const struct {
        const char* what;
        uint32_t now, last;
        int32_t interval;
        uint32_t ends_at;
    } cases[] = {
        {"early", 100, 90, 33, 123},
        {"exactly due", 123, 90, 33, 123},
        {"late", 200, 90, 33, 200},
        {"across the wrap", 0xFFFFFFF5u, 0xFFFFFFF0u, 33, 0x11},
        {"last ahead of the clock", 100, 110, 33, 143},
        {"no interval", 100, 100, 0, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        VirtualClock clock(c.now);
        uint32_t now = 0, last = c.last;
        PaceFrame(clock, now, last, c.interval);
        EXPECT_EQ(now, c.ends_at);
        EXPECT_EQ(last, c.ends_at);
        EXPECT_EQ(clock.Now(), c.ends_at);
    }
}

// The game's time stands still from Stop to Go, then goes on from where it stood: the base
// clock's time in between is left out, pause after pause.
TEST(GameTimeTest, APauseIsLeftOutOfTheGamesTime) {
    VirtualClock base(1000);
    GameTime time(base);
    const struct {
        const char* what;
        uint32_t advance; // the base clock moves this far first
        void (GameTime::*act)();
        uint32_t reads;
    } steps[] = {
        {"running", 40, nullptr, 1040},
        {"stopped", 5, &GameTime::Stop, 1045},
        {"through a pause", 9000, nullptr, 1045},
        {"going again", 0, &GameTime::Go, 1045},
        {"on from there", 33, nullptr, 1078},
        {"a second pause", 10, &GameTime::Stop, 1088},
        {"after it", 500, &GameTime::Go, 1088},
        {"stopped once more", 0, &GameTime::Stop, 1088},
        {"a second Stop keeps the first moment", 70, &GameTime::Stop, 1088},
        {"going from that moment", 0, &GameTime::Go, 1088},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        base.Advance(step.advance);
        if (step.act) (time.*step.act)();
        EXPECT_EQ(time.Now(), step.reads);
    }
    time.WaitUntil(1100); // the base waits for the pauses too
    EXPECT_EQ(time.Now(), 1100u);
    EXPECT_EQ(base.Now(), 1100u + 9000 + 500 + 70);
}
