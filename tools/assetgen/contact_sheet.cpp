// brannock-contact-sheet BIN_DIR OUT_DIR: renders every generated model with the game's
// engine, from the front and from the right side, into OUT_DIR/contact_sheet.png, and a
// top view of each stage (walls, pillars, door and grille over the player's map) into
// OUT_DIR/stage<n>_top.png. A tool for looking at the models; the build does not run it.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_easy_font.h>
#include <stb_image_write.h>

#include "scene/engine/rm.h"
#include "tools/assetgen/contact_sheet_scenes.h"

namespace {

namespace fs = std::filesystem;
using assetgen::SheetItem;

struct Image {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    Image(int w, int h, uint32_t fill) : width(w), height(h), pixels(size_t(w) * size_t(h), fill) {}
};

void Label(Image& image, int x, int y, const std::string& text) {
    static char buffer[60000];
    const int quads =
        stb_easy_font_print(0, 0, const_cast<char*>(text.c_str()), nullptr, buffer, sizeof buffer);
    const float* v = reinterpret_cast<const float*>(buffer);
    for (int q = 0; q < quads; ++q) {
        const float* quad = v + q * 16; // four vertices of x, y, z, colour
        const int x0 = x + static_cast<int>(quad[0]), y0 = y + static_cast<int>(quad[1]);
        const int x1 = x + static_cast<int>(quad[8]), y1 = y + static_cast<int>(quad[9]);
        for (int py = y0; py < y1; ++py)
            for (int px = x0; px < x1; ++px)
                if (px >= 0 && py >= 0 && px < image.width && py < image.height)
                    image.pixels[size_t(py) * size_t(image.width) + size_t(px)] = 0xFFFFFF;
    }
}

void Render(rm::Engine& engine, const rm::FramePtr& root, rm::Device& device, Image& image, int x,
            int y, int size, rm::Vector eye, rm::Vector dir, rm::Vector up, float field,
            float front, float back) {
    auto camera = engine.CreateFrame(root);
    camera->SetPosition(nullptr, eye.x, eye.y, eye.z);
    camera->SetOrientation(nullptr, dir.x, dir.y, dir.z, up.x, up.y, up.z);
    auto light = engine.CreateLightRGB(rm::LightType::Point, 0.75f, 0.75f, 0.75f);
    camera->AddLight(light);
    auto viewport = engine.CreateViewport(size, size);
    viewport->SetFront(front);
    viewport->SetBack(back);
    viewport->SetField(field);
    viewport->SetCamera(camera);
    rm::RenderTarget target{image.pixels.data() + size_t(y) * size_t(image.width) + size_t(x), size,
                            size, image.width};
    device.Render(*root, *viewport, target);
    root->DeleteChild(camera);
}

void WritePng(const Image& image, const fs::path& path) {
    std::vector<uint8_t> rgb;
    rgb.reserve(image.pixels.size() * 3);
    for (uint32_t p : image.pixels) {
        rgb.push_back(uint8_t(p >> 16));
        rgb.push_back(uint8_t(p >> 8));
        rgb.push_back(uint8_t(p));
    }
    stbi_write_png(path.string().c_str(), image.width, image.height, 3, rgb.data(),
                   image.width * 3);
    std::cout << "wrote " << path.string() << "\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: brannock-contact-sheet BIN_DIR OUT_DIR\n";
        return 2;
    }
    const fs::path bin = argv[1], out = argv[2];
    fs::create_directories(out);
    auto engine = rm::CreateEngine();
    engine->SetLoadNamedTextures(true);
    engine->SetReporter([](const std::string& file, const std::string& message) {
        std::cerr << "brannock-contact-sheet: " << file << ": " << message << "\n";
    });
    auto device = engine->CreateDevice();

    const std::vector<SheetItem> items = assetgen::SheetItems();
    const int tile = 200, columns = 10;
    const int rows = static_cast<int>((items.size() * 2 + columns - 1) / columns);
    Image sheet(columns * tile, rows * tile, 0x2C3444);
    for (size_t i = 0; i < items.size(); ++i) {
        const SheetItem& item = items[i];
        auto root = engine->CreateFrame(nullptr);
        root->AddLight(engine->CreateLightRGB(rm::LightType::Ambient, 0.45f, 0.45f, 0.45f));
        const assetgen::SheetView view_at =
            assetgen::BuildSheetScene(*engine, root, bin.string(), item);
        const rm::Vector c = view_at.centre;
        const float d = view_at.size * 3.6f;
        for (int view = 0; view < 2; ++view) {
            const int slot = static_cast<int>(i) * 2 + view;
            const int x = (slot % columns) * tile, y = (slot / columns) * tile;
            const rm::Vector eye = view == 0 ? rm::Vector{c.x, c.y + d * 0.15f, c.z + d}
                                             : rm::Vector{c.x + d, c.y + d * 0.15f, c.z};
            const rm::Vector dir = {c.x - eye.x, c.y - eye.y, c.z - eye.z};
            Render(*engine, root, *device, sheet, x, y, tile, eye, dir, {0, 1, 0}, 0.3f, d * 0.05f,
                   d * 3);
            Label(sheet, x + 4, y + 4, item.label + (view == 0 ? " front" : " side"));
        }
    }
    WritePng(sheet, out / "contact_sheet.png");

    for (int stage = 1; stage <= 3; ++stage) {
        const int size = 816;
        Image top(size, size, 0x000000);
        auto root = engine->CreateFrame(nullptr);
        root->AddLight(engine->CreateLightRGB(rm::LightType::Ambient, 0.6f, 0.6f, 0.6f));
        auto lamp = engine->CreateFrame(root);
        lamp->SetPosition(nullptr, 200, 600, 200);
        lamp->AddLight(engine->CreateLightRGB(rm::LightType::Point, 0.6f, 0.6f, 0.6f));
        assetgen::BuildStageTopScene(*engine, root, bin.string(), out.string(), stage);
        Render(*engine, root, *device, top, 0, 0, size, {212.5f, 1300, 207.5f}, {0, -1, 0},
               {0, 0, 1}, 0.205f, 1.0f, 2000);
        WritePng(top, out / ("stage" + std::to_string(stage) + "_top.png"));
    }
    return 0;
}
