// libFuzzer target for the mesh loading path: the input is read as a .x mesh file and as a
// BMP texture through the engine, and whatever loads is drawn on a small surface. Nothing
// may crash, hang or touch memory it does not own, whatever the bytes.
//
// Build: `cmake --preset fuzz && cmake --build --preset fuzz`, then run
//   brannock-fuzz-mesh -close_fd_mask=2 -dict=tools/fuzz/mesh.dict CORPUS_DIR tools/fuzz/seeds/mesh
// (-close_fd_mask=2 hides the engine's reports of unreadable files, not the fuzzer's own.)
// tools/fuzz/run_all runs every target from its seeds and the generated game files.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "scene/engine/rm.h"

namespace {

// A folder of its own for the files each input is written to.
const std::filesystem::path& ScratchFolder() {
    static const std::filesystem::path folder = [] {
        auto path =
            std::filesystem::temp_directory_path() / ("brannock-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

void Write(const std::filesystem::path& path, const uint8_t* data, size_t size) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// Looks at the mesh from in front of its box and draws it once opaque and once see-through.
void Draw(rm::Engine& engine, const rm::MeshBuilderPtr& mesh, const rm::TexturePtr& texture) {
    rm::Vector min, max;
    mesh->GetBox(min, max);
    auto root = engine.CreateFrame(nullptr);
    root->AddLight(engine.CreateLightRGB(rm::LightType::Ambient, 0.3f, 0.3f, 0.3f));
    auto lamp = engine.CreateFrame(root);
    auto light = engine.CreateLightRGB(rm::LightType::Point, 1, 0.5f, 0.2f);
    light->SetConstantAttenuation(0);
    light->SetLinearAttenuation(0.058f);
    lamp->AddLight(light);
    lamp->SetPosition(nullptr, max.x, max.y, min.z);
    auto holder = engine.CreateFrame(root);
    holder->AddVisual(mesh);
    holder->SetRotation(root, 0, 1, 0, 0.7f);
    auto camera = engine.CreateFrame(root);
    const float depth = (max.x - min.x) + (max.y - min.y) + 1.0f;
    camera->SetPosition(nullptr, (min.x + max.x) / 2, (min.y + max.y) / 2, min.z - depth);
    auto viewport = engine.CreateViewport(32, 24);
    viewport->SetCamera(camera);
    viewport->SetFront(0.5f);
    viewport->SetBack(depth * 4);
    auto device = engine.CreateDevice();
    device->SetRenderMode(rm::RenderModeBlendedTransparency | rm::RenderModeSortedTransparency);
    std::vector<uint32_t> pixels(32 * 24, 0);
    const rm::RenderTarget target{pixels.data(), 32, 24, 32};
    device->Render(*root, *viewport, target);
    if (texture) {
        texture->SetDecalTransparency(true);
        mesh->SetTexture(texture);
        mesh->SetPerspective(true);
    }
    mesh->SetColor(rm::CreateColorRGBA(0.0f, 0.9f, 0.9f, 0.5f));
    device->SetTextureQuality(rm::TextureLinear);
    root->Move(1.0f);
    device->Render(*root, *viewport, target);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto mesh_path = ScratchFolder() / "mesh.x";
    const auto texture_path = ScratchFolder() / "texture.bmp";
    Write(mesh_path, data, size);
    Write(texture_path, data, size);

    auto engine = rm::CreateEngine();
    const rm::TexturePtr texture = engine->LoadTexture(texture_path.string());
    auto mesh = engine->CreateMeshBuilder();
    const bool loaded = mesh->Load(mesh_path.string());
    if (!loaded && mesh->FaceCount() != 0) __builtin_trap(); // a failed load leaves it empty
    Draw(*engine, mesh, texture);
    mesh->Scale(1e30f, 1e-30f, 0.0f); // degenerate and huge geometry must draw safely too
    Draw(*engine, mesh, texture);
    return 0;
}
