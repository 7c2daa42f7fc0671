#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "media/display.h"
#include "media/window.h"
#include "tests/engine/test_files.h"
#include "tests/support/env_scope.h"

namespace {

const TDXDrawOptions DesignedOptions{doFullScreen, do3D};

TDXDrawOptions WindowOptions() {
    TDXDrawOptions o = DesignedOptions;
    o.Exclude(doFullScreen);
    return o;
}

// A display without a window, recording its events in order.
class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        display.SetOptions(WindowOptions());
        display.Display.BitCount = 16;
        display.AddNotifyListener([this](TDXDraw::Notify n) {
            const char* names[] = {"notify initialize", "notify finalize", "notify restore"};
            events.push_back(names[static_cast<int>(n)]);
        });
        display.OnInitialize = [this](TDXDraw& d) {
            events.push_back("OnInitialize");
            drawable_inside = d.IsDrawable();
        };
        display.OnInitializeSurface = [this](TDXDraw&) { events.push_back("OnInitializeSurface"); };
        display.OnRestoreSurface = [this](TDXDraw&) { events.push_back("OnRestoreSurface"); };
        display.OnFinalize = [this](TDXDraw&) { events.push_back("OnFinalize"); };
    }

    // The display finalises when destroyed and its handlers write here: declared first.
    std::vector<std::string> events;
    bool drawable_inside = true;
    TWindow window; // never opened
    TDXDraw display{window};
};

// The 2D overlay's scale: one more for every 480 lines, but never more than the width
// allows at 640 columns a step.
TEST_F(DisplayTest, TheUiScaleGrowsWithTheLinesAndNeverCutsTheWidth) {
    struct Row {
        int w, h, scale;
    } const rows[] = {{647, 471, 1},   {640, 480, 1},   {1280, 959, 1},  {1280, 960, 2},
                      {1920, 1080, 2}, {1280, 1024, 2}, {2560, 1439, 2}, {2560, 1440, 3},
                      {1279, 1080, 1}, {1919, 1440, 2}, {100, 100, 1}};
    for (const Row& row : rows) {
        display.SetControlSize(row.w, row.h);
        EXPECT_EQ(display.UiScale(), row.scale) << row.w << " x " << row.h;
    }
}

TEST_F(DisplayTest, InitialiseRunsItsEventsInOrder) {
    display.InitializeDisplay();
    const std::vector<std::string> want{"notify initialize", "OnInitialize", "OnInitializeSurface",
                                        "notify restore", "OnRestoreSurface"};
    EXPECT_EQ(events, want);
    EXPECT_FALSE(drawable_inside) << "the display is busy while it initialises";
    EXPECT_TRUE(display.Initialized());
    EXPECT_TRUE(display.IsDrawable());
}

TEST_F(DisplayTest, SecondInitialiseFinalisesFirst) {
    display.InitializeDisplay();
    events.clear();
    display.InitializeDisplay();
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[0], "notify finalize");
    EXPECT_EQ(events[1], "OnFinalize");
    EXPECT_EQ(events[2], "notify initialize");
    EXPECT_EQ(events[3], "OnInitialize");
}

TEST_F(DisplayTest, FinaliseOnlyWhenInitialised) {
    display.FinalizeDisplay();
    EXPECT_TRUE(events.empty());
    display.InitializeDisplay();
    events.clear();
    display.FinalizeDisplay();
    EXPECT_EQ(events, (std::vector<std::string>{"notify finalize", "OnFinalize"}));
    EXPECT_FALSE(display.Initialized());
    EXPECT_FALSE(display.IsDrawable());
    EXPECT_EQ(display.D3DRMDevice(), nullptr);
    EXPECT_EQ(display.Viewport(), nullptr);
    // After finalising, the options in effect are the asked ones again.
    EXPECT_EQ(display.NowOptions(), display.Options());
}

TEST_F(DisplayTest, WindowModeSurfaceIsTheControlSizeAndFullScreenTheDisplaySize) {
    display.InitializeDisplay();
    EXPECT_EQ(display.BackSurface().Width(), 647);
    EXPECT_EQ(display.BackSurface().Height(), 471);
    EXPECT_EQ(display.Width(), 647);
    display.FinalizeDisplay();
    display.SetOptions(DesignedOptions);
    display.Display.Width = 800;
    display.Display.Height = 600;
    display.InitializeDisplay();
    EXPECT_EQ(display.BackSurface().Width(), 800);
    EXPECT_EQ(display.BackSurface().Height(), 600);
    EXPECT_EQ(display.Height(), 600);
}

