// Lights: ambient (everywhere the same) and point (at the origin of each frame it hangs
// on, falling off as 1 / (constant + linear * distance)).
#pragma once

#include <glm/glm.hpp>

#include "scene/engine/rm.h"

namespace rm {

class LightImpl final : public Light {
public:
    LightImpl(LightType type, glm::vec3 colour) : type_(type), colour_(colour) {}
    void SetConstantAttenuation(float c) override { constant_ = c; }
    void SetLinearAttenuation(float k) override { linear_ = k; }

    LightType Type() const { return type_; }
    const glm::vec3& Colour() const { return colour_; }
    float Constant() const { return constant_; }
    float Linear() const { return linear_; }

private:
    LightType type_;
    glm::vec3 colour_;
    float constant_ = 1.0f;
    float linear_ = 0.0f;
};

} // namespace rm
