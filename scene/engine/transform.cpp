#include "scene/engine/transform.h"

#include <cmath>

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
