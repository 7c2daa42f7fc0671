// The engine object: creates frames, mesh builders, lights, textures, viewports and
// devices.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <thread>

#include "scene/engine/device.h"
#include "scene/engine/draw_threads.h"
#include "scene/engine/frame.h"
#include "scene/engine/light.h"
#include "scene/engine/mesh_builder.h"
#include "scene/engine/texture.h"
#include "scene/engine/texture_cache.h"
#include "scene/engine/viewport.h"

namespace rm {

uint32_t CreateColorRGBA(float r, float g, float b, float a) {
    auto channel = [](float v) {
        if (!(v > 0.0f)) return 0u;
        if (v >= 1.0f) return 255u;
        return static_cast<uint32_t>(v * 255.0f);
    };
    return channel(a) << 24 | channel(r) << 16 | channel(g) << 8 | channel(b);
}

int DefaultRenderThreads() {
    const auto cores = static_cast<int>(std::thread::hardware_concurrency()); // 0: unknown
    return std::clamp(cores, 1, MaxRenderThreads);
}

std::optional<int> ParseRenderThreads(std::string_view text) {
    int count = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, count);
    if (error != std::errc() || stop != end || count < 1 || count > MaxRenderThreads) return {};
    return count;
}

namespace {

class EngineImpl final : public Engine {
public:
    FramePtr CreateFrame(const FramePtr& parent) override {
        auto frame = std::make_shared<FrameImpl>();
        if (parent) parent->AddChild(frame);
        return frame;
    }
    MeshBuilderPtr CreateMeshBuilder() override {
        return std::make_shared<MeshBuilderImpl>(textures_);
    }
    TexturePtr LoadTexture(const std::string& path) override { return textures_->Load(path); }
    LightPtr CreateLightRGB(LightType type, float r, float g, float b) override {
        return std::make_shared<LightImpl>(type, glm::vec3(r, g, b));
    }
    std::unique_ptr<Viewport> CreateViewport(int width, int height) override {
        return std::make_unique<ViewportImpl>(width, height);
    }
    std::unique_ptr<Device> CreateDevice() override { return CreateSoftwareDevice(threads_); }
    void SetLoadNamedTextures(bool on) override { textures_->load_named_textures = on; }
    void SetRenderThreads(int count) override {
        threads_->SetCount(std::clamp(count, 1, MaxRenderThreads));
    }
    int RenderThreads() const override { return threads_->Count(); }

private:
    // Shared with the devices, which may outlive the engine.
    std::shared_ptr<DrawThreads> threads_ = std::make_shared<DrawThreads>(DefaultRenderThreads());
    // Shared with the mesh builders, which may outlive the engine.
    std::shared_ptr<TextureCache> textures_ = std::make_shared<TextureCache>();
};

} // namespace

std::unique_ptr<Engine> CreateEngine() {
    return std::make_unique<EngineImpl>();
}

} // namespace rm
