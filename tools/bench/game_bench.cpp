// brannock-bench: runs game frames headless on a virtual clock (so pacing costs nothing)
// along a fixed route through stage 1 on Practice (walking, turning, sidestepping, walking into
// walls, camera changes, the gun, blade swings, the guard and missile salvos, so shots with
// their lights and wall explosions are among the measured frames; the zako met on the way
// chase and fire) and prints one JSON line per screen
// size:
//   {"size":"1024x768","threads":2,"frames":N,"create_ms":..,"floor_ms":..,
//    "frame_ms":..,"frame_ms_p99":..,"frame_to_floor":..,   (and the same for)
//    "sim_..","render_..","prepare_..","rasterize_..","overlay_..","present_..",
//    "rss_mb":..,"projectile_frames":..,"explosion_frames":..}
// frame times DXTimerTimer itself. The parts come from a second run of the same route that
// calls the frame's steps one by one in the frame loop's order: sim is everything before
// the 3D render, render is RenderScene (prepare, then rasterize: see brannock-render-bench),
// overlay the HUD, captions and flash after it, present is Present (nothing without a
// window). Each figure is a median with its 99th percentile and the median as a multiple of
// floor_ms, the least any renderer must do at the size with as many threads
// (tools/bench/floor.h), measured in the same run. Each size runs in its own process, so
// rss_mb is that size's peak.
//
// Options: --frames N (default 600), --size WxH (only that size: a designed one full-screen,
//          any other as a window of that size),
//          --threads N (threads drawing the 3D view; default: BRANNOCK_THREADS or every core),
//          --window (a real window of the video driver the environment chooses, presented
//          every frame; headless otherwise),
//          --between N (only the pictures between steps: N after each step, see RunBetween),
//          --shots DIR (no timing: PNGs of every camera mode at the start and at a wall).
#include <SDL.h>
#include <nlohmann/json.hpp>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/game.h"
#include "app/main_form.h"
#include "game/pictures.h"
#include "media/gl_probe.h"
#include "media/report.h"
#include "scene/scene.h"
#include "tools/bench/bench_args.h"
#include "tools/bench/bench_report.h"
#include "tools/bench/floor.h"

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace {

using WallClock = std::chrono::steady_clock;

// Virtual-key codes of the designed key table.
constexpr uint32_t VkUp = 38, VkDown = 40, VkLeft = 37, VkRight = 39;
constexpr uint32_t VkA = 65, VkS = 83, VkG = 71; // turn left, turn right, camera
constexpr uint32_t VkZ = 90, VkX = 88, VkF = 70; // buttons 1 (gun), 2 (blade), 3 (guard)

struct Segment {
    int frames;
    std::set<uint32_t> keys;
    bool full_gauge = false; // the energy gauge is filled first, so buttons 1 + 2 launch
};

// One lap of the route from the start place (facing +x along the bottom corridor).
// 39 frames of turning make about a quarter turn.
const std::vector<Segment> Route = {
    {60, {VkUp, VkZ}},     // along the corridor, firing ahead
    {1, {VkZ, VkX}, true}, // a salvo down the corridor
    {1, {}},
    {9, {VkX}}, // a blade swing
    {1, {VkG}},
    {1, {}},     // camera 1
    {39, {VkA}}, // turn left, toward +z
    {1, {VkG}},
    {1, {}},       // camera 2
    {100, {VkUp}}, // north until the wall stops the robot
    {30, {VkZ}},   // firing at the wall
    {15, {VkF}},
    {10, {}},        // guard up and down
    {20, {VkRight}}, // sidestep along the wall
    {1, {VkG}},
    {1, {}},              // camera 3
    {39, {VkS}},          // turn right, back toward +x
    {30, {VkUp, VkLeft}}, // walk and sidestep at once
    {1, {VkG}},
    {1, {}},        // camera 0
    {78, {VkS}},    // turn around
    {90, {VkUp}},   // back along the corridor
    {25, {VkDown}}, // and a few steps backward
    {39, {VkS}},    // face -z
    {60, {VkUp}},   // into the bottom wall
    {39, {VkA}},    // face +x again
};

// The segment of frame i and whether the frame is its first, the route repeated as often as
// needed.
const Segment& SegmentOfFrame(int i, bool& first) {
    int lap = 0;
    for (const Segment& s : Route) lap += s.frames;
    int at = i % lap;
    for (const Segment& s : Route) {
        first = at == 0;
        if (at < s.frames) return s;
        at -= s.frames;
    }
    return Route.back();
}

// Holds the keys of frame i (and fills the gauge where the route asks for it).
void ScriptFrame(TMainForm& form, int i) {
    bool first = false;
    const Segment& s = SegmentOfFrame(i, first);
    form.DXInput1.SetScriptedKeys(s.keys);
    if (first && s.full_gauge) form.world.Energy = 300.0;
}

double Ms(WallClock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

struct DesignedMode {
    int width, height, display_mode;
    double screen_scale;
};
constexpr DesignedMode DesignedModes[] = {{640, 480, display_mode::FullScreen640, 1.0},
                                          {800, 600, display_mode::FullScreen800, 1.25},
                                          {1024, 768, display_mode::FullScreen1024, 1.6}};

// The settings START would make for a fully featured game: full lighting, translucency,
// textures, camera behind the robot, Nomal difficulty; full-screen at a designed size, any
// other size as a window of that size (as the player sizes it).
void StartGame(TMainForm& form, int width, int height, int camera_mode) {
    World& w = form.world;
    w.Display_Mode = display_mode::Window;
    w.Screen_Scale = 1.0;
    for (const DesignedMode& mode : DesignedModes)
        if (mode.width == width && mode.height == height) {
            w.Display_Mode = mode.display_mode;
            w.Screen_Scale = mode.screen_scale;
        }
    if (w.Display_Mode == display_mode::Window) {
        TDXDrawOptions options = form.DXDraw.Options();
        options.Exclude(doFullScreen);
        form.DXDraw.SetOptions(options);
        form.DXDraw.SetControlSize(width, height);
    } else {
        form.DXDraw.Display.Width = width;
        form.DXDraw.Display.Height = height;
    }
    w.Stage_No = 1;
    w.Map_Image = &form.Image1;
    w.Wall_Image = &form.Image4;
    w.Light_Mode = 2;
    w.Alpha_Blend = true;
    w.No_Texture = false;
    w.AC_Control = false;
    w.Camera_Mode = camera_mode;
    w.Back_Distance = 30 * 2 + 170;
    // Practice: the enemies chase and fire along the route, and their hits flash and cost
    // points but no hit points, so the robot walks the whole route.
    w.Difficulty = 0;
    w.Difficulty_Name = "Practice";
    w.Boss_Damage = 5;
    w.Score = 0;
    w.Missile_Stock = 9999;
    w.Energy_Regen = 1.0;
    SetEnemyHitPoints(w);
    w.Boss_HP = 300;
    form.DXDraw.InitializeDisplay();
}

// One game set up for a bench run: a virtual clock, the application and the form, the
// picture's size, START's settings, the render threads. Create_3D is left to the caller,
// which may time it.
struct BenchGame {
    VirtualClock clock{10000};
    TApplication app{clock};
    TMainForm form;

    BenchGame(int width, int height, std::optional<int> threads, bool window, int camera_mode)
        : form(app, window) {
        // A window of the picture's size, so that presenting copies it without scaling.
        if (window) form.Window.SetClientSize(width, height);
        StartGame(form, width, height, camera_mode);
        if (threads) form.DXDraw.D3DRM()->SetRenderThreads(*threads);
    }
};

struct PassResult {
    int threads = 0;
    double create_ms = 0;
    std::vector<double> frame, sim, render, prepare, rasterize, overlay, present;
    int projectile_frames = 0; // frames with a shot or missile in flight
    int explosion_frames = 0;  // frames with an explosion growing
};

bool AnyAlive(const auto& pool) {
    for (const TParts& p : pool)
        if (p.Life != 0) return true;
    return false;
}

// One game frame without the pacing wait (the clock is virtual and is simply moved on),
// timed in its parts.
void TimedFrame(TMainForm& form, VirtualClock& clock, PassResult& r) {
    World& w = form.world;
    if (!form.DXDraw.IsDrawable()) return;
    const ScreenContext screen = form.MakeScreenContext();
    clock.Advance(static_cast<uint32_t>(w.Frame_Interval));
    w.Tick_Now = w.Tick_Last = clock.Now();
    const auto t0 = WallClock::now();
    BeginGameFrame(screen);
    RunGameSteps(screen);
    const auto t1 = WallClock::now();
    form.DXDraw.RenderScene();
    const auto t2 = WallClock::now();
    DrawGameOverlays(screen);
    const auto t3 = WallClock::now();
    form.DXDraw.Present();
    const auto t4 = WallClock::now();
    r.sim.push_back(Ms(t1 - t0));
    r.render.push_back(Ms(t2 - t1));
    const rm::RenderTimes parts = form.DXDraw.D3DRMDevice()->LastRenderTimes();
    r.prepare.push_back(parts.prepare_ms);
    r.rasterize.push_back(parts.rasterize_ms);
    r.overlay.push_back(Ms(t3 - t2));
    r.present.push_back(Ms(t4 - t3));
}

PassResult RunPass(int width, int height, std::optional<int> threads, int frames, bool by_parts,
                   bool window) {
    BenchGame game(width, height, threads, window, 0);
    TMainForm& form = game.form;
    PassResult r;
    r.threads = form.DXDraw.D3DRM()->RenderThreads();
    const auto c0 = WallClock::now();
    Create_3D(form.MakeScreenContext());
    r.create_ms = Ms(WallClock::now() - c0);
    for (int i = 0; i < frames; ++i) {
        ScriptFrame(form, i);
        if (by_parts) {
            TimedFrame(form, game.clock, r);
        } else {
            const auto t0 = WallClock::now();
            DXTimerTimer(form.MakeScreenContext());
            r.frame.push_back(Ms(WallClock::now() - t0));
        }
        const World& w = form.world;
        r.projectile_frames += AnyAlive(w.Tama) || AnyAlive(w.Missile) ? 1 : 0;
        r.explosion_frames += AnyAlive(w.Bakuhatu) ? 1 : 0;
    }
    return r;
}

double PeakRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

double Round2(double v) {
    return static_cast<double>(std::llround(v * 100.0)) / 100.0;
}

// --between N: each step as the game runs it, then N pictures between it and the next at
// even blends, each drawn whole (scene, HUD) and presented as the game draws them. Prints
// the time per picture drawn between steps (mean, median, p99) and the pictures a second
// the whole run came to (steps' pictures included), the most this size and thread count
// can sustain with as many pictures between the steps.
void RunBetween(int width, int height, std::optional<int> threads, int frames, int between,
                bool window) {
    BenchGame game(width, height, threads, window, 0);
    TMainForm& form = game.form;
    Create_3D(form.MakeScreenContext());
    std::vector<double> drawn;
    const auto start = WallClock::now();
    for (int i = 0; i < frames; ++i) {
        ScriptFrame(form, i);
        DXTimerTimer(form.MakeScreenContext());
        const ScreenContext screen = form.MakeScreenContext();
        for (int k = 1; k <= between; ++k) {
            const auto t0 = WallClock::now();
            DrawGameFrame(screen, static_cast<float>(k) / static_cast<float>(between + 1));
            form.DXDraw.PresentBetweenFrames();
            drawn.push_back(Ms(WallClock::now() - t0));
        }
    }
    const double seconds = Ms(WallClock::now() - start) / 1000.0;
    double sum = 0;
    for (const double ms : drawn) sum += ms;
    nlohmann::ordered_json line;
    line["size"] = std::to_string(width) + "x" + std::to_string(height);
    line["threads"] = form.DXDraw.D3DRM()->RenderThreads();
    line["steps"] = frames;
    line["between"] = between;
    line["drawn_ms_mean"] = Round2(sum / static_cast<double>(drawn.size()));
    line["drawn_ms"] = Round2(bench_report::Percentile(drawn, 0.5));
    line["drawn_ms_p99"] = Round2(bench_report::Percentile(drawn, 0.99));
    line["pictures_per_second"] =
        Round2(static_cast<double>(frames) * (between + 1) / std::max(seconds, 1e-9));
    std::cout << line.dump() << std::endl;
}

void RunSize(int width, int height, std::optional<int> threads, int frames, bool window) {
    const PassResult whole = RunPass(width, height, threads, frames, false, window);
    const PassResult parts = RunPass(width, height, threads, frames, true, window);
    const double floor_ms = bench_floor::FloorMs(width, height, whole.threads);
    nlohmann::ordered_json line;
    line["size"] = std::to_string(width) + "x" + std::to_string(height);
    line["threads"] = whole.threads;
    line["frames"] = frames;
    line["create_ms"] = Round2(whole.create_ms);
    line["floor_ms"] = std::round(floor_ms * 1000) / 1000;
    bench_report::AddFigure(line, "frame", whole.frame, floor_ms);
    bench_report::AddFigure(line, "sim", parts.sim, floor_ms);
    bench_report::AddFigure(line, "render", parts.render, floor_ms);
    bench_report::AddFigure(line, "prepare", parts.prepare, floor_ms);
    bench_report::AddFigure(line, "rasterize", parts.rasterize, floor_ms);
    bench_report::AddFigure(line, "overlay", parts.overlay, floor_ms);
    bench_report::AddFigure(line, "present", parts.present, floor_ms);
    line["rss_mb"] = Round2(PeakRssMb());
    line["projectile_frames"] = whole.projectile_frames;
    line["explosion_frames"] = whole.explosion_frames;
    std::cout << line.dump() << std::endl;
}

bool WriteShot(TMainForm& form, const std::string& path) {
    TDirectDrawSurface& s = form.DXDraw.BackSurface();
    std::vector<uint8_t> rgb(static_cast<size_t>(s.Width() * s.Height() * 3));
    for (int i = 0; i < s.Width() * s.Height(); ++i) {
        const uint32_t p = s.Pixels()[i];
        rgb[static_cast<size_t>(3 * i)] = static_cast<uint8_t>(p >> 16);
        rgb[static_cast<size_t>(3 * i + 1)] = static_cast<uint8_t>(p >> 8);
        rgb[static_cast<size_t>(3 * i + 2)] = static_cast<uint8_t>(p);
    }
    if (stbi_write_png(path.c_str(), s.Width(), s.Height(), 3, rgb.data(), s.Width() * 3) != 0)
        return true;
    ReportProblemLine(path, "cannot write the picture");
    return false;
}

// Every camera mode at the start place, then after turning left and walking north until
// the wall of the gate row stops the robot.
int TakeShots(const std::string& dir) {
    for (int mode = 0; mode < 4; ++mode) {
        BenchGame game(800, 600, std::nullopt, false, mode);
        TMainForm& form = game.form;
        Create_3D(form.MakeScreenContext());
        auto run = [&](int n, std::set<uint32_t> keys) {
            form.DXInput1.SetScriptedKeys(keys);
            for (int i = 0; i < n; ++i) DXTimerTimer(form.MakeScreenContext());
        };
        const std::string base = dir + "/camera" + std::to_string(mode);
        run(1, {});
        if (!WriteShot(form, base + "_start.png")) return 1;
        if (mode == 0) {
            // A look from the robot's right, level with its knees, to see the feet on the
            // ground; then the mode's own placement again.
            World& w = form.world;
            w.Camera_Frame->SetPosition(w.Robo_Frame, 12, -3, 0);
            w.Camera_Frame->SetOrientation(w.Robo_Frame, -1, 0, 0, 0, 1, 0);
            form.DXDraw.RenderScene();
            if (!WriteShot(form, dir + "/side_check.png")) return 1;
            ApplyCameraPlacement(form.MakeGameContext());
        }
        run(39, {VkA});
        run(100, {VkUp});
        run(1, {});
        if (!WriteShot(form, base + "_wall.png")) return 1;
        const rm::Vector at = form.world.Robo_Frame->GetPosition(form.DXDraw.Scene());
        std::cout << base << ": robot at (" << at.x << ", " << at.z << "), "
                  << form.DXDraw.LastTriangles() << " triangles drawn\n";
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    SetReportingProgramName("brannock-bench");
    int frames = 600;
    std::string shots;
    std::vector<bench_args::Size> sizes = {{640, 480}, {800, 600}, {1024, 768}};
    std::optional<int> threads;
    bool window = false;
    int between = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (arg == "--frames" && has_value) {
            frames = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--shots" && has_value) {
            shots = argv[++i];
        } else if (arg == "--size" && has_value) {
            const auto size = bench_args::ParseSize(argv[++i]);
            if (!size) {
                ReportProblemLine("", "--size wants WxH, such as 1920x1080");
                return 2;
            }
            sizes = {*size};
        } else if (arg == "--threads" && has_value) {
            threads = rm::ParseRenderThreads(argv[++i]);
            if (!threads) {
                ReportProblemLine("", "--threads wants a count from 1 to " +
                                          std::to_string(rm::MaxRenderThreads));
                return 2;
            }
        } else if (arg == "--between" && has_value) {
            between = std::clamp(std::atoi(argv[++i]), 1, 100);
        } else if (arg == "--window") {
            window = true;
        } else {
            ReportProblemLine("", "usage: brannock-bench [--frames N] [--size WxH] [--threads N] "
                                  "[--window] [--between N] [--shots DIR]");
            return 2;
        }
    }
    // Headless unless asked for a window; never a sound card.
    if (!window) setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);

    if (!shots.empty()) {
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
            ReportProblemLine("", std::string("cannot start SDL: ") + SDL_GetError());
            return 1;
        }
        const int rc = TakeShots(shots);
        SDL_Quit();
        return rc;
    }
    int failures = 0;
    for (const auto [width, height] : sizes) {
        // A process per size, so each reports its own peak memory.
        const pid_t child = fork();
        if (child == 0) {
            // As the game does: whether GL is only software is asked in a child of its own,
            // while this process has one thread.
            if (window) StartGlProbe();
            if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) _exit(1);
            try {
                if (between > 0)
                    RunBetween(width, height, threads, frames, between, window);
                else
                    RunSize(width, height, threads, frames, window);
            } catch (const std::exception& error) {
                ReportProblemLine("", error.what());
                _exit(1);
            }
            SDL_Quit();
            _exit(0);
        }
        int status = 0;
        if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
            WEXITSTATUS(status) != 0)
            ++failures;
    }
    return failures == 0 ? 0 : 1;
}
