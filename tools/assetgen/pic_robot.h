// The player robot rendered with our own engine for the title picture.
#pragma once

#include <string>

#include "tools/assetgen/pic_raster.h"

namespace assetgen {

// Renders the robot, assembled as the game builds it and standing in its victory pose,
// into a width x height layer (coverage in alpha). Returns false when nothing was drawn:
// the meshes are missing from mesh_dir or the renderer drew no triangle.
bool RenderRobot(const std::string& mesh_dir, int width, int height, Layer& out);

} // namespace assetgen
