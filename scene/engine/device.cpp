// The software device: walks the scene graph, lights the vertices of every visible mesh,
// clips, sets the triangles up and sorts them into strips of rows, then draws the strips;
// translucent faces wait until every opaque one is drawn and then go back to front.
//
// Every thread of the engine takes part in every phase of a frame, meeting the others
// between them:
//   1. the calling thread walks the scene graph and orders the meshes, nearest first;
//   2. each thread takes the next mesh not yet taken and prepares it into a chunk of its own;
//   3. one thread numbers the faces and sorts the translucent ones, back to front;
//   4. each thread prepares an even share of the sorted translucent faces;
//   5. each thread takes the next strip of rows not yet taken and draws it.
// Whichever thread prepares a mesh or draws a strip, the chunks are drawn in the same order
// and every pixel goes through the same steps, so the picture is the same for any number
// of threads.
#include "scene/engine/device.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <exception>
#include <mutex>
#include <vector>

#include "scene/engine/clipper.h"
#include "scene/engine/draw_threads.h"
#include "scene/engine/frame.h"
#include "scene/engine/light.h"
#include "scene/engine/lighting.h"
#include "scene/engine/mesh_builder.h"
#include "scene/engine/phase_barrier.h"
#include "scene/engine/strip_rasterizer.h"
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

// What a thread keeps from mesh to mesh: the per-vertex work of the mesh at hand.
struct VertexScratch {
    std::vector<glm::vec3> camera_positions, light;
    std::vector<uint32_t> light_stamp, outcodes, to_light, screen_stamp;
    std::vector<VisibleFace> visible;
    std::vector<ScreenVertex> screen;
    uint32_t stamp = 0;

    // A number not yet used in the stamp arrays, which mark per-vertex work already done.
    uint32_t NextStamp() {
        if (++stamp == 0) { // wrapped round after years of frames: start the marks afresh
            std::fill(light_stamp.begin(), light_stamp.end(), 0u);
            std::fill(screen_stamp.begin(), screen_stamp.end(), 0u);
            stamp = 1;
        }
        return stamp;
    }
};

// A mesh as prepared for one frame: its triangles, and its translucent faces waiting to be
// sorted with every other mesh's.
struct PreparedMesh {
    TriangleChunk chunk;
    std::vector<TranslucentFace> translucent;
};

class SoftwareDevice final : public Device {
public:
    explicit SoftwareDevice(std::shared_ptr<DrawThreads> threads) : threads_(std::move(threads)) {}
    void SetRenderMode(uint32_t flags) override { render_mode_ = flags; }
    void SetTextureQuality(int quality) override { quality_ = quality; }
    void SetBackground(std::optional<uint32_t> colour) override { background_ = colour; }
    using Device::Render;
    int Render(const Frame& root, const Viewport& viewport, const RenderTarget& target,
               float blend) override;
    RenderTimes LastRenderTimes() const override { return times_; }

private:
    using Clock = std::chrono::steady_clock;

    // Phase 1: the meshes and lights of the scene, as seen from the camera.
    void Collect(const FrameImpl& frame, const Transform& to_camera);
    void BeginFrame(const Frame& root, const Frame& camera, int threads);
    // Phase 2: meshes taken one by one until none is left.
    void PrepareMeshes(int thread);
    void PrepareMesh(const Instance& instance, bool needs_clipping, VertexScratch& scratch,
                     PreparedMesh& out);
    // Phase 3, on one thread.
    void OrderFrame();
    // Phase 4: the thread's share of the sorted translucent faces.
    void PrepareTranslucent(int thread);
    void ListTranslucentChunks();

    // One face, clipped by the planes, into chunk.
    void AddClipped(TriangleChunk& chunk, ClipVertex* polygon, uint32_t planes,
                    const TriangleStyle& style) const;
    enum class Sight { None, Part, Whole };
    // Whether a mesh's bounding sphere lies outside the view, partly in it, or wholly
    // inside the planes triangles are clipped against.
    Sight InSight(const Instance& instance) const;

    // Runs one thread's part of a phase unless a thread has failed; a failure is kept for
    // the calling thread, and the other phases are skipped, while every thread still
    // meets the others between phases.
    template <class Work> void Guarded(Work&& work);

    std::shared_ptr<DrawThreads> threads_;
    uint32_t render_mode_ = 0;
    int quality_ = TextureNearest;
    std::optional<uint32_t> background_;
    RenderTimes times_;

