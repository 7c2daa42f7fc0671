// Showing a dialog in the game window: the dialog takes every key, click and pad button
// until it is closed, drawn over the options panel or over the empty form.
#include "app/main_form.h"
#include "options/controls_page.h"
#include "options/dialogs.h"
#include "options/settings_page.h"

void DispatchModalEvent(TMainForm& form, const TEvent& event) {
    form.DXInput1.HandleEvent(event);
    // A controls page waiting for a key or pad button takes the press itself.
    if (form.Panel1.Modal != nullptr && RouteToControlsPage(*form.Panel1.Modal, event)) return;
    const DialogAction action = DialogActionOf(form.UiReader.Read(event, form.Window));
    if (action != DialogAction::None)
        form.Panel1.PadInput(action);
    else
        form.Panel1.HandleEvent(event);
}

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
    if (form.DXInput1.GamepadOpen()) dialog.UsePad();
    // The settings page opens the controls page between two frames, never inside one.
    const auto draw = [&host, &dialog] {
        host.Draw();
        auto* page = dynamic_cast<TSettingsPage*>(&dialog);
        if (page == nullptr || !page->ControlsWanted) return;
        page->ControlsWanted = false;
        if (page->ControlsButton.OnClick) page->ControlsButton.OnClick();
    };
    form.Application.RunModal([&dialog] { return dialog.Closed(); }, draw,
                              [&form](const TEvent& event) { DispatchModalEvent(form, event); },
                              dialog.WantsTextInput());
    // Closing the window ends the program; the dialog answers as Escape would.
    if (!dialog.Closed()) dialog.CloseAsEscape();
    host.Modal = outer;
}
