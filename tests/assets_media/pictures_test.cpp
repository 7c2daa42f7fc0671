// The generated pictures as the image list and the HUD use them: sizes, colour depths,
// pattern grids, transparent colours, and pictures that actually show something.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>

#include "tests/assets_media/media_files.h"

namespace {

using media_files::Bmp;
using media_files::ReadBmp;

constexpr uint32_t Lime = 0x00FF00, White = 0xFFFFFF, Black = 0x000000;
constexpr uint32_t NoKey = 0xFFFFFFFF;

struct PictureCase {
    const char* file;
    int width, height, bits;
    int pattern_width, pattern_height;
    uint32_t key; // transparent colour each pattern must contain (NoKey: none needed)
};

// The image list items (except the stage map, made with the stages) and the two bitmaps.
const PictureCase Pictures[] = {
    {"自機.bmp", 4, 12, 4, 4, 4, White},
    {"レーダー.bmp", 100, 100, 4, 100, 100, NoKey},
    {"敵.bmp", 6, 6, 4, 6, 6, Lime},
    {"GAMEOVER.bmp", 500, 120, 4, 500, 60, Lime},
    {"title.bmp", 616, 340, 8, 616, 340, Black},
    {"ＥＤテロップ.bmp", 380, 225, 4, 380, 75, Lime},
    {"ＥＤテロップ.en.bmp", 380, 225, 4, 380, 75, Lime},
    {"スコープ.bmp", 100, 100, 1, 100, 100, Black},
    {"PicBack.bmp", 102, 102, 1, 102, 102, NoKey},
    {"PicBack2.bmp", 300, 80, 4, 300, 80, NoKey},
};

void PrintTo(const PictureCase& c, std::ostream* os) {
    *os << c.file;
}

// Counts pixels of pattern (column, row) that are not the key colour.
int InkPixels(const Bmp& bmp, const PictureCase& c, int column, int row, uint32_t key) {
    int ink = 0;
    for (int y = 0; y < c.pattern_height; ++y)
        for (int x = 0; x < c.pattern_width; ++x)
            if (bmp.at(column * c.pattern_width + x, row * c.pattern_height + y) != key) ++ink;
    return ink;
}

class PictureFile : public testing::TestWithParam<PictureCase> {};

TEST_P(PictureFile, SizeDepthAndPaletteFitTheItem) {
    const PictureCase& c = GetParam();
    const Bmp bmp = ReadBmp(c.file);
    EXPECT_EQ(bmp.width, c.width);
    EXPECT_EQ(bmp.height, c.height);
    EXPECT_EQ(bmp.bits, c.bits);
    const std::set<uint32_t> colours(bmp.pixels.begin(), bmp.pixels.end());
    EXPECT_LE(colours.size(), size_t{1} << c.bits);
}

TEST_P(PictureFile, PatternGridIsWholeAndEveryPatternHasTheKeyAndInk) {
    const PictureCase& c = GetParam();
    const Bmp bmp = ReadBmp(c.file);
    ASSERT_EQ(bmp.width % c.pattern_width, 0);
    ASSERT_EQ(bmp.height % c.pattern_height, 0);
    for (int row = 0; row < bmp.height / c.pattern_height; ++row)
        for (int column = 0; column < bmp.width / c.pattern_width; ++column) {
            const int area = c.pattern_width * c.pattern_height;
            if (c.key == NoKey) continue;
            const int ink = InkPixels(bmp, c, column, row, c.key);
            EXPECT_LT(ink, area) << c.file << " pattern " << row << "," << column
                                 << " has no transparent pixel";
            EXPECT_GE(ink, area / 50)
                << c.file << " pattern " << row << "," << column << " is nearly empty";
        }
}

INSTANTIATE_TEST_SUITE_P(Generated, PictureFile, testing::ValuesIn(Pictures));

TEST(MapMarkers, ThreeMarkersInDistinctColours) {
    const Bmp bmp = ReadBmp("自機.bmp");
    std::set<uint32_t> centres;
    for (int k = 0; k < 3; ++k) {
        const uint32_t centre = bmp.at(1, k * 4 + 1);
        EXPECT_NE(centre, White) << "marker " << k << " has a hole in the middle";
        centres.insert(centre);
        // The rim is a colour of its own too, not the transparent white.
        EXPECT_NE(bmp.at(0, k * 4 + 1), White);
    }
    EXPECT_EQ(centres.size(), 3u);
}

TEST(Radar, CornersDropOutButTheDiscIsSolid) {
    // Only the corners are lime, which the radar surface's copy to the screen skips; any
    // lime or black inside would let the scene or old markers show through.
    const Bmp bmp = ReadBmp("レーダー.bmp");
    for (auto [x, y] : {std::pair{0, 0}, {99, 0}, {0, 99}, {99, 99}}) EXPECT_EQ(bmp.at(x, y), Lime);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) {
            const float dx = static_cast<float>(x) - 49.5f, dy = static_cast<float>(y) - 49.5f;
            if (std::sqrt(dx * dx + dy * dy) > 47.0f) continue;
            ASSERT_NE(bmp.at(x, y), Lime) << x << "," << y;
            ASSERT_NE(bmp.at(x, y), Black) << x << "," << y;
        }
    // The player's mark sits where a marker at the player's own position is centred.
    EXPECT_NE(bmp.at(50, 50), bmp.at(50, 30));
}

