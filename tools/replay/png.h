// Writes 0x00RRGGBB pictures as PNG files.
#pragma once

#include <cstdint>
#include <string>

// Returns false when the file cannot be written.
bool WritePng(const std::string& path, const uint32_t* pixels, int width, int height);
