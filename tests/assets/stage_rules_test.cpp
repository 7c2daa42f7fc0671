// The layout rules catch broken layouts: each case spoils a good stage in one way.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/assets/asset_files.h"
#include "tools/assetgen/stage_checks.h"
#include "tools/assetgen/stage_places.h"

using namespace assetgen;

namespace {

StageLayout GoodStage() {
    return LayoutFromMap(LoadBmp("Image1.bmp"));
}

void Set(StageLayout& l, int c, int r, Cell cell) {
    l.cells[static_cast<size_t>(r)][static_cast<size_t>(c)] = cell;
}

bool Mentions(const std::vector<std::string>& faults, const std::string& words) {
    return std::any_of(faults.begin(), faults.end(),
                       [&](const std::string& f) { return f.find(words) != std::string::npos; });
}

} // namespace

TEST(StageRules, PixelMappingRoundsHalvesToEven) {
    EXPECT_EQ(PixelOf(0, 0).column, 8);
    EXPECT_EQ(PixelOf(0, 0).row, 92);
    EXPECT_EQ(PixelOf(2.5, 0).column, 8);  // 0.5 -> 0
    EXPECT_EQ(PixelOf(7.5, 0).column, 10); // 1.5 -> 2
    EXPECT_EQ(PixelOf(0, 12.5).row, 90);   // 2.5 -> 2
    EXPECT_EQ(PixelOf(0, -2.5).row, 92);   // -0.5 -> 0
    EXPECT_EQ(PixelOf(-40, 460).column, 0);
    EXPECT_EQ(PixelOf(-40, 460).row, 0);
}

TEST(StageRules, CatchSpoiledLayouts) {
    ASSERT_TRUE(CheckStageLayout(GoodStage()).empty());

    StageLayout wall_on_zako = GoodStage();
    const MapPixel z = PixelOf(ZakoPlaces[4].x, ZakoPlaces[4].z);
    Set(wall_on_zako, z.column + 1, z.row + 1, Cell::Wall);
    EXPECT_TRUE(Mentions(CheckStageLayout(wall_on_zako), "zako 4"));

    StageLayout hole = GoodStage(); // a door in the room's side wall
    for (int r = 45; r <= 47; ++r) Set(hole, BossRoomSideColumn, r, Cell::Floor);
    EXPECT_TRUE(Mentions(CheckStageLayout(hole), "gate closed"));

    StageLayout short_gate = GoodStage();
    Set(short_gate, GateLastColumn, GateRow, Cell::Wall);
    EXPECT_TRUE(Mentions(CheckStageLayout(short_gate), "6 pixels"));

    StageLayout pocket = GoodStage(); // a closed box of floor
    for (int c = 60; c <= 66; ++c) {
        Set(pocket, c, 23, Cell::Wall);
        Set(pocket, c, 28, Cell::Wall);
    }
    for (int r = 23; r <= 28; ++r) {
        Set(pocket, 60, r, Cell::Wall);
        Set(pocket, 66, r, Cell::Wall);
    }
    EXPECT_TRUE(Mentions(CheckStageLayout(pocket), "cannot be reached"));

    StageLayout blue_at_gate = GoodStage();
    for (int c = 1; c < BossRoomSideColumn; ++c) Set(blue_at_gate, c, GateRow - 1, Cell::BossRoom);
    EXPECT_TRUE(Mentions(CheckStageLayout(blue_at_gate), "both the gate and the boss room"));

    StageLayout open_border = GoodStage();
    Set(open_border, 101, 50, Cell::Floor);
    EXPECT_TRUE(Mentions(CheckStageLayout(open_border), "border"));

    StageLayout boss_outside = GoodStage();
    const MapPixel b = PixelOf(BossBoxX0, BossBoxZ0);
    Set(boss_outside, b.column, b.row, Cell::Floor);
    EXPECT_TRUE(Mentions(CheckStageLayout(boss_outside), "boss's box"));

    StageLayout blocked_start = GoodStage();
    Set(blocked_start, 14, 92, Cell::Wall);
    EXPECT_TRUE(Mentions(CheckStageLayout(blocked_start), "close ahead"));
}

TEST(StageRules, WalkerSightFollowsTheThreePointTest) {
    StageLayout open;
    for (auto& row : open.cells) row.fill(Cell::Floor);
    EXPECT_TRUE(WalkerSees(open, 100, 100, 160, 100));
    // A wall pixel at the midpoint hides; one between the sample points does not.
    StageLayout mid = open;
    const MapPixel m = PixelOf(130, 100);
    Set(mid, m.column, m.row, Cell::Wall);
    EXPECT_FALSE(WalkerSees(mid, 100, 100, 160, 100));
    StageLayout between = open;
    const MapPixel g = PixelOf(125, 100); // samples fall at 115, 130 and 145
    Set(between, g.column, g.row, Cell::Wall);
    EXPECT_TRUE(WalkerSees(between, 100, 100, 160, 100));
}

TEST(StageRules, EnemiesNeedTwoPixelsOfWayAheadEitherFacing) {
    // Zako 0 starts facing +z (up the map), zako 1 turned to -x.
    ASSERT_FALSE(ZakoPlaces[0].turned);
    ASSERT_TRUE(ZakoPlaces[1].turned);
    const MapPixel up = PixelOf(ZakoPlaces[0].x, ZakoPlaces[0].z);
    const MapPixel left = PixelOf(ZakoPlaces[1].x, ZakoPlaces[1].z);
    struct Case {
        const char* who;
        int column, row;
        bool faces;
    };
    const Case cases[] = {
        {"zako 0", up.column, up.row - 2, true},          // two pixels ahead
        {"zako 0", up.column, up.row - 3, false},         // three
        {"zako 1", left.column - 2, left.row, true},      // two to its left
        {"zako 1", left.column - 3, left.row + 1, false}, // three
    };
    for (const Case& c : cases) {
        StageLayout layout = GoodStage();
        Set(layout, c.column, c.row, Cell::Wall);
        const auto faults = CheckStageLayout(layout);
        EXPECT_EQ(Mentions(faults, "faces a wall"), c.faces)
            << c.who << " with a wall at " << c.column << ", " << c.row;
        if (c.faces) {
            EXPECT_TRUE(Mentions(faults, std::string(c.who) + " at")) << c.who;
        }
    }
}

TEST(StageRules, TheGateIsExactlySixPixels) {
    StageLayout seven = GoodStage();
    Set(seven, GateLastColumn + 1, GateRow, Cell::Gate);
    EXPECT_TRUE(Mentions(CheckStageLayout(seven), "6 pixels"));
    StageLayout seven_left = GoodStage();
    Set(seven_left, GateFirstColumn - 1, GateRow, Cell::Gate);
    EXPECT_TRUE(Mentions(CheckStageLayout(seven_left), "6 pixels"));
    EXPECT_FALSE(Mentions(CheckStageLayout(GoodStage()), "6 pixels"));
}
