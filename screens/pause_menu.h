// The pause menu (beyond the design): the last frame shown stays on screen, dimmed, with
// "PAUSE" and three items over it, drawn at the display's UI scale. It is plain state and
// drawing; the screen machine (app/screen_machine.h) opens it and hands it the player's
// keys, buttons and pointer.
#pragma once

#include <optional>

#include "media/surface.h"

class TDXDraw;

enum class PauseItem { Resume, BackToPanel, Quit };
inline constexpr int PauseItemCount = 3;

class PauseMenu {
public:
    // Keeps the frame on the back surface now, dimmed; the focus goes to Resume.
    void Open(TDXDraw& display);
    // Lets the kept frame go.
    void Close();

    PauseItem Focus() const { return focus_; }
    void SetFocus(PauseItem item) { focus_ = item; }
    // One item down (step 1) or up (step -1), round the ends.
    void MoveFocus(int step);
    // The item drawn at a point of the back surface, if any.
    std::optional<PauseItem> ItemAt(TDXDraw& display, int x, int y) const;
    // The kept frame (centred, when the surface has changed its size since), "PAUSE", the
    // items with the focused one marked, and a line saying the keys, on the back surface.
    void Draw(TDXDraw& display) const;

private:
    TDirectDrawSurface kept_;
    PauseItem focus_ = PauseItem::Resume;
};

// The item's text in the player's language.
const char* PauseItemText(PauseItem item);
