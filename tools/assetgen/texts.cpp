#include "tools/assetgen/assetgen.h"

namespace assetgen {
void WriteTexts(const std::string&, const std::string&) {}
} // namespace assetgen
