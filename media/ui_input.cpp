#include "media/ui_input.h"

#include <SDL.h>

#include "media/window.h"

namespace {

// Half the stick's travel, as the game's own dead zone.
constexpr int StickPush = 16384;

UiInput KeyInput(const SDL_KeyboardEvent& key) {
    const bool repeat = key.repeat != 0;
    switch (key.keysym.sym) {
    case SDLK_UP:
    case SDLK_KP_8:
        return UiInput::Up;
    case SDLK_DOWN:
    case SDLK_KP_2:
        return UiInput::Down;
    default:
        break;
    }
    if (repeat) return UiInput::None;
    switch (key.keysym.sym) {
    case SDLK_ESCAPE:
        return UiInput::Escape;
    case SDLK_p:
        return UiInput::Pause;
    case SDLK_m:
        return UiInput::Mute;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        // Alt+Enter is the full-screen key.
        return (key.keysym.mod & KMOD_ALT) != 0 ? UiInput::None : UiInput::Choose;
    case SDLK_SPACE:
    case SDLK_z:
        return UiInput::Choose;
    default:
        return UiInput::None;
    }
}

UiInput PadInput(Uint8 button) {
    switch (button) {
    case SDL_CONTROLLER_BUTTON_START:
        return UiInput::Pause;
    case SDL_CONTROLLER_BUTTON_A:
        return UiInput::Choose;
    case SDL_CONTROLLER_BUTTON_B:
        return UiInput::Back;
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
        return UiInput::Up;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
        return UiInput::Down;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
        return UiInput::Left;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
        return UiInput::Right;
    default:
        return UiInput::None;
    }
}

} // namespace

TUiEvent TUiReader::Read(const TEvent& from, const TWindow& window) {
    TUiEvent ui;
    if (from.native == nullptr) return ui;
    const SDL_Event& event = *from.native;
    switch (event.type) {
    case SDL_KEYDOWN:
        ui.input = KeyInput(event.key);
        break;
    case SDL_CONTROLLERBUTTONDOWN:
        ui.input = PadInput(event.cbutton.button);
        ui.pad = true;
        break;
    case SDL_CONTROLLERAXISMOTION: {
        const bool across = event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX;
        if (!across && event.caxis.axis != SDL_CONTROLLER_AXIS_LEFTY) break;
        const int value = event.caxis.value;
        const int now = value <= -StickPush ? -1 : value >= StickPush ? 1 : 0;
        int& was = across ? stick_x_ : stick_;
        if (now != 0 && now != was) {
            if (across)
                ui.input = now < 0 ? UiInput::Left : UiInput::Right;
            else
                ui.input = now < 0 ? UiInput::Up : UiInput::Down;
        }
        was = now;
        ui.pad = true;
        break;
    }
    case SDL_MOUSEMOTION:
        if (window.PicturePoint(event.motion.x, event.motion.y, ui.x, ui.y))
            ui.input = UiInput::Point;
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (event.button.button == SDL_BUTTON_LEFT &&
            window.PicturePoint(event.button.x, event.button.y, ui.x, ui.y))
            ui.input = event.type == SDL_MOUSEBUTTONUP ? UiInput::Click : UiInput::Point;
        break;
    default:
        break;
    }
    return ui;
}
