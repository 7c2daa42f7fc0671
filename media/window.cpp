#include "media/window.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

#include "media/gl_probe.h"

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
        throw std::runtime_error(std::string("Cannot open the display: ") + SDL_GetError());
    client_width_ = client_width;
    client_height_ = client_height;
    // SDL_RENDER_DRIVER, when set, chooses as the player asked; otherwise the machine does.
    const char* asked = SDL_getenv("SDL_RENDER_DRIVER");
    const bool choose = asked == nullptr || *asked == '\0';
    software_ = choose && OnlySoftwareGl();
    window_ = SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               client_width, client_height, SDL_WINDOW_SHOWN);
    if (window_ == nullptr)
        throw std::runtime_error(std::string("Cannot create the window: ") + SDL_GetError());
    if (!software_)
        renderer_ = SDL_CreateRenderer(window_, -1, choose ? SDL_RENDERER_ACCELERATED : 0);
    // Whatever renderer was chosen or asked for, one that cannot be created leaves the
    // window-surface path, which every video driver offers.
    if (renderer_ == nullptr) {
        software_ = true;
        renderer_ = CreateWindowSurfaceRenderer(window_);
    }
    if (renderer_ == nullptr)
        throw std::runtime_error(std::string("Cannot create a renderer: ") + SDL_GetError());
}

void TWindow::Destroy() {
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
        SDL_SetWindowSize(window_, client_width_, client_height_);
        Centre();
    }
}

void TWindow::Centre() {
    if (window_ != nullptr)
        SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
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

void TWindow::PresentPixels(const uint32_t* pixels, int width, int height) {
    if (renderer_ == nullptr) return;
    if (texture_ == nullptr || texture_width_ != width || texture_height_ != height) {
        if (texture_ != nullptr) SDL_DestroyTexture(texture_);
        texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_XRGB8888,
                                     SDL_TEXTUREACCESS_STREAMING, width, height);
        texture_width_ = width;
        texture_height_ = height;
        if (texture_ == nullptr) return;
        // Scaled by repeating pixels, never smoothed: text and markers stay sharp.
        SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
    }
    SDL_UpdateTexture(texture_, nullptr, pixels, width * 4);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    if (!software_) {
        SDL_RenderSetLogicalSize(renderer_, width, height);
        SDL_RenderClear(renderer_);
        SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
        SDL_RenderPresent(renderer_);
        return;
    }
    // On the processor: whole multiples copy pixels without filtering, and only the
    // borders around the picture are cleared.
    SDL_RenderSetLogicalSize(renderer_, 0, 0);
    int out_width = 0;
    int out_height = 0;
    SDL_GetRendererOutputSize(renderer_, &out_width, &out_height);
    const SDL_Rect picture = PresentRect(width, height, out_width, out_height, true);
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
