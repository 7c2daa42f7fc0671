// The engine's own sine and cosine: as exact as a float allows over the angles frames spin
// by, mirrored for negative angles, and at the quarter turns where the reduction switches.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "scene/engine/sine.h"

namespace {

using rm::StableSineCosine;

// Distance in floats between a and the double b rounded to float.
int UlpsFrom(float a, double b) {
    const float expected = static_cast<float>(b);
    if (a == expected) return 0;
    int steps = 0;
    for (float f = expected; f != a && steps < 8; ++steps) f = std::nextafter(f, a);
    return steps;
}

TEST(StableSineTest, WithinAFloatStepOfTheTrueValueOverManyTurns) {
    int exact = 0, total = 0;
    for (int i = -200000; i <= 200000; ++i) {
        const float angle = static_cast<float>(i) * 0.000157f; // about +-10 turns
        const rm::SineCosine got = StableSineCosine(angle);
        // long double: more precision than the float results need.
        const long double a = angle;
        ASSERT_LE(UlpsFrom(got.sine, static_cast<double>(std::sin(a))), 1) << angle;
        ASSERT_LE(UlpsFrom(got.cosine, static_cast<double>(std::cos(a))), 1) << angle;
        exact += got.sine == static_cast<float>(std::sin(a)) ? 1 : 0;
        ++total;
    }
    EXPECT_GT(exact, total * 999 / 1000) << "nearly always the correctly rounded float";
}

TEST(StableSineTest, ExactValuesAndMirrors) {
    EXPECT_EQ(StableSineCosine(0.0f).sine, 0.0f);
    EXPECT_EQ(StableSineCosine(0.0f).cosine, 1.0f);
    EXPECT_EQ(StableSineCosine(1e-20f).sine, 1e-20f);
    const float quarter = static_cast<float>(M_PI / 2);
    EXPECT_EQ(StableSineCosine(quarter).sine, 1.0f);
    EXPECT_EQ(StableSineCosine(-quarter).sine, -1.0f);
    EXPECT_EQ(StableSineCosine(static_cast<float>(M_PI)).cosine, -1.0f);
    for (const float angle : {0.1f, 0.785f, 0.786f, 1.5f, 2.356f, 2.357f, 3.3f, 5.0f, 100.0f}) {
        SCOPED_TRACE(angle);
        const rm::SineCosine right = StableSineCosine(angle);
        const rm::SineCosine left = StableSineCosine(-angle);
        EXPECT_EQ(left.sine, -right.sine);
        EXPECT_EQ(left.cosine, right.cosine);
    }
}

TEST(StableSineTest, BothSidesOfEveryEighthTurn) {
    // pi/4 + k pi/2 is where the reduction picks the next quarter: no step in the values.
    for (int k = -8; k <= 8; ++k) {
        const double edge = M_PI / 4 + k * M_PI / 2;
        const float below = std::nextafter(static_cast<float>(edge), -1e9f);
        const float above = std::nextafter(static_cast<float>(edge), 1e9f);
        for (const float angle : {below, above}) {
            const long double a = angle;
            EXPECT_LE(UlpsFrom(StableSineCosine(angle).sine, static_cast<double>(std::sin(a))), 1)
                << angle;
            EXPECT_LE(UlpsFrom(StableSineCosine(angle).cosine, static_cast<double>(std::cos(a))), 1)
                << angle;
        }
    }
}

TEST(StableSineTest, NotANumberForAnglesThatAreNot) {
    EXPECT_TRUE(std::isnan(StableSineCosine(std::numeric_limits<float>::infinity()).sine));
    EXPECT_TRUE(std::isnan(StableSineCosine(-std::numeric_limits<float>::infinity()).cosine));
    EXPECT_TRUE(std::isnan(StableSineCosine(std::numeric_limits<float>::quiet_NaN()).sine));
}

} // namespace
