#include "scene/engine/device.h"

namespace rm {

namespace {
class SoftwareDevice final : public Device {
public:
    void SetRenderMode(uint32_t flags) override { render_mode_ = flags; }
    void SetTextureQuality(int quality) override { quality_ = quality; }
    int Render(const Frame&, const Viewport&, const RenderTarget&) override { return 0; }

private:
    uint32_t render_mode_ = 0;
    int quality_ = TextureNearest;
};
} // namespace

std::unique_ptr<Device> CreateSoftwareDevice() {
    return std::make_unique<SoftwareDevice>();
}

} // namespace rm
