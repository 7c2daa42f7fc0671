// Record table files on disk. A table is written whole to a temporary file in the same
// folder, flushed to the disk and renamed over the old one, so a crash or a full disk
// never leaves half a table. A file that is not a table is moved aside, never deleted.
#pragma once

#include <optional>
#include <string>

#include "options/record_table.h"

struct TTableRead {
    TRecordTable Table = ClearedTable(); // cleared unless read from the file
    bool Existed = false;                // a file (or something else) stood at the path
    bool FromFile = false;               // Table came from the file
    // False when a file that could not be read still stands at the path: writing would
    // destroy it.
    bool MayWrite = true;
    std::string Problem; // for the player, naming the file; empty when none
};

// Reads the table at path. A missing file gives a cleared table; a file that is not
// exactly 1080 bytes, or cannot be read, is renamed to "<path>.<time>.bad" and a cleared
// table is given with a message naming both files.
TTableRead ReadTableFile(const std::string& path);

// Writes the table, creating the folder when missing. Returns a message naming the file
// and the system's reason when it failed; the old file is then as it was.
std::optional<std::string> WriteTableFile(const std::string& path, const TRecordTable& table);
