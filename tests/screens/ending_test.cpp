// The ending: 25 ms frames, the captions' places frame by frame in each display mode,
// skipping with button 2, and the end of the program with the result in its table.
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <vector>

#include "game/pictures.h"
#include "options/record_table.h"
#include "screens/screens.h"
#include "tests/support/dialog_fixture.h"

namespace {

constexpr uint32_t KeyX = 88; // button 2

class EndingTest : public DialogFixture {
protected:
    // The display as the last stage left it, and the ending's timer running; the program
    // closes after it, as designed (the panel coming back is the replay tests').
    void StartEnding(int width, int height, double scale, bool window_mode = false) {
        world().Quit_After_Game = true;
        if (window_mode) {
            OpenWindowedDisplay();
        } else {
            form().DXDraw.Display.Width = width;
            form().DXDraw.Display.Height = height;
            form().DXDraw.InitializeDisplay();
        }
        form().Panel1.Visible = false;
        width_ = form().DXDraw.Width();
        height_ = form().DXDraw.Height();
        world().Screen_Scale = scale;
        world().Tick_Last = clock_.Now();
        form().EndingTimer.SetEnabled(true);
        // The last picture shown survives the display's end.
        form().DXDraw.AddNotifyListener([this](TDXDraw::Notify what) {
            if (what != TDXDraw::Notify::Finalize) return;
            const TDirectDrawSurface& back = form().DXDraw.BackSurface();
            last_picture_.assign(back.Pixels(),
                                 back.Pixels() + static_cast<size_t>(back.Width()) *
                                                     static_cast<size_t>(back.Height()));
        });
    }

    void Frame(std::set<uint32_t> keys = {}) {
        form().DXInput1.SetScriptedKeys(keys);
        EndingTimerTimer(screen());
    }

    // Runs frames until the program closes; the number of frames it took.
    int FramesToEnd(int limit = 2000) {
        for (int n = 1; n <= limit; ++n) {
            Frame();
            if (form().Closed()) return n;
        }
        return -1;
    }

    void RunFrames(int count) {
        for (int n = 0; n < count; ++n) Frame();
    }

    // The picture the ending should show: black, with the caption patterns at these rows.
    std::vector<uint32_t> Expected(std::vector<std::pair<int, int>> pattern_rows) {
        TDirectDrawSurface picture(width_, height_);
        picture.Fill(0);
        const auto& captions = form().DXImageList1.Items(picture::EndingCaptions);
        for (const auto& [pattern, y] : pattern_rows)
            captions.DrawPattern(picture, (width_ - 380) / 2, y, pattern);
        return std::vector<uint32_t>(picture.Pixels(),
                                     picture.Pixels() + static_cast<size_t>(picture.Width()) *
                                                            static_cast<size_t>(picture.Height()));
    }

    std::vector<uint32_t> Shown() {
        const TDirectDrawSurface& back = form().DXDraw.BackSurface();
        return std::vector<uint32_t>(back.Pixels(),
                                     back.Pixels() + static_cast<size_t>(back.Width()) *
                                                         static_cast<size_t>(back.Height()));
    }