TEST_F(DisplayTest, ImpossibleModeRaisesTheModeErrorAndLeavesNothingBehind) {
    display.SetOptions(DesignedOptions);
    display.Display.Width = 0;
    display.Display.Height = 480;
    try {
        display.InitializeDisplay();
        FAIL() << "no error raised";
    } catch (const EDXDrawError& e) {
        EXPECT_STREQ(e.what(), "ディスプレイモードを変更できません (0x480 16bit)");
    }
    EXPECT_FALSE(display.Initialized());
    EXPECT_FALSE(display.IsDrawable());
    EXPECT_TRUE(events.empty()) << "no event runs for a display that never opened";
    display.Display.Width = 640;
    display.Display.BitCount = 13;
    EXPECT_THROW(display.InitializeDisplay(), EDXDrawError);
    // A good mode afterwards opens normally.
    display.Display.BitCount = 16;
    display.InitializeDisplay();
    EXPECT_TRUE(display.IsDrawable());
}

TEST_F(DisplayTest, FailingHandlerFinalisesAndPassesTheErrorOn) {
    display.OnInitializeSurface = [](TDXDraw&) { throw EDXDrawError("surface trouble"); };
    EXPECT_THROW(display.InitializeDisplay(), EDXDrawError);
    EXPECT_FALSE(display.Initialized());
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), "OnFinalize");
}

TEST_F(DisplayTest, RetainedModeObjectsAreMadeWithTheirDefaults) {
    display.InitializeDisplay();
    ASSERT_NE(display.D3DRM(), nullptr);
    ASSERT_NE(display.D3DRMDevice(), nullptr);
    ASSERT_NE(display.Viewport(), nullptr);
    ASSERT_TRUE(display.Scene());
    ASSERT_TRUE(display.Camera());
    EXPECT_EQ(display.Camera()->GetParent(), display.Scene().get());
    EXPECT_EQ(display.Viewport()->GetCamera(), display.Camera());
    EXPECT_FLOAT_EQ(display.Viewport()->GetBack(), 5000.0f);
    EXPECT_EQ(display.Viewport()->Width(), 647);
    EXPECT_EQ(display.Viewport()->Height(), 471);
}

TEST_F(DisplayTest, WithoutThreeDNothingIsRendered) {
    TDXDrawOptions flat = WindowOptions();
    flat.Exclude(do3D);
    display.SetOptions(flat);
    display.InitializeDisplay();
    EXPECT_EQ(display.D3DRMDevice(), nullptr);
    display.FillSurface(0xFFFFFF);
    display.RenderScene();
    EXPECT_EQ(display.BackSurface().Pixel(10, 10), 0xFFFFFFu);
}

TEST_F(DisplayTest, RenderSceneClearsTheViewportToBlack) {
    display.InitializeDisplay();
    display.FillSurface(0xFFFFFF);
    display.RenderScene();
    EXPECT_EQ(display.BackSurface().Pixel(0, 0), 0u);
    EXPECT_EQ(display.BackSurface().Pixel(646, 470), 0u);
    EXPECT_EQ(display.LastTriangles(), 0);
}

TEST_F(DisplayTest, OptionsChangedWhileInitialisedWaitForTheNextInitialisation) {
    display.InitializeDisplay();
    TDXDrawOptions changed = WindowOptions();
    changed.Exclude(do3D);
    display.SetOptions(changed);
    EXPECT_TRUE(display.NowOptions().Has(do3D)) << "3D needs a new initialisation";
}

TEST_F(DisplayTest, FillAndPresentWithoutAWindow) {
    display.Present(); // not initialised: nothing
    EXPECT_EQ(display.PresentCount(), 0u);
    display.InitializeDisplay();
    display.FillSurface(0x123456);
    EXPECT_EQ(display.BackSurface().Pixel(300, 200), 0x123456u);
    display.Present();
    display.Present();
    EXPECT_EQ(display.PresentCount(), 2u);
}

TEST_F(DisplayTest, RestoreRefillsBlackAndTellsListenersAndTheForm) {
    display.InitializeDisplay();
    display.FillSurface(0xFFFFFF);
    events.clear();
    display.RestoreSurfaces();
    EXPECT_EQ(events, (std::vector<std::string>{"notify restore", "OnRestoreSurface"}));
    EXPECT_EQ(display.BackSurface().Pixel(5, 5), 0u);
    EXPECT_TRUE(display.IsDrawable());
}

TEST_F(DisplayTest, ListenerRemovedHearsNothingMore) {
    int heard = 0;
    const int id = display.AddNotifyListener([&](TDXDraw::Notify) { ++heard; });
    display.InitializeDisplay();
    EXPECT_EQ(heard, 2); // initialise and restore
    display.RemoveNotifyListener(id);
    display.FinalizeDisplay();
    EXPECT_EQ(heard, 2);
}

