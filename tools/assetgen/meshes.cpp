#include "tools/assetgen/assetgen.h"

namespace assetgen {
void WriteMeshes(const std::string&) {}
} // namespace assetgen
