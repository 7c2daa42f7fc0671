// What the asset tests share: the generated files' names and the stage maps read back.
#pragma once

#include <string>
#include <vector>

#include "tests/assets/bmp_read.h"
#include "tools/assetgen/stage_layout.h"

// Every mesh file the game loads.
std::vector<std::string> MeshFileNames();
// A stage layout rebuilt from the player's map ImageN.bmp as written.
assetgen::StageLayout LayoutFromMap(const ReadBmp& map);
