// The explosion pool: starting, growing, lighting and ending explosions.
#include "tests/support/weapons_fixture.h"

namespace {

class ExplosionTest : public WeaponsFixture {
protected:
    // The explosion frame's uniform scale, read through a point one unit along its x axis.
    float ScaleOf(size_t i) {
        const rm::FramePtr& frame = w().Bakuhatu[i].Frame;
        if (!probes_[i]) {
            probes_[i] = form().DXDraw.D3DRM()->CreateFrame(frame);
            probes_[i]->SetPosition(frame, 1, 0, 0);
        }
        const rm::Vector a = frame->GetPosition(Root()), b = probes_[i]->GetPosition(Root());
        return std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y) +
                         (b.z - a.z) * (b.z - a.z));
    }
    void Anim() { Bakuhatu_Anim(game()); }

    std::array<rm::FramePtr, ExplosionCount> probes_;
};

TEST_F(ExplosionTest, FifteenAtOnceTheSixteenthIsDroppedAndFreedRecordsAreReusedLowestFirst) {
    for (int i = 0; i < ExplosionCount; ++i)
        ASSERT_TRUE(StartExplosion(game(), i, 0, i == 4 || i == 9 ? 2 : 20)) << i;
    EXPECT_FALSE(StartExplosion(game(), 99, 99, 8));
    for (const TParts& b : w().Bakuhatu) EXPECT_NE(b.X, 99);
    Anim();
    Anim(); // records 4 and 9 end here
    EXPECT_EQ(w().Bakuhatu[4].Life, 0);
    EXPECT_EQ(w().Bakuhatu[9].Life, 0);
    ASSERT_TRUE(StartExplosion(game(), 50, 60, 8));
    EXPECT_EQ(w().Bakuhatu[4].Life, 1);
    EXPECT_EQ(w().Bakuhatu[4].Count, 8);
    EXPECT_EQ(w().Bakuhatu[4].X, 50);
    EXPECT_EQ(w().Bakuhatu[4].Z, 60);
    EXPECT_VEC_NEAR(w().Bakuhatu[4].Frame->GetPosition(Root()), 50, 0, 60, 1e-4f);
    ASSERT_TRUE(StartExplosion(game(), 70, 80, 8));
    EXPECT_EQ(w().Bakuhatu[9].X, 70);
    EXPECT_FALSE(StartExplosion(game(), 1, 1, 8));
}

TEST_F(ExplosionTest, LifetimeEightIsDrawnSevenTimesAtScalesTwoToEight) {
    ASSERT_TRUE(StartExplosion(game(), -12, 34, 8));
    const rm::LightPtr& light = w().Bakuhatu_Lights[0];
    std::vector<float> scales;
    for (int frame = 0; frame < 7; ++frame) {
        Anim();
        scales.push_back(ScaleOf(0));
        EXPECT_VEC_NEAR(w().Bakuhatu[0].Frame->GetPosition(Root()), -12, 0, 34, 1e-4f);
        EXPECT_TRUE(Carries(w().Bakuhatu[0].Frame, light)) << "frame " << frame;
    }
    const std::vector<float> expected = {2, 3, 4, 5, 6, 7, 8};
    ASSERT_EQ(scales.size(), expected.size());
    for (size_t i = 0; i < scales.size(); ++i) EXPECT_NEAR(scales[i], expected[i], 1e-4f);
    // Life 9 > 8: parked far below, light off, the record idle.
    Anim();
    EXPECT_EQ(w().Bakuhatu[0].Life, 0);
    EXPECT_EQ(w().Bakuhatu[0].Count, 0);
    EXPECT_VEC_NEAR(w().Bakuhatu[0].Frame->GetPosition(Root()), 0, -1000, 0, 1e-3f);
    EXPECT_FALSE(Carries(w().Bakuhatu[0].Frame, light));
    // Idle from then on: scale 0 at its last place.
    Anim();
    EXPECT_NEAR(ScaleOf(0), 0, 1e-6f);
    EXPECT_EQ(w().Bakuhatu[0].Life, 0);
    // Free again in the frame after it ended.
    ASSERT_TRUE(StartExplosion(game(), 5, 5, 8));
    EXPECT_EQ(w().Bakuhatu[0].Life, 1);
}

TEST_F(ExplosionTest, EveryExplosionCarriesItsOwnLightUnderFullLighting) {
    StartExplosion(game(), 0, 0, 8);
    StartExplosion(game(), 10, 0, 8);
    Anim();
    EXPECT_TRUE(Carries(w().Bakuhatu[0].Frame, w().Bakuhatu_Lights[0]));
    EXPECT_TRUE(Carries(w().Bakuhatu[1].Frame, w().Bakuhatu_Lights[1]));
    EXPECT_FALSE(Carries(w().Bakuhatu[1].Frame, w().Bakuhatu_Lights[0]));
}

TEST_F(ExplosionTest, UnderSimpleLightingTheSharedLightLeavesOnlyTheEndingExplosion) {
    BuildOpen([](World& world) { world.Light_Mode = 1; });
    const rm::LightPtr shared = w().Bakuhatu_Lights[0];
    ASSERT_TRUE(shared);
    StartExplosion(game(), 0, 0, 3);
    Anim(); // first: Life 2, light on
    StartExplosion(game(), 20, 0, 8);
    Anim(); // second: Life 2, the same light on it too
    EXPECT_TRUE(Carries(w().Bakuhatu[0].Frame, shared));
    EXPECT_TRUE(Carries(w().Bakuhatu[1].Frame, shared));
    Anim(); // first ends (Life 4 > 3)
    EXPECT_EQ(w().Bakuhatu[0].Life, 0);
    EXPECT_FALSE(Carries(w().Bakuhatu[0].Frame, shared));
    EXPECT_TRUE(Carries(w().Bakuhatu[1].Frame, shared)) << "the second keeps it";
    for (int i = 0; i < 5; ++i) Anim();
    EXPECT_EQ(w().Bakuhatu[1].Life, 8);
    EXPECT_TRUE(Carries(w().Bakuhatu[1].Frame, shared));
    Anim();
    EXPECT_EQ(w().Bakuhatu[1].Life, 0);
    EXPECT_FALSE(Carries(w().Bakuhatu[1].Frame, shared));
}

TEST_F(ExplosionTest, WithoutLightsExplosionsGrowAndEndAllTheSame) {
    BuildOpen([](World& world) { world.Light_Mode = 0; });
    StartExplosion(game(), 3, 4, 2);
    Anim();
    EXPECT_NEAR(ScaleOf(0), 2, 1e-4f);
    EXPECT_TRUE(w().Bakuhatu[0].Frame->Lights().empty());
    Anim();
    EXPECT_EQ(w().Bakuhatu[0].Life, 0);
    EXPECT_VEC_NEAR(w().Bakuhatu[0].Frame->GetPosition(Root()), 0, -1000, 0, 1e-3f);
}

} // namespace
