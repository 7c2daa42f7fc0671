// The HUD's pictures on the back surface: the stage map and its markers, the cockpit
// scope, the radar square and the gauges.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "tests/screens/hud_fixture.h"

namespace {

constexpr uint32_t Lime = 0x00FF00;
constexpr uint32_t Under = 0x203040; // what lies below the HUD in these tests

class RadarTest : public HudFixture {
protected:
    void Open(int width = 640, int height = 480) {
        OpenFullScreen(width, height);
        World& w = world();
        w.Stage_No = 1;
        w.Robo_HP = 300;
        w.Boss_HP = 300;
        w.Energy = 300.0;
        w.Camera_Mode = 0;
        for (TParts& p : w.Zako) p.Life = 0;
        for (TParts& p : w.GH) p.Life = 0;
    }

    rm::FramePtr NewFrame(float x, float z) {
        rm::FramePtr frame = form().DXDraw.D3DRM()->CreateFrame(form().DXDraw.Scene());
        frame->SetPosition(form().DXDraw.Scene(), x, 0, z);
        return frame;
    }

    // The player at (x, z) of the scene, facing +z or, when east is set, +x.
    void PlacePlayer(float x, float z, bool east = false) {
        world().Robo_Frame = NewFrame(x, z);
        if (east) world().Robo_Frame->SetOrientation(form().DXDraw.Scene(), 1, 0, 0, 0, 1, 0);
    }

    TParts& Enemy(std::array<TParts, ZakoCount>& zako, int i, float x, float z) {
        TParts& p = zako[static_cast<size_t>(i)];
        p.Frame = NewFrame(x, z);
        p.Life = 1;
        return p;
    }

    void Draw() {
        form().DXDraw.FillSurface(Under);
        Draw_Radar(screen());
    }

    // Whether pattern `pattern` of item `item` lies at (x, y) of the surface: every pixel
    // of the pattern that is not its transparent colour is there (those inside the surface).
    bool PatternAt(const TDirectDrawSurface& s, int item, int pattern, int x, int y) {
        const TPictureCollectionItem& it = form().DXImageList1.Items(item);
        const TRect r = it.PatternRect(pattern);
        int seen = 0;
        for (int py = r.Top; py < r.Bottom; ++py)
            for (int px = r.Left; px < r.Right; ++px) {
                const uint32_t c = it.Picture.Pixel(px, py);
                if (c == it.TransparentColor) continue;
                const int sx = x + px - r.Left, sy = y + py - r.Top;
                if (sx < 0 || sy < 0 || sx >= s.Width() || sy >= s.Height()) continue;
                if (s.Pixel(sx, sy) != c) return false;
                ++seen;
            }
        return seen > 0;
    }

    // Every place in the stage map's square where the pattern of item 1 lies.
    std::vector<std::pair<int, int>> MapMarkers(int pattern) {
        std::vector<std::pair<int, int>> found;
        for (int y = H() - 105; y < H(); ++y)
            for (int x = -3; x < 105; ++x)
                if (PatternAt(Back(), picture::Marker, pattern, x, y)) found.emplace_back(x, y);
        return found;
    }

    // The radar surface shows its background picture everywhere in its 100 x 100 square
    // except where listed pixels differ.
    bool RadarIsBackgroundOnly() {
        const TDIB& radar = Picture(picture::Radar);
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x)
                if (form().Radar_Surface->Pixel(x, y) != radar.Pixel(x, y)) return false;
        return true;
    }
};

using Places = std::vector<std::pair<int, int>>;

