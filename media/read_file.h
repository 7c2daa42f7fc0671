// Reading a whole game file into memory, with an error that names the file.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "scene/engine/little_endian.h"

// A file that cannot be opened or read.
class EFOpenError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file's bytes. Raises EFOpenError "<path>: ファイルを開けません (<reason>)".
std::vector<uint8_t> ReadBinaryFile(const std::string& path);

// Little-endian reads from a byte buffer, the engine's; the caller checks the bounds first.
using rm::ReadLE16;
using rm::ReadLE32;
