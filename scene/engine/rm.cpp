#include "scene/engine/rm.h"

namespace rm {

uint32_t CreateColorRGBA(float r, float g, float b, float a) {
    auto channel = [](float v) { return static_cast<uint32_t>(v * 255.0f) & 0xFFu; };
    return channel(a) << 24 | channel(r) << 16 | channel(g) << 8 | channel(b);
}

} // namespace rm

namespace rm {
std::unique_ptr<Engine> CreateEngine() { return nullptr; }
} // namespace rm
