// Showing a dialog in the game window: the dialog takes every key and click until it is
// closed, drawn over the options panel or over the empty form.
#include <SDL.h>

#include <iostream>

#include "app/main_form.h"
#include "options/dialogs.h"

namespace {

// Closes a dialog the way Escape does (No, an empty name); Cancel if it ignores Escape.
void CloseByEscape(TModalDialog& dialog) {
    dialog.KeyDown(SDLK_ESCAPE, false, false);
    if (!dialog.Closed()) dialog.ModalResult = TModalResult::Cancel;
}

} // namespace

void RunModalInWindow(TMainForm& form, TModalDialog& dialog) {
    TOptionsPanel& host = form.Panel1;
    if (!host.Attached()) {
        // Nothing can be drawn: a message still reaches the player natively.
        if (auto* box = dynamic_cast<TMessageDialog*>(&dialog))
            ShowErrorMessage(box->Caption, box->Text);
        CloseByEscape(dialog);
        return;
    }
    TModalDialog* const outer = host.Modal;
    host.Modal = &dialog;
    const int cursor = SDL_ShowCursor(SDL_QUERY);
    SDL_ShowCursor(SDL_ENABLE);
    const bool was_typing = SDL_IsTextInputActive() == SDL_TRUE;
    if (dialog.WantsTextInput()) SDL_StartTextInput();

    while (!dialog.Closed()) {
        if (form.Application.Terminated()) {
            CloseByEscape(dialog);
            break;
        }
        host.Draw();
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, 50) == 0) continue;
        do {
            // Closing the window ends the program; the dialog answers as Escape would.
            if (event.type == SDL_QUIT)
                form.Application.Terminate();
            else
                host.HandleEvent(event);
        } while (SDL_PollEvent(&event) != 0);
    }

    if (dialog.WantsTextInput() && !was_typing) SDL_StopTextInput();
    SDL_ShowCursor(cursor);
    host.Modal = outer;
}