    std::vector<uint32_t> last_picture_;
    int width_ = 0, height_ = 0; // of the display while it ran
};

TEST_F(EndingTest, On640x480TheLastCaptionRestsAt280InFrame670AndTheEndComesInFrame735) {
    StartEnding(640, 480, 1.0);
    const uint32_t start = clock_.Now();
    Frame();
    EXPECT_EQ(clock_.Now() - start, 25u) << "25 ms frames";
    EXPECT_EQ(world().Ending_Scroll, 1.0);
    EXPECT_EQ(Shown(), Expected({{0, 479}, {1, 599}, {2, 949}}));
    RunFrames(599);
    EXPECT_EQ(Shown(), Expected({{0, -120}, {1, 0}, {2, 350}}));
    EXPECT_NE(Shown(), Expected({{2, 350}})) << "the second caption is in the picture";
    RunFrames(69);
    EXPECT_EQ(world().Ending_Scroll, 669.0);
    EXPECT_EQ(clock_.Now() - start, 669u * 25u);
    // Pattern 1 still stands partly in the picture in frame 669 ...
    EXPECT_EQ(Shown(), Expected({{0, -189}, {1, -69}, {2, 281}}));
    Frame();
    // ... and in frame 670 only the last caption is left, at rest.
    EXPECT_EQ(Shown(), Expected({{2, 280}}));
    RunFrames(64);
    // The image list lets go of its pictures with the display, so the picture at rest
    // is made now.
    const std::vector<uint32_t> at_rest = Expected({{2, 280}});
    EXPECT_EQ(Shown(), at_rest) << "frame 734";
    EXPECT_FALSE(form().Closed());
    EXPECT_TRUE(shown_.empty());
    Frame();
    EXPECT_TRUE(form().Closed()) << "frame 735";
    EXPECT_FALSE(form().EndingTimer.Enabled());
    EXPECT_FALSE(form().DXDraw.Initialized()) << "the display is finalised";
    EXPECT_FALSE(form().Panel1.Visible) << "the panel does not come back";
    EXPECT_EQ(last_picture_, at_rest);
}

TEST_F(EndingTest, InTheWindowTheEndDependsOnTheClientHeight) {
    StartEnding(0, 0, 1.0, /*window_mode=*/true);
    ASSERT_EQ(form().DXDraw.Height(), 471);
    RunFrames(725);
    EXPECT_FALSE(form().Closed());
    Frame();
    EXPECT_TRUE(form().Closed()) << "frame 255 + 471";
}

TEST_F(EndingTest, On800x600ThePlacesRoundHalvesToEven) {
    StartEnding(800, 600, 1.25);
    RunFrames(2);
    // Scroll 2.5: the first caption at 597.5, shown at 598.
    EXPECT_EQ(Shown(), Expected({{0, 598}, {1, 718}, {2, 1068}}));
    RunFrames(667);
    EXPECT_EQ(world().Ending_Scroll, 836.25);
    Frame();
    // Scroll 837.5 = 670 x 1.25: at rest at 600 + 470 - 837.5 = 232.5, shown at 232.
    EXPECT_EQ(Shown(), Expected({{2, 232}}));
    EXPECT_EQ(FramesToEnd(), 65) << "the end in frame 735 as on 640 x 480";
}

TEST_F(EndingTest, Button2FromTheFirstFrameShowsExactlyOneFrame) {
    StartEnding(640, 480, 1.0);
    const std::vector<uint32_t> at_rest = Expected({{2, 280}});
    const uint64_t before = form().DXDraw.PresentCount();
    Frame({KeyX});
    EXPECT_TRUE(form().Closed());
    EXPECT_EQ(form().DXDraw.PresentCount() - before, 1u);
    EXPECT_EQ(world().Ending_Scroll, 1301.0);
    EXPECT_EQ(last_picture_, at_rest) << "only the last caption, at rest";
}

TEST_F(EndingTest, Button2InAnyFrameEndsInThatFrameInEveryMode) {
    for (const auto& [w, h, scale] :
         {std::tuple{640, 480, 1.0}, std::tuple{800, 600, 1.25}, std::tuple{1024, 768, 1.6}}) {
        SCOPED_TRACE(w);
        form_.reset();
        form_ = std::make_unique<TMainForm>(app_, /*open_window=*/false);
        Answer();
        StartEnding(w, h, scale);
        RunFrames(100);
        EXPECT_FALSE(form().Closed());
        Frame({KeyX});
        EXPECT_TRUE(form().Closed());
    }
}

TEST_F(EndingTest, NothingMovesWhileTheDisplayCannotDraw) {
    world().Tick_Last = clock_.Now();
    form().EndingTimer.SetEnabled(true);
    const uint32_t before = clock_.Now();
    Frame({KeyX});
    EXPECT_EQ(world().Ending_Scroll, 0.0);
    EXPECT_EQ(clock_.Now(), before);
    EXPECT_FALSE(form().Closed());
}

TEST_F(EndingTest, ATimeAttackTotalIsStoredAsTimeLeftAndShownHighlighted) {
    world().Difficulty = 5;
    world().Total_Time = 700000;
    world().Play_Time = 50000; // the last stage
    world().Score = 999;
    answers_ = {"タイム"};
    StartEnding(640, 480, 1.0);
    Frame({KeyX});
    ASSERT_TRUE(form().Closed());
    EXPECT_EQ(world().Total_Time, 750000);
    EXPECT_EQ(world().Ending_Rank, 1);
    const std::optional<TRecordTable> stored = ParseRecordTable(FileBytes(world().Time_File));
    ASSERT_TRUE(stored);
    EXPECT_EQ((*stored)[0].Score, 5249999);
    EXPECT_FALSE(std::filesystem::exists(world().Score_File));
    ASSERT_EQ(shown_.size(), 2u);
    EXPECT_EQ(shown_[0].name, "TfrmInput");
    EXPECT_EQ(shown_[1].name, "TfrmScore");
    EXPECT_EQ(shown_[1].highlight, 1);
    EXPECT_EQ(shown_[1].texts[0], "タイム");
    EXPECT_EQ(shown_[1].texts[1], "12分30秒000");
    EXPECT_EQ(shown_[1].colours[0], 0xFF00FFu);
    EXPECT_EQ(shown_[1].colours[1], 0xFFFFFFu);
}

TEST_F(EndingTest, PointsGoToTheScoreTable) {
    TRecordTable table = ClearedTable();
    for (size_t n = 0; n < RecordCount; ++n) table[n].Score = 1000 - static_cast<int32_t>(n);
    WriteBytes(world().Score_File, SerializeRecordTable(table));
    world().Difficulty = 2;
    world().Score = 995;
    StartEnding(640, 480, 1.0);
    Frame({KeyX});
    EXPECT_EQ(world().Ending_Rank, 7) << "after the equal 995";
    ASSERT_EQ(shown_.size(), 2u);
    EXPECT_EQ(shown_[1].highlight, 7);
    EXPECT_EQ(shown_[1].texts[13], "995");
    EXPECT_EQ(shown_[1].texts[12], "Player") << "OK without typing keeps the offered name";
    EXPECT_EQ((*ParseRecordTable(FileBytes(world().Score_File)))[6].Score, 995);
}

TEST_F(EndingTest, AResultOutsideTheTopTenShowsNoDialogButTheFileIsWritten) {
    world().Difficulty = 2;
    world().Score = 0;
    StartEnding(640, 480, 1.0);
    Frame({KeyX});
    EXPECT_TRUE(form().Closed());
    EXPECT_EQ(world().Ending_Rank, 11);
    EXPECT_TRUE(shown_.empty());
    EXPECT_EQ(FileBytes(world().Score_File), SerializeRecordTable(ClearedTable()));
}

TEST_F(EndingTest, ADamagedTableDoesNotCostTheResult) {
    WriteBytes(world().Score_File, std::vector<uint8_t>(1000, 0));
    world().Difficulty = 3;
    world().Score = 12345;
    answers_ = {"<enter>", "Ken"};
    StartEnding(640, 480, 1.0);
    Frame({KeyX});
    ASSERT_EQ(shown_.size(), 3u);
    EXPECT_EQ(shown_[0].name, "MessageBox");
    EXPECT_EQ(shown_[2].highlight, 1);
    EXPECT_EQ(shown_[2].texts[0], "Ken");
    const std::optional<TRecordTable> stored = ParseRecordTable(FileBytes(world().Score_File));
    ASSERT_TRUE(stored);
    EXPECT_EQ((*stored)[0].Score, 12345);
    EXPECT_TRUE(form().Closed());
}

} // namespace

