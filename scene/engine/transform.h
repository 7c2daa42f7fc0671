// Affine transforms of the scene graph: a 3x3 part (rotation and scale, columns are the
// axes) and a translation. A frame's transform maps its own coordinates to its parent's.
#pragma once

#include <glm/glm.hpp>

namespace rm {

struct Transform {
    glm::mat3 m{1.0f};
    glm::vec3 t{0.0f};

    glm::vec3 Point(const glm::vec3& p) const { return m * p + t; }
    glm::vec3 Direction(const glm::vec3& v) const { return m * v; }
};

// outer after inner: first inner, then outer.
inline Transform Combine(const Transform& outer, const Transform& inner) {
    return {outer.m * inner.m, outer.m * inner.t + outer.t};
}

// A frame scaled to nothing (an idle explosion) has no inverse; mapping into it then
// yields the origin instead of NaNs.
Transform Inverse(const Transform& a);
glm::mat3 SafeInverse(const glm::mat3& m);

// Between a (at 0) and b (at 1) at the blend t: the translation in a straight line, the
// rotation turned the shorter way (quaternion slerp), each axis's length in a straight line,
// so a blended transform is never sheared. A side scaled to nothing blends its matrix
// linearly, which only scales.
Transform Blend(const Transform& a, const Transform& b, float t);

// Rotation by angle radians about a unit axis. In the left-handed world a positive angle
// turns clockwise when seen from the tip of the axis, as in the original engine.
glm::mat3 RotationAbout(const glm::vec3& unit_axis, float angle);

// The rotation whose z axis points along dir and whose y axis leans toward up; false when
// the two are parallel or zero.
bool OrientationFrom(const glm::vec3& dir, const glm::vec3& up, glm::mat3& out);

} // namespace rm
