// The designed pad table: what each named button of a game controller is in the game.
#include <SDL_gamecontroller.h>

#include "media/input.h"

TPadAssigns DesignedPadAssigns() {
    TPadAssigns pad;
    pad.fill(-1);
    pad[InUp] = SDL_CONTROLLER_BUTTON_DPAD_UP;
    pad[InDown] = SDL_CONTROLLER_BUTTON_DPAD_DOWN;
    pad[InLeft] = SDL_CONTROLLER_BUTTON_DPAD_LEFT;
    pad[InRight] = SDL_CONTROLLER_BUTTON_DPAD_RIGHT;
    // SDL names the buttons by the Xbox layout: A is Cross on a PlayStation pad.
    pad[InButton1] = SDL_CONTROLLER_BUTTON_A;
    pad[InButton2] = SDL_CONTROLLER_BUTTON_B;
    pad[InButton3] = SDL_CONTROLLER_BUTTON_X;
    pad[InButton4] = SDL_CONTROLLER_BUTTON_Y;
    // The shoulders are the A and S keys: turn or sidestep, as the control scheme says.
    pad[InButton7] = SDL_CONTROLLER_BUTTON_LEFTSHOULDER;
    pad[InButton8] = SDL_CONTROLLER_BUTTON_RIGHTSHOULDER;
    return pad;
}
