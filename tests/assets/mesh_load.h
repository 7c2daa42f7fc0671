// Mesh files read the way the game's engine reads them (Assimp, left-handed as written),
// as world-space triangles after the game's load scale and move.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "tools/assetgen/mesh_model.h"

struct WorldMesh {
    std::vector<std::array<assetgen::Vec3, 3>> triangles;
    // Per triangle: its texture coordinates and its material's texture (empty for none).
    std::vector<std::array<assetgen::Vec2, 3>> uvs;
    std::vector<std::string> triangle_textures;
    std::vector<std::string> textures;
    assetgen::Vec3 min, max;
};

// Throws when the file cannot be read or has no faces.
WorldMesh LoadWorldMesh(const std::string& path, assetgen::Vec3 scale, assetgen::Vec3 move = {});

// Distance along a ray to the nearest triangle, or a negative number for none.
double RayHit(const WorldMesh& mesh, assetgen::Vec3 origin, assetgen::Vec3 direction);
