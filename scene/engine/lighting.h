// Vertex lighting: the light falling on each vertex from the ambient lights and the point
// lights, before it is multiplied by the face colour.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include <glm/glm.hpp>

namespace rm {

struct PointLight {
    glm::vec3 position; // camera space
    glm::vec3 colour;
    float constant = 1.0f;
    float linear = 0.0f;
};

// What the vertices of one mesh on one frame are lit from.
struct LightingInput {
    const glm::vec3* positions; // camera space
    const glm::vec3* normals;   // the mesh's own
    glm::mat3 normal_matrix;    // mesh normals to camera space (not necessarily unit)
    glm::vec3 ambient;
    const std::vector<PointLight>* lights;
};

// For each listed vertex i: out[i] = ambient + the sum over the point lights of
// colour * max(0, n . l) / (constant + linear * d), where n is the unit normal, l the
// unit vector to the light and d its distance.
void LightVertices(const LightingInput& in, const uint32_t* indices, size_t count, glm::vec3* out);

} // namespace rm
