#include "media/window.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

#include "media/events.h"
#include "media/gl_probe.h"
#include "media/language.h"

namespace {

// SDL's own software renderer, drawing into the window's surface.
SDL_Renderer* CreateWindowSurfaceRenderer(SDL_Window* window) {
    // X11 shows a window surface of its own (shared-memory images). Left to itself SDL would
    // back it with a GL texture there, which brings back the software GL; so it is told not
    // to. Other drivers (Wayland, KMS) have no surface of their own: SDL's texture-backed
    // one is the only surface they offer, and the choice is made once per process.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver != nullptr && std::strcmp(driver, "x11") == 0)
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // By index: SDL_RENDER_DRIVER, which may name the renderer that just failed, is not
    // asked again.
    for (int i = 0; i < SDL_GetNumRenderDrivers(); ++i) {
        SDL_RendererInfo info;
        if (SDL_GetRenderDriverInfo(i, &info) == 0 && std::strcmp(info.name, "software") == 0)
            return SDL_CreateRenderer(window, i, SDL_RENDERER_SOFTWARE);
    }
    return SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
}

} // namespace

TWindow::~TWindow() {
    Destroy();
}

void TWindow::Create(const std::string& caption, int client_width, int client_height) {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0 && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        throw std::runtime_error(Format(Tr("ディスプレイを開けません: %s"), SDL_GetError()));
    windowed_width_ = client_width;
    windowed_height_ = client_height;
    // SDL_RENDER_DRIVER, when set, chooses as the player asked; otherwise the machine does.
    const char* asked = SDL_getenv("SDL_RENDER_DRIVER");
    const bool choose = asked == nullptr || *asked == '\0';
    software_ = choose && OnlySoftwareGl();
    window_ = SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               client_width, client_height, SDL_WINDOW_SHOWN);
    if (window_ == nullptr)
        throw std::runtime_error(Format(Tr("ウィンドウを作れません: %s"), SDL_GetError()));
    if (!software_)
        renderer_ = SDL_CreateRenderer(window_, -1, choose ? SDL_RENDERER_ACCELERATED : 0);
    // Whatever renderer was chosen or asked for, one that cannot be created leaves the
    // window-surface path, which every video driver offers.
    if (renderer_ == nullptr) {
        software_ = true;
        renderer_ = CreateWindowSurfaceRenderer(window_);
    }
    if (renderer_ == nullptr)
        throw std::runtime_error(Format(Tr("描画の準備ができません: %s"), SDL_GetError()));
}

void TWindow::Destroy() {
    LosePicture();
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
    if (window_ != nullptr) SDL_DestroyWindow(window_);
    texture_ = nullptr;
    renderer_ = nullptr;
    window_ = nullptr;
}

void TWindow::SetBorderless(bool borderless) {
    if (window_ != nullptr) SDL_SetWindowBordered(window_, borderless ? SDL_FALSE : SDL_TRUE);
}

void TWindow::SetCursorVisible(bool visible) {
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

bool TWindow::PicturePoint(int event_x, int event_y, int& x, int& y) const {
    if (window_ == nullptr || shown_.width <= 0 || shown_.height <= 0) return false;
    if (shown_.renderer_scaled) {
        x = event_x;
        y = event_y;
    } else {
        if (shown_.w <= 0 || shown_.h <= 0) return false;
        // Window points to output pixels (more of them on a high-density screen).
        int window_w = 0, window_h = 0, out_w = 0, out_h = 0;
        SDL_GetWindowSize(window_, &window_w, &window_h);
        if (SDL_GetRendererOutputSize(renderer_, &out_w, &out_h) != 0 || window_w <= 0 ||
            window_h <= 0)
            return false;
        const int64_t out_x = int64_t{event_x} * out_w / window_w;
        const int64_t out_y = int64_t{event_y} * out_h / window_h;
        if (out_x < shown_.x || out_y < shown_.y) return false;
        x = static_cast<int>((out_x - shown_.x) * shown_.width / shown_.w);
        y = static_cast<int>((out_y - shown_.y) * shown_.height / shown_.h);
    }
    return x >= 0 && y >= 0 && x < shown_.width && y < shown_.height;
}

void TWindow::SetFullScreen(bool full_screen) {
    if (window_ == nullptr) return;
    if (full_screen) {
        // Cover the screen ourselves too: without a window manager the full-screen request
        // alone leaves the window at its old size while drawing assumes the whole screen.
        SDL_Rect bounds;
        if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window_), &bounds) == 0) {
            SDL_SetWindowPosition(window_, bounds.x, bounds.y);
            SDL_SetWindowSize(window_, bounds.w, bounds.h);
        }
        SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
    } else {
        SDL_SetWindowFullscreen(window_, 0);
        SDL_SetWindowSize(window_, windowed_width_, windowed_height_);
        Centre();
    }
}

