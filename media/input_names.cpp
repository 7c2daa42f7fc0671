#include "media/input_names.h"

#include <SDL_events.h>
#include <SDL_gamecontroller.h>
#include <SDL_keyboard.h>

#include "media/events.h"
#include "media/input.h"

std::string KeyName(uint32_t key) {
    if (key == 0) return "";
    // The first scancode giving the key: Return before the keypad's Enter.
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode)
        if (VirtualKeyOfScancode(scancode) == key)
            return SDL_GetScancodeName(static_cast<SDL_Scancode>(scancode));
    return "";
}

uint32_t KeyOfName(std::string_view name) {
    const SDL_Scancode scancode = SDL_GetScancodeFromName(std::string(name).c_str());
    return scancode == SDL_SCANCODE_UNKNOWN ? 0 : VirtualKeyOfScancode(scancode);
}

std::string PadButtonName(int button) {
    if (button < 0 || button >= SDL_CONTROLLER_BUTTON_MAX) return "";
    const char* name =
        SDL_GameControllerGetStringForButton(static_cast<SDL_GameControllerButton>(button));
    return name != nullptr ? name : "";
}

int PadButtonOfName(std::string_view name) {
    if (name.empty()) return -1;
    return SDL_GameControllerGetButtonFromString(std::string(name).c_str());
}

int PadButtonCount() {
    return SDL_CONTROLLER_BUTTON_MAX;
}

int PadStartButton() {
    return SDL_CONTROLLER_BUTTON_START;
}

std::optional<uint32_t> PressedVirtualKey(const TEvent& event) {
    if (event.native == nullptr || event.native->type != SDL_KEYDOWN || event.native->key.repeat)
        return std::nullopt;
    return VirtualKeyOfScancode(event.native->key.keysym.scancode);
}

std::optional<int> PressedPadButton(const TEvent& event) {
    if (event.native == nullptr || event.native->type != SDL_CONTROLLERBUTTONDOWN)
        return std::nullopt;
    return event.native->cbutton.button;
}
