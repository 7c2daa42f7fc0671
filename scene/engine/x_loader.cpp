#include "scene/engine/x_loader.h"

#include <assimp/Importer.hpp>
#include <assimp/material.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <tuple>

namespace rm {

namespace {

constexpr size_t MaxFileSize = size_t{64} << 20; // no game mesh comes near this

// "xof 0303txt 0032": only the text form is read; binary and compressed forms are refused
// so the engine never feeds them to a decoder.
bool IsTextXHeader(const uint8_t* data, size_t size) {
    return size >= 16 && std::memcmp(data, "xof ", 4) == 0 && std::memcmp(data + 8, "txt ", 4) == 0;
}

Material ReadMaterial(const aiMaterial& source) {
    Material material;
    aiString name;
    const bool is_default = source.Get(AI_MATKEY_NAME, name) == AI_SUCCESS &&
                            std::strcmp(name.C_Str(), AI_DEFAULT_MATERIAL_NAME) == 0;
    if (is_default) return material; // faces without a material are white
    aiColor4D diffuse(1.0f, 1.0f, 1.0f, 1.0f);
    if (source.Get(AI_MATKEY_COLOR_DIFFUSE, diffuse) == AI_SUCCESS)
        material.diffuse = {diffuse.r, diffuse.g, diffuse.b, diffuse.a};
    aiColor3D emissive(0.0f, 0.0f, 0.0f);
    if (source.Get(AI_MATKEY_COLOR_EMISSIVE, emissive) == AI_SUCCESS)
        material.emissive = {emissive.r, emissive.g, emissive.b};
    aiString texture;
    if (source.GetTexture(aiTextureType_DIFFUSE, 0, &texture) == AI_SUCCESS) {
        material.texture_name = texture.C_Str();
        // Files written on Windows name their textures with backslashes.
        for (char& c : material.texture_name)
            if (c == '\\') c = '/';
    }
    for (float* channel :
         {&material.diffuse.r, &material.diffuse.g, &material.diffuse.b, &material.diffuse.a,
          &material.emissive.r, &material.emissive.g, &material.emissive.b}) {
        if (!(*channel >= 0.0f)) *channel = 0.0f; // also catches NaN
        if (*channel > 1.0f) *channel = 1.0f;
    }
    return material;
}

// Normals for a mesh whose file gives none: the faces around each vertex position
// averaged, weighted by their area. A clockwise face's normal points toward its viewer.
void GenerateNormals(MeshData& out, size_t first_vertex, const std::vector<uint32_t>& indices) {
    std::map<std::tuple<float, float, float>, glm::vec3> sums;
    auto key = [](const glm::vec3& p) { return std::make_tuple(p.x, p.y, p.z); };
    for (size_t i = 0; i + 2 < indices.size(); i += 3) {
        const glm::vec3& a = out.positions[indices[i]];
        const glm::vec3& b = out.positions[indices[i + 1]];
        const glm::vec3& c = out.positions[indices[i + 2]];
        const glm::vec3 face = glm::cross(b - a, c - a);
        for (const glm::vec3* p : {&a, &b, &c}) sums[key(*p)] += face;
    }
    for (size_t v = first_vertex; v < out.positions.size(); ++v) {
        const glm::vec3 sum = sums[key(out.positions[v])];
        const float length = glm::length(sum);
        out.normals[v] = length > 0.0f ? sum / length : glm::vec3(0.0f);
    }
}

bool Finite(const glm::vec3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

void AddNode(const aiScene& scene, const aiNode& node, const aiMatrix4x4& parent, MeshData& out) {
    const aiMatrix4x4 transform = parent * node.mTransformation;
    aiMatrix3x3 normal_matrix(transform);
    normal_matrix.Inverse().Transpose();
    for (unsigned i = 0; i < node.mNumMeshes; ++i) {
        if (node.mMeshes[i] >= scene.mNumMeshes) continue;
        const aiMesh& mesh = *scene.mMeshes[node.mMeshes[i]];
        if (!mesh.HasPositions() || mesh.mNumFaces == 0) continue;
        MeshGroup group;
        if (mesh.mMaterialIndex < scene.mNumMaterials)
            group.material = ReadMaterial(*scene.mMaterials[mesh.mMaterialIndex]);
        const auto base = static_cast<uint32_t>(out.positions.size());
        for (unsigned v = 0; v < mesh.mNumVertices; ++v) {
            const aiVector3D p = transform * mesh.mVertices[v];
            glm::vec3 position(p.x, p.y, p.z);
            if (!Finite(position)) position = glm::vec3(0.0f);
            glm::vec3 normal(0.0f);
            if (mesh.HasNormals()) {
                aiVector3D n = normal_matrix * mesh.mNormals[v];
                n.Normalize();
                normal = {n.x, n.y, n.z};
                if (!Finite(normal)) normal = glm::vec3(0.0f);
            }
            glm::vec2 uv(0.0f);
            if (mesh.HasTextureCoords(0)) {
                uv = {mesh.mTextureCoords[0][v].x, mesh.mTextureCoords[0][v].y};
                if (!std::isfinite(uv.x) || !std::isfinite(uv.y)) uv = glm::vec2(0.0f);
            }
            out.positions.push_back(position);
            out.normals.push_back(normal);
            out.uvs.push_back(uv);
        }
        for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
            const aiFace& face = mesh.mFaces[f];
            if (face.mNumIndices != 3) continue; // points and lines are not drawn
            bool valid = true;
            for (unsigned k = 0; k < 3; ++k) valid = valid && face.mIndices[k] < mesh.mNumVertices;
            if (!valid) continue;
            for (unsigned k = 0; k < 3; ++k) group.indices.push_back(base + face.mIndices[k]);
        }
        if (!mesh.HasNormals()) GenerateNormals(out, base, group.indices);
        if (!group.indices.empty()) out.groups.push_back(std::move(group));
    }
    for (unsigned c = 0; c < node.mNumChildren; ++c)
        if (node.mChildren[c] != nullptr) AddNode(scene, *node.mChildren[c], transform, out);
}

} // namespace

bool ParseXMesh(const uint8_t* data, size_t size, MeshData& out, std::string& error) {
    if (size == 0) {
        error = "the file is empty";
        return false;
    }
    if (!IsTextXHeader(data, size)) {
        error = "not a text .x mesh file";
        return false;
    }
    Assimp::Importer importer;
    // The .x reader turns the file into right-handed data; converting back keeps the
    // vertices, the clockwise winding and the texture coordinates exactly as written.
    const unsigned flags = aiProcess_ConvertToLeftHanded | aiProcess_Triangulate |
                           aiProcess_JoinIdenticalVertices | aiProcess_ValidateDataStructure;
    const aiScene* scene = importer.ReadFileFromMemory(data, size, flags, "x");
    if (scene == nullptr || scene->mRootNode == nullptr) {
        error = importer.GetErrorString();
        if (error.empty()) error = "the file holds no mesh";
        return false;
    }
    MeshData mesh;
    AddNode(*scene, *scene->mRootNode, aiMatrix4x4(), mesh);
    if (mesh.Empty()) {
        error = "the file holds no mesh";
        return false;
    }
    out = std::move(mesh);
    return true;
}

bool ReadXMeshFile(const std::string& path, MeshData& out, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot open the file";
        return false;
    }
    std::vector<uint8_t> bytes;
    char buffer[65536];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        bytes.insert(bytes.end(), buffer, buffer + file.gcount());
        if (bytes.size() > MaxFileSize) {
            error = "the file is too large for a mesh";
            return false;
        }
    }
    return ParseXMesh(bytes.data(), bytes.size(), out, error);
}

} // namespace rm
