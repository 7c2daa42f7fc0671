// Showing a dialog in the game window: the dialog takes every key and click until it is
// closed, drawn over the options panel or over the empty form.
#include "app/main_form.h"
#include "options/dialogs.h"

void RunModalInWindow(TMainForm& form, TModalDialog& dialog) {
    TOptionsPanel& host = form.Panel1;
    if (!host.Attached()) {
        // Nothing can be drawn: a message still reaches the player natively.
        if (auto* box = dynamic_cast<TMessageDialog*>(&dialog))
            ShowErrorMessage(box->Caption, box->Text);
        dialog.CloseAsEscape();
        return;
    }
    TModalDialog* const outer = host.Modal;
    host.Modal = &dialog;
    form.Application.RunModal([&dialog] { return dialog.Closed(); }, [&host] { host.Draw(); },
                              [&host](const TEvent& event) { host.HandleEvent(event); },
                              dialog.WantsTextInput());
    // Closing the window ends the program; the dialog answers as Escape would.
    if (!dialog.Closed()) dialog.CloseAsEscape();
    host.Modal = outer;
}
