// Provisional display: a back surface of the control's size and the retained-mode
// objects; the full component replaces this.
#include "media/display.h"

#include "media/window.h"

namespace {
class PlainCanvas : public TCanvas {
public:
    void TextOut(int, int, const std::string&) override {}
};
} // namespace

TDXDraw::TDXDraw(TWindow& window) : window_(window), canvas_(std::make_unique<PlainCanvas>()) {}
TDXDraw::~TDXDraw() { FinalizeDisplay(); }
void TDXDraw::SetOptions(TDXDrawOptions options) { options_ = now_options_ = options; }
int TDXDraw::Width() const { return back_surface_.Width(); }
int TDXDraw::Height() const { return back_surface_.Height(); }
void TDXDraw::SetControlSize(int width, int height) {
    control_width_ = width;
    control_height_ = height;
}
void TDXDraw::InitializeDisplay() {
    if (initialized_) FinalizeDisplay();
    const bool full = options_.Has(doFullScreen);
    back_surface_.SetSize(full ? Display.Width : control_width_, full ? Display.Height : control_height_);
    engine_ = rm::CreateEngine();
    initialized_ = true;
    if (OnInitialize) OnInitialize(*this);
    if (OnInitializeSurface) OnInitializeSurface(*this);
    RestoreSurfaces();
}
void TDXDraw::FinalizeDisplay() {
    if (!initialized_) return;
    if (OnFinalize) OnFinalize(*this);
    initialized_ = false;
}
bool TDXDraw::IsDrawable() { return initialized_ && !busy_; }
void TDXDraw::FillSurface(uint32_t rgb) { back_surface_.Fill(rgb); }
TCanvas& TDXDraw::SurfaceCanvas() { return *canvas_; }
void TDXDraw::ReleaseCanvas() {}
void TDXDraw::RenderScene() {}
void TDXDraw::Present() {
    if (!IsDrawable()) return;
    window_.PresentPixels(back_surface_.Pixels(), back_surface_.Width(), back_surface_.Height());
    ++present_count_;
}
void TDXDraw::RestoreSurfaces() {
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
    for (auto& [id, listener] : listeners_) listener(what);
}
