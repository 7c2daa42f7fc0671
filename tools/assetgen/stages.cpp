#include "tools/assetgen/assetgen.h"

namespace assetgen {
void WriteStages(const std::string&, const std::string&) {}
} // namespace assetgen
