// The software device: walks the scene graph, lights the vertices of every visible mesh,
// clips, and hands the triangles to the rasteriser; translucent faces wait until every
// opaque one is drawn and then go back to front.
// The rows are drawn by the banded rasteriser, on as many threads as the engine has.
#include "scene/engine/device.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "scene/engine/banded_rasterizer.h"
#include "scene/engine/clipper.h"
#include "scene/engine/frame.h"
#include "scene/engine/light.h"
#include "scene/engine/lighting.h"
#include "scene/engine/mesh_builder.h"
#include "scene/engine/texture.h"

namespace rm {

namespace {

// Side clipping planes lie this many half-views outside the picture.
constexpr float GuardBand = 4.0f;

struct Instance {
    const MeshBuilderImpl* mesh;
    Transform to_camera;
    float depth; // of the mesh's centre, for drawing near meshes first
};

struct VisibleFace {
    std::array<uint32_t, 3> corner;
    uint32_t group;
};

struct TranslucentFace {
    ClipVertex corner[3];
    TriangleStyle style;
    float depth; // sum of the corners' depths
};

struct Projection {
    float centre_x, centre_y, scale;
    ScreenVertex Project(const ClipVertex& v) const {
        ScreenVertex s;
        s.inv_z = 1.0f / v.position.z;
        s.x = centre_x + v.position.x * scale * s.inv_z;
        s.y = centre_y - v.position.y * scale * s.inv_z;
        s.r = v.colour.r;
        s.g = v.colour.g;
        s.b = v.colour.b;
        s.u = v.uv.x;
        s.v = v.uv.y;
        return s;
    }
};

float LargestAxis(const glm::mat3& m) {
    return std::max({glm::length(m[0]), glm::length(m[1]), glm::length(m[2])});
}

class SoftwareDevice final : public Device {
public:
    explicit SoftwareDevice(std::shared_ptr<DrawThreads> threads) : bands_(std::move(threads)) {}
    void SetRenderMode(uint32_t flags) override { render_mode_ = flags; }
    void SetTextureQuality(int quality) override { quality_ = quality; }
    void SetBackground(std::optional<uint32_t> colour) override { background_ = colour; }
    int Render(const Frame& root, const Viewport& viewport, const RenderTarget& target) override;

private:
    void Collect(const FrameImpl& frame, const Transform& to_camera);
    // Lights, clips and projects the scene's faces and hands them to the rasteriser.
    void Prepare(const Frame& root, const Frame& camera);
    void DrawInstance(const Instance& instance, bool needs_clipping);
    // One face, clipped by the planes.
    void DrawClipped(ClipVertex* polygon, uint32_t planes, const TriangleStyle& style);
    enum class Sight { None, Part, Whole };
    // Whether a mesh's bounding sphere lies outside the view, partly in it, or wholly
    // inside the planes triangles are clipped against.
    Sight InSight(const Instance& instance) const;
    // A number not yet used in the stamp arrays, which mark per-vertex work already done.
    uint32_t NextStamp();

    uint32_t render_mode_ = 0;
    int quality_ = TextureNearest;
    std::optional<uint32_t> background_;

