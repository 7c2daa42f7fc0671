#include "scene/engine/transform.h"

#include <cmath>

#include <glm/gtc/quaternion.hpp>

#include "scene/engine/sine.h"

namespace rm {

glm::mat3 SafeInverse(const glm::mat3& m) {
    const float det = glm::determinant(m);
    if (!std::isfinite(det) || std::fabs(det) < 1e-20f) return glm::mat3(0.0f);
    return glm::inverse(m);
}

Transform Inverse(const Transform& a) {
    const glm::mat3 mi = SafeInverse(a.m);
    return {mi, -(mi * a.t)};
}

namespace {

// m as a proper rotation times the lengths of its axes (the first negative for a mirror);
// false when an axis has no length.
bool SplitRotationScale(const glm::mat3& m, glm::mat3& rotation, glm::vec3& scale) {
    for (int i = 0; i < 3; ++i) {
        scale[i] = glm::length(m[i]);
        if (!(scale[i] > 1e-12f)) return false;
        rotation[i] = m[i] / scale[i];
    }
    if (glm::determinant(rotation) < 0.0f) {
        scale[0] = -scale[0];
        rotation[0] = -rotation[0];
    }
    return true;
}

} // namespace

Transform Blend(const Transform& a, const Transform& b, float t) {
    Transform out;
    out.t = glm::mix(a.t, b.t, t);
    glm::mat3 ra, rb;
    glm::vec3 sa, sb;
    if (!SplitRotationScale(a.m, ra, sa) || !SplitRotationScale(b.m, rb, sb)) {
        out.m = a.m + (b.m - a.m) * t;
        return out;
    }
    const glm::quat q = glm::normalize(glm::slerp(glm::quat_cast(ra), glm::quat_cast(rb), t));
    const glm::mat3 r = glm::mat3_cast(q);
    const glm::vec3 s = glm::mix(sa, sb, t);
    out.m = glm::mat3(r[0] * s.x, r[1] * s.y, r[2] * s.z);
    return out;
}

glm::mat3 RotationAbout(const glm::vec3& k, float angle) {
    const SineCosine turn_by = StableSineCosine(angle);
    const float c = turn_by.cosine;
    const float s = turn_by.sine;
    auto turn = [&](const glm::vec3& v) {
        return v * c + glm::cross(k, v) * s + k * (glm::dot(k, v) * (1.0f - c));
    };
    return glm::mat3(turn({1, 0, 0}), turn({0, 1, 0}), turn({0, 0, 1}));
}

bool OrientationFrom(const glm::vec3& dir, const glm::vec3& up, glm::mat3& out) {
    const float dir_length = glm::length(dir);
    if (!(dir_length > 1e-12f)) return false;
    const glm::vec3 z = dir / dir_length;
    const glm::vec3 side = glm::cross(up, z);
    const float side_length = glm::length(side);
    if (!(side_length > 1e-12f)) return false;
    const glm::vec3 x = side / side_length;
    const glm::vec3 y = glm::cross(z, x);
    out = glm::mat3(x, y, z);
    return true;
}

} // namespace rm
