#include "tools/assetgen/pic_robot.h"

#include <cstdint>
#include <filesystem>
#include <iostream>
#include <vector>

#include "scene/engine/rm.h"

namespace assetgen {
namespace {

// The robot's parts as the game's scene builds them (normal mode): mesh file, parent
// (index into this table, -1 for the robot's root) and offset from the parent.
struct Part {
    const char* file;
    int parent;
    float x, y, z;
};
constexpr Part Parts[] = {
    {"body.x", -1, 0, 0, 0},          // 0 body
    {"head.x", 0, 0, 0.8f, 0.3f},     // 1 head
    {"armR1.x", 0, 1.2f, 0.1f, 0.1f}, // 2 right upper arm
    {"armR2b.x", 2, 0.6f, -0.7f, 0.7f},
    {"armL1.x", 0, -1.2f, 0.1f, 0.1f}, // 4 left upper arm
    {"armL2b.x", 4, -0.8f, -0.8f, -0.2f},
    {"momoR.x", 0, 0.6f, -1.4f, 0.1f}, // 6 right thigh
    {"momoL.x", 0, -0.6f, -1.4f, 0.1f},
    {"asiR.x", 6, 0.25f, -1.3f, 0}, // 8 right lower leg
    {"asiL.x", 7, -0.25f, -1.3f, 0},
};
constexpr float PartScale = 0.0022f;
constexpr uint32_t Empty = 0xFF00FF; // never a lit colour of the robot at full strength

} // namespace

bool RenderRobot(const std::string& mesh_dir, int width, int height, Layer& out,
                 const RobotCamera& view) {
    if (!std::filesystem::exists(mesh_dir + "/body.x")) return false;
    constexpr int Super = 2; // rendered at twice the size, then averaged
    const int w = width * Super, h = height * Super;

    std::unique_ptr<rm::Engine> engine = rm::CreateEngine();
    engine->SetLoadNamedTextures(true);
    engine->SetReporter([](const std::string& file, const std::string& message) {
        std::cerr << "assetgen: " << file << ": " << message << "\n";
    });
    rm::FramePtr scene = engine->CreateFrame(nullptr);
    rm::FramePtr robot = engine->CreateFrame(scene);
    std::vector<rm::FramePtr> frames;
    for (const Part& part : Parts) {
        const rm::FramePtr& parent =
            part.parent < 0 ? robot : frames[static_cast<size_t>(part.parent)];
        rm::FramePtr frame = engine->CreateFrame(parent);
        rm::MeshBuilderPtr mesh = engine->CreateMeshBuilder();
        if (!mesh->Load(mesh_dir + "/" + part.file)) return false;
        mesh->Scale(PartScale, PartScale, PartScale);
        frame->AddVisual(mesh);
        frame->SetPosition(parent, part.x, part.y, part.z);
        frames.push_back(frame);
    }
    // The left forearm's built-in tilt, then the victory pose at its full extent.
    frames[5]->SetOrientation(frames[4], 0, 61, 80, 0, 80, -61);
    frames[1]->SetOrientation(frames[0], 0.644f, 0, 0.765f, 0, 1, 0);
    frames[2]->SetOrientation(frames[0], -0.841f, 0, 0.54f, 0, 1, 0);
    frames[3]->SetOrientation(frames[2], 0.15f, 0.409f, 0.9f, -0.227f, 0.9f, -0.371f);
    // Turned a little toward the name on the left of the picture.
    robot->SetOrientation(scene, -0.45f, 0, 1, 0, 1, 0);

    // A cool key light from the upper left, a warm rim from behind, soft ambient.
    scene->AddLight(engine->CreateLightRGB(rm::LightType::Ambient, 0.30f, 0.32f, 0.38f));
    rm::FramePtr key = engine->CreateFrame(scene);
    key->SetPosition(scene, -30, 25, 30);
    key->AddLight(engine->CreateLightRGB(rm::LightType::Point, 0.95f, 0.95f, 1.0f));
    rm::FramePtr rim = engine->CreateFrame(scene);
    rim->SetPosition(scene, 25, 10, -30);
    rim->AddLight(engine->CreateLightRGB(rm::LightType::Point, 0.55f, 0.45f, 0.35f));

    rm::FramePtr camera = engine->CreateFrame(scene);
    camera->SetPosition(scene, view.x, view.y, view.z);
    camera->SetOrientation(scene, view.target_x - view.x, view.target_y - view.y,
                           view.target_z - view.z, 0, 1, 0);
    std::unique_ptr<rm::Viewport> viewport = engine->CreateViewport(w, h);
    viewport->SetFront(1.0f);
    viewport->SetBack(100.0f);
    viewport->SetCamera(camera);
    std::unique_ptr<rm::Device> device = engine->CreateDevice();
    device->SetRenderMode(rm::RenderModeBlendedTransparency | rm::RenderModeSortedTransparency);
    device->SetTextureQuality(rm::TextureLinear);

    std::vector<uint32_t> pixels(static_cast<size_t>(w) * static_cast<size_t>(h), Empty);
    const rm::RenderTarget target{pixels.data(), w, h, w};
    if (device->Render(*scene, *viewport, target) <= 0) return false;

    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            Rgb sum;
            int drawn = 0;
            for (int j = 0; j < Super; ++j)
                for (int i = 0; i < Super; ++i) {
                    const uint32_t p =
                        pixels[static_cast<size_t>((y * Super + j) * w + x * Super + i)];
                    if (p == Empty) continue;
                    const Rgb c = FromHex(p);
                    sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
                    ++drawn;
                }
            if (drawn == 0) continue;
            const float n = static_cast<float>(drawn);
            out.Paint(x, y, {sum.r / n, sum.g / n, sum.b / n},
                      n / static_cast<float>(Super * Super));
        }
    return true;
}

} // namespace assetgen
