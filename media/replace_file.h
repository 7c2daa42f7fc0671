// Writing files so that no failure loses what was there: the one writer of the settings,
// the record tables and demos. A file-size limit (ulimit -f) makes a write fail as a full
// disk does, with the system's reason, instead of ending the program.
#pragma once

#include <string>
#include <string_view>

// Replaces the file at path with bytes: written to a new file beside it (its folder is made
// when missing), flushed to the disk and moved over it. Every step is checked; on any
// failure the old file is as it was, the new file is removed and the result is false with
// the reason, in the player's language, in error. A file the user may not write is not
// replaced. A symbolic link at path keeps pointing where it did: its target is replaced.
bool ReplaceFileContents(const std::string& path, std::string_view bytes, std::string& error);

// A file written piece by piece, each piece reaching the disk at once (a demo as it is
// recorded). It is written beside path until Publish moves it there, so that an old file is
// kept when not even the start could be written; after that it stays readable whatever
// happens to the program. Failures as with ReplaceFileContents; what was appended before a
// failure stays.
class TAppendFile {
public:
    TAppendFile() = default;
    ~TAppendFile() { Close(); }
    TAppendFile(const TAppendFile&) = delete;
    TAppendFile& operator=(const TAppendFile&) = delete;

    // Starts a new file beside path; fails when path could not be replaced.
    bool Open(const std::string& path, std::string& error);
    bool Append(std::string_view bytes, std::string& error);
    // Puts the file at path, over the old one; later pieces go on reaching it at once.
    bool Publish(std::string& error);
    // A file never published is removed; the old one stays.
    void Close();

private:
    int fd_ = -1;
    std::string target_;
    std::string temporary_; // while not published
};

// For tests, where permissions do not stop the superuser: from now on each file the writers
// create fails with this errno value, at its creation for EACCES, EPERM and EROFS and at
// its first write for any other (ENOSPC, EFBIG, ...). 0 lets the system decide again.
void SetInjectedWriteError(int error);
