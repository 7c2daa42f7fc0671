// The asset generator: writes every mesh, map, picture, sound and text the game loads
// into the folder beside the program. Nothing is taken from elsewhere.
#pragma once

#include <string>

namespace assetgen {

// Stage layouts from assets/ into the maps (Image1..Image6.bmp, Ｍａｐ.bmp) and the wall
// and pillar meshes (block1..3.x, hasira1..3.x).
void WriteStages(const std::string& source_dir, const std::string& out_dir);
// Every other mesh and the textures they use (fire.bmp, MESH1.bmp, ...).
void WriteMeshes(const std::string& out_dir);
// The image list pictures and the two HUD bitmaps.
void WritePictures(const std::string& source_dir, const std::string& out_dir);
// The thirteen wave recordings.
void WriteSounds(const std::string& out_dir);
// option.txt and index.html.
void WriteTexts(const std::string& source_dir, const std::string& out_dir);

} // namespace assetgen
