// The engine's mesh builder: geometry read from a .x file, changed in place by Scale,
// Translate, colours and textures, and shared by every frame that shows it.
#pragma once

#include <memory>

#include "scene/engine/mesh_data.h"
#include "scene/engine/rm.h"

namespace rm {

class TextureCache;

class MeshBuilderImpl final : public MeshBuilder {
public:
    explicit MeshBuilderImpl(std::shared_ptr<TextureCache> textures)
        : textures_(std::move(textures)) {}

    bool Load(const std::string& path) override;
    void Scale(float sx, float sy, float sz) override;
    void Translate(float tx, float ty, float tz) override;
    void SetColorRGB(float r, float g, float b) override;
    void SetColor(uint32_t packed_argb) override;
    void SetTexture(TexturePtr texture) override;
    void SetPerspective(bool on) override { perspective_ = on; }
    int FaceCount() const override { return data_.TriangleCount(); }
    void GetBox(Vector& min, Vector& max) const override;

    const MeshData& Data() const { return data_; }
    bool Perspective() const { return perspective_; }
    // A sphere around every vertex, for culling whole meshes.
    const glm::vec3& BoundCentre() const { return bound_centre_; }
    float BoundRadius() const { return bound_radius_; }

private:
    void UpdateBounds();

    std::shared_ptr<TextureCache> textures_;
    MeshData data_;
    bool perspective_ = false;
    glm::vec3 box_min_{0.0f}, box_max_{0.0f};
    glm::vec3 bound_centre_{0.0f};
    float bound_radius_ = 0.0f;
};

} // namespace rm
