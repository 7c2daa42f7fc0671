// Recording a game and playing it back in one process: the tape clock, the recorder and
// the player, including the window losing and regaining the focus during the recorded game
// (and during the playback, which ignores it), and a playback that leaves the recording.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/command_line.h"
#include "app/main_form.h"
#include "demo/demo.h"
#include "media/tape_clock.h"
#include "tests/support/env_scope.h"
#include "tools/replay/state_json.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

constexpr uint32_t KeyUp = 38, KeyLeft = 37, KeyZ = 90;

TEST(TapeClockTest, PassesThroughRecordsAndPlaysBack) {
    VirtualClock base(500);
    TapeClock tape(base);
    EXPECT_EQ(tape.Now(), 500u);
    tape.WaitUntil(520);
    EXPECT_EQ(base.Now(), 520u) << "waits pass through";
    tape.StartRecording();
    EXPECT_EQ(tape.Now(), 520u);
    base.Advance(13);
    EXPECT_EQ(tape.Now(), 533u);
    EXPECT_EQ(tape.TakeReadings(), (std::vector<uint32_t>{520, 533}));
    EXPECT_EQ(tape.TakeReadings(), std::vector<uint32_t>{});
    EXPECT_EQ(tape.Time(), 533u);
    EXPECT_EQ(tape.TakeReadings(), std::vector<uint32_t>{}) << "the report time is not taped";

    tape.StartPlayback();
    tape.Feed({7, 40});
    tape.WaitUntil(100000);
    EXPECT_EQ(base.Now(), 533u) << "playing back, nothing waits on the base clock";
    EXPECT_EQ(tape.Now(), 7u);
    EXPECT_EQ(tape.Time(), 7u);
    EXPECT_EQ(tape.Now(), 40u);
    EXPECT_FALSE(tape.RanOut());
    EXPECT_EQ(tape.ReadingsLeft(), 0u);
    EXPECT_EQ(tape.Now(), 40u) << "an empty tape repeats its last reading";
    EXPECT_TRUE(tape.RanOut());
}

TEST(TapeClockTest, PacedPlaybackKeepsTheRecordedIntervals) {
    VirtualClock base(0);
    VirtualClock wall(9000);
    TapeClock tape(base);
    tape.StartPlayback();
    tape.SetPacing(&wall);
    tape.Feed({100, 100, 133, 199, 150});
    EXPECT_EQ(tape.Now(), 100u);
    EXPECT_EQ(wall.Now(), 9000u) << "the first reading sets the start";
    EXPECT_EQ(tape.Now(), 100u);
    EXPECT_EQ(wall.Now(), 9000u);
    EXPECT_EQ(tape.Now(), 133u);
    EXPECT_EQ(wall.Now(), 9033u);
    wall.Advance(100); // the machine was slow: no waiting to catch up
    EXPECT_EQ(tape.Now(), 199u);
    EXPECT_EQ(wall.Now(), 9133u);
    EXPECT_EQ(tape.Now(), 150u) << "a reading from the past comes at once";
    EXPECT_EQ(wall.Now(), 9133u);
}

// A game on its own virtual clock, driven frame by frame as the message loop drives it.
struct Game {
    Game() : application(base), form(application) {}

    // One frame of whichever timed screen runs, holding these keys.
    void Frame(const std::set<uint32_t>& keys) {
        form.DXInput1.SetScriptedKeys(keys);
        const uint64_t presented = form.DXDraw.PresentCount();
        for (int pass = 0; pass < 1000; ++pass) {
            application.Step(false);
            if (form.Closed() || form.DXDraw.PresentCount() != presented) return;
            base.Advance(1);
        }
        ADD_FAILURE() << "no frame drawn";
    }

    json State(const DemoPlayer* player = nullptr) {
        json state = WorldStateJson(form);
        state["t"] = player != nullptr ? player->FrameTime() : form.Tape.Time();
        return state;
    }

    VirtualClock base{1000};
    TApplication application;
    TMainForm form;
};

