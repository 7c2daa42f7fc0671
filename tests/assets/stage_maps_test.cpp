// The stage maps as written: colours, depths, agreement between the three pictures of a
// stage, and every layout rule checked on the map read back from the file.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/assets/asset_files.h"
#include "tools/assetgen/stage_checks.h"
#include "tools/assetgen/stage_places.h"

using namespace assetgen;

TEST(GeneratedFiles, EveryFileTheGameLoadsExists) {
    std::vector<std::string> names = MeshFileNames();
    for (const char* n : {"Image1.bmp", "Image2.bmp", "Image3.bmp", "Image4.bmp", "Image5.bmp",
                          "Image6.bmp", "Ｍａｐ.bmp", "fire.bmp", "MESH1.bmp"})
        names.push_back(n);
    for (const std::string& name : names)
        EXPECT_TRUE(std::filesystem::is_regular_file(name)) << name;
}

TEST(StageMaps, PlayerMapsHaveOnlyTheirColoursAndKeepEveryRule) {
    for (int s = 1; s <= 3; ++s) {
        const ReadBmp map = LoadBmp("Image" + std::to_string(s) + ".bmp");
        ASSERT_EQ(map.width, MapSize);
        ASSERT_EQ(map.height, MapSize);
        StageLayout layout;
        ASSERT_NO_THROW(layout = LayoutFromMap(map)) << "stage " << s;
        EXPECT_EQ(CheckStageLayout(layout), std::vector<std::string>{}) << "stage " << s;
        // door.x, unk.x and tobira.x are shared: every stage has its gate at one place.
        for (int c = GateFirstColumn; c <= GateLastColumn; ++c)
            EXPECT_EQ(map.at(c, GateRow), 0xFF0000u) << "stage " << s << " column " << c;
    }
}

TEST(StageMaps, EnemyMapsAreOneBitAndBlackWhereThePlayerMeetsWallOrGate) {
    for (int s = 1; s <= 3; ++s) {
        const ReadBmp player = LoadBmp("Image" + std::to_string(s) + ".bmp");
        const ReadBmp enemy = LoadBmp("Image" + std::to_string(s + 3) + ".bmp");
        EXPECT_EQ(enemy.bits, 1);
        ASSERT_EQ(enemy.width, MapSize);
        ASSERT_EQ(enemy.height, MapSize);
        for (int r = 0; r < MapSize; ++r)
            for (int c = 0; c < MapSize; ++c) {
                const uint32_t p = player.at(c, r);
                const uint32_t want = (p == 0x000000 || p == 0xFF0000) ? 0x000000 : 0xFFFFFF;
                ASSERT_EQ(enemy.at(c, r), want) << "stage " << s << " at " << c << "," << r;
            }
    }
}

TEST(StageMaps, RadarMapShowsEachStageWithFloorSeeThrough) {
    const ReadBmp radar = LoadBmp("Ｍａｐ.bmp");
    EXPECT_EQ(radar.bits, 4);
    ASSERT_EQ(radar.width, 3 * MapSize);
    ASSERT_EQ(radar.height, MapSize);
    for (int s = 0; s < 3; ++s) {
        const ReadBmp player = LoadBmp("Image" + std::to_string(s + 1) + ".bmp");
        int see_through = 0;
        for (int r = 0; r < MapSize; ++r)
            for (int c = 0; c < MapSize; ++c) {
                const uint32_t p = player.at(c, r), q = radar.at(s * MapSize + c, r);
                if (p == 0x000000 || p == 0xFF0000 || p == 0x0000FF) {
                    ASSERT_NE(q, 0x008000u) << "stage " << s + 1 << " at " << c << "," << r;
                }
                if (p == 0x000000) {
                    ASSERT_NE(q, 0x000000u); // walls must show on black too
                }
                if (q == 0x008000) ++see_through;
            }
        EXPECT_GT(see_through, MapSize * MapSize / 3) << "stage " << s + 1;
    }
}
