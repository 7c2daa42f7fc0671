// The desktop icons drawn from the game's robot.
#pragma once

#include <array>
#include <string>

namespace assetgen {

inline constexpr std::array<int, 4> IconSizes = {48, 64, 128, 256};

// "brannock-48.png"
inline std::string IconFileName(int size) {
    return "brannock-" + std::to_string(size) + ".png";
}

// Renders the robot from the meshes in mesh_dir into one RGBA PNG per size in icon_dir.
// Throws when the meshes are missing or a file cannot be written.
void WriteIcons(const std::string& mesh_dir, const std::string& icon_dir);

} // namespace assetgen