class DemoTest : public ::testing::Test {
protected:
    void SetUp() override {
        video_.emplace("SDL_VIDEODRIVER", "dummy", true);
        audio_.emplace("SDL_AUDIODRIVER", "dummy", true);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS), 0) << SDL_GetError();
        home_ = fs::temp_directory_path() /
                ("brannock-demo-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(home_);
        fs::create_directories(home_);
        config_.emplace("XDG_CONFIG_HOME", (home_ / "config").c_str());
        data_.emplace("XDG_DATA_HOME", (home_ / "data").c_str());
        demo_ = (home_ / "run.bnd").string();
    }
    void TearDown() override {
        fs::remove_all(home_);
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    }

    // How the recording's player leaves the window three times on the way: as designed
    // (the frames stop, the play clock runs on), into the pause menu (and back by P), or
    // not at all.
    enum class Away { Designed, Paused, Never };

    // Records a short Hard game in window mode: the title, then the robot walking and
    // shooting, leaving the window on the way. The states after each frame of the game.
    std::vector<json> Record(Away away = Away::Designed) {
        Game game;
        TOptionsPanel& p = game.form.Panel1;
        p.Check(p.RadioButton18);
        p.Check(p.RadioButton4);
        p.Check(p.RadioButton9);
        p.TrackBar1.SetPosition(4);
        game.form.world.Focus_Pause = away == Away::Paused;
        DemoRecorder recorder(game.form, std::make_unique<DemoWriter>(demo_), GameVersion());
        p.Click(p.Button1);
        std::vector<json> states;
        for (int n = 0; n < 90; ++n) {
            std::set<uint32_t> keys;
            if (n == 3) keys = {KeyZ};
            if (n > 3) keys = {KeyUp};
            if (n > 30) keys = {KeyUp, KeyZ};
            if (n > 60) keys = {KeyLeft, KeyZ};
            if ((n == 40 || n == 41 || n == 70) && away != Away::Never) {
                // Away for a while: the frames stop, and start again on return.
                game.application.SetActive(false);
                game.base.Advance(700);
                game.application.SetActive(true);
                if (away == Away::Paused) {
                    for (int k = 0; k < 3; ++k) game.Frame({}); // the pause menu's frames
                    SDL_Event resume{};
                    resume.type = SDL_KEYDOWN;
                    resume.key.keysym.sym = SDLK_p;
                    SDL_PushEvent(&resume);
                }
            }
            game.Frame(keys);
            states.push_back(game.State());
        }
        recorder.Finish();
        EXPECT_EQ(recorder.Frames(), 90);
        return states;
    }

    // Plays the demo on a fresh game (its clock elsewhere in time, nothing pressed).
    std::vector<json> Play(Demo demo, std::string* divergence = nullptr) {
        Game game;
        game.base.Set(123456);
        DemoPlayer player(game.form, std::move(demo));
        player.Start();
        std::vector<json> states;
        while (!player.Finished() && states.size() < 1000) {
            if (states.size() == 20) {
                // The player switches windows: the demo plays on regardless.
                SDL_Event event{};
                event.type = SDL_WINDOWEVENT;
                event.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
                SDL_PushEvent(&event);
            }
            game.Frame({KeyLeft});
            states.push_back(game.State(&player));
        }
        if (divergence != nullptr)
            *divergence = player.Divergence();
        else
            EXPECT_EQ(player.Divergence(), "");
        return states;
    }

    std::optional<EnvScope> video_, audio_, config_, data_;
    fs::path home_;
    std::string demo_;
};

TEST_F(DemoTest, APlaybackRepeatsTheRecordedGameFrameForFrame) {
    const std::vector<json> recorded = Record();
    ASSERT_EQ(recorded.size(), 90u);
    // The game really ran: the title, then the game with its clock, the robot moving.
    EXPECT_EQ(recorded[0]["screen"], "opening");
    EXPECT_EQ(recorded[89]["screen"], "game");
    EXPECT_NE(recorded[89]["robo"], recorded[10]["robo"]);
    EXPECT_GT(recorded[89]["Play_Time"].get<int>(), 2000);

    const Demo demo = ReadDemo(demo_);
    EXPECT_TRUE(demo.complete);
    EXPECT_EQ(demo.settings[Option::Difficulty], 3);
    EXPECT_EQ(demo.settings[Option::Display], 3);
    EXPECT_EQ(demo.settings[Option::Camera], 3);
    EXPECT_EQ(demo.settings[Option::BackDistance], 4);
    EXPECT_EQ(demo.frames[40].regains, 1);
    EXPECT_EQ(demo.frames[41].regains, 1);
    EXPECT_EQ(demo.frames[42].regains, 0);
    EXPECT_EQ(demo.frames[70].regains, 1);

    // Settings as stored by START, to see that playing stores none.
    const fs::path ini = home_ / "config" / "brannock" / "bn.ini";
    ASSERT_TRUE(fs::exists(ini));
    fs::remove(ini);

    const std::vector<json> played = Play(demo);
    ASSERT_EQ(played.size(), recorded.size());
    for (size_t i = 0; i < played.size(); ++i)
        ASSERT_EQ(played[i].dump(), recorded[i].dump())
            << "frame " << i + 1 << ": " << json::diff(recorded[i], played[i]).dump();
    EXPECT_FALSE(fs::exists(ini)) << "playing stored settings";
}

