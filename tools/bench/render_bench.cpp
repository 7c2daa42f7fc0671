// brannock-render-bench: renders the bench scene (tools/bench/bench_scene.h) through the
// display's RenderScene and prints one JSON line per screen size:
//   {"size":"1024x768","threads":2,"frames":120,"floor_ms":..,
//    "prepare_ms":..,"prepare_ms_p99":..,"prepare_to_floor":..,   (and the same for)
//    "rasterize_..", "render_..", "present_..", "triangles":<per frame>}
// render is the whole RenderScene: prepare (walking the scene, lighting, clipping, setting
// the triangles up) and then rasterize (drawing them). present is Present, from the end of
// drawing until the window has the picture; without --window there is no window and it
// costs nothing. floor_ms is the least any renderer must do at the size with as many
// threads (tools/bench/floor.h), measured in the same run; each _to_floor is a median
// divided by it. Without --size it runs the three designed sizes in turn.
//
// Options: --frames N (default 120, at least 40), --size WxH (only that size),
// --threads N (threads drawing each frame; default: BRANNOCK_THREADS or every core),
// --window (presents every frame full screen in a real window of the video driver the
// environment chooses: an X server, a Wayland compositor), --png PATH (writes the last
// frame of the last size), --keep (leaves the scratch folder).
#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "media/display.h"
#include "media/gl_probe.h"
#include "media/window.h"
#include "tools/bench/bench_args.h"
#include "tools/bench/bench_report.h"
#include "tools/bench/bench_scene.h"
#include "tools/bench/floor.h"

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* Usage = "usage: brannock-render-bench [--frames N] [--size WxH] "
                              "[--threads N] [--window] [--png PATH] [--keep]\n";

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

bool WritePng(const std::string& path, const TDirectDrawSurface& s) {
    const int w = s.Width(), h = s.Height();
    std::vector<uint8_t> rgb(static_cast<size_t>(w) * static_cast<size_t>(h) * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t c = s.Pixel(x, y);
            const size_t at = (static_cast<size_t>(y) * static_cast<size_t>(w) + x) * 3;
            rgb[at] = static_cast<uint8_t>(c >> 16);
            rgb[at + 1] = static_cast<uint8_t>(c >> 8);
            rgb[at + 2] = static_cast<uint8_t>(c);
        }
    return stbi_write_png(path.c_str(), w, h, 3, rgb.data(), w * 3) != 0;
}

struct Options {
    std::optional<int> threads;
    int frames = bench_scene::DefaultFrames;
    bool window = false;
};

// Times frames renders at one size; the last frame goes to png when that is not empty.
void RunSize(const fs::path& dir, bench_args::Size size, const Options& options,
             const std::string& png) {
    TWindow window; // opened only with --window: otherwise the picture stays in memory
    if (options.window) window.Create("brannock-render-bench", size.width, size.height);
    TDXDraw display(window);
    display.SetOptions({doFullScreen, do3D});
    display.Display = {size.width, size.height, 16};
    display.InitializeDisplay();
    if (options.threads) display.D3DRM()->SetRenderThreads(*options.threads);
    const int threads = display.D3DRM()->RenderThreads();
    bench_scene::SetUpView(*display.D3DRMDevice(), *display.Viewport());
    bench_scene::Scene scene = bench_scene::Build(*display.D3DRM(), display.Scene(), dir);
    std::vector<double> prepare, rasterize, render, present;
    std::vector<int> triangles;
    for (int n = 0; n < options.frames; ++n) {
        bench_scene::Animate(display.Scene(), display.Camera(), scene, n);
        display.FillSurface(0);
        const auto start = Clock::now();
        display.RenderScene();
        const auto drawn = Clock::now();
        display.Present();
        const auto shown = Clock::now();
        const rm::RenderTimes parts = display.D3DRMDevice()->LastRenderTimes();
        prepare.push_back(parts.prepare_ms);
        rasterize.push_back(parts.rasterize_ms);
        render.push_back(Ms(drawn - start));
        present.push_back(Ms(shown - drawn));
        triangles.push_back(display.LastTriangles());
    }
    const double floor_ms = bench_floor::FloorMs(size.width, size.height, threads);
    std::sort(triangles.begin(), triangles.end());
    nlohmann::ordered_json line;
    line["size"] = std::to_string(size.width) + "x" + std::to_string(size.height);
    line["threads"] = threads;
    line["frames"] = options.frames;
    line["floor_ms"] = std::round(floor_ms * 1000) / 1000;
    bench_report::AddFigure(line, "prepare", prepare, floor_ms);
    bench_report::AddFigure(line, "rasterize", rasterize, floor_ms);
    bench_report::AddFigure(line, "render", render, floor_ms);
    bench_report::AddFigure(line, "present", present, floor_ms);
    line["triangles"] = triangles[triangles.size() / 2];
    std::cout << line.dump() << std::endl;
    if (!png.empty() && !WritePng(png, display.BackSurface()))
        std::cerr << "cannot write " << png << "\n";
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    std::string png;
    bool keep = false;
    std::vector<bench_args::Size> sizes = {{640, 480}, {800, 600}, {1024, 768}};
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (arg == "--frames" && has_value) {
            options.frames = std::max(40, std::atoi(argv[++i]));
        } else if (arg == "--size" && has_value) {
            const auto size = bench_args::ParseSize(argv[++i]);
            if (!size) {
                std::cerr << "brannock-render-bench: --size wants WxH, such as 1920x1080\n";
                return 2;
            }
            sizes = {*size};
        } else if (arg == "--threads" && has_value) {
            options.threads = rm::ParseRenderThreads(argv[++i]);
            if (!options.threads) {
                std::cerr << "brannock-render-bench: --threads wants a count from 1 to "
                          << rm::MaxRenderThreads << "\n";
                return 2;
            }
        } else if (arg == "--window") {
            options.window = true;
        } else if (arg == "--png" && has_value) {
            png = argv[++i];
        } else if (arg == "--keep") {
            keep = true;
        } else {
            std::cerr << Usage;
            return 2;
        }
    }
    // As the game does: whether GL is only software is asked in a child, before any thread.
    if (options.window) StartGlProbe();
    const fs::path dir = fs::temp_directory_path() / "brannock-render-bench";
    const int mesh_triangles = bench_scene::WriteFiles(dir);
    int status = 0;
    for (size_t i = 0; i < sizes.size(); ++i) {
        try {
            RunSize(dir, sizes[i], options, i + 1 == sizes.size() ? png : "");
        } catch (const std::exception& error) {
            std::cerr << "brannock-render-bench: " << error.what() << "\n";
            status = 1;
        }
    }
    std::cerr << "scene: " << mesh_triangles << " triangles in 30 meshes, plus ground and walls\n";
    if (!keep) fs::remove_all(dir);
    return status;
}