TEST(Scope, OneInkColourOnTransparentBlack) {
    const Bmp bmp = ReadBmp("スコープ.bmp");
    std::set<uint32_t> colours(bmp.pixels.begin(), bmp.pixels.end());
    ASSERT_EQ(colours.size(), 2u);
    EXPECT_TRUE(colours.count(Black));
    // The middle of the view stays open around the centre dot.
    EXPECT_EQ(bmp.at(47, 50), Black);
    EXPECT_EQ(bmp.at(53, 50), Black);
}

TEST(EnemyMarker, RoundWithTransparentCorners) {
    const Bmp bmp = ReadBmp("敵.bmp");
    EXPECT_EQ(bmp.at(0, 0), Lime);
    EXPECT_EQ(bmp.at(5, 5), Lime);
    EXPECT_NE(bmp.at(2, 2), Lime);
    EXPECT_NE(bmp.at(3, 3), Lime);
}

TEST(GaugeBitmaps, BackIsAllWhiteAndBandsAreRedGreenCyanYellow) {
    const Bmp back = ReadBmp("PicBack.bmp");
    EXPECT_TRUE(
        std::all_of(back.pixels.begin(), back.pixels.end(), [](uint32_t c) { return c == White; }));
    const Bmp bands = ReadBmp("PicBack2.bmp");
    const uint32_t expected[] = {0xFF0000, 0x00FF00, 0x00FFFF, 0xFFFF00};
    for (int b = 0; b < 4; ++b)
        for (int y = b * 20 + 2; y < b * 20 + 18; ++y)
            for (int x : {0, 150, 299}) EXPECT_EQ(bands.at(x, y), expected[b]) << x << "," << y;
    // Black is the gauge surface's transparent colour: none may appear in the bands.
    EXPECT_EQ(std::count(bands.pixels.begin(), bands.pixels.end(), Black), 0);
}

// Rows where neighbouring captions meet must be clear, or one caption's edge would show
// under the other.
void ExpectClearRows(const Bmp& bmp, int row, uint32_t key) {
    for (int x = 0; x < bmp.width; ++x) ASSERT_EQ(bmp.at(x, row), key) << "row " << row;
}

TEST(Captions, PatternsDoNotTouchEachOther) {
    const Bmp over = ReadBmp("GAMEOVER.bmp");
    for (int row : {0, 59, 60, 119}) ExpectClearRows(over, row, Lime);
    const Bmp credits = ReadBmp("ＥＤテロップ.bmp");
    for (int row : {0, 74, 75, 149, 150, 224}) ExpectClearRows(credits, row, Lime);
}

// The bright colour most used in a pattern: the caption's main fill (the dark outline is
// shared by all captions).
uint32_t MainColour(const Bmp& bmp, int top, int height, uint32_t key) {
    std::map<uint32_t, int> count;
    for (int y = top; y < top + height; ++y)
        for (int x = 0; x < bmp.width; ++x) {
            const uint32_t c = bmp.at(x, y);
            if (c != key && (c >> 16 & 0xFF) + (c >> 8 & 0xFF) + (c & 0xFF) > 300) ++count[c];
        }
    return std::max_element(count.begin(), count.end(),
                            [](const auto& a, const auto& b) { return a.second < b.second; })
        ->first;
}

TEST(Captions, EachCaptionHasItsOwnColour) {
    const Bmp over = ReadBmp("GAMEOVER.bmp");
    EXPECT_NE(MainColour(over, 0, 60, Lime), MainColour(over, 60, 60, Lime));
    const Bmp credits = ReadBmp("ＥＤテロップ.bmp");
    EXPECT_NE(MainColour(credits, 0, 75, Lime), MainColour(credits, 150, 75, Lime));
}

TEST(Title, DarkEdgesAndARichPicture) {
    const Bmp title = ReadBmp("title.bmp");
    for (auto [x, y] : {std::pair{0, 0}, {615, 0}, {0, 339}}) EXPECT_EQ(title.at(x, y), Black);
    const std::set<uint32_t> colours(title.pixels.begin(), title.pixels.end());
    EXPECT_GT(colours.size(), 100u); // shaded robot, glow and chrome lettering, not flat art
    // The robot stands on the right half: plenty of bright, non-background pixels there.
    int lit = 0;
    for (int y = 40; y < 300; ++y)
        for (int x = 400; x < 600; ++x) {
            const uint32_t c = title.at(x, y);
            const int sum = static_cast<int>((c >> 16 & 0xFF) + (c >> 8 & 0xFF) + (c & 0xFF));
            if (sum > 300) ++lit;
        }
    EXPECT_GT(lit, 4000);
}

} // namespace
