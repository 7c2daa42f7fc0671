// Textures the meshes name: the missile flame and the see-through grille.
#pragma once

#include "tools/assetgen/bmp_writer.h"

namespace assetgen {

// fire.bmp: a flame on black (black is see-through), hot end at the top (v = 0).
Picture FireTexture();
// MESH1.bmp: a framed lattice of metal bars on black (black is see-through).
Picture GrilleTexture();

} // namespace assetgen
