// A headless main form with an initialised display of a chosen size, for drawing the HUD
// into the back surface and looking at its pixels.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "game/pictures.h"
#include "screens/screens.h"
#include "tests/support/form_fixture.h"

class HudFixture : public FormFixture {
protected:
    // Full-screen at width x height, as START does for the three resolutions.
    void OpenFullScreen(int width, int height) {
        form().DXDraw.Display.Width = width;
        form().DXDraw.Display.Height = height;
        form().DXDraw.InitializeDisplay();
        world().Display_Mode = width == 640 ? 0 : width == 800 ? 1 : 2;
    }

    void OpenWindow() {
        OpenWindowedDisplay();
        world().Display_Mode = 3;
    }

    TDirectDrawSurface& Back() { return form().DXDraw.BackSurface(); }
    int W() { return form().DXDraw.Width(); }
    int H() { return form().DXDraw.Height(); }

    const TDIB& Picture(int item) { return form().DXImageList1.Items(item).Picture; }

    // Lets DXTimer count frames every 33 ms for just over a second, without running the
    // game, so FramesPerSecond reads 30.
    void RunTimerAtThirtyFrames() {
        form().DXTimer.OnTimer = [](TDXTimer&, int) {};
        form().DXTimer.SetEnabled(true);
        for (int i = 0; i < 31; ++i) {
            clock_.Advance(33);
            if (app_.HasIdleSlot()) app_.Step(false);
        }
        form().DXTimer.SetEnabled(false);
    }
};
