// Dear ImGui in the game window: its SDL platform and renderer glue. The options panel
// and its dialogs draw their controls with ImGui; this is what brings ImGui the window's
// mouse and shows what it drew. Every call is made with the ImGui context current that
// was current when the glue was made.
#pragma once

#include "media/events.h"

class TWindow;

class TGuiGlue {
public:
    explicit TGuiGlue(TWindow& window);
    ~TGuiGlue();
    TGuiGlue(const TGuiGlue&) = delete;
    TGuiGlue& operator=(const TGuiGlue&) = delete;

    // The mouse, the wheel and the window's changes; true when ImGui took the event.
    bool HandleEvent(const TEvent& event);
    // The font atlas changed: the next frame uploads it anew.
    void FontsChanged();
    // Before ImGui::NewFrame: a frame laid out in window pixels / scale and drawn scale
    // times as large.
    void NewFrame(int scale = 1);
    // After ImGui::Render: what ImGui drew, on black, shown in the window.
    void Present();

private:
    TWindow& window_;
    int scale_ = 1; // the frame's, from NewFrame
};

// Where the input method shows its candidates: next to the text being typed (window pixels).
void SetTextInputArea(int x, int y, int width, int height);
