// The scene's lights: ambient and the lamp always, the travelling lights of shots and
// explosions by the lighting option (all of them, only entry 0, or none).
#include "game/world.h"
#include "scene/construction.h"

namespace {

struct Rgb {
    float r, g, b;
};

// Full lighting makes every entry with its fall-off; simple lighting only entry 0, left at
// the engine's default fall-off.
template <size_t N>
void MakeTravellingLights(const SceneBuilder& b, std::array<rm::LightPtr, N>& lights, Rgb colour,
                          float linear) {
    const int mode = b.world.Light_Mode;
    if (mode != light_mode::Simple && mode != light_mode::Full) return;
    const size_t count = mode == light_mode::Full ? N : 1;
    for (size_t i = 0; i < count; ++i) {
        lights[i] = b.engine.CreateLightRGB(rm::LightType::Point, colour.r, colour.g, colour.b);
        if (mode == light_mode::Full) {
            lights[i]->SetLinearAttenuation(linear);
            lights[i]->SetConstantAttenuation(0.0f);
        }
    }
}

} // namespace

void BuildLights(const SceneBuilder& b) {
    World& w = b.world;
    const bool lit = w.Light_Mode == light_mode::Simple || w.Light_Mode == light_mode::Full;
    const float ambient = lit ? 0.34f : 0.45f;
    const float lamp = lit ? 0.4f : 0.6f;
    b.root->AddLight(b.engine.CreateLightRGB(rm::LightType::Ambient, ambient, ambient, ambient));
    rm::FramePtr lamp_frame = b.engine.CreateFrame(b.root);
    lamp_frame->AddLight(b.engine.CreateLightRGB(rm::LightType::Point, lamp, lamp, lamp));
    lamp_frame->SetPosition(b.root, 200, 250, 200);

    const Rgb shot = b.bonus ? Rgb{1.0f, 0.2f, 1.0f} : Rgb{1.0f, 0.2f, 0.0f};
    MakeTravellingLights(b, w.Shot_Lights, shot, 0.058f);
    MakeTravellingLights(b, w.Teki_Shot_Lights, {0.0f, 1.0f, 1.0f}, 0.058f);
    MakeTravellingLights(b, w.Bakuhatu_Lights, {1.0f, 1.0f, 0.0f}, 0.01f);
}