// A window-mode display follows its control's size at once, and its view is as high as at
// 640 x 480 whatever the width (never stretched); the designed window keeps its own view.
TEST_F(DisplayTest, TheViewFollowsTheWindowAndKeepsTheHeightOf640x480) {
    engine_test::ScratchFolder folder;
    // One unit wide, half a unit high, two units ahead of the camera.
    engine_test::WriteText(folder.Path("q.x"),
                           engine_test::QuadX(-.5f, -.25f, .5f, .25f, 2, 1, 1, 1, 1));
    display.InitializeDisplay();
    rm::Engine& engine = *display.D3DRM();
    auto mesh = engine.CreateMeshBuilder();
    ASSERT_TRUE(mesh->Load(folder.Path("q.x")));
    engine.CreateFrame(display.Scene())->AddVisual(mesh);
    display.Scene()->AddLight(engine.CreateLightRGB(rm::LightType::Ambient, 1, 1, 1));
    display.Viewport()->SetFront(0.5f);
    struct Row {
        int w, h;
        double quad_w, quad_h; // the quad on the screen, in pixels
    };
    for (const Row& row : {Row{640, 480, 320, 160},
                           {1280, 480, 320, 160},
                           {1920, 1080, 720, 360},
                           {640, 960, 640, 320},
                           {647, 471, 323.5, 161.75}}) {
        const int w = row.w, h = row.h;
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        display.SetControlSize(w, h);
        EXPECT_FLOAT_EQ(display.Viewport()->GetFront(), 0.5f) << "the view keeps its settings";
        display.RenderScene();
        int left = w, top = h, right = -1, bottom = -1;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (display.BackSurface().Pixel(x, y) != 0)
                    left = std::min(left, x), top = std::min(top, y), right = std::max(right, x),
                    bottom = std::max(bottom, y);
        EXPECT_NEAR(right - left + 1, row.quad_w, 1.0);
        EXPECT_NEAR(bottom - top + 1, row.quad_h, 1.0);
        EXPECT_NEAR(left + right + 1, w, 2.0) << "centred";
        EXPECT_NEAR(top + bottom + 1, h, 2.0);
    }
}

// With the dummy video driver a real window exists; full-screen is the desktop's own and
// is left again when the display finalises.
TEST(DisplayWindow, FullScreenComesAndGoesWithTheDisplay) {
    TWindow window;
    try {
        window.Create("Brannock", 647, 471);
    } catch (const std::exception& e) {
        GTEST_SKIP() << "no video driver: " << e.what();
    }
    TDXDraw display(window);
    display.SetOptions(DesignedOptions);
    display.Display.Width = 1024;
    display.Display.Height = 768;
    display.Display.BitCount = 16;
    display.InitializeDisplay();
    EXPECT_NE(SDL_GetWindowFlags(window.sdl_window()) & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u);
    EXPECT_EQ(display.BackSurface().Width(), 1024);
    display.FillSurface(0x00FF00);
    display.Present();
    EXPECT_EQ(display.PresentCount(), 1u);
    display.FinalizeDisplay();
    EXPECT_EQ(SDL_GetWindowFlags(window.sdl_window()) & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u);
}

// From the second frame on the display draws straight into the memory the window shows the
// picture from: every frame is shown as drawn, also after the surface's size changes, and
// the back surface keeps its picture when the window gives that memory up.
TEST(DisplayWindow, FramesDrawnInTheWindowsOwnMemoryAreShownAsDrawn) {
    TWindow window;
    try {
        window.Create("Brannock", 64, 48);
    } catch (const std::exception& e) {
        GTEST_SKIP() << "no video driver: " << e.what();
    }
    TDXDraw display(window);
    display.SetOptions(WindowOptions());
    display.SetControlSize(64, 48);
    display.InitializeDisplay();
    std::vector<uint32_t> shown;
    int w = 0, h = 0;
    for (const int size : {64, 64, 64, 32, 32}) {
        if (size != display.Width()) display.SetControlSize(size, size * 3 / 4);
        const auto frame = static_cast<uint32_t>(display.PresentCount());
        display.FillSurface(0x102030u * (frame + 1));
        display.BackSurface().SetPixel(static_cast<int>(frame), 5, 0xFFFFFFu);
        display.Present();
        EXPECT_TRUE(display.BackSurface().Borrowed()) << "frame " << frame;
        ASSERT_TRUE(window.ReadPixels(shown, w, h));
        const int scale = 64 / size; // the picture fills the window by whole multiples
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(shown[static_cast<size_t>(y * w + x)] & 0xFFFFFFu,
                          display.BackSurface().Pixel(x / scale, y / scale))
                    << "frame " << frame << " at " << x << ", " << y;
    }
    const std::vector<uint32_t> last(display.BackSurface().Pixels(),
                                     display.BackSurface().Pixels() + 32 * 24);
    const std::vector<uint32_t> other(32 * 24, 0x0000FFu);
    window.PresentPixels(other.data(), 32, 24); // the window's memory is no longer the display's
    EXPECT_FALSE(display.BackSurface().Borrowed());
    EXPECT_EQ(std::vector<uint32_t>(display.BackSurface().Pixels(),
                                    display.BackSurface().Pixels() + 32 * 24),
              last);
}

} // namespace

