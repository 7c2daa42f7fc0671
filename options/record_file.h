// Record table files on disk. A table is written whole to a temporary file in the same
// folder, flushed to the disk and renamed over the old one, so a crash or a full disk
// never leaves half a table. A file that is not a table is moved aside before a result is
// written over it, never deleted; only showing a table changes no file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "options/record_table.h"

// What keeps a file from being read as a whole table.
enum class TableFault {
    None,
    Unreadable, // a folder, a device, larger than a table could be, or the system refuses it
    NotATable,  // shorter than a table
    TooLong,    // longer than a table: its first 1080 bytes are read as the table
};

struct TTableRead {
    TRecordTable Table = ClearedTable(); // cleared unless read from the file
    bool Existed = false;                // a file (or something else) stands at the path
    bool FromFile = false; // Table came from the file (from the first 1080 bytes of a long one)
    TableFault Fault = TableFault::None;
    uint64_t Size = 0;  // the file's size, when it could be read
    std::string Reason; // the system's reason, for an unreadable file
};

// Reads the table at path; reading never changes the file. A missing file gives a cleared
// table, as does a file with a fault other than TooLong.
TTableRead ReadTableFile(const std::string& path);

// The message for the player when a table whose read had a fault is only shown: what is
// wrong with the file, and what is shown instead.
std::string ShowingProblem(const std::string& path, const TTableRead& read);

// Before a result is written over a file whose read had a fault: the file is moved aside
// as "<path>.<time>.bad", so that nothing of it is lost. Returns the message for the
// player naming both files; may_write becomes false when the file could not be moved
// (the result must then not be written over it).
std::string SetFaultyFileAside(const std::string& path, const TTableRead& read, bool& may_write);

// Writes the table, creating the folder when missing. Returns a message naming the file
// and the system's reason when it failed; the old file is then as it was.
std::optional<std::string> WriteTableFile(const std::string& path, const TRecordTable& table);
