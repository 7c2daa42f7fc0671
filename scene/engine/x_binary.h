// The binary form of .x files, turned into the text form the reader parses, so both forms
// of one mesh are read by the same code and give the same result.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace rm {

// Translates the token stream after a binary file's 16-byte header into text tokens.
// float_bytes is 4 or 8 (the header's "0032" or "0064"). False, with error set, when
// the stream is damaged.
bool BinaryXToText(const uint8_t* data, size_t size, int float_bytes, std::string& text,
                   std::string& error);

} // namespace rm
