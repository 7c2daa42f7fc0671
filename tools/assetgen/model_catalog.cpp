#include "tools/assetgen/model_catalog.h"

namespace assetgen {

std::vector<ModelFile> AllModels() {
    std::vector<ModelFile> out;
    AddRobotModels(out);
    AddFrogModels(out);
    AddEnemyModels(out);
    AddShotModels(out);
    AddArenaModels(out);
    return out;
}

Mesh ToFileUnits(const ModelFile& model) {
    Mesh mesh = model.world;
    const Vec3 s = model.load_scale;
    for (Vec3& p : mesh.positions) {
        p = p - model.load_move;
        p = {p.x / s.x, p.y / s.y, p.z / s.z};
    }
    // Normals follow the inverse transpose of the scaling: multiply, then renormalise.
    for (Vec3& n : mesh.normals) n = Normalized({n.x * s.x, n.y * s.y, n.z * s.z});
    return mesh;
}

} // namespace assetgen
