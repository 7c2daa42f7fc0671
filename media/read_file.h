// Reading a whole game file into memory, with an error that names the file.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// A file that cannot be opened or read.
class EFOpenError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file's bytes. Raises EFOpenError "<path>: ファイルを開けません (<reason>)".
std::vector<uint8_t> ReadBinaryFile(const std::string& path);

// Little-endian reads from a byte buffer; the caller checks the bounds first.
inline uint16_t ReadLE16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t ReadLE32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
