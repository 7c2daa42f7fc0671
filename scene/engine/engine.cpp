// The engine object: creates frames, mesh builders, lights, textures, viewports and
// devices.
#include <cmath>

#include "scene/engine/device.h"
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
    std::unique_ptr<Device> CreateDevice() override { return CreateSoftwareDevice(); }
    void SetLoadNamedTextures(bool on) override { textures_->load_named_textures = on; }

private:
    // Shared with the mesh builders, which may outlive the engine.
    std::shared_ptr<TextureCache> textures_ = std::make_shared<TextureCache>();
};

} // namespace

std::unique_ptr<Engine> CreateEngine() {
    return std::make_unique<EngineImpl>();
}

} // namespace rm