    // Per-frame state, kept between frames so that drawing allocates nothing once the
    // buffers have grown to the scene's size.
    std::vector<Instance> instances_;
    std::vector<PointLight> lights_;
    glm::vec3 ambient_{0.0f};
    std::vector<VertexScratch> scratch_;              // per thread
    std::vector<PreparedMesh> prepared_;              // per instance
    std::atomic<size_t> next_instance_{0};            // the next instance for a thread to prepare
    std::vector<const TranslucentFace*> translucent_; // in the order the meshes gave them
    std::vector<std::pair<float, uint32_t>> translucent_order_; // depth, index
    std::vector<TriangleChunk> translucent_chunks_;             // per thread
    std::vector<ChunkInFrame> chunks_;                          // in drawing order
    uint32_t opaque_faces_ = 0;
    uint32_t face_count_ = 0;
    Clock::time_point prepared_at_;
    StripRasterizer strips_;
    PhaseBarrier barrier_;
    std::atomic<bool> failed_{false};
    std::mutex failure_mutex_;
    std::exception_ptr failure_;

    Clipper clipper_{1, 100, 1, 1};
    Projection projection_{0, 0, 1};
    float front_ = 1, back_ = 100, view_x_ = 1, view_y_ = 1;
    int height_ = 0;
    float blend_ = 1; // of this Render: between the last kept step (0) and now (1)
};

template <class Work> void SoftwareDevice::Guarded(Work&& work) {
    if (failed_.load(std::memory_order_relaxed)) return;
    try {
        work();
    } catch (...) {
        const std::lock_guard lock(failure_mutex_);
        if (!failure_) failure_ = std::current_exception();
        failed_.store(true, std::memory_order_relaxed);
    }
}

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
        Collect(impl, Combine(to_camera, impl.Shown(blend_)));
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

void SoftwareDevice::AddClipped(TriangleChunk& chunk, ClipVertex* polygon, uint32_t planes,
                                const TriangleStyle& style) const {
    const int count = clipper_.Clip(polygon, 3, planes);
    if (count != 0) {
        const ScreenVertex first = projection_.Project(polygon[0]);
        ScreenVertex previous = projection_.Project(polygon[1]);
        for (int i = 2; i < count; ++i) {
            const ScreenVertex next = projection_.Project(polygon[i]);
            chunk.AddSetUp(first, previous, next, style, height_);
            previous = next;
        }
    }
    chunk.EndFace();
}