TEST_F(RadarTest, StageMapIsTheStagesPatternAtTheBottomLeft) {
    for (auto [width, height] : {std::pair{640, 480}, std::pair{1024, 768}}) {
        Open(width, height);
        for (int stage = 1; stage <= 3; ++stage) {
            world().Stage_No = stage;
            Draw();
            EXPECT_TRUE(PatternAt(Back(), picture::Map, stage - 1, 0, height - 102)) << stage;
            // Its transparent green shows what lies below.
            const TDIB& map = Picture(picture::Map);
            int through = 0;
            for (int y = 0; y < 102; ++y)
                for (int x = 0; x < 102; ++x)
                    if (map.Pixel((stage - 1) * 102 + x, y) == 0x008000) {
                        EXPECT_EQ(Back().Pixel(x, height - 102 + y), Under);
                        ++through;
                    }
            EXPECT_GT(through, 0);
            // Nothing of it one row higher or beyond its right edge.
            EXPECT_EQ(Back().Pixel(0, height - 103), Under);
            EXPECT_EQ(Back().Pixel(102, height - 1), Under);
        }
        form().DXDraw.FinalizeDisplay();
    }
}

TEST_F(RadarTest, PlayerMarkerRoundsHalvesToEven) {
    Open();
    // 0.2 * 12.5 = 2.5 -> 2 and 0.2 * 22.5 = 4.5 -> 4; halves away from zero would give 3, 5.
    PlacePlayer(12.5f, 22.5f);
    Draw();
    EXPECT_EQ(MapMarkers(0), (Places{{2 + 7, H() - 11 - 4}}));
    // 17.5 -> 3.5 -> 4 and 27.5 -> 5.5 -> 6: up to the even neighbour.
    PlacePlayer(17.5f, 27.5f);
    Draw();
    EXPECT_EQ(MapMarkers(0), (Places{{4 + 7, H() - 11 - 6}}));
    // Below zero the same: -12.5 -> -2.5 -> -2.
    PlacePlayer(-12.5f, -12.5f);
    Draw();
    EXPECT_EQ(MapMarkers(0), (Places{{-2 + 7, H() - 11 + 2}}));
    EXPECT_FLOAT_EQ(world().Robo_Pos.x, -12.5f);
    EXPECT_FLOAT_EQ(world().Robo_Pos.z, -12.5f);
}

TEST_F(RadarTest, LivingZakoAndGWalkersAreMarkedOnTheMapInTheirOwnColours) {
    Open(1024, 768);
    PlacePlayer(0, 0);
    Enemy(world().Zako, 0, 100, 200);
    Enemy(world().Zako, 11, 250, 50);
    Enemy(world().Zako, 5, 300, 300).Life = 0; // dead: not shown
    for (int i = 0; i < GHCount; ++i) world().GH[static_cast<size_t>(i)].Life = 0;
    world().GH[2].Frame = NewFrame(400, 100);
    world().GH[2].Life = 3;
    Draw();
    const int h = H();
    EXPECT_EQ(MapMarkers(0), (Places{{7, h - 11}}));
    Places zako = MapMarkers(1);
    std::sort(zako.begin(), zako.end());
    EXPECT_EQ(zako, (Places{{20 + 7, h - 11 - 40}, {50 + 7, h - 11 - 10}}));
    EXPECT_EQ(MapMarkers(2), (Places{{80 + 7, h - 11 - 20}}));
}

TEST_F(RadarTest, ScopeOnlyInTheCockpitViewUntilVictoryFrame110) {
    for (auto [width, height] : {std::pair{640, 480}, std::pair{1024, 768}}) {
        Open(width, height);
        const int x = (width - 100) / 2 + 15, y = (height - 100) / 2 + 3;
        struct Case {
            int camera, victory;
            bool shown;
        };
        for (const Case& c :
             {Case{2, 0, true}, Case{2, 109, true}, Case{2, 110, false}, Case{2, 200, false},
              Case{1, 0, false}, Case{3, 0, false}, Case{0, 0, false}}) {
            world().Camera_Mode = c.camera;
            world().Victory_Frames = c.victory;
            Draw();
            EXPECT_EQ(PatternAt(Back(), picture::Scope, 0, x, y), c.shown)
                << width << " camera " << c.camera << " victory " << c.victory;
            if (!c.shown) {
                for (int dy = 0; dy < 100; ++dy)
                    for (int dx = 0; dx < 100; ++dx)
                        ASSERT_EQ(Back().Pixel(x + dx, y + dy), Under) << dx << ", " << dy;
            }
        }
        form().DXDraw.FinalizeDisplay();
    }
}

