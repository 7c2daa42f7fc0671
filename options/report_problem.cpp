#include "app/main_form.h"
#include "media/report.h"
#include "options/dialogs.h"
#include "options/options.h"

void ReportProblem(TMainForm& form, const std::string& message) {
    ReportProblemLine("", message);
    TMessageDialog box(message, form.Application.Title, TMessageDialog::Kind::OK);
    form.ShowModal(box);
}
