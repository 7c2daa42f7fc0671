// Textures the meshes name: the missile flame, the see-through grille and the metal of the
// stage walls, pillars and ground. The stage textures are near white or plain metal so the
// material colour tints them; they keep their detail low in contrast because the engine
// draws distant faces without mipmaps.
#pragma once

#include "tools/assetgen/bmp_writer.h"

namespace assetgen {

// fire.bmp: a flame on black (black is see-through), hot end at the top (v = 0).
Picture FireTexture();
// MESH1.bmp: a framed lattice of metal bars on black (black is see-through).
Picture GrilleTexture();

// The stage textures' file names and how many world units one repeat covers.
inline constexpr char WallTextureFile[] = "wall.bmp";
inline constexpr double WallTextureSpan = 10.0; // the wall's height: two cells across
inline constexpr char PillarTextureFile[] = "pillar.bmp";
// A pillar face is 5 units wide and 12.5 high: its picture takes the left 50 of the 64
// columns, so texels stay square on the face (the engine wants power-of-two sizes).
inline constexpr int PillarTextureWidth = 64;
inline constexpr int PillarFaceTexels = 50;
inline constexpr char GroundTextureFile[] = "ground.bmp";
inline constexpr double GroundTextureSpan = 17.0; // one ground plate, the checker's square

// wall.bmp: light grey panels (two across, two high) with seams, rivets, a trim at the top
// (v = 0) and a kick plate at the bottom.
Picture WallTexture();
// pillar.bmp: one pillar face in its left PillarFaceTexels columns, top at v = 0: hazard
// stripes at both ends, a bolted panel between; white where the pillar's own colour shows.
Picture PillarTexture();
// ground.bmp: one brown steel plate with a bevelled rim and corner bolts.
Picture GroundTexture();

} // namespace assetgen