TEST_F(RadarTest, RadarSquareIsCopiedToTheBottomRightWithoutItsLimeCorners) {
    for (auto [width, height] : {std::pair{640, 480}, std::pair{1024, 768}}) {
        Open(width, height);
        Draw();
        const TDIB& radar = Picture(picture::Radar);
        int lime = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x) {
                const uint32_t c = radar.Pixel(x, y);
                lime += c == Lime;
                ASSERT_EQ(Back().Pixel(width - 100 + x, height - 100 + y), c == Lime ? Under : c)
                    << x << ", " << y;
            }
        EXPECT_GT(lime, 0) << "the radar's corners are lime";
        EXPECT_EQ(Back().Pixel(width - 101, height - 1), Under);
        EXPECT_EQ(Back().Pixel(width - 1, height - 101), Under);
        form().DXDraw.FinalizeDisplay();
    }
}

TEST_F(RadarTest, AZakoAtThePlayersPlaceIsInTheRadarsCentre) {
    Open();
    PlacePlayer(100, 100, /*east=*/true);
    Enemy(world().Zako, 3, 100, 100);
    Draw();
    EXPECT_TRUE(PatternAt(*form().Radar_Surface, picture::Enemy, 0, 47, 47));
    EXPECT_TRUE(PatternAt(Back(), picture::Enemy, 0, W() - 100 + 47, H() - 100 + 47));
    // Gone the next frame when it is dead: the background covers last frame's marker.
    world().Zako[3].Life = 0;
    Draw();
    EXPECT_TRUE(RadarIsBackgroundOnly());
}

TEST_F(RadarTest, RadarTurnsWithThePlayerAheadAtTheTop) {
    Open();
    PlacePlayer(0, 0, /*east=*/true); // facing +x: +z of the scene is on the left
    struct Case {
        float x, z;
        int rx, ry;
    };
    for (const Case& c : {Case{100, 0, 47, 22}, Case{-100, 0, 47, 72}, Case{0, 100, 22, 47},
                          Case{0, -100, 72, 47}, Case{42, -58, 61, 37}}) {
        for (TParts& z : world().Zako) z.Life = 0;
        Enemy(world().Zako, 0, c.x, c.z);
        Draw();
        EXPECT_TRUE(PatternAt(*form().Radar_Surface, picture::Enemy, 0, c.rx, c.ry))
            << c.x << ", " << c.z;
        EXPECT_FALSE(PatternAt(*form().Radar_Surface, picture::Enemy, 0, 47, 47));
    }
}

