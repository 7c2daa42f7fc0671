#include "scene/engine/sine.h"

#include <cmath>
#include <limits>

namespace rm {

namespace {

// pi/2 in three parts, the first two with trailing zero bits, so k times each is exact
// for the quarter-turn counts angles reach (Cody and Waite's reduction).
constexpr double HalfPi1 = 1.57079632673412561417e+00;
constexpr double HalfPi2 = 6.07710050630396597660e-11;
constexpr double HalfPi3 = 2.02226624879595063154e-21;
constexpr double TwoOverPi = 6.36619772367581382433e-01;

// Taylor series on |r| <= pi/4: the first term left out is below 1e-19 of the result.
double SineNear(double r) {
    const double r2 = r * r;
    double sum = 1.0 / 355687428096000.0;   // 1/17!
    sum = sum * r2 - 1.0 / 1307674368000.0; // 1/15!
    sum = sum * r2 + 1.0 / 6227020800.0;    // 1/13!
    sum = sum * r2 - 1.0 / 39916800.0;      // 1/11!
    sum = sum * r2 + 1.0 / 362880.0;        // 1/9!
    sum = sum * r2 - 1.0 / 5040.0;          // 1/7!
    sum = sum * r2 + 1.0 / 120.0;           // 1/5!
    sum = sum * r2 - 1.0 / 6.0;             // 1/3!
    return r + r * r2 * sum;
}

double CosineNear(double r) {
    const double r2 = r * r;
    double sum = -1.0 / 6402373705728000.0;  // 1/18!
    sum = sum * r2 + 1.0 / 20922789888000.0; // 1/16!
    sum = sum * r2 - 1.0 / 87178291200.0;    // 1/14!
    sum = sum * r2 + 1.0 / 479001600.0;      // 1/12!
    sum = sum * r2 - 1.0 / 3628800.0;        // 1/10!
    sum = sum * r2 + 1.0 / 40320.0;          // 1/8!
    sum = sum * r2 - 1.0 / 720.0;            // 1/6!
    sum = sum * r2 + 1.0 / 24.0;             // 1/4!
    return 1.0 - 0.5 * r2 + r2 * r2 * sum;
}

} // namespace

SineCosine StableSineCosine(float angle) {
    if (!std::isfinite(angle)) {
        const float nan = std::numeric_limits<float>::quiet_NaN();
        return {nan, nan};
    }
    const double x = angle;
    const double k = std::nearbyint(x * TwoOverPi);
    const double r = ((x - k * HalfPi1) - k * HalfPi2) - k * HalfPi3;
    const double s = SineNear(r);
    const double c = CosineNear(r);
    // The quarter turn: k modulo 4, for negative k as well.
    const auto quarter = static_cast<int>(std::fmod(k, 4.0) + 4.0) % 4;
    switch (quarter) {
    case 0:
        return {static_cast<float>(s), static_cast<float>(c)};
    case 1:
        return {static_cast<float>(c), static_cast<float>(-s)};
    case 2:
        return {static_cast<float>(-s), static_cast<float>(-c)};
    default:
        return {static_cast<float>(-c), static_cast<float>(s)};
    }
}

} // namespace rm