// A pause is no part of the game: the game paused on the way is the game unpaused, in
// every state and in its demo, byte for byte.
TEST_F(DemoTest, AGamePausedIsRecordedAsTheSameGameUnpaused) {
    const std::vector<json> unpaused = Record(Away::Never);
    std::ifstream unpaused_file(demo_, std::ios::binary);
    const std::string unpaused_demo{std::istreambuf_iterator<char>(unpaused_file), {}};
    const std::vector<json> paused = Record(Away::Paused);
    std::ifstream paused_file(demo_, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(paused_file), {}), unpaused_demo);
    ASSERT_EQ(paused.size(), unpaused.size());
    for (size_t i = 0; i < paused.size(); ++i)
        ASSERT_EQ(paused[i].dump(), unpaused[i].dump()) << "frame " << i + 1;
}

TEST_F(DemoTest, APlaybackThatLeavesTheRecordingStopsAndSaysWhere) {
    Record();
    const Demo demo = ReadDemo(demo_);
    std::string divergence;

    Demo fewer = demo;
    fewer.frames[5].readings.pop_back();
    EXPECT_EQ(Play(fewer, &divergence).size(), 6u);
    EXPECT_EQ(divergence, "frame 6 read the clock more often than recorded");

    Demo more = demo;
    more.frames[5].readings.push_back(more.frames[5].readings.back());
    EXPECT_EQ(Play(more, &divergence).size(), 6u);
    EXPECT_EQ(divergence, "frame 6 read the clock less often than recorded");

    Demo screen = demo;
    screen.frames[2].screen = DemoScreen::Game;
    EXPECT_EQ(Play(screen, &divergence).size(), 3u);
    EXPECT_EQ(divergence, "frame 3 ran the title screen; the game screen was recorded");

    // Frame 4 presses button 1 on the title: without it the game never starts, and the
    // title keeps running where the game was recorded.
    Demo unpressed = demo;
    unpressed.frames[3].states = 0;
    EXPECT_LT(Play(unpressed, &divergence).size(), 90u);
    EXPECT_NE(divergence, "");
}

TEST_F(DemoTest, ADemoCutShortPlaysWhatItHas) {
    const std::vector<json> recorded = Record();
    Demo demo = ReadDemo(demo_);
    demo.frames.resize(50);
    demo.complete = false;
    const std::vector<json> played = Play(demo);
    ASSERT_EQ(played.size(), 50u);
    for (size_t i = 0; i < played.size(); ++i)
        ASSERT_EQ(played[i].dump(), recorded[i].dump()) << "frame " << i + 1;
}

TEST_F(DemoTest, StartingAgainAfterAFailedStartRecordsFromTheStartThatWorked) {
    // A display that cannot be opened stops START with an error; the demo starts with the
    // START that goes through.
    Game game;
    DemoRecorder recorder(game.form, std::make_unique<DemoWriter>(demo_), GameVersion());
    game.form.DXDraw.Display.BitCount = 12; // no such screen mode
    EXPECT_ANY_THROW(game.form.Panel1.Button1.OnClick());
    EXPECT_FALSE(fs::exists(demo_)) << "no demo before its header";
    game.form.DXDraw.Display.BitCount = 16;
    game.base.Advance(5000);
    game.form.Panel1.Button1.OnClick();
    for (int n = 0; n < 5; ++n) game.Frame({});
    recorder.Finish();
    const Demo demo = ReadDemo(demo_);
    ASSERT_EQ(demo.frames.size(), 5u);
    EXPECT_GE(demo.frames[0].readings.front(), 6000u) << "no reading of the failed START";
}

} // namespace