TEST_F(RadarTest, RadarEdgesClipMarkersAheadAndBehind) {
    Open();
    PlacePlayer(0, 0); // facing +z
    const TDIB& marker = Picture(picture::Enemy);
    const TDIB& radar = Picture(picture::Radar);
    // 200 ahead: drawn at y = -3, only its lower three rows show.
    Enemy(world().Zako, 0, 0, 200);
    Draw();
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x) {
            const uint32_t c = marker.Pixel(x, y + 3);
            EXPECT_EQ(form().Radar_Surface->Pixel(47 + x, y),
                      c == Lime ? radar.Pixel(47 + x, y) : c);
        }
    EXPECT_FALSE(RadarIsBackgroundOnly());
    // 220 ahead (y = -8) is not seen at all; neither is 220 behind (y = 102).
    world().Zako[0].Frame->SetPosition(form().DXDraw.Scene(), 0, 0, 220);
    Draw();
    EXPECT_TRUE(RadarIsBackgroundOnly());
    world().Zako[0].Frame->SetPosition(form().DXDraw.Scene(), 0, 0, -220);
    Draw();
    EXPECT_TRUE(RadarIsBackgroundOnly());
    // 200 behind: drawn at y = 97, its upper three rows in the copied square.
    world().Zako[0].Frame->SetPosition(form().DXDraw.Scene(), 0, 0, -200);
    Draw();
    EXPECT_TRUE(PatternAt(Back(), picture::Enemy, 0, W() - 100 + 47, H() - 3));
    // Left and right edges alike: 200 to the left is x = -3, 200 to the right x = 97.
    world().Zako[0].Frame->SetPosition(form().DXDraw.Scene(), -200, 0, 0);
    world().GH[1].Frame = NewFrame(200, 0);
    world().GH[1].Life = 4;
    Draw();
    EXPECT_TRUE(PatternAt(*form().Radar_Surface, picture::Enemy, 0, -3, 47));
    EXPECT_TRUE(PatternAt(Back(), picture::Enemy, 0, W() - 100 + 97, H() - 100 + 47));
}

class GaugeTest : public RadarTest {
protected:
    const TDIB& Bands() { return form().PicBack2.DIB; }

    // The 300-pixel gauge at (x, y): the first `filled` pixels from `band`, the rest the
    // red background, each row as in the gauge picture.
    ::testing::AssertionResult GaugeIs(int x, int y, int height, int band, int filled) {
        for (int dy = 0; dy < height; ++dy)
            for (int dx = 0; dx < 300; ++dx) {
                const uint32_t want = Bands().Pixel(dx, (dx < filled ? band * 20 : 0) + dy);
                if (Back().Pixel(x + dx, y + dy) != want)
                    return ::testing::AssertionFailure()
                           << "differs at +(" << dx << ", " << dy << ")";
            }
        if (Back().Pixel(x + 300, y) != Under || Back().Pixel(x - 1, y) != Under)
            return ::testing::AssertionFailure() << "wider than 300 pixels";
        return ::testing::AssertionSuccess();
    }

    bool AreaIsUnder(int x, int y, int w, int h) {
        for (int dy = 0; dy < h; ++dy)
            for (int dx = 0; dx < w; ++dx)
                if (Back().Pixel(x + dx, y + dy) != Under) return false;
        return true;
    }
};

TEST_F(GaugeTest, HitPointsArePixelsOfGreenOnTheRedBar) {
    Open();
    for (int hp : {300, 150, 1, 0, -40}) {
        world().Robo_HP = hp;
        Draw();
        EXPECT_TRUE(GaugeIs(10, 10, 20, 1, std::max(hp, 0))) << hp;
    }
}

TEST_F(GaugeTest, EnergyRoundsHalvesToEvenAndIsTenPixelsHigh) {
    Open();
    struct Case {
        double energy;
        int filled;
    };
    for (const Case& c : {Case{300.0, 300}, Case{150.5, 150}, Case{151.5, 152}, Case{0.4, 0},
                          Case{0.6, 1}, Case{0.0, 0}, Case{-3.0, 0}, Case{1e12, 300}}) {
        world().Energy = c.energy;
        Draw();
        EXPECT_TRUE(GaugeIs(10, 40, 10, 3, c.filled)) << c.energy;
        EXPECT_TRUE(AreaIsUnder(10, 50, 300, 1)) << c.energy;
    }
}

TEST_F(GaugeTest, BossGaugeOnlyWhileTheBossFightIsOn) {
    Open();
    world().Boss_HP = 100;
    Draw();
    EXPECT_TRUE(AreaIsUnder(330, 10, 300, 20));
    world().Boss_Active = true;
    for (int hp : {300, 100, 0, -5}) {
        world().Boss_HP = hp;
        Draw();
        EXPECT_TRUE(GaugeIs(330, 10, 20, 2, std::max(hp, 0))) << hp;
    }
}

} // namespace
