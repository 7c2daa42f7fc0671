#include "media/window.h"

#include <SDL.h>

#include <stdexcept>

TWindow::~TWindow() {
    Destroy();
}

void TWindow::Create(const std::string& caption, int client_width, int client_height) {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0 && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        throw std::runtime_error(std::string("Cannot open the display: ") + SDL_GetError());
    client_width_ = client_width;
    client_height_ = client_height;
    window_ = SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               client_width, client_height, SDL_WINDOW_SHOWN);
    if (window_ == nullptr)
        throw std::runtime_error(std::string("Cannot create the window: ") + SDL_GetError());
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
    if (renderer_ == nullptr) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
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
    SDL_RenderSetLogicalSize(renderer_, width, height);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
}

bool TWindow::ReadPixels(std::vector<uint32_t>& out, int& width, int& height) {
    if (renderer_ == nullptr) return false;
    if (SDL_GetRendererOutputSize(renderer_, &width, &height) != 0) return false;
    out.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    return SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_XRGB8888, out.data(),
                                width * 4) == 0;
}