bool TWindow::FullScreen() const {
    return window_ != nullptr && (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
}

int TWindow::RefreshRate() const {
    constexpr int Unknown = 60;
    if (window_ == nullptr) return Unknown;
    const int display = SDL_GetWindowDisplayIndex(window_);
    SDL_DisplayMode mode{};
    if (display < 0 || SDL_GetCurrentDisplayMode(display, &mode) != 0 || mode.refresh_rate <= 0)
        return Unknown;
    return mode.refresh_rate;
}

bool TWindow::SetVSync(bool on) {
    if (renderer_ == nullptr || software_ || on == vsync_ || (on && vsync_refused_)) return vsync_;
    vsync_ = false;
    vsync_refused_ = on; // until it is taken below
    if (SDL_RenderSetVSync(renderer_, on ? 1 : 0) != 0 || !on) return false;
    // SDL may stand in for a swap interval the GL refused by waiting on a timer of its own;
    // only a swap interval the GL took is a vertical blank.
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer_, &info) == 0 && info.name != nullptr &&
        std::strncmp(info.name, "opengl", 6) == 0 && SDL_GL_GetSwapInterval() == 0) {
        SDL_RenderSetVSync(renderer_, 0);
        return false;
    }
    vsync_ = true;
    vsync_refused_ = false;
    return true;
}

void TWindow::Centre() {
    if (window_ != nullptr)
        SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

namespace {

// Within this many pixels of its edge a resizable window is resized by dragging: a window
// without a border has no other edge to take.
constexpr int ResizeEdge = 6;

SDL_HitTestResult ResizeAtEdges(SDL_Window* window, const SDL_Point* at, void*) {
    if ((SDL_GetWindowFlags(window) & (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_MAXIMIZED)) != 0)
        return SDL_HITTEST_NORMAL;
    int w = 0, h = 0;
    SDL_GetWindowSize(window, &w, &h);
    const bool left = at->x < ResizeEdge, right = at->x >= w - ResizeEdge;
    const bool top = at->y < ResizeEdge, bottom = at->y >= h - ResizeEdge;
    if (top)
        return left    ? SDL_HITTEST_RESIZE_TOPLEFT
               : right ? SDL_HITTEST_RESIZE_TOPRIGHT
                       : SDL_HITTEST_RESIZE_TOP;
    if (bottom)
        return left    ? SDL_HITTEST_RESIZE_BOTTOMLEFT
               : right ? SDL_HITTEST_RESIZE_BOTTOMRIGHT
                       : SDL_HITTEST_RESIZE_BOTTOM;
    if (left) return SDL_HITTEST_RESIZE_LEFT;
    if (right) return SDL_HITTEST_RESIZE_RIGHT;
    return SDL_HITTEST_NORMAL;
}

} // namespace

void TWindow::SetResizable(bool resizable, int min_width, int min_height) {
    if (window_ == nullptr) return;
    resizable_ = resizable;
    if (resizable) SDL_SetWindowMinimumSize(window_, min_width, min_height);
    SDL_SetWindowResizable(window_, resizable ? SDL_TRUE : SDL_FALSE);
    SDL_SetWindowHitTest(window_, resizable ? ResizeAtEdges : nullptr, nullptr);
}

void TWindow::SetClientSize(int width, int height) {
    windowed_width_ = width;
    windowed_height_ = height;
    if (window_ != nullptr && !FullScreen()) SDL_SetWindowSize(window_, width, height);
}

void TWindow::SetMaximized(bool maximized) {
    if (window_ == nullptr) return;
    if (maximized)
        SDL_MaximizeWindow(window_);
    else
        SDL_RestoreWindow(window_);
}

bool TWindow::Maximized() const {
    return window_ != nullptr && (SDL_GetWindowFlags(window_) & SDL_WINDOW_MAXIMIZED) != 0;
}

bool TWindow::HandleEvent(const TEvent& event) {
    if (window_ == nullptr || event.kind != TEventKind::Window || !event.resized ||
        event.window_id != SDL_GetWindowID(window_) || event.native == nullptr)
        return false;
    // The size the window returns to is the last one the player gave it by hand.
    if (!FullScreen() && !Maximized()) {
        windowed_width_ = event.native->window.data1;
        windowed_height_ = event.native->window.data2;
    }
    return true;
}

int TWindow::ClientWidth() const {
    int w = windowed_width_, h = windowed_height_;
    if (window_ != nullptr) SDL_GetWindowSize(window_, &w, &h);
    return w;
}

int TWindow::ClientHeight() const {
    int w = windowed_width_, h = windowed_height_;
    if (window_ != nullptr) SDL_GetWindowSize(window_, &w, &h);
    return h;
}

bool TWindow::UsableScreenSize(int& width, int& height) const {
    SDL_Rect bounds;
    if (window_ == nullptr ||
        SDL_GetDisplayUsableBounds(SDL_GetWindowDisplayIndex(window_), &bounds) != 0)
        return false;
    width = bounds.w;
    height = bounds.h;
    return true;
}

uint32_t TWindow::window_id() const {
    return window_ != nullptr ? SDL_GetWindowID(window_) : 0;
}

SDL_Rect PresentRect(int width, int height, int out_width, int out_height, bool whole_multiples) {
    if (width <= 0 || height <= 0 || out_width <= 0 || out_height <= 0) return {0, 0, 0, 0};
    const int whole = std::min(out_width / width, out_height / height);
    int w = 0;
    int h = 0;
    if (whole_multiples && whole >= 1) {
        w = width * whole;
        h = height * whole;
    } else if (static_cast<int64_t>(out_width) * height <=
               static_cast<int64_t>(out_height) * width) {
        w = out_width;
        h = static_cast<int>(static_cast<int64_t>(height) * out_width / width);
    } else {
        h = out_height;
        w = static_cast<int>(static_cast<int64_t>(width) * out_height / height);
    }
    return {(out_width - w) / 2, (out_height - h) / 2, w, h};
}

bool TWindow::TextureOfSize(int width, int height) {
    if (renderer_ == nullptr) return false;
    if (texture_ != nullptr && texture_width_ == width && texture_height_ == height) return true;
    LosePicture();
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_XRGB8888, SDL_TEXTUREACCESS_STREAMING,
                                 width, height);
    texture_width_ = width;
    texture_height_ = height;
    return texture_ != nullptr;
}

