// Vertex lighting: the light falling on each vertex from the ambient lights and the point
// lights, before it is multiplied by the face colour.
#pragma once

#include <cstddef>
#include <vector>

#include <glm/glm.hpp>

namespace rm {

struct PointLight {
    glm::vec3 position; // camera space
    glm::vec3 colour;
    float constant = 1.0f;
    float linear = 0.0f;
};

// out[i] = ambient + sum over lights of colour * max(0, n . l) / (constant + linear * d),
// where l is the unit vector to the light and d its distance. Normals must be unit length.
void LightVertices(const glm::vec3* positions, const glm::vec3* normals, size_t count,
                   const glm::vec3& ambient, const std::vector<PointLight>& lights, glm::vec3* out);

} // namespace rm
