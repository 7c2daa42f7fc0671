#include "options/records.h"

#include "app/main_form.h"
#include "options/dialogs.h"
#include "options/options.h"
#include "options/record_file.h"

void ClearTable(TMainForm& form, const std::string& path) {
    if (std::optional<std::string> problem = WriteTableFile(path, ClearedTable()))
        ReportProblem(form, *problem);
}

int InsertRecord(TMainForm& form, const std::string& path, int32_t value, TRecordTable* entered) {
    // A missing file starts as a cleared table; it is written once, below.
    TTableRead read = ReadTableFile(path);
    // A file that is no whole table goes aside before the result is written over it.
    bool may_write = true;
    if (read.Fault != TableFault::None)
        ReportProblem(form, SetFaultyFileAside(path, read, may_write));
    TRecordTable& table = read.Table;
    const int rank = RankOf(table, value);
    if (rank <= static_cast<int>(RecordCount)) {
        InsertAt(table, rank, value);
        TfrmInput dialog;
        form.ShowModal(dialog);
        const std::string name = dialog.ModalResult == TModalResult::OK ? dialog.Edit1.Text : "";
        SetName(table[static_cast<size_t>(rank - 1)], NameToShiftJis(name));
    }
    if (may_write) {
        if (std::optional<std::string> problem = WriteTableFile(path, table))
            ReportProblem(form, *problem);
    }
    if (entered != nullptr) *entered = table;
    return rank;
}

void ShowRecords(TMainForm& form, const TRecordTable& table, int highlight, bool time_mode) {
    TfrmScore dialog(time_mode ? RecordKind::Time : RecordKind::Score);
    for (size_t n = 0; n < RecordCount; ++n) {
        std::string name = NameFromShiftJis(NameBytes(table[n]));
        // The empty entries' stored name reads in the player's language.
        if (name == EmptyRecordName) name = Tr(EmptyRecordName);
        dialog.SetRow(static_cast<int>(n) + 1, name, ScoreText(table[n].Score, time_mode));
    }
    dialog.SetHighlight(highlight);
    form.ShowModal(dialog);
}

void ShowTable(TMainForm& form, const std::string& path, int highlight, bool time_mode) {
    // Showing changes no file: a faulty one is only reported, and set aside when a result
    // is written. A missing one is created cleared.
    const TTableRead read = ReadTableFile(path);
    if (read.Fault != TableFault::None)
        ReportProblem(form, ShowingProblem(path, read));
    else if (!read.Existed)
        ClearTable(form, path);
    ShowRecords(form, read.Table, highlight, time_mode);
}

namespace {

void AskAndClear(TMainForm& form, const std::string& path, RecordKind kind) {
    const bool time = kind == RecordKind::Time;
    TMessageDialog box(Tr(time ? ClearTimeQuestion : ClearQuestion),
                       Tr(time ? ClearTimeCaption : ClearCaption), TMessageDialog::Kind::YesNo);
    form.ShowModal(box);
    if (box.ModalResult == TModalResult::Yes) ClearTable(form, path);
}

} // namespace

void Button4Click(TMainForm& form) {
    ShowTable(form, form.world.Score_File, 0, false);
}

void Button5Click(TMainForm& form) {
    AskAndClear(form, form.world.Score_File, RecordKind::Score);
}

void Button6Click(TMainForm& form) {
    ShowTable(form, form.world.Time_File, 0, true);
}

void Button7Click(TMainForm& form) {
    AskAndClear(form, form.world.Time_File, RecordKind::Time);
}
