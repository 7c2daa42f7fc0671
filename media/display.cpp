// The game display. The back surface is a 32-bit picture in memory; Present hands it to
// the window, which scales it with its aspect kept. Full-screen is the desktop's own
// full-screen mode: the desktop's mode is never changed, the picture keeps the chosen size.
#include "media/display.h"

#include <SDL.h>

#include <algorithm>

#include "media/canvas.h"
#include "media/language.h"
#include "media/render_threads.h"
#include "media/report.h"
#include "media/window.h"

namespace {

std::string FormatMode(const TDisplay& d) {
    return Format(Tr("ディスプレイモードを変更できません (%dx%d %dbit)"), d.Width, d.Height,
                  d.BitCount);
}

constexpr int MaxSide = 8192;
constexpr float DefaultBackDistance = 5000.0f;
constexpr float DefaultField = 0.5f; // the retained-mode viewport's own

// The view's field, as the viewport takes it: half the larger side's extent at distance 1.
// Every size sees as high as 640 x 480 does, so a wider surface sees more to the sides and
// a narrower one less, and nothing is ever stretched. The 4:3 modes get the default field
// from this exactly; the window mode's designed surface keeps the default it was drawn with.
float ViewField(int width, int height) {
    if (width == TDXDraw::DesignWidth && height == TDXDraw::DesignHeight) return DefaultField;
    const float upward = DefaultField * 3.0f / 4.0f; // 640 x 480: half the height at distance 1
    return upward * static_cast<float>(std::max(width, height)) / static_cast<float>(height);
}

// Clears a flag when the scope ends, also when an event handler throws.
class BusyScope {
public:
    explicit BusyScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~BusyScope() { flag_ = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& flag_;
};

} // namespace

TDXDraw::TDXDraw(TWindow& window)
    : window_(window), canvas_(std::make_unique<TSurfaceCanvas>(back_surface_)) {
    // The window's picture memory is going: the back surface takes its picture back.
    window_.OnPictureLost = [this] { back_surface_.Release(); };
}

TDXDraw::~TDXDraw() {
    FinalizeDisplay();
    window_.OnPictureLost = nullptr;
    canvas_.reset();
}

void TDXDraw::SetOptions(TDXDrawOptions options) {
    options_ = options;
    if (!initialized_) now_options_ = options;
}

int TDXDraw::Width() const {
    return initialized_ ? back_surface_.Width() : control_width_;
}
int TDXDraw::Height() const {
    return initialized_ ? back_surface_.Height() : control_height_;
}

int TDXDraw::UiScale() const {
    return std::max(1, std::min(Height() / UiScaleLines, Width() / UiScaleColumns));
}

void TDXDraw::SetControlSize(int width, int height) {
    control_width_ = std::clamp(width, 1, MaxSide);
    control_height_ = std::clamp(height, 1, MaxSide);
    // AutoSize in the window mode; a full-screen mode keeps its chosen size.
    if (!initialized_ || busy_ || now_options_.Has(doFullScreen)) return;
    if (control_width_ != back_surface_.Width() || control_height_ != back_surface_.Height())
        FitSurfaceToControl();
}

void TDXDraw::FitSurfaceToControl() {
    back_surface_.SetSize(control_width_, control_height_);
    if (!viewport_ || !engine_) return;
    // A viewport covers its surface from creation: a new one takes the old one's settings.
    std::unique_ptr<rm::Viewport> viewport =
        engine_->CreateViewport(control_width_, control_height_);
    viewport->SetCamera(viewport_->GetCamera());
    viewport->SetFront(viewport_->GetFront());
    viewport->SetBack(viewport_->GetBack());
    viewport->SetField(ViewField(control_width_, control_height_));
    viewport_ = std::move(viewport);
}

void TDXDraw::InitializeDisplay() {
    if (initialized_) FinalizeDisplay();
    try {
        {
            BusyScope busy(busy_);
            CreateDriver();
            initialized_ = true;
            Notify_(Notify::Initialize);
            initialize_stage_ = true;
            if (OnInitialize) OnInitialize(*this);
            if (OnInitializeSurface) OnInitializeSurface(*this);
        }
        RestoreSurfaces();
    } catch (...) {
        if (initialized_)
            FinalizeDisplay();
        else
            FreeDriver();
        throw;
    }
}

void TDXDraw::CreateDriver() {
    const bool full = now_options_.Has(doFullScreen);
    if (full) {
        const bool bits_ok = Display.BitCount == 8 || Display.BitCount == 15 ||
                             Display.BitCount == 16 || Display.BitCount == 24 ||
                             Display.BitCount == 32;
        if (Display.Width <= 0 || Display.Height <= 0 || Display.Width > MaxSide ||
            Display.Height > MaxSide || !bits_ok)
            throw EDXDrawError(FormatMode(Display));
        if (window_.Created()) {
            window_.SetFullScreen(true);
            full_screen_ = true;
            if ((SDL_GetWindowFlags(window_.sdl_window()) & SDL_WINDOW_FULLSCREEN_DESKTOP) == 0)
                throw EDXDrawError(FormatMode(Display));
        }
        back_surface_.SetSize(Display.Width, Display.Height);
    } else {
        // AutoSize: the surface follows the control, the form's client area.
        back_surface_.SetSize(control_width_, control_height_);
    }
    if (now_options_.Has(do3D)) Create3D();
}

void TDXDraw::Create3D() {
    if (!engine_) {
        engine_ = rm::CreateEngine();
        engine_->SetRenderThreads(RenderThreadsFromEnvironment());
        engine_->SetReporter(ReportProblemLine);
    }
    device_ = engine_->CreateDevice();
    device_->SetTextureQuality(rm::TextureNearest);
    if (!scene_) {
        scene_ = engine_->CreateFrame(nullptr);
        camera_ = engine_->CreateFrame(scene_);
    }
    viewport_ = engine_->CreateViewport(back_surface_.Width(), back_surface_.Height());
    viewport_->SetCamera(camera_);
    viewport_->SetBack(DefaultBackDistance);
    viewport_->SetField(ViewField(back_surface_.Width(), back_surface_.Height()));
}

void TDXDraw::FreeDriver() {
    viewport_.reset();
    device_.reset();
    back_surface_.SetSize(0, 0);
    if (full_screen_) window_.SetFullScreen(false);
    full_screen_ = false;
}

void TDXDraw::FinalizeDisplay() {
    if (!initialized_) return;
    {
        BusyScope busy(busy_);
        Notify_(Notify::Finalize);
        const bool call_finalize = initialize_stage_;
        initialize_stage_ = false;
        // The driver is freed even when the form's handler fails.
        struct Release {
            TDXDraw& d;
            ~Release() {
                d.now_options_ = d.options_;
                d.FreeDriver();
                d.initialized_ = false;
            }
        } release{*this};
        if (call_finalize && OnFinalize) OnFinalize(*this);
    }
}

void TDXDraw::ReleaseScene() {
    if (initialized_) return;
    camera_.reset();
    scene_.reset();
}

bool TDXDraw::CoversScreen() const {
    return (initialized_ && now_options_.Has(doFullScreen)) || window_.FullScreen();
}

bool TDXDraw::IsDrawable() {
    return initialized_ && !busy_ && back_surface_.Width() > 0 && back_surface_.Height() > 0;
}

void TDXDraw::FillSurface(uint32_t rgb) {
    back_surface_.Fill(rgb & 0xFFFFFFu);
}

TCanvas& TDXDraw::SurfaceCanvas() {
    return *canvas_;
}

void TDXDraw::ReleaseCanvas() {}

void TDXDraw::RenderScene(float blend) {
    if (!IsDrawable()) return;
    if (!now_options_.Has(do3D)) return;
    if (!device_ || !viewport_ || !scene_) return;
    // Clearing the viewport paints the scene's background, black: the device paints it
    // along with the drawing (on all its threads) when the viewport covers the surface,
    // and a fill of the surface still pending is then not made at all.
    const int width = back_surface_.Width(), height = back_surface_.Height();
    const bool covers = viewport_->Width() == width && viewport_->Height() == height;
    if (!covers) back_surface_.Fill(0);
    const rm::RenderTarget target{
        covers ? back_surface_.PixelsToOverwrite() : back_surface_.Pixels(), width, height, width};
    device_->SetBackground(covers ? std::optional<uint32_t>(0) : std::nullopt);
    last_triangles_ = device_->Render(*scene_, *viewport_, target, blend);
}

void TDXDraw::Present() {
    if (!IsDrawable()) return;
    PresentBetweenFrames();
    ++present_count_;
}

int TDXDraw::RefreshRate() const {
    return window_.RefreshRate();
}

bool TDXDraw::PaceByDisplay(bool wanted) {
    return window_.Created() && window_.SetVSync(wanted);
}

void TDXDraw::PresentBetweenFrames() {
    if (!IsDrawable()) return;
    if (window_.Created()) {
        // A full-screen mode fills the screen's height; the window mode's surface is the
        // window's own size.
        const TPictureFit fit = full_screen_ ? TPictureFit::Fill : TPictureFit::Sharp;
        const int width = back_surface_.Width(), height = back_surface_.Height();
        const uint32_t* pixels = back_surface_.Pixels(); // a pending fill is made first
        if (back_surface_.Borrowed()) {
            // Drawn straight into the memory the window shows it from: nothing to copy.
            uint32_t* next = window_.PresentPicture(fit);
            if (next != pixels) { // the renderer did not keep its word: start afresh
                back_surface_.SetSize(width, height);
                back_surface_.Borrow(next);
            }
        } else {
            window_.PresentPixels(pixels, width, height, fit);
            // The frames from now on are drawn where the window shows them from.
            back_surface_.Borrow(window_.PictureMemory(width, height));
        }
    }
}

void TDXDraw::RestoreSurfaces() {
    if (!initialized_) return;
    BusyScope busy(busy_);
    back_surface_.Fill(0);
    Notify_(Notify::Restore);
    if (OnRestoreSurface) OnRestoreSurface(*this);
}

int TDXDraw::AddNotifyListener(std::function<void(Notify)> listener) {
    listeners_.emplace_back(next_listener_id_, std::move(listener));
    return next_listener_id_++;
}

void TDXDraw::RemoveNotifyListener(int id) {
    std::erase_if(listeners_, [id](const auto& e) { return e.first == id; });
}

void TDXDraw::Notify_(Notify what) {
    // A listener may remove itself while being told.
    const auto listeners = listeners_;
    for (const auto& [id, listener] : listeners) listener(what);
}