void TWindow::LosePicture() {
    if (picture_ == nullptr) return;
    if (OnPictureLost) OnPictureLost();
    SDL_UnlockTexture(texture_);
    picture_ = nullptr;
}

void TWindow::PresentPixels(const uint32_t* pixels, int width, int height, TPictureFit fit) {
    if (!TextureOfSize(width, height)) return;
    LosePicture();
    SDL_UpdateTexture(texture_, nullptr, pixels, width * 4);
    ShowTexture(fit);
}

namespace {

// Renderers whose streaming textures are locked as the same memory every time, holding what
// was last drawn there: SDL's software renderer (the texture's own pixels) and its GL ones
// (a copy kept for uploading).
bool KeepsLockedMemory(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0 || info.name == nullptr) return false;
    for (const char* name : {"software", "opengl", "opengles2"})
        if (std::strcmp(info.name, name) == 0) return true;
    return false;
}

} // namespace

uint32_t* TWindow::PictureMemory(int width, int height) {
    if (!TextureOfSize(width, height)) return nullptr;
    if (picture_ != nullptr) return picture_;
    if (!KeepsLockedMemory(renderer_)) return nullptr;
    void* memory = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(texture_, nullptr, &memory, &pitch) != 0) return nullptr;
    if (pitch != width * 4) {
        SDL_UnlockTexture(texture_);
        return nullptr;
    }
    picture_ = static_cast<uint32_t*>(memory);
    return picture_;
}

uint32_t* TWindow::PresentPicture(TPictureFit fit) {
    if (picture_ == nullptr) return nullptr;
    SDL_UnlockTexture(texture_);
    picture_ = nullptr;
    ShowTexture(fit);
    return PictureMemory(texture_width_, texture_height_);
}

void TWindow::ShowTexture(TPictureFit fit) {
    const int width = texture_width_;
    const int height = texture_height_;
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderSetLogicalSize(renderer_, 0, 0);
    int out_width = 0;
    int out_height = 0;
    SDL_GetRendererOutputSize(renderer_, &out_width, &out_height);
    shown_ = Shown{width, height};
    if (fit == TPictureFit::Fill) {
        const SDL_Rect picture = PresentRect(width, height, out_width, out_height, false);
        const bool whole = picture.w % width == 0 && picture.h % height == 0 &&
                           picture.w / width == picture.h / height;
        SDL_SetTextureScaleMode(texture_, whole ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
        PresentInRect(picture, out_width, out_height);
        return;
    }
    // Scaled by repeating pixels, never smoothed: text and markers stay sharp.
    SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
    if (!software_) {
        shown_.renderer_scaled = true;
        SDL_RenderSetLogicalSize(renderer_, width, height);
        SDL_RenderClear(renderer_);
        SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
        SDL_RenderPresent(renderer_);
        return;
    }
    // On the processor: whole multiples copy pixels without filtering.
    PresentInRect(PresentRect(width, height, out_width, out_height, true), out_width, out_height);
}

void TWindow::PresentInRect(const SDL_Rect& picture, int out_width, int out_height) {
    shown_.x = picture.x;
    shown_.y = picture.y;
    shown_.w = picture.w;
    shown_.h = picture.h;
    // Only the borders around the picture are cleared.
    const SDL_Rect borders[] = {
        {0, 0, out_width, picture.y},
        {0, picture.y + picture.h, out_width, out_height - picture.y - picture.h},
        {0, picture.y, picture.x, picture.h},
        {picture.x + picture.w, picture.y, out_width - picture.x - picture.w, picture.h},
    };
    for (const SDL_Rect& border : borders)
        if (border.w > 0 && border.h > 0) SDL_RenderFillRect(renderer_, &border);
    SDL_RenderCopy(renderer_, texture_, nullptr, &picture);
    SDL_RenderPresent(renderer_);
}

bool TWindow::ReadPixels(std::vector<uint32_t>& out, int& width, int& height) {
    if (renderer_ == nullptr) return false;
    if (SDL_GetRendererOutputSize(renderer_, &width, &height) != 0) return false;
    out.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    return SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_XRGB8888, out.data(),
                                width * 4) == 0;
}
