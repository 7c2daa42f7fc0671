// brannock-render-bench: renders the bench scene (tools/bench/bench_scene.h) through the
// display's RenderScene and prints one JSON line per screen size:
//   {"size":"1024x768","threads":2,"render_ms":<median>,"render_ms_p99":<p99>,
//    "triangles":<per frame>}
// Without --size it runs the three designed sizes in turn.
//
// Options: --frames N (default 120, at least 40), --size WxH (only that size),
// --threads N (threads drawing each frame; default: BRANNOCK_THREADS or every core),
// --png PATH (writes the last frame of the last size), --keep (leaves the scratch folder).
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
#include "media/window.h"
#include "tools/bench/bench_args.h"
#include "tools/bench/bench_scene.h"

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* Usage = "usage: brannock-render-bench [--frames N] [--size WxH] "
                              "[--threads N] [--png PATH] [--keep]\n";

double Percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    const size_t at = std::min(
        v.size() - 1, static_cast<size_t>(std::ceil(p * static_cast<double>(v.size()))) - 1);
    return v[at];
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

// Times frames renders at one size; the last frame goes to png when that is not empty.
void RunSize(const fs::path& dir, bench_args::Size size, std::optional<int> threads, int frames,
             const std::string& png) {
    TWindow window; // never opened: the picture stays in memory
    TDXDraw display(window);
    display.SetOptions({doFullScreen, do3D});
    display.Display = {size.width, size.height, 16};
    display.InitializeDisplay();
    if (threads) display.D3DRM()->SetRenderThreads(*threads);
    bench_scene::SetUpView(*display.D3DRMDevice(), *display.Viewport());
    bench_scene::Scene scene = bench_scene::Build(*display.D3DRM(), display.Scene(), dir);
    std::vector<double> times;
    std::vector<int> triangles;
    for (int n = 0; n < frames; ++n) {
        bench_scene::Animate(display.Scene(), display.Camera(), scene, n);
        display.FillSurface(0);
        const auto start = std::chrono::steady_clock::now();
        display.RenderScene();
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        triangles.push_back(display.LastTriangles());
    }
    std::sort(triangles.begin(), triangles.end());
    nlohmann::ordered_json line;
    line["size"] = std::to_string(size.width) + "x" + std::to_string(size.height);
    line["threads"] = display.D3DRM()->RenderThreads();
    line["render_ms"] = std::round(Percentile(times, 0.5) * 1000) / 1000;
    line["render_ms_p99"] = std::round(Percentile(times, 0.99) * 1000) / 1000;
    line["triangles"] = triangles[triangles.size() / 2];
    std::cout << line.dump() << std::endl;
    if (!png.empty() && !WritePng(png, display.BackSurface()))
        std::cerr << "cannot write " << png << "\n";
}

} // namespace

int main(int argc, char** argv) {
    int frames = bench_scene::DefaultFrames;
    std::string png;
    bool keep = false;
    std::vector<bench_args::Size> sizes = {{640, 480}, {800, 600}, {1024, 768}};
    std::optional<int> threads;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (arg == "--frames" && has_value) {
            frames = std::max(40, std::atoi(argv[++i]));
        } else if (arg == "--size" && has_value) {
            const auto size = bench_args::ParseSize(argv[++i]);
            if (!size) {
                std::cerr << "brannock-render-bench: --size wants WxH, such as 1920x1080\n";
                return 2;
            }
            sizes = {*size};
        } else if (arg == "--threads" && has_value) {
            threads = rm::ParseRenderThreads(argv[++i]);
            if (!threads) {
                std::cerr << "brannock-render-bench: --threads wants a count from 1 to "
                          << rm::MaxRenderThreads << "\n";
                return 2;
            }
        } else if (arg == "--png" && has_value) {
            png = argv[++i];
        } else if (arg == "--keep") {
            keep = true;
        } else {
            std::cerr << Usage;
            return 2;
        }
    }
    const fs::path dir = fs::temp_directory_path() / "brannock-render-bench";
    const int mesh_triangles = bench_scene::WriteFiles(dir);
    int status = 0;
    for (size_t i = 0; i < sizes.size(); ++i) {
        try {
            RunSize(dir, sizes[i], threads, frames, i + 1 == sizes.size() ? png : "");
        } catch (const EDXDrawError& error) {
            std::cerr << "brannock-render-bench: " << error.what() << "\n";
            status = 1;
        }
    }
    std::cerr << "scene: " << mesh_triangles << " triangles in 30 meshes, plus ground and walls\n";
    if (!keep) fs::remove_all(dir);
    return status;
}