// A demo of a finished game shows its ending, but the result was entered when it was
// played: no name entry, no table, no file; the time attack total still adds up.
TEST_F(EndingTest, ADemoShowsTheWholeEndingButEntersNoTimeAttackResult) {
    form().DemoPlayback = true;
    world().Difficulty = 5;
    world().Total_Time = 700000;
    world().Play_Time = 50000;
    StartEnding(640, 480, 1.0);
    EXPECT_EQ(FramesToEnd(), 735) << "the same ending as in a game";
    EXPECT_TRUE(form().Closed());
    EXPECT_TRUE(shown_.empty());
    EXPECT_EQ(world().Ending_Rank, 0);
    EXPECT_EQ(world().Total_Time, 750000);
    EXPECT_FALSE(std::filesystem::exists(world().Time_File));
    EXPECT_FALSE(std::filesystem::exists(world().Score_File));
}

TEST_F(EndingTest, ADemoEntersNoScoreThatWouldTopTheTable) {
    form().DemoPlayback = true;
    world().Difficulty = 2;
    world().Score = 990000;
    StartEnding(640, 480, 1.0);
    Frame({KeyX});
    EXPECT_TRUE(form().Closed());
    EXPECT_TRUE(shown_.empty());
    EXPECT_EQ(world().Ending_Rank, 0);
    EXPECT_FALSE(std::filesystem::exists(world().Score_File));
}
