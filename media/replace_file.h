// Replacing a file's contents so that a failure at any step leaves the old file whole.
#pragma once

#include <string>

// Writes text to "<path>.tmp" beside the file, flushes it to the disk and moves it over
// the file. Every write, the flush and the close are checked; on any failure the old file
// is kept, the temporary file is removed and the result is false with the system's reason
// in error. A symbolic link at path keeps pointing where it did: its target is replaced.
bool ReplaceFileContents(const std::string& path, const std::string& text, std::string& error);
