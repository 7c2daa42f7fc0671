// Every model of the game besides the stage walls: built in world units around the origin
// of the frame it hangs on, then written in file units (world divided by the scale the game
// loads it with).
#pragma once

#include <string>
#include <vector>

#include "tools/assetgen/mesh_model.h"

namespace assetgen {

struct ModelFile {
    std::string name; // exact file name, e.g. "GFootR2.x"
    Vec3 load_scale;  // the Scale the game applies after loading
    Vec3 load_move;   // the Translate the game applies after scaling (keep.x only)
    Mesh world;       // the model as the game shows it, in the frame's world units
};

std::vector<ModelFile> AllModels();

// Divides by the load scale (after taking away the load move): the file's coordinates.
Mesh ToFileUnits(const ModelFile& model);

// Model groups (model_*.cpp).
void AddRobotModels(std::vector<ModelFile>& out);
void AddFrogModels(std::vector<ModelFile>& out);
void AddEnemyModels(std::vector<ModelFile>& out);
void AddShotModels(std::vector<ModelFile>& out);
void AddArenaModels(std::vector<ModelFile>& out);

} // namespace assetgen
