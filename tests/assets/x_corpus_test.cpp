// Mesh files written by other programs (Debian's assimp-testmodels corpus) load with the
// same triangles Assimp reads from them: same count, same corner positions once every
// frame's transform is applied. scripts/setup.sh installs the corpus: without it these fail.
#include <gtest/gtest.h>

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "scene/engine/x_loader.h"

namespace {

namespace fs = std::filesystem;

const fs::path CorpusDir = "/usr/share/assimp/models/X";
const fs::path InvalidDir = "/usr/share/assimp/models/invalid";
constexpr const char* Missing = " is missing: scripts/setup.sh installs it (assimp-testmodels)";

struct Corners {
    size_t triangles = 0;
    std::vector<glm::vec3> points; // every triangle corner, in file space
};

void CollectNode(const aiScene& scene, const aiNode& node, const aiMatrix4x4& parent,
                 Corners& out) {
    const aiMatrix4x4 world = parent * node.mTransformation;
    for (unsigned i = 0; i < node.mNumMeshes; ++i) {
        const aiMesh& mesh = *scene.mMeshes[node.mMeshes[i]];
        for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
            const aiFace& face = mesh.mFaces[f];
            if (face.mNumIndices != 3) continue; // points and lines are not drawn
            ++out.triangles;
            for (unsigned k = 0; k < 3; ++k) {
                const aiVector3D p = world * mesh.mVertices[face.mIndices[k]];
                out.points.emplace_back(p.x, p.y, p.z);
            }
        }
    }
    for (unsigned c = 0; c < node.mNumChildren; ++c)
        CollectNode(scene, *node.mChildren[c], world, out);
}

Corners ReadWithAssimp(const fs::path& path) {
    Assimp::Importer importer;
    const aiScene* scene =
        importer.ReadFile(path.string(), aiProcess_ConvertToLeftHanded | aiProcess_Triangulate);
    Corners out;
    if (scene && scene->mRootNode) CollectNode(*scene, *scene->mRootNode, aiMatrix4x4(), out);
    return out;
}

Corners Flatten(const rm::MeshData& mesh) {
    Corners out;
    for (const rm::MeshGroup& group : mesh.groups) {
        out.triangles += group.indices.size() / 3;
        for (uint32_t index : group.indices) out.points.push_back(mesh.positions[index]);
    }
    return out;
}

bool Near(const glm::vec3& a, const glm::vec3& b) {
    auto close = [](float x, float y) {
        return std::fabs(x - y) <= 1e-5f * std::max(1.0f, std::max(std::fabs(x), std::fabs(y)));
    };
    return close(a.x, b.x) && close(a.y, b.y) && close(a.z, b.z);
}

// The first point of `points` that has no near point in `others` (empty when none).
std::string FirstUnmatched(std::vector<glm::vec3> points, std::vector<glm::vec3> others) {
    auto by_x = [](const glm::vec3& a, const glm::vec3& b) { return a.x < b.x; };
    std::sort(others.begin(), others.end(), by_x);
    for (const glm::vec3& p : points) {
        const float slack = 1e-5f * std::max(1.0f, std::fabs(p.x));
        auto at =
            std::lower_bound(others.begin(), others.end(), glm::vec3(p.x - slack, 0, 0), by_x);
        bool found = false;
        for (; at != others.end() && at->x <= p.x + slack && !found; ++at) found = Near(p, *at);
        if (!found)
            return "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ", " +
                   std::to_string(p.z) + ")";
    }
    return {};
}

void ExpectSameAsAssimp(const std::string& name) {
    const fs::path path = CorpusDir / name;
    ASSERT_TRUE(fs::exists(path)) << path << Missing;
    rm::MeshData mesh;
    std::string error;
    ASSERT_TRUE(rm::ReadXMeshFile(path.string(), mesh, error)) << name << ": " << error;
    const Corners ours = Flatten(mesh);
    const Corners theirs = ReadWithAssimp(path);
    ASSERT_GT(theirs.triangles, 0u) << "Assimp read no triangles from " << name;
    EXPECT_EQ(ours.triangles, theirs.triangles) << name;
    EXPECT_EQ(FirstUnmatched(ours.points, theirs.points), "") << name << ": a corner of ours";
    EXPECT_EQ(FirstUnmatched(theirs.points, ours.points), "") << name << ": a corner of Assimp's";
}

TEST(XCorpus, TextFilesFromOtherExportersLoadAsAssimpReadsThem) {
    for (const char* name :
         {"test_cube_text.x", "test.x", "TestFormatDetection", "kwxport_test_cubewithvcolors.x",
          "anim_test.x", "Testwuson.X", "BCN_Epileptic.X"}) {
        SCOPED_TRACE(name);
        ExpectSameAsAssimp(name);
    }
}

TEST(XCorpus, BinaryFilesLoadAsAssimpReadsThem) {
    for (const char* name : {"test_cube_binary.x", "fromtruespace_bin32.x"}) {
        SCOPED_TRACE(name);
        ExpectSameAsAssimp(name);
    }
}

TEST(XCorpus, BinaryAndTextFormsOfOneCubeGiveTheSameMesh) {
    const fs::path text_path = CorpusDir / "test_cube_text.x";
    const fs::path binary_path = CorpusDir / "test_cube_binary.x";
    ASSERT_TRUE(fs::exists(text_path)) << text_path << Missing;
    ASSERT_TRUE(fs::exists(binary_path)) << binary_path << Missing;
    rm::MeshData text, binary;
    std::string error;
    ASSERT_TRUE(rm::ReadXMeshFile(text_path.string(), text, error)) << error;
    ASSERT_TRUE(rm::ReadXMeshFile(binary_path.string(), binary, error)) << error;
    EXPECT_EQ(binary.positions, text.positions);
    EXPECT_EQ(binary.normals, text.normals);
    EXPECT_EQ(binary.uvs, text.uvs);
    ASSERT_EQ(binary.groups.size(), text.groups.size());
    for (size_t g = 0; g < text.groups.size(); ++g) {
        EXPECT_EQ(binary.groups[g].indices, text.groups[g].indices);
        // The two files round their colours differently in the last digits.
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(binary.groups[g].material.diffuse[c], text.groups[g].material.diffuse[c],
                        1e-5f);
        EXPECT_EQ(binary.groups[g].material.texture_name, text.groups[g].material.texture_name);
    }
}

TEST(XCorpus, CompressedFilesAreRefusedSayingWhy) {
    const fs::path path = CorpusDir / "test_cube_compressed.x";
    ASSERT_TRUE(fs::exists(path)) << path << Missing;
    rm::MeshData mesh;
    std::string error;
    EXPECT_FALSE(rm::ReadXMeshFile(path.string(), mesh, error));
    EXPECT_NE(error.find("compressed"), std::string::npos) << error;
}

TEST(XCorpus, EmptyFileIsRefused) {
    const fs::path path = InvalidDir / "empty.x";
    ASSERT_TRUE(fs::exists(path)) << path << Missing;
    rm::MeshData mesh;
    std::string error;
    EXPECT_FALSE(rm::ReadXMeshFile(path.string(), mesh, error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(mesh.Empty());
}

} // namespace
