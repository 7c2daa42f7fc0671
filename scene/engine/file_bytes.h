#pragma once
// Whole-file reads for the engine's loaders.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace rm {

// Reads the regular file at path into out. A folder, a device, a file that cannot be
// opened or read, or one longer than max_size gives false and a short reason in error.
bool ReadFileBytes(const std::string& path, size_t max_size, std::vector<uint8_t>& out,
                   std::string& error);

} // namespace rm
