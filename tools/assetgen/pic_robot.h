// The player robot rendered with our own engine for the title picture.
#pragma once

#include <string>

#include "tools/assetgen/pic_raster.h"

namespace assetgen {

// Where the camera stands and the point it looks at, in the robot's scene.
struct RobotCamera {
    float x, y, z;
    float target_x, target_y, target_z;
};
// The title's view: a slightly low camera in front of the robot, looking at its middle.
constexpr RobotCamera TitleCamera{0, -2.9f, 10.8f, 0, -2.3f, 0};

// Renders the robot, assembled as the game builds it and standing in its victory pose,
// into a width x height layer (coverage in alpha). Returns false when nothing was drawn:
// the meshes are missing from mesh_dir or the renderer drew no triangle.
bool RenderRobot(const std::string& mesh_dir, int width, int height, Layer& out,
                 const RobotCamera& view = TitleCamera);

} // namespace assetgen