void SoftwareDevice::PrepareMesh(const Instance& instance, bool needs_clipping,
                                 VertexScratch& scratch, PreparedMesh& out) {
    const MeshData& data = instance.mesh->Data();
    const size_t count = data.positions.size();
    auto& camera_positions = scratch.camera_positions;
    auto& outcodes = scratch.outcodes;
    camera_positions.resize(count);
    scratch.light.resize(count);
    scratch.light_stamp.resize(count, 0);
    outcodes.resize(count);
    scratch.screen.resize(count);
    scratch.screen_stamp.resize(count, 0);

    const Transform& m = instance.to_camera;
    for (size_t i = 0; i < count; ++i) camera_positions[i] = m.Point(data.positions[i]);
    if (needs_clipping) {
        for (size_t i = 0; i < count; ++i) outcodes[i] = clipper_.Outcode(camera_positions[i]);
    } else {
        std::fill(outcodes.begin(), outcodes.begin() + static_cast<ptrdiff_t>(count), 0u);
    }

    // The faces that can be seen: inside the view and turned toward the camera. Only
    // their vertices are lit, each once.
    scratch.visible.clear();
    scratch.to_light.clear();
    const uint32_t light_stamp = scratch.NextStamp();
    for (size_t g = 0; g < data.groups.size(); ++g) {
        const std::vector<uint32_t>& indices = data.groups[g].indices;
        for (size_t f = 0; f + 2 < indices.size(); f += 3) {
            const uint32_t i0 = indices[f], i1 = indices[f + 1], i2 = indices[f + 2];
            if ((outcodes[i0] & outcodes[i1] & outcodes[i2]) != 0) continue;
            const glm::vec3& a = camera_positions[i0];
            // Front faces wind clockwise as seen from the camera (at the origin).
            const glm::vec3 normal = glm::cross(camera_positions[i1] - a, camera_positions[i2] - a);
            if (!(glm::dot(normal, a) < 0.0f)) continue;
            scratch.visible.push_back({{i0, i1, i2}, static_cast<uint32_t>(g)});
            for (uint32_t index : {i0, i1, i2}) {
                if (scratch.light_stamp[index] == light_stamp) continue;
                scratch.light_stamp[index] = light_stamp;
                scratch.to_light.push_back(index);
            }
        }
    }
    if (scratch.visible.empty()) return;
    const LightingInput lighting{camera_positions.data(), data.normals.data(),
                                 glm::transpose(SafeInverse(m.m)), ambient_, &lights_};
    LightVertices(lighting, scratch.to_light.data(), scratch.to_light.size(), scratch.light.data());

    const bool blended = (render_mode_ & RenderModeBlendedTransparency) != 0;
    const bool sorted = (render_mode_ & RenderModeSortedTransparency) != 0;
    const auto& visible = scratch.visible;
    size_t face = 0;
    while (face < visible.size()) {
        const uint32_t g = visible[face].group;
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
            v.position = camera_positions[index];
            v.colour =
                glm::clamp(material.emissive + diffuse * scratch.light[index], 0.0f, 1.0f) * 255.0f;
            v.uv = data.uvs[index];
            return v;
        };
        const uint32_t screen_stamp = scratch.NextStamp();
        for (; face < visible.size() && visible[face].group == g; ++face) {
            const auto [i0, i1, i2] = visible[face].corner;
            const uint32_t planes = outcodes[i0] | outcodes[i1] | outcodes[i2];
            if (translucent && sorted) {
                TranslucentFace& deferred = out.translucent.emplace_back();
                deferred.corner[0] = corner(i0);
                deferred.corner[1] = corner(i1);
                deferred.corner[2] = corner(i2);
                deferred.style = style;
                deferred.depth =
                    camera_positions[i0].z + camera_positions[i1].z + camera_positions[i2].z;
                continue;
            }
            if (planes != 0) {
                ClipVertex polygon[MaxClipVertices] = {corner(i0), corner(i1), corner(i2)};
                AddClipped(out.chunk, polygon, planes, style);
                continue;
            }
            for (uint32_t index : {i0, i1, i2}) {
                if (scratch.screen_stamp[index] == screen_stamp) continue;
                scratch.screen_stamp[index] = screen_stamp;
                scratch.screen[index] = projection_.Project(corner(index));
            }
            out.chunk.AddSetUp(scratch.screen[i0], scratch.screen[i1], scratch.screen[i2], style,
                               height_);
            out.chunk.EndFace();
        }
    }
}

void SoftwareDevice::BeginFrame(const Frame& root, const Frame& camera, int threads) {
    const auto& root_impl = static_cast<const FrameImpl&>(root);
    const Transform view = Inverse(static_cast<const FrameImpl&>(camera).ShownWorld(blend_));
    instances_.clear();
    lights_.clear();
    ambient_ = glm::vec3(0.0f);
    Collect(root_impl, Combine(view, root_impl.ShownWorld(blend_)));
    std::sort(instances_.begin(), instances_.end(),
              [](const Instance& a, const Instance& b) { return a.depth < b.depth; });
    if (prepared_.size() < instances_.size()) prepared_.resize(instances_.size());
    scratch_.resize(static_cast<size_t>(threads));
    translucent_chunks_.resize(static_cast<size_t>(threads));
    next_instance_.store(0, std::memory_order_relaxed);
}

void SoftwareDevice::PrepareMeshes(int thread) {
    VertexScratch& scratch = scratch_[static_cast<size_t>(thread)];
    for (;;) {
        const size_t i = next_instance_.fetch_add(1, std::memory_order_relaxed);
        if (i >= instances_.size()) return;
        PreparedMesh& out = prepared_[i];
        out.chunk.Clear();
        out.translucent.clear();
        if (const Sight sight = InSight(instances_[i]); sight != Sight::None)
            PrepareMesh(instances_[i], sight == Sight::Part, scratch, out);
        out.chunk.Bin(strips_.Rows());
    }
}

void SoftwareDevice::OrderFrame() {
    chunks_.clear();
    translucent_.clear();
    uint32_t faces = 0;
    for (size_t i = 0; i < instances_.size(); ++i) {
        const PreparedMesh& mesh = prepared_[i];
        if (!mesh.chunk.Empty()) chunks_.push_back({&mesh.chunk, faces});
        faces += mesh.chunk.Faces();
        for (const TranslucentFace& face : mesh.translucent) translucent_.push_back(&face);
    }
    opaque_faces_ = faces;
    face_count_ = faces + static_cast<uint32_t>(translucent_.size());
    // Back to front; faces at the same depth keep their order.
    translucent_order_.clear();
    for (size_t i = 0; i < translucent_.size(); ++i)
        translucent_order_.emplace_back(translucent_[i]->depth, static_cast<uint32_t>(i));
    std::sort(translucent_order_.begin(), translucent_order_.end(),
              [](const auto& a, const auto& b) {
                  return a.first > b.first || (a.first == b.first && a.second < b.second);
              });
}

