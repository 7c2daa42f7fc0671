// Writes a mesh as a text DirectX .x file ("xof 0302txt 0032"): one Mesh with its normals,
// material list and, where textured, texture coordinates. Polygons become triangles.
#pragma once

#include <string>

#include "tools/assetgen/mesh_model.h"

namespace assetgen {

std::string XFileText(const Mesh& mesh, const std::string& name);
void WriteXFile(const std::string& path, const Mesh& mesh);

} // namespace assetgen
