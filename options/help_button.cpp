#include "app/main_form.h"
#include "media/language.h"
#include "options/options.h"

void Button3Click(TMainForm& form) {
    TMailAndHP& help = form.MailAndHP1;
    help.OpenHomePage();
    // Without a desktop opener nothing at all would happen: the player is told.
    if (!help.Success)
        ReportProblem(form, Format(Tr("ヘルプ文書 %s を開けません（%s）"), help.Document.c_str(),
                                   help.Failure.c_str()));
}
