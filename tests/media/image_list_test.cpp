// Image list items: the pattern grid, drawing a pattern with its transparent colour, and
// loading and releasing with the display.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "media/display.h"
#include "media/image_list.h"
#include "media/window.h"
#include "tests/support/env_scope.h"

namespace {

constexpr uint32_t Lime = 0x00FF00;
constexpr uint32_t Backdrop = 0x123456;

// A picture whose every pixel tells where it came from: red = x, blue = y (low bits),
// green = 0x40 so no pixel has a transparent colour of the game.
TDIB CoordinatePicture(int width, int height) {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back((static_cast<uint32_t>(x & 0xFF) << 16) | 0x4000u |
                             static_cast<uint32_t>(y & 0xFF));
    TDIB dib;
    dib.Assign(width, height, 24, std::move(pixels));
    return dib;
}

void SetUpItem(TPictureCollectionItem& item, const std::string& name, TDIB picture, int pw, int ph,
               uint32_t transparent) {
    item.Name = name;
    item.Picture = std::move(picture);
    item.PatternWidth = pw;
    item.PatternHeight = ph;
    item.TransparentColor = transparent;
}

// True when dest holds the picture's rectangle (left, top, w, h) at (0, 0).
::testing::AssertionResult HoldsPictureRect(const TDirectDrawSurface& dest, const TDIB& picture,
                                            int left, int top, int w, int h) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (dest.Pixel(x, y) != picture.Pixel(left + x, top + y))
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") differs from picture (" << left + x
                       << ", " << top + y << ")";
    return ::testing::AssertionSuccess();
}

bool Untouched(const TDirectDrawSurface& surface) {
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x)
            if (surface.Pixel(x, y) != Backdrop) return false;
    return true;
}

TDirectDrawSurface Canvas(int w, int h) {
    TDirectDrawSurface s(w, h);
    s.Fill(Backdrop);
    return s;
}

} // namespace

TEST(ImagePatterns, GameOverPatternOneIsTheLowerHalf) {
    TPictureCollectionItem item;
    SetUpItem(item, "GAMEOVER", CoordinatePicture(500, 120), 500, 60, Lime);
    EXPECT_EQ(item.PatternCount(), 2);
    const TRect r = item.PatternRect(1);
    EXPECT_EQ(r.Left, 0);
    EXPECT_EQ(r.Top, 60);
    EXPECT_EQ(r.Right, 500);
    EXPECT_EQ(r.Bottom, 120);

    item.Restore();
    auto dest = Canvas(500, 60);
    item.DrawPattern(dest, 0, 0, 1);
    EXPECT_TRUE(HoldsPictureRect(dest, item.Picture, 0, 60, 500, 60));
}

TEST(ImagePatterns, MapHasThreePatternsAndAFourthDrawsNothing) {
    TPictureCollectionItem item;
    SetUpItem(item, "Ｍａｐ", CoordinatePicture(306, 102), 102, 102, 0x008000);
    item.Restore();
    EXPECT_EQ(item.PatternCount(), 3);
    EXPECT_EQ(item.PatternRect(2).Left, 204);
    EXPECT_EQ(item.PatternRect(2).Right, 306);

    auto dest = Canvas(102, 102);
    item.DrawPattern(dest, 0, 0, 3);
    item.DrawPattern(dest, 0, 0, -1);
    EXPECT_TRUE(Untouched(dest));
    item.DrawPattern(dest, 0, 0, 2);
    EXPECT_TRUE(HoldsPictureRect(dest, item.Picture, 204, 0, 102, 102));
}

TEST(ImagePatterns, MarkerPatternTwoTakesRowsEightToEleven) {
    TPictureCollectionItem item;
    SetUpItem(item, "自機", CoordinatePicture(4, 12), 4, 4, 0xFFFFFF);
    item.Restore();
    EXPECT_EQ(item.PatternCount(), 3);
    auto dest = Canvas(4, 4);
    item.DrawPattern(dest, 0, 0, 2);
    EXPECT_TRUE(HoldsPictureRect(dest, item.Picture, 0, 8, 4, 4));
}

TEST(ImagePatterns, GridCountsRowByRowWithSkips) {
    // 3 columns x 2 rows of 10 x 8 patterns with gaps of 2 between them.
    TPictureCollectionItem item;
    SetUpItem(item, "grid", CoordinatePicture(34, 18), 10, 8, Lime);
    item.SkipWidth = 2;
    item.SkipHeight = 2;
    EXPECT_EQ(item.PatternCount(), 6);
    const TRect fifth = item.PatternRect(4); // row 1, column 1
    EXPECT_EQ(fifth.Left, 12);
    EXPECT_EQ(fifth.Top, 10);
    EXPECT_EQ(fifth.Right, 22);
    EXPECT_EQ(fifth.Bottom, 18);
    item.Restore();
    auto dest = Canvas(10, 8);
    item.DrawPattern(dest, 0, 0, 4);
    EXPECT_TRUE(HoldsPictureRect(dest, item.Picture, 12, 10, 10, 8));

    // A picture smaller than its pattern has none, and draws nothing.
    TPictureCollectionItem small;
    SetUpItem(small, "small", CoordinatePicture(5, 5), 6, 6, Lime);
    small.Restore();
    EXPECT_EQ(small.PatternCount(), 0);
    EXPECT_FALSE(small.Loaded());
}