    // Per-frame state, kept between frames so that drawing allocates nothing once the
    // buffers have grown to the scene's size.
    std::vector<float> depth_;
    std::vector<Instance> instances_;
    std::vector<PointLight> lights_;
    glm::vec3 ambient_{0.0f};
    std::vector<glm::vec3> camera_positions_, light_;
    std::vector<uint32_t> light_stamp_;
    std::vector<uint32_t> outcodes_;
    std::vector<VisibleFace> visible_;
    std::vector<uint32_t> to_light_;
    std::vector<ScreenVertex> screen_;
    std::vector<uint32_t> screen_stamp_;
    uint32_t stamp_ = 0;
    std::vector<TranslucentFace> translucent_;
    std::vector<std::pair<float, uint32_t>> translucent_order_; // depth, index
    BandedRasterizer bands_;
    Clipper clipper_{1, 100, 1, 1};
    Projection projection_{0, 0, 1};
    float front_ = 1, back_ = 100, view_x_ = 1, view_y_ = 1;
};

void SoftwareDevice::Collect(const FrameImpl& frame, const Transform& to_camera) {
    for (const auto& visual : frame.Visuals()) {
        const auto* mesh = static_cast<const MeshBuilderImpl*>(visual.get());
        if (mesh->Data().Empty()) continue;
        instances_.push_back({mesh, to_camera, to_camera.Point(mesh->BoundCentre()).z});
    }
    for (const auto& light : frame.Lights()) {
        const auto& impl = static_cast<const LightImpl&>(*light);
        if (impl.Type() == LightType::Ambient)
            ambient_ += impl.Colour();
        else
            lights_.push_back({to_camera.t, impl.Colour(), impl.Constant(), impl.Linear()});
    }
    for (const auto& child : frame.Children()) {
        const auto& impl = static_cast<const FrameImpl&>(*child);
        Collect(impl, Combine(to_camera, impl.Local()));
    }
}

SoftwareDevice::Sight SoftwareDevice::InSight(const Instance& instance) const {
    const glm::vec3 c = instance.to_camera.Point(instance.mesh->BoundCentre());
    const float r = instance.mesh->BoundRadius() * LargestAxis(instance.to_camera.m);
    if (c.z + r < front_ || c.z - r > back_) return Sight::None;
    // Signed distances to a pair of side planes through the eye, along their normals.
    auto outside = [&](float coordinate, float slope, float radius) {
        const float norm = std::sqrt(1.0f + slope * slope);
        return coordinate - slope * c.z > radius * norm ||
               -coordinate - slope * c.z > radius * norm;
    };
    if (outside(c.x, view_x_, r) || outside(c.y, view_y_, r)) return Sight::None;
    // Wholly between the front and back planes and inside the clipping planes at the
    // sides: no vertex needs clipping.
    if (c.z - r >= front_ && c.z + r <= back_ && !outside(c.x, view_x_ * GuardBand, -r) &&
        !outside(c.y, view_y_ * GuardBand, -r))
        return Sight::Whole;
    return Sight::Part;
}

void SoftwareDevice::DrawClipped(ClipVertex* polygon, uint32_t planes, const TriangleStyle& style) {
    const int count = clipper_.Clip(polygon, 3, planes);
    if (count != 0) {
        const ScreenVertex first = projection_.Project(polygon[0]);
        ScreenVertex previous = projection_.Project(polygon[1]);
        for (int i = 2; i < count; ++i) {
            const ScreenVertex next = projection_.Project(polygon[i]);
            bands_.Triangle(first, previous, next, style);
            previous = next;
        }
    }
    bands_.EndFace();
}

uint32_t SoftwareDevice::NextStamp() {
    if (++stamp_ == 0) { // wrapped round after years of frames: start the marks afresh
        std::fill(light_stamp_.begin(), light_stamp_.end(), 0u);
        std::fill(screen_stamp_.begin(), screen_stamp_.end(), 0u);
        stamp_ = 1;
    }
    return stamp_;
}

void SoftwareDevice::DrawInstance(const Instance& instance, bool needs_clipping) {
    const MeshData& data = instance.mesh->Data();
    const size_t count = data.positions.size();
    camera_positions_.resize(count);
    light_.resize(count);
    light_stamp_.resize(count, 0);
    outcodes_.resize(count);
    screen_.resize(count);
    screen_stamp_.resize(count, 0);

    const Transform& m = instance.to_camera;
    for (size_t i = 0; i < count; ++i) camera_positions_[i] = m.Point(data.positions[i]);
    if (needs_clipping) {
        for (size_t i = 0; i < count; ++i) outcodes_[i] = clipper_.Outcode(camera_positions_[i]);
    } else {
        std::fill(outcodes_.begin(), outcodes_.begin() + static_cast<ptrdiff_t>(count), 0u);
    }

    // The faces that can be seen: inside the view and turned toward the camera. Only
    // their vertices are lit, each once.
    visible_.clear();
    to_light_.clear();
    const uint32_t light_stamp = NextStamp();
    for (size_t g = 0; g < data.groups.size(); ++g) {
        const std::vector<uint32_t>& indices = data.groups[g].indices;
        for (size_t f = 0; f + 2 < indices.size(); f += 3) {
            const uint32_t i0 = indices[f], i1 = indices[f + 1], i2 = indices[f + 2];
            if ((outcodes_[i0] & outcodes_[i1] & outcodes_[i2]) != 0) continue;
            const glm::vec3& a = camera_positions_[i0];
            // Front faces wind clockwise as seen from the camera (at the origin).
            const glm::vec3 normal =
                glm::cross(camera_positions_[i1] - a, camera_positions_[i2] - a);
            if (!(glm::dot(normal, a) < 0.0f)) continue;
            visible_.push_back({{i0, i1, i2}, static_cast<uint32_t>(g)});
            for (uint32_t index : {i0, i1, i2}) {
                if (light_stamp_[index] == light_stamp) continue;
                light_stamp_[index] = light_stamp;
                to_light_.push_back(index);
            }
        }
    }
    if (visible_.empty()) return;
    const LightingInput lighting{camera_positions_.data(), data.normals.data(),
                                 glm::transpose(SafeInverse(m.m)), ambient_, &lights_};
    LightVertices(lighting, to_light_.data(), to_light_.size(), light_.data());

    const bool blended = (render_mode_ & RenderModeBlendedTransparency) != 0;
    const bool sorted = (render_mode_ & RenderModeSortedTransparency) != 0;
    size_t face = 0;
    while (face < visible_.size()) {
        const uint32_t g = visible_[face].group;
        const Material& material = data.groups[g].material;
        TriangleStyle style;
        style.texture = material.texture.get();
        style.perspective = instance.mesh->Perspective();
        style.linear = quality_ == TextureLinear;
        const bool translucent = blended && material.diffuse.a < 1.0f;
        if (translucent) {
            style.blend = true;
            const int a = static_cast<int>(material.diffuse.a * 255.0f);
            style.alpha = a + (a >> 7);
        }
        const glm::vec3 diffuse(material.diffuse);
        auto corner = [&](uint32_t index) {
            ClipVertex v;
            v.position = camera_positions_[index];
            v.colour = glm::clamp(material.emissive + diffuse * light_[index], 0.0f, 1.0f) * 255.0f;
            v.uv = data.uvs[index];
            return v;
        };
        const uint32_t screen_stamp = NextStamp();
        for (; face < visible_.size() && visible_[face].group == g; ++face) {
            const auto [i0, i1, i2] = visible_[face].corner;
            const uint32_t planes = outcodes_[i0] | outcodes_[i1] | outcodes_[i2];
            if (translucent && sorted) {
                TranslucentFace& deferred = translucent_.emplace_back();
                deferred.corner[0] = corner(i0);
                deferred.corner[1] = corner(i1);
                deferred.corner[2] = corner(i2);
                deferred.style = style;
                deferred.depth =
                    camera_positions_[i0].z + camera_positions_[i1].z + camera_positions_[i2].z;
                continue;
            }
            if (planes != 0) {
                ClipVertex polygon[MaxClipVertices] = {corner(i0), corner(i1), corner(i2)};
                DrawClipped(polygon, planes, style);
                continue;
            }
            for (uint32_t index : {i0, i1, i2}) {
                if (screen_stamp_[index] == screen_stamp) continue;
                screen_stamp_[index] = screen_stamp;
                screen_[index] = projection_.Project(corner(index));
            }
            bands_.Triangle(screen_[i0], screen_[i1], screen_[i2], style);
            bands_.EndFace();
        }
    }
    bands_.Publish();
}

int SoftwareDevice::Render(const Frame& root, const Viewport& viewport,
                           const RenderTarget& target) {
    const int width = std::min(viewport.Width(), target.width);
    const int height = std::min(viewport.Height(), target.height);
    if (width <= 0 || height <= 0 || target.pixels == nullptr) return 0;
    depth_.resize(static_cast<size_t>(width) * static_cast<size_t>(height)); // cleared by rows
    const FramePtr camera = viewport.GetCamera();
    if (!camera) {
        if (background_) bands_.DrawFrame(target, depth_.data(), width, height, background_, [] {});
        return 0;
    }

    front_ = viewport.GetFront();
    back_ = viewport.GetBack();
    if (!(front_ > 0.0f)) front_ = 1e-3f; // the eye itself cannot be projected
    const float field = viewport.GetField() > 0.0f ? viewport.GetField() : 0.5f;
    // The projection belongs to the viewport; a smaller surface only cuts the picture.
    const auto view_width = static_cast<float>(viewport.Width());
    const auto view_height = static_cast<float>(viewport.Height());
    const float larger = std::max(view_width, view_height);
    projection_ = {view_width * 0.5f, view_height * 0.5f, larger * 0.5f / field};
    view_x_ = field * view_width / larger;
    view_y_ = field * view_height / larger;
    clipper_ = Clipper(front_, back_, view_x_ * GuardBand, view_y_ * GuardBand);
    return bands_.DrawFrame(target, depth_.data(), width, height, background_,
                            [&] { Prepare(root, *camera); });
}

void SoftwareDevice::Prepare(const Frame& root, const Frame& camera) {
    const auto& root_impl = static_cast<const FrameImpl&>(root);
    const Transform view = Inverse(static_cast<const FrameImpl&>(camera).World());
    instances_.clear();
    lights_.clear();
    translucent_.clear();
    ambient_ = glm::vec3(0.0f);
    Collect(root_impl, Combine(view, root_impl.World()));

    std::sort(instances_.begin(), instances_.end(),
              [](const Instance& a, const Instance& b) { return a.depth < b.depth; });
    for (const Instance& instance : instances_)
        if (const Sight sight = InSight(instance); sight != Sight::None)
            DrawInstance(instance, sight == Sight::Part);

    // Back to front; faces at the same depth keep their order.
    translucent_order_.clear();
    for (size_t i = 0; i < translucent_.size(); ++i)
        translucent_order_.emplace_back(translucent_[i].depth, static_cast<uint32_t>(i));
    std::sort(translucent_order_.begin(), translucent_order_.end(),
              [](const auto& a, const auto& b) {
                  return a.first > b.first || (a.first == b.first && a.second < b.second);
              });
    for (const auto& [depth, index] : translucent_order_) {
        const TranslucentFace& face = translucent_[index];
        uint32_t planes = 0;
        for (const ClipVertex& v : face.corner) planes |= clipper_.Outcode(v.position);
        if (planes != 0) {
            ClipVertex polygon[MaxClipVertices] = {face.corner[0], face.corner[1], face.corner[2]};
            DrawClipped(polygon, planes, face.style);
            continue;
        }
        bands_.Triangle(projection_.Project(face.corner[0]), projection_.Project(face.corner[1]),
                        projection_.Project(face.corner[2]), face.style);
        bands_.EndFace();
    }
}

} // namespace

std::unique_ptr<Device> CreateSoftwareDevice(std::shared_ptr<DrawThreads> threads) {
    return std::make_unique<SoftwareDevice>(std::move(threads));
}

} // namespace rm
