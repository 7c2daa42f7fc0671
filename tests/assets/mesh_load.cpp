#include "tests/assets/mesh_load.h"

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

using assetgen::Vec3;

WorldMesh LoadWorldMesh(const std::string& path, Vec3 scale, Vec3 move) {
    Assimp::Importer importer;
    const aiScene* scene =
        importer.ReadFile(path, aiProcess_ConvertToLeftHanded | aiProcess_Triangulate);
    if (!scene || scene->mNumMeshes == 0) throw std::runtime_error("cannot read " + path);
    WorldMesh out;
    const double inf = std::numeric_limits<double>::infinity();
    out.min = {inf, inf, inf};
    out.max = {-inf, -inf, -inf};
    for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
        const aiMesh& mesh = *scene->mMeshes[m];
        aiString texture;
        if (scene->mMaterials[mesh.mMaterialIndex]->GetTexture(aiTextureType_DIFFUSE, 0,
                                                               &texture) != AI_SUCCESS)
            texture = "";
        for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
            const aiFace& face = mesh.mFaces[f];
            if (face.mNumIndices != 3) continue;
            std::array<Vec3, 3> t;
            std::array<assetgen::Vec2, 3> uv{};
            for (int k = 0; k < 3; ++k) {
                if (mesh.HasTextureCoords(0)) {
                    const aiVector3D c = mesh.mTextureCoords[0][face.mIndices[k]];
                    uv[static_cast<size_t>(k)] = {c.x, c.y};
                }
                const aiVector3D v = mesh.mVertices[face.mIndices[k]];
                t[static_cast<size_t>(k)] = {v.x * scale.x + move.x, v.y * scale.y + move.y,
                                             v.z * scale.z + move.z};
                const Vec3 p = t[static_cast<size_t>(k)];
                out.min = {std::min(out.min.x, p.x), std::min(out.min.y, p.y),
                           std::min(out.min.z, p.z)};
                out.max = {std::max(out.max.x, p.x), std::max(out.max.y, p.y),
                           std::max(out.max.z, p.z)};
            }
            out.triangles.push_back(t);
            out.uvs.push_back(uv);
            out.triangle_textures.push_back(texture.C_Str());
        }
    }
    for (unsigned i = 0; i < scene->mNumMaterials; ++i) {
        aiString name;
        if (scene->mMaterials[i]->GetTexture(aiTextureType_DIFFUSE, 0, &name) == AI_SUCCESS)
            out.textures.push_back(name.C_Str());
    }
    if (out.triangles.empty()) throw std::runtime_error(path + " has no faces");
    return out;
}

double RayHit(const WorldMesh& mesh, Vec3 o, Vec3 d) {
    double best = -1;
    for (const auto& t : mesh.triangles) {
        const Vec3 e1 = t[1] - t[0], e2 = t[2] - t[0];
        const Vec3 p = assetgen::Cross(d, e2);
        const double det = assetgen::Dot(e1, p);
        if (std::fabs(det) < 1e-12) continue;
        const Vec3 s = o - t[0];
        const double u = assetgen::Dot(s, p) / det;
        if (u < -1e-9 || u > 1 + 1e-9) continue;
        const Vec3 q = assetgen::Cross(s, e1);
        const double v = assetgen::Dot(d, q) / det;
        if (v < -1e-9 || u + v > 1 + 1e-9) continue;
        const double dist = assetgen::Dot(e2, q) / det;
        if (dist > 1e-9 && (best < 0 || dist < best)) best = dist;
    }
    return best;
}
