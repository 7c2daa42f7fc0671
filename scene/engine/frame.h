// The engine's frame: a node of the scene graph with a transform relative to its parent,
// the meshes and lights hung on it, and an optional spin applied by Move.
#pragma once

#include "scene/engine/rm.h"
#include "scene/engine/transform.h"

namespace rm {

class FrameImpl final : public Frame {
public:
    FrameImpl() = default;
    ~FrameImpl() override;
    FrameImpl(const FrameImpl&) = delete;
    FrameImpl& operator=(const FrameImpl&) = delete;

    void AddVisual(MeshBuilderPtr mesh) override;
    void DeleteVisual(const MeshBuilderPtr& mesh) override;
    void AddLight(LightPtr light) override;
    void DeleteLight(const LightPtr& light) override;
    void AddChild(FramePtr child) override;
    void DeleteChild(const FramePtr& child) override;
    void SetPosition(const FramePtr& ref, float x, float y, float z) override;
    Vector GetPosition(const FramePtr& ref) const override;
    void SetOrientation(const FramePtr& ref, float dx, float dy, float dz, float ux, float uy,
                        float uz) override;
    void SetRotation(const FramePtr& ref, float ax, float ay, float az, float theta) override;
    void AddScale(CombineType combine, float sx, float sy, float sz) override;
    void Move(float delta) override;
    void KeepStep() override;
    void Cut() override { cut_ = true; }

    Frame* GetParent() const override { return parent_; }
    const std::vector<FramePtr>& Children() const override { return children_; }
    const std::vector<MeshBuilderPtr>& Visuals() const override { return visuals_; }
    const std::vector<LightPtr>& Lights() const override { return lights_; }
    Vector GetWorldDirection() const override;
    Vector GetWorldUp() const override;

    // Own coordinates to the parent's.
    const Transform& Local() const { return local_; }
    // Own coordinates to the world's (the root of this frame's tree).
    Transform World() const;
    // Local and World as drawn at a blend between the last kept step (0) and now (1); at 1
    // (or cut) exactly Local and World.
    Transform Shown(float blend) const;
    Transform ShownWorld(float blend) const;

private:
    bool IsAncestorOf(const Frame* frame) const;

    FrameImpl* parent_ = nullptr;
    std::vector<FramePtr> children_;
    std::vector<MeshBuilderPtr> visuals_;
    std::vector<LightPtr> lights_;
    Transform local_;
    Transform kept_;  // local_ as of the last KeepStep
    bool cut_ = true; // drawn at local_ at every blend: never kept, or jumped since
    glm::vec3 spin_axis_{0.0f, 1.0f, 0.0f}; // in the parent's coordinates, unit length
    float spin_angle_ = 0.0f;
};

} // namespace rm