// Thread t's share of the sorted faces: the t-th of as many even runs as there are threads.
std::pair<size_t, size_t> ShareOf(size_t count, size_t thread, size_t threads) {
    return {count * thread / threads, count * (thread + 1) / threads};
}

void SoftwareDevice::PrepareTranslucent(int thread) {
    TriangleChunk& chunk = translucent_chunks_[static_cast<size_t>(thread)];
    chunk.Clear();
    const auto [first, end] =
        ShareOf(translucent_order_.size(), static_cast<size_t>(thread), translucent_chunks_.size());
    for (size_t i = first; i < end; ++i) {
        const TranslucentFace& face = *translucent_[translucent_order_[i].second];
        uint32_t planes = 0;
        for (const ClipVertex& v : face.corner) planes |= clipper_.Outcode(v.position);
        if (planes != 0) {
            ClipVertex polygon[MaxClipVertices] = {face.corner[0], face.corner[1], face.corner[2]};
            AddClipped(chunk, polygon, planes, face.style);
            continue;
        }
        chunk.AddSetUp(projection_.Project(face.corner[0]), projection_.Project(face.corner[1]),
                       projection_.Project(face.corner[2]), face.style, height_);
        chunk.EndFace();
    }
    chunk.Bin(strips_.Rows());
}

void SoftwareDevice::ListTranslucentChunks() {
    for (size_t t = 0; t < translucent_chunks_.size(); ++t) {
        const TriangleChunk& chunk = translucent_chunks_[t];
        const auto first = ShareOf(translucent_order_.size(), t, translucent_chunks_.size()).first;
        if (!chunk.Empty())
            chunks_.push_back({&chunk, opaque_faces_ + static_cast<uint32_t>(first)});
    }
}

int SoftwareDevice::Render(const Frame& root, const Viewport& viewport, const RenderTarget& target,
                           float blend) {
    times_ = {};
    blend_ = blend;
    const int width = std::min(viewport.Width(), target.width);
    const int height = std::min(viewport.Height(), target.height);
    if (width <= 0 || height <= 0 || target.pixels == nullptr) return 0;
    const FramePtr camera = viewport.GetCamera();
    if (!camera) {
        if (background_) PaintRows(target, width, 0, height, *background_);
        return 0;
    }

    const auto start = Clock::now();
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
    height_ = height;

    const int threads = threads_->Count();
    barrier_.SetCount(threads);
    failed_.store(false, std::memory_order_relaxed);
    failure_ = nullptr;
    threads_->Run([&](int thread) {
        if (thread == 0)
            Guarded([&] {
                BeginFrame(root, *camera, threads);
                strips_.Begin(target, width, height, background_, threads);
            });
        barrier_.ArriveAndWait();
        Guarded([&] { PrepareMeshes(thread); });
        barrier_.ArriveAndWait([&] {
            Guarded([&] { OrderFrame(); });
            prepared_at_ = Clock::now();
        });
        // Every thread sees the same list here, so all of them meet once more or none.
        if (!translucent_order_.empty()) {
            Guarded([&] { PrepareTranslucent(thread); });
            barrier_.ArriveAndWait([&] {
                Guarded([&] { ListTranslucentChunks(); });
                prepared_at_ = Clock::now();
            });
        }
        Guarded([&] { strips_.DrawStrips(thread, chunks_, face_count_); });
    });
    if (failure_) std::rethrow_exception(failure_);
    const int drawn = strips_.CountCoveredFaces(face_count_);
    const auto end = Clock::now();
    times_.prepare_ms = std::chrono::duration<double, std::milli>(prepared_at_ - start).count();
    times_.rasterize_ms = std::chrono::duration<double, std::milli>(end - prepared_at_).count();
    return drawn;
}

} // namespace

std::unique_ptr<Device> CreateSoftwareDevice(std::shared_ptr<DrawThreads> threads) {
    return std::make_unique<SoftwareDevice>(std::move(threads));
}

} // namespace rm
