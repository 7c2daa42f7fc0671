// Reads text .x mesh files into mesh data, keeping the file's vertices, winding,
// materials and texture names as written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "scene/engine/mesh_data.h"

namespace rm {

// Parses a .x file held in memory. On failure out is untouched, error says why.
bool ParseXMesh(const uint8_t* data, size_t size, MeshData& out, std::string& error);
// Reads and parses a .x file.
bool ReadXMeshFile(const std::string& path, MeshData& out, std::string& error);

} // namespace rm
