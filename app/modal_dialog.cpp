// Showing a dialog in the game window: the dialog takes every key and click until it is
// closed, drawn over the options panel or over the empty form.
#include "app/main_form.h"
#include "options/dialogs.h"
#include "options/settings_page.h"

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
    // The settings page opens the controls page between two frames, never inside one.
    const auto draw = [&host, &dialog] {
        host.Draw();
        auto* page = dynamic_cast<TSettingsPage*>(&dialog);
        if (page == nullptr || !page->ControlsWanted) return;
        page->ControlsWanted = false;
        if (page->ControlsButton.OnClick) page->ControlsButton.OnClick();
    };
    form.Application.RunModal([&dialog] { return dialog.Closed(); }, draw,
                              [&host](const TEvent& event) { host.HandleEvent(event); },
                              dialog.WantsTextInput());
    // Closing the window ends the program; the dialog answers as Escape would.
    if (!dialog.Closed()) dialog.CloseAsEscape();
    host.Modal = outer;
}