TEST(ImagePatterns, WidePicturesAreCutIntoSeveralSurfacesAndEveryPatternStillDraws) {
    // Steps of 300: a surface spans at most 600 pixels, so 7 x 2 patterns need 4 x 1 surfaces.
    TPictureCollectionItem item;
    SetUpItem(item, "wide", CoordinatePicture(2100, 200), 300, 100, Lime);
    item.Restore();
    EXPECT_EQ(item.PatternCount(), 14);
    EXPECT_EQ(item.SurfaceCount(), 4);
    for (int k = 0; k < item.PatternCount(); ++k) {
        auto dest = Canvas(300, 100);
        item.DrawPattern(dest, 0, 0, k);
        const TRect r = item.PatternRect(k);
        EXPECT_TRUE(HoldsPictureRect(dest, item.Picture, r.Left, r.Top, 300, 100))
            << "pattern " << k;
    }
    // Pictures of the game's sizes stay in one surface.
    TPictureCollectionItem title;
    SetUpItem(title, "title", CoordinatePicture(616, 340), 616, 340, 0);
    title.Restore();
    EXPECT_EQ(title.SurfaceCount(), 1);
}

TEST(ImageTransparency, TheTransparentColourLeavesTheDestinationUntouched) {
    // "自機" pattern 0: a white square with a red dot and a black one.
    std::vector<uint32_t> pixels(4 * 12, 0xFFFFFF);
    pixels[1 * 4 + 1] = 0xFF0000;
    pixels[2 * 4 + 2] = 0x000000;
    TDIB picture;
    picture.Assign(4, 12, 4, pixels);
    TPictureCollectionItem item;
    SetUpItem(item, "自機", picture, 4, 4, 0xFFFFFF);
    item.Restore();

    auto dest = Canvas(8, 8);
    item.DrawPattern(dest, 2, 3, 0);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            uint32_t expected = Backdrop;
            if (x == 3 && y == 4) expected = 0xFF0000;
            if (x == 4 && y == 5) expected = 0x000000;
            EXPECT_EQ(dest.Pixel(x, y), expected) << x << ", " << y;
        }
    }

    // Without transparency, or with no transparent colour, every colour is copied.
    item.Transparent = false;
    item.Restore();
    auto opaque = Canvas(4, 4);
    item.DrawPattern(opaque, 0, 0, 0);
    EXPECT_EQ(opaque.Pixel(0, 0), 0xFFFFFFu);
    item.Transparent = true;
    item.TransparentColor = TPictureCollectionItem::TransparentNone;
    item.Restore();
    auto none = Canvas(4, 4);
    item.DrawPattern(none, 0, 0, 0);
    EXPECT_EQ(none.Pixel(0, 0), 0xFFFFFFu);
    EXPECT_EQ(none.Pixel(2, 2), 0x000000u);
}

TEST(ImageLoading, AnItemDrawsOnlyWhileLoaded) {
    TPictureCollectionItem item;
    SetUpItem(item, "敵", CoordinatePicture(6, 6), 6, 6, Lime);
    auto dest = Canvas(6, 6);
    item.DrawPattern(dest, 0, 0, 0);
    EXPECT_TRUE(Untouched(dest));
    item.Restore();
    item.Finalize();
    item.DrawPattern(dest, 0, 0, 0);
    EXPECT_TRUE(Untouched(dest));
}

// The image list follows the display: pictures are loaded when it initialises and
// restores, and released when it finalises.
class ImageListOnDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        video_.emplace("SDL_VIDEODRIVER", "dummy", true);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        window.Create("image list test", 64, 48);
        display.SetOptions({do3D});
        display.SetControlSize(64, 48);
    }
    void TearDown() override {
        display.FinalizeDisplay();
        window.Destroy();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    std::optional<EnvScope> video_;
    TWindow window;
    TDXDraw display{window};
};

TEST_F(ImageListOnDisplay, LoadsOnInitialiseAndReleasesOnFinalise) {
    TDXImageList list(display);
    TPictureCollectionItem& item = list.Add();
    SetUpItem(item, "敵", CoordinatePicture(6, 6), 6, 6, Lime);
    EXPECT_FALSE(item.Loaded());

    display.InitializeDisplay();
    EXPECT_TRUE(item.Loaded());
    display.BackSurface().Fill(Backdrop);
    item.DrawPattern(display.BackSurface(), 0, 0, 0);
    EXPECT_TRUE(HoldsPictureRect(display.BackSurface(), item.Picture, 0, 0, 6, 6));

    display.FinalizeDisplay();
    EXPECT_FALSE(item.Loaded());
    display.InitializeDisplay();
    EXPECT_TRUE(item.Loaded());
}
