#include "tools/assetgen/assetgen.h"

namespace assetgen {
void WriteSounds(const std::string&) {}
} // namespace assetgen
