#include "app/main_form.h"
#include "options/options.h"

void Button3Click(TMainForm& form) {
    form.MailAndHP1.OpenHomePage();
}
