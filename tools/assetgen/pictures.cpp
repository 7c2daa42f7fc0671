#include "tools/assetgen/assetgen.h"

namespace assetgen {
void WritePictures(const std::string&, const std::string&) {}
} // namespace assetgen