TEST(PresentRect, WholeMultiplesWhereTheyFitElseAsLargeAsFits) {
    auto same = [](SDL_Rect a, SDL_Rect b) {
        return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
    };
    // 640 × 480 on a 1280 × 1024 screen: twice, centred.
    EXPECT_TRUE(same(PresentRect(640, 480, 1280, 1024, true), {0, 32, 1280, 960}));
    // Exactly twice fits; one pixel less and it is once.
    EXPECT_TRUE(same(PresentRect(640, 480, 1280, 960, true), {0, 0, 1280, 960}));
    EXPECT_TRUE(same(PresentRect(640, 480, 1279, 960, true), {319, 240, 640, 480}));
    EXPECT_TRUE(same(PresentRect(640, 480, 1280, 959, true), {320, 239, 640, 480}));
    // The window's own size: as it is.
    EXPECT_TRUE(same(PresentRect(647, 471, 647, 471, true), {0, 0, 647, 471}));
    // Scaled freely, the aspect is kept on a wide and on a tall output.
    EXPECT_TRUE(same(PresentRect(800, 600, 1280, 1024, false), {0, 32, 1280, 960}));
    EXPECT_TRUE(same(PresentRect(800, 600, 2000, 600, false), {600, 0, 800, 600}));
    EXPECT_TRUE(same(PresentRect(800, 600, 600, 2000, false), {0, 775, 600, 450}));
    // Larger than the output: shrunk to fit even when whole multiples are asked for.
    EXPECT_TRUE(same(PresentRect(1024, 768, 800, 600, true), {0, 0, 800, 600}));
    EXPECT_TRUE(same(PresentRect(0, 480, 800, 600, true), {0, 0, 0, 0}));
}

// Under the dummy video driver there is no GL, so frames are presented on the processor:
// the picture lands at the largest whole multiple, centred, with black borders.
TEST(SoftwarePresenting, APictureIsScaledByWholeMultiplesWithBlackBorders) {
    const EnvScope video("SDL_VIDEODRIVER", "dummy", true);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    {
        TWindow window;
        window.Create("present", 320, 200);
        EXPECT_TRUE(window.SoftwarePresenting());
        // A 100 × 60 picture: left half red, right half blue; three times is 300 × 180.
        std::vector<uint32_t> picture(100 * 60);
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 100; ++x)
                picture[static_cast<size_t>(y * 100 + x)] = x < 50 ? 0xFF0000u : 0x0000FFu;
        // Something drawn before (the panel) must not survive in the borders.
        SDL_SetRenderDrawColor(window.renderer(), 0, 255, 0, 255);
        SDL_RenderClear(window.renderer());
        window.PresentPixels(picture.data(), 100, 60);
        std::vector<uint32_t> shown;
        int w = 0;
        int h = 0;
        ASSERT_TRUE(window.ReadPixels(shown, w, h));
        ASSERT_EQ(w, 320);
        ASSERT_EQ(h, 200);
        auto at = [&](int x, int y) { return shown[static_cast<size_t>(y * w + x)] & 0xFFFFFFu; };
        EXPECT_EQ(at(5, 5), 0x000000u);     // a corner: no green left over
        EXPECT_EQ(at(5, 100), 0x000000u);   // the left border
        EXPECT_EQ(at(315, 100), 0x000000u); // the right border
        EXPECT_EQ(at(100, 5), 0x000000u);   // the top border
        EXPECT_EQ(at(100, 195), 0x000000u); // the bottom border
        EXPECT_EQ(at(9, 100), 0x000000u);
        EXPECT_EQ(at(10, 100), 0xFF0000u); // first column of the picture
        EXPECT_EQ(at(159, 100), 0xFF0000u);
        EXPECT_EQ(at(160, 100), 0x0000FFu); // where the halves meet, three pixels a pixel
        EXPECT_EQ(at(309, 100), 0x0000FFu);
        EXPECT_EQ(at(310, 100), 0x000000u);
        EXPECT_EQ(at(100, 9), 0x000000u);
        EXPECT_EQ(at(100, 10), 0xFF0000u);
        EXPECT_EQ(at(100, 189), 0xFF0000u);
        EXPECT_EQ(at(100, 190), 0x000000u);
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
