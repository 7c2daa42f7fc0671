#include "scene/engine/frame.h"

#include <algorithm>
#include <cmath>

namespace rm {

namespace {

// Every frame of the engine is a FrameImpl; a null reference stands for the world.
const FrameImpl* Impl(const FramePtr& frame) {
    return static_cast<const FrameImpl*>(frame.get());
}

Transform WorldOf(const FramePtr& ref) {
    return ref ? Impl(ref)->World() : Transform{};
}

Vector ToVector(const glm::vec3& v) {
    return {v.x, v.y, v.z};
}

template <typename T> void EraseFirst(std::vector<T>& items, const T& item) {
    auto it = std::find(items.begin(), items.end(), item);
    if (it != items.end()) items.erase(it);
}

} // namespace

FrameImpl::~FrameImpl() {
    for (auto& child : children_) static_cast<FrameImpl*>(child.get())->parent_ = nullptr;
}

void FrameImpl::AddVisual(MeshBuilderPtr mesh) {
    if (mesh) visuals_.push_back(std::move(mesh));
}

void FrameImpl::DeleteVisual(const MeshBuilderPtr& mesh) {
    EraseFirst(visuals_, mesh);
}

void FrameImpl::AddLight(LightPtr light) {
    if (light) lights_.push_back(std::move(light));
}

void FrameImpl::DeleteLight(const LightPtr& light) {
    EraseFirst(lights_, light);
}

bool FrameImpl::IsAncestorOf(const Frame* frame) const {
    for (const Frame* f = frame; f != nullptr; f = f->GetParent())
        if (f == this) return true;
    return false;
}

void FrameImpl::AddChild(FramePtr child) {
    // A frame cannot become its own descendant: that would make the tree a loop.
    if (!child) return;
    auto* impl = static_cast<FrameImpl*>(child.get());
    if (impl->IsAncestorOf(this)) return;
    if (impl->parent_ == this) return;
    if (impl->parent_ != nullptr) EraseFirst(impl->parent_->children_, child);
    impl->parent_ = this;
    impl->cut_ = true; // its place in the world jumps with the new parent
    children_.push_back(std::move(child));
}

void FrameImpl::DeleteChild(const FramePtr& child) {
    if (!child) return;
    auto* impl = static_cast<FrameImpl*>(child.get());
    if (impl->parent_ != this) return;
    impl->parent_ = nullptr;
    EraseFirst(children_, child);
}

Transform FrameImpl::World() const {
    if (parent_ == nullptr) return local_;
    return Combine(parent_->World(), local_);
}

Transform FrameImpl::Shown(float blend) const {
    if (cut_ || !(blend < 1.0f)) return local_;
    if (!(blend > 0.0f)) return kept_;
    return Blend(kept_, local_, blend);
}

Transform FrameImpl::ShownWorld(float blend) const {
    if (parent_ == nullptr) return Shown(blend);
    return Combine(parent_->ShownWorld(blend), Shown(blend));
}

void FrameImpl::KeepStep() {
    kept_ = local_;
    cut_ = false;
    for (auto& child : children_) child->KeepStep();
}

void FrameImpl::SetPosition(const FramePtr& ref, float x, float y, float z) {
    const glm::vec3 in_world = WorldOf(ref).Point({x, y, z});
    local_.t = parent_ != nullptr ? Inverse(parent_->World()).Point(in_world) : in_world;
}

Vector FrameImpl::GetPosition(const FramePtr& ref) const {
    const glm::vec3 origin = World().t;
    return ToVector(ref ? Inverse(Impl(ref)->World()).Point(origin) : origin);
}

void FrameImpl::SetOrientation(const FramePtr& ref, float dx, float dy, float dz, float ux,
                               float uy, float uz) {
    const Transform ref_world = WorldOf(ref);
    glm::vec3 dir = ref_world.Direction({dx, dy, dz});
    glm::vec3 up = ref_world.Direction({ux, uy, uz});
    if (parent_ != nullptr) {
        const glm::mat3 to_parent = SafeInverse(parent_->World().m);
        dir = to_parent * dir;
        up = to_parent * up;
    }
    glm::mat3 rotation;
    if (OrientationFrom(dir, up, rotation)) local_.m = rotation;
}

void FrameImpl::SetRotation(const FramePtr& ref, float ax, float ay, float az, float theta) {
    glm::vec3 axis = WorldOf(ref).Direction({ax, ay, az});
    if (parent_ != nullptr) axis = SafeInverse(parent_->World().m) * axis;
    const float length = glm::length(axis);
    if (!(length > 1e-12f)) {
        spin_angle_ = 0.0f;
        return;
    }
    spin_axis_ = axis / length;
    spin_angle_ = theta;
}

void FrameImpl::AddScale(CombineType, float sx, float sy, float sz) {
    local_.m = glm::mat3(glm::vec3(sx, 0, 0), glm::vec3(0, sy, 0), glm::vec3(0, 0, sz));
    local_.t = glm::vec3(0.0f);
}

void FrameImpl::Move(float delta) {
    if (spin_angle_ != 0.0f) local_.m = RotationAbout(spin_axis_, spin_angle_ * delta) * local_.m;
    for (auto& child : children_) child->Move(delta);
}

Vector FrameImpl::GetWorldDirection() const {
    const glm::vec3 z = World().m[2];
    const float length = glm::length(z);
    return ToVector(length > 0.0f ? z / length : z);
}

Vector FrameImpl::GetWorldUp() const {
    const glm::vec3 y = World().m[1];
    const float length = glm::length(y);
    return ToVector(length > 0.0f ? y / length : y);
}

} // namespace rm
