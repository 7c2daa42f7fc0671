// The geometry a mesh builder holds: shared vertex arrays and groups of triangles that
// share one material.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <glm/glm.hpp>

namespace rm {

class TextureImpl;

struct Material {
    glm::vec4 diffuse{1.0f, 1.0f, 1.0f, 1.0f}; // alpha below 1 draws translucent
    glm::vec3 emissive{0.0f};
    std::shared_ptr<TextureImpl> texture;
    std::string texture_name; // as the mesh file names it, empty for none
};

struct MeshGroup {
    Material material;
    std::vector<uint32_t> indices; // three per triangle, front faces clockwise
};

struct MeshData {
    std::vector<glm::vec3> positions;
    std::vector<glm::vec3> normals;
    std::vector<glm::vec2> uvs;
    std::vector<MeshGroup> groups;

    bool Empty() const { return groups.empty(); }
    int TriangleCount() const;
};

} // namespace rm
