// The main form's window: an SDL window with a renderer. The options panel draws into it,
// and the display presents its back surface through it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Rect;
struct TEvent;

// Where a width × height picture goes in an output of out_width × out_height, centred with
// its aspect kept: the largest whole multiple that fits when whole_multiples is set (and
// one fits), else as large as fits.
SDL_Rect PresentRect(int width, int height, int out_width, int out_height, bool whole_multiples);

// How a picture of another size than the window's is shown.
enum class TPictureFit {
    // Pixels only repeated, never blended: by whole multiples when presenting on the
    // processor and the window is large enough.
    Sharp,
    // As large as the window allows with the aspect kept: repeated pixels when that is a
    // whole multiple, smoothly filtered otherwise.
    Fill,
};

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
    // Leaving it gives the window back its windowed size.
    void SetFullScreen(bool full_screen);
    bool FullScreen() const;
    // The refresh rate of the display the window is on, in pictures a second; 60 where
    // SDL knows none (and before the window exists).
    int RefreshRate() const;
    // Asks for presenting in step with the display's vertical blank (on) or at once (off);
    // true while presenting waits for it. Only a GPU renderer whose swap interval took it
    // waits: the window surface (and so Xvfb, whose GL is software) never does.
    bool SetVSync(bool on);
    void Centre();

    // Lets the player resize the window (by its edges, even without a border) down to
    // min_width x min_height, or fixes its size again.
    void SetResizable(bool resizable, int min_width, int min_height);
    bool Resizable() const { return resizable_; }
    // The windowed client size (also while full screen, for when it ends).
    void SetClientSize(int width, int height);
    void SetMaximized(bool maximized);
    bool Maximized() const;
    // Follows the window's changes of size; true when the event was one.
    bool HandleEvent(const TEvent& event);

    // The client size now (the screen's while full screen).
    int ClientWidth() const;
    int ClientHeight() const;
    // The client size the window has, or gets back, when neither full screen nor maximised.
    int WindowedWidth() const { return windowed_width_; }
    int WindowedHeight() const { return windowed_height_; }
    // The usable area of the screen the window is on (the whole client size when unknown).
    bool UsableScreenSize(int& width, int& height) const;
    SDL_Window* sdl_window() const { return window_; }
    SDL_Renderer* renderer() const { return renderer_; }
    uint32_t window_id() const;

    // True when frames are presented by the processor (the machine has no GPU renderer).
    bool SoftwarePresenting() const { return software_; }
    // Shows a 0x00RRGGBB picture in the window with its aspect kept, centred on black.
    void PresentPixels(const uint32_t* pixels, int width, int height,
                       TPictureFit fit = TPictureFit::Sharp);
    // Where a point of a mouse event falls on the picture the window showed last, in the
    // picture's own pixels; false when it falls beside it (or nothing was shown).
    bool PicturePoint(int event_x, int event_y, int& x, int& y) const;

    // Memory to draw a width x height picture straight into: the streaming texture it is
    // shown from, locked, rows width pixels apart, so that showing it copies it once less.
    // Null where the renderer is not known to keep what is drawn there from one lock to the
    // next, or pads the rows. Valid until PresentPicture, or until OnPictureLost is called,
    // which happens before the memory goes any other way (PresentPixels, another size,
    // Destroy).
    uint32_t* PictureMemory(int width, int height);
    // Shows the picture drawn in PictureMemory as PresentPixels would, and returns the
    // memory to draw the next one in, holding the same picture: the same memory with the
    // renderers PictureMemory accepts (null when it cannot be had again).
    uint32_t* PresentPicture(TPictureFit fit = TPictureFit::Sharp);
    std::function<void()> OnPictureLost;
    // Reads back what the window shows (for screenshots of the options panel).
    bool ReadPixels(std::vector<uint32_t>& out, int& width, int& height);

private:
    // A streaming texture of the size, kept from frame to frame; false when none can be had.
    bool TextureOfSize(int width, int height);
    // Unlocks the picture memory, telling its user first.
    void LosePicture();
    // Draws the texture into the window and shows it.
    void ShowTexture(TPictureFit fit);
    void PresentInRect(const SDL_Rect& picture, int out_width, int out_height);
    // What the last picture shown was, for PicturePoint: its size, the rectangle it filled
    // in the output's pixels, and whether the renderer scaled it itself (then SDL gives
    // mouse events in the picture's pixels already).
    struct Shown {
        int width = 0, height = 0;
        int x = 0, y = 0, w = 0, h = 0;
        bool renderer_scaled = false;
    };
    Shown shown_;

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    int texture_width_ = 0;
    int texture_height_ = 0;
    uint32_t* picture_ = nullptr; // the texture, locked as picture memory
    bool software_ = false;
    bool vsync_ = false;
    bool vsync_refused_ = false; // asked once and not taken: not asked again
    bool resizable_ = false;
    int windowed_width_ = 0;
    int windowed_height_ = 0;
};
