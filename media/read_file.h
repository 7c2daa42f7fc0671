// Reading a whole file into memory: the one reader of every file the game reads (game files,
// the option text, the settings, the record tables, demos). It never blocks: a named pipe,
// a device, a folder or a file larger than its kind could ever be is refused unread, and
// the refusal says why in the player's language.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "scene/engine/little_endian.h"

// Why a file could not be read.
struct FileProblem {
    bool missing = false; // nothing stands at the path
    std::string reason;   // in the player's language, without the file's name
};

// Reads the regular file at path, at most max_size bytes long, into out; out is left as it
// was when the file is refused.
std::optional<FileProblem> ReadFileWithin(const std::string& path, size_t max_size,
                                          std::vector<uint8_t>& out);

// No picture or sound of the game, and no demo, comes near this.
inline constexpr size_t MaxGameFileSize = size_t{256} << 20;

// A game file that cannot be opened or read.
class EFOpenError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A game file's bytes. Raises EFOpenError "<path>: ファイルを開けません（<reason>）".
std::vector<uint8_t> ReadBinaryFile(const std::string& path);

// Little-endian reads from a byte buffer, the engine's; the caller checks the bounds first.
using rm::ReadLE16;
using rm::ReadLE32;
