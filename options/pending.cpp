// Option handlers not built yet: the record buttons do nothing until their turn comes.
#include "app/main_form.h"
#include "options/options.h"

void Button3Click(TMainForm& form) {
    form.MailAndHP1.OpenHomePage();
}
void Button4Click(TMainForm&) {}
void Button5Click(TMainForm&) {}
void Button6Click(TMainForm&) {}
void Button7Click(TMainForm&) {}
