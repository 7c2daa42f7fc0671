#include "media/events.h"

#include <SDL.h>

namespace {

int KeyCodeOf(SDL_Keycode sym) {
    if (sym >= SDLK_a && sym <= SDLK_z) return 'A' + (sym - SDLK_a);
    if (sym >= SDLK_0 && sym <= SDLK_9) return sym;
    switch (sym) {
    case SDLK_BACKSPACE:
        return key_code::Backspace;
    case SDLK_TAB:
        return key_code::Tab;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return key_code::Enter;
    case SDLK_ESCAPE:
        return key_code::Escape;
    case SDLK_SPACE:
        return key_code::Space;
    case SDLK_PAGEUP:
        return key_code::PageUp;
    case SDLK_PAGEDOWN:
        return key_code::PageDown;
    case SDLK_END:
        return key_code::End;
    case SDLK_HOME:
        return key_code::Home;
    case SDLK_LEFT:
        return key_code::Left;
    case SDLK_UP:
        return key_code::Up;
    case SDLK_RIGHT:
        return key_code::Right;
    case SDLK_DOWN:
        return key_code::Down;
    case SDLK_DELETE:
        return key_code::Delete;
    case SDLK_F11:
        return key_code::F11;
    default:
        return key_code::None;
    }
}

} // namespace

TEvent EventOf(const SDL_Event& event) {
    TEvent e;
    e.native = &event;
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        e.kind = event.type == SDL_KEYDOWN ? TEventKind::KeyDown : TEventKind::KeyUp;
        e.window_id = event.key.windowID;
        e.key = KeyCodeOf(event.key.keysym.sym);
        e.shift = (event.key.keysym.mod & KMOD_SHIFT) != 0;
        e.alt = (event.key.keysym.mod & KMOD_ALT) != 0;
        e.repeat = event.key.repeat != 0;
        break;
    case SDL_TEXTINPUT:
        e.kind = TEventKind::TextInput;
        e.window_id = event.text.windowID;
        e.text = event.text.text;
        break;
    case SDL_TEXTEDITING:
        e.kind = TEventKind::TextEditing;
        e.window_id = event.edit.windowID;
        e.text = event.edit.text;
        break;
    case SDL_MOUSEMOTION:
        e.kind = TEventKind::MouseMotion;
        e.window_id = event.motion.windowID;
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        e.kind = event.type == SDL_MOUSEBUTTONDOWN ? TEventKind::MouseDown : TEventKind::MouseUp;
        e.window_id = event.button.windowID;
        e.double_click = event.type == SDL_MOUSEBUTTONDOWN &&
                         event.button.button == SDL_BUTTON_LEFT && event.button.clicks == 2;
        break;
    case SDL_MOUSEWHEEL:
        e.kind = TEventKind::MouseWheel;
        e.window_id = event.wheel.windowID;
        break;
    case SDL_WINDOWEVENT:
        e.kind = TEventKind::Window;
        e.window_id = event.window.windowID;
        e.resized = event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED;
        break;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
        e.kind = TEventKind::RenderReset;
        break;
    default:
        break;
    }
    return e;
}
