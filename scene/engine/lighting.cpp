#include "scene/engine/lighting.h"

#include <cmath>

namespace rm {

void LightVertices(const glm::vec3* positions, const glm::vec3* normals, size_t count,
                   const glm::vec3& ambient, const std::vector<PointLight>& lights,
                   glm::vec3* out) {
    for (size_t i = 0; i < count; ++i) out[i] = ambient;
    for (const PointLight& light : lights) {
        for (size_t i = 0; i < count; ++i) {
            const glm::vec3 to_light = light.position - positions[i];
            const float along_normal = glm::dot(normals[i], to_light);
            if (!(along_normal > 0.0f)) continue;
            const float distance = std::sqrt(glm::dot(to_light, to_light));
            // A light with no constant term sitting on the vertex would divide by zero;
            // the colour is clamped later anyway.
            const float falloff = std::max(light.constant + light.linear * distance, 1e-6f);
            out[i] += light.colour * (along_normal / (distance * falloff));
        }
    }
}

} // namespace rm
