// The game display: screen mode, the back surface, the 2D canvas, and the retained-mode
// objects (engine, device, viewport, scene root) the 3D world is drawn through.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "media/surface.h"
#include "scene/engine/rm.h"

class TWindow;

class EDXDrawError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum TDXDrawOption : uint32_t {
    doFullScreen, // the chosen display mode over the whole screen, else the window's client area
    do3D,         // the retained-mode objects (engine, device, viewport, scene root)
};

// A set of TDXDrawOption members, bit n for member n.
class TDXDrawOptions {
public:
    TDXDrawOptions() = default;
    TDXDrawOptions(std::initializer_list<TDXDrawOption> members) {
        for (auto m : members) Include(m);
    }
    bool Has(TDXDrawOption m) const { return (bits_ >> m) & 1u; }
    void Include(TDXDrawOption m) { bits_ |= 1u << m; }
    void Exclude(TDXDrawOption m) { bits_ &= ~(1u << m); }
    uint32_t bits() const { return bits_; }
    bool operator==(const TDXDrawOptions&) const = default;

private:
    uint32_t bits_ = 0;
};

struct TDisplay {
    int Width = 640;
    int Height = 480;
    int BitCount = 8;
};

enum class TBrushStyle { Solid, Clear };

// A 2D canvas over the back surface: text in a colour and size on a clear background.
class TCanvas {
public:
    struct {
        uint32_t Color = 0xFFFFFF; // 0xRRGGBB
        int Size = 12;             // points at 96 dpi
        bool Bold = false;
    } Font;
    struct {
        TBrushStyle Style = TBrushStyle::Solid;
        uint32_t Color = 0xFFFFFF;
    } Brush;
    virtual ~TCanvas() = default;
    virtual void TextOut(int x, int y, const std::string& utf8_text) = 0;
    // Width and height of the text's cell in pixels in the font now set.
    virtual std::pair<int, int> TextExtent(const std::string& utf8_text) = 0;
};

class TDXDraw {
public:
    explicit TDXDraw(TWindow& window);
    ~TDXDraw();
    TDXDraw(const TDXDraw&) = delete;
    TDXDraw& operator=(const TDXDraw&) = delete;

    // Options asked for, and the ones in effect: those asked for at the last initialisation
    // (every option needs one to take effect).
    TDXDrawOptions Options() const { return options_; }
    void SetOptions(TDXDrawOptions options);
    TDXDrawOptions NowOptions() const { return now_options_; }

    TDisplay Display;
    bool AutoSize = true;
    // The control's size: the back surface's size once initialised.
    int Width() const;
    int Height() const;
    // The whole-number scale the 2D overlay is drawn at: 1 up to 959 lines (every designed
    // mode), then one more for every 480 lines, so a large window looks like a sharp
    // 640 x 480 game around a finer 3D view. A window narrower than 4:3 takes the scale its
    // width allows (one more for every 640 columns), so the 2D screens are never cut.
    int UiScale() const;
    static constexpr int UiScaleLines = 480;
    static constexpr int UiScaleColumns = 640;

    void InitializeDisplay(); // raises EDXDrawError
    void FinalizeDisplay();
    bool Initialized() const { return initialized_; }
    bool IsDrawable();
    // Whether what is drawn covers the whole screen now: an initialised full-screen mode,
    // or a window the player made full-screen (which may change at any time).
    bool CoversScreen() const;

    void FillSurface(uint32_t rgb);
    // Text is drawn into the back surface at once; ReleaseCanvas only ends the drawing.
    TCanvas& SurfaceCanvas();
    void ReleaseCanvas();
    // The scene at a blend between the last kept step (0) and now (1): rm::Device::Render.
    void RenderScene(float blend = 1.0f);
    // Shows the back surface; a frame of the frame timer (PresentCount counts it).
    void Present();
    // Shows a picture drawn between two frames of the frame timer: not counted.
    void PresentBetweenFrames();
    // The refresh rate of the display the window is on (TWindow::RefreshRate).
    int RefreshRate() const;
    // Presenting waits for the display's vertical blank (wanted and offered: TWindow::SetVSync);
    // false: the caller paces by the clock.
    bool PaceByDisplay(bool wanted);
    void RestoreSurfaces();

    TDirectDrawSurface& BackSurface() { return back_surface_; }

    // Retained-mode objects, valid between initialise and finalise.
    rm::Engine* D3DRM() const { return engine_.get(); }
    rm::Device* D3DRMDevice() const { return device_.get(); }
    rm::Viewport* Viewport() const { return viewport_.get(); }
    const rm::FramePtr& Scene() const { return scene_; }   // the scene root
    const rm::FramePtr& Camera() const { return camera_; } // the display's own camera frame
    // While not initialised: the scene root and camera go, and the next initialisation
    // makes new, empty ones, as the first did (a new game's scene).
    void ReleaseScene();

    // Events of the owning form.
    std::function<void(TDXDraw&)> OnInitialize, OnFinalize, OnInitializeSurface, OnRestoreSurface;
    // Components bound to the display (image lists) hear of initialise, finalise and
    // restore before the form's events.
    enum class Notify { Initialize, Finalize, Restore };
    int AddNotifyListener(std::function<void(Notify)> listener);
    void RemoveNotifyListener(int id);

    // How many frames were shown (the replay tool counts frames by it).
    uint64_t PresentCount() const { return present_count_; }
    // The triangles drawn by the last RenderScene (benchmarks).
    int LastTriangles() const { return last_triangles_; }
    // The control's size in window mode (the form's client area). While the window mode's
    // display is up, the back surface and the view follow it at once (the surface is black
    // until the next frame draws).
    void SetControlSize(int width, int height);
    // The designed size of the control: the main form's client area, and so the window
    // mode's back surface as designed.
    static constexpr int DesignWidth = 647;
    static constexpr int DesignHeight = 471;

private:
    void Notify_(Notify what);
    // Screen mode, surfaces and 3D objects; FreeDriver undoes them.
    void CreateDriver();
    void Create3D();
    void FreeDriver();
    void FitSurfaceToControl();

    TWindow& window_;
    TDXDrawOptions options_;
    TDXDrawOptions now_options_;
    bool initialized_ = false;
    bool busy_ = false;
    bool initialize_stage_ = false; // OnInitialize was called
    bool full_screen_ = false;      // the window was made full-screen by this display
    int control_width_ = DesignWidth;
    int control_height_ = DesignHeight;
    TDirectDrawSurface back_surface_;
    std::unique_ptr<TCanvas> canvas_;
    std::unique_ptr<rm::Engine> engine_;
    std::unique_ptr<rm::Device> device_;
    std::unique_ptr<rm::Viewport> viewport_;
    rm::FramePtr scene_;
    rm::FramePtr camera_;
    std::vector<std::pair<int, std::function<void(Notify)>>> listeners_;
    int next_listener_id_ = 1;
    uint64_t present_count_ = 0;
    int last_triangles_ = 0;
};
