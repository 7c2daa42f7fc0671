// Makes the help document self-contained: pictures the generator wrote are put into the
// page itself as PNG data.
#pragma once

#include <string>

namespace assetgen {

// Replaces every {{png:FILE.bmp}} in html with a data URI of that BMP (read from
// picture_dir) converted to PNG; {{png:FILE.bmp:RRGGBB}} makes that colour transparent.
// Throws when a named picture cannot be read.
std::string InlinePictures(const std::string& html, const std::string& picture_dir);

// Base64 of bytes (standard alphabet, padded).
std::string Base64(const std::string& bytes);

} // namespace assetgen
