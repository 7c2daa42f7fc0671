// The main form's window: an SDL window with a renderer. The options panel draws into it,
// and the display presents its back surface through it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Rect;

// Where a width × height picture goes in an output of out_width × out_height, centred with
// its aspect kept: the largest whole multiple that fits when whole_multiples is set (and
// one fits), else as large as fits.
SDL_Rect PresentRect(int width, int height, int out_width, int out_height, bool whole_multiples);

class TWindow {
public:
    TWindow() = default;
    ~TWindow();
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;

    // Creates the window centred on the screen with the given client size. Throws with a
    // clear message when no display can be opened.
    void Create(const std::string& caption, int client_width, int client_height);
    void Destroy();
    bool Created() const { return window_ != nullptr; }

    void SetBorderless(bool borderless);
    void SetCursorVisible(bool visible);
    // Desktop full-screen; the picture keeps its own size and is scaled with its aspect.
    void SetFullScreen(bool full_screen);
    void Centre();

    int ClientWidth() const { return client_width_; }
    int ClientHeight() const { return client_height_; }
    SDL_Window* sdl_window() const { return window_; }
    SDL_Renderer* renderer() const { return renderer_; }
    uint32_t window_id() const;

    // True when frames are presented by the processor (the machine has no GPU renderer).
    bool SoftwarePresenting() const { return software_; }
    // Shows a 0x00RRGGBB picture scaled into the window with its aspect kept: by whole
    // multiples when presenting on the processor and the window is large enough.
    void PresentPixels(const uint32_t* pixels, int width, int height);
    // Reads back what the window shows (for screenshots of the options panel).
    bool ReadPixels(std::vector<uint32_t>& out, int& width, int& height);

private:
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    int texture_width_ = 0;
    int texture_height_ = 0;
    bool software_ = false;
    int client_width_ = 0;
    int client_height_ = 0;
};
