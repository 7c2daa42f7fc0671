#include <iostream>

#include "app/main_form.h"
#include "options/dialogs.h"
#include "options/options.h"

void ReportProblem(TMainForm& form, const std::string& message) {
    std::cerr << form.Application.Title << ": " << message << std::endl;
    TMessageDialog box(message, form.Application.Title, TMessageDialog::Kind::OK);
    form.ShowModal(box);
}
