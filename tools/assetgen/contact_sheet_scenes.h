// The scenes of the contact sheet: assembled robots, G-walker and boss, then every model
// file on its own; and the stage top views.
#pragma once

#include <string>
#include <vector>

#include "scene/engine/rm.h"

namespace assetgen {

struct SheetItem {
    std::string label;
    std::string file; // a single model file, or empty for an assembled one
    int assembly = 0; // 1 robot, 2 Special1, 3 Special2, 4 G-walker, 5 boss
};

struct SheetView {
    rm::Vector centre;
    float size = 1;
};

std::vector<SheetItem> SheetItems();
// Hangs the item under root and says where to look.
SheetView BuildSheetScene(rm::Engine& engine, const rm::FramePtr& root, const std::string& bin,
                          const SheetItem& item);
// Walls, pillars, door, gate line and grille of a stage over a quad showing its map.
void BuildStageTopScene(rm::Engine& engine, const rm::FramePtr& root, const std::string& bin,
                        const std::string& scratch, int stage);

} // namespace assetgen
