// The two top-10 tables with the form: clearing, entering a result (with the name
// dialog) and showing a table. A file problem never loses a result silently: it is shown
// in a message box naming the file, and the game goes on.
#pragma once

#include <cstdint>
#include <string>

#include "options/record_table.h"

class TMainForm;

// Writes a cleared table to path.
void ClearTable(TMainForm& form, const std::string& path);
// Enters value in the table at path, asking for the player's name when it enters; the
// table is written back also when it does not (rank 11). Returns the rank. When entered
// is given it receives the table as entered, which is what the file holds unless writing
// it failed.
int InsertRecord(TMainForm& form, const std::string& path, int32_t value,
                 TRecordTable* entered = nullptr);
// Shows the table at path (creating a cleared one when there is none; a file that is no
// whole table is reported and left as it is), highlighting rank 1..10 or nothing for 0,
// with times or points.
void ShowTable(TMainForm& form, const std::string& path, int highlight, bool time_mode);
// Shows the given records the same way.
void ShowRecords(TMainForm& form, const TRecordTable& table, int highlight, bool time_mode);
