// Reading .x meshes and BMP textures, including files that are missing or broken.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "scene/engine/bmp_reader.h"
#include "scene/engine/mesh_builder.h"
#include "scene/engine/rm.h"
#include "scene/engine/texture.h"
#include "scene/engine/x_loader.h"
#include "tests/engine/test_files.h"
#include "tests/support/little_endian.h"

namespace {

using engine_test::QuadX;
using engine_test::ScratchFolder;
using engine_test::WriteBmp24;
using engine_test::WriteText;

const rm::MeshData& DataOf(const rm::MeshBuilderPtr& mesh) {
    return static_cast<const rm::MeshBuilderImpl&>(*mesh).Data();
}

class MeshLoading : public ::testing::Test {
protected:
    MeshLoading() {
        engine->SetReporter([this](const std::string& file, const std::string& message) {
            reported += file + ": " + message + "\n";
        });
    }
    // What the engine told its host since the last call, one "file: message" line each.
    std::string Reported() { return std::exchange(reported, {}); }

    ScratchFolder folder;
    std::unique_ptr<rm::Engine> engine = rm::CreateEngine();
    std::string reported;
};

TEST_F(MeshLoading, KeepsVerticesWindingMaterialAndTexture) {
    WriteBmp24(folder.Path("wall.bmp"), 2, 1, {0xFF0000, 0x00FF00});
    WriteText(folder.Path("quad.x"), QuadX(-1, -2, 3, 4, 5, 1.0f, 0.0f, 0.0f, 0.5f, "wall.bmp"));
    auto mesh = engine->CreateMeshBuilder();
    ASSERT_TRUE(mesh->Load(folder.Path("quad.x")));
    EXPECT_EQ(mesh->FaceCount(), 2);

    const rm::MeshData& data = DataOf(mesh);
    ASSERT_EQ(data.groups.size(), 1u);
    const rm::MeshGroup& group = data.groups[0];
    ASSERT_EQ(group.indices.size(), 6u);
    // The first face is (x0,y0) (x0,y1) (x1,y1), clockwise as written.
    const glm::vec3 a = data.positions[group.indices[0]];
    const glm::vec3 b = data.positions[group.indices[1]];
    const glm::vec3 c = data.positions[group.indices[2]];
    EXPECT_EQ(a, glm::vec3(-1, -2, 5));
    EXPECT_EQ(b, glm::vec3(-1, 4, 5));
    EXPECT_EQ(c, glm::vec3(3, 4, 5));
    EXPECT_EQ(data.normals[group.indices[0]], glm::vec3(0, 0, -1));
    EXPECT_EQ(data.uvs[group.indices[0]], glm::vec2(0, 1));
    EXPECT_EQ(data.uvs[group.indices[1]], glm::vec2(0, 0));
    EXPECT_FLOAT_EQ(group.material.diffuse.r, 1.0f);
    EXPECT_FLOAT_EQ(group.material.diffuse.a, 0.5f);
    EXPECT_EQ(group.material.texture_name, "wall.bmp");
    EXPECT_NE(group.material.texture, nullptr);

    rm::Vector min, max;
    mesh->GetBox(min, max);
    EXPECT_FLOAT_EQ(min.x, -1);
    EXPECT_FLOAT_EQ(min.y, -2);
    EXPECT_FLOAT_EQ(max.x, 3);
    EXPECT_FLOAT_EQ(max.y, 4);
}

TEST_F(MeshLoading, MissingNormalsPointTowardTheFrontSide) {
    std::string text = QuadX(-1, -1, 1, 1, 2, 1, 1, 1, 1);
    const auto begin = text.find(" MeshNormals");
    text.erase(begin, text.find(" MeshMaterialList") - begin);
    WriteText(folder.Path("plain.x"), text);
    auto mesh = engine->CreateMeshBuilder();
    ASSERT_TRUE(mesh->Load(folder.Path("plain.x")));
    for (const glm::vec3& n : DataOf(mesh).normals) {
        EXPECT_NEAR(n.z, -1.0f, 1e-6f);
        EXPECT_NEAR(n.x, 0.0f, 1e-6f);
    }
}

TEST_F(MeshLoading, NamedTexturesAreSkippedWhenTexturesAreOff) {
    WriteBmp24(folder.Path("wall.bmp"), 1, 1, {0xFFFFFF});
    WriteText(folder.Path("quad.x"), QuadX(0, 0, 1, 1, 1, 1, 1, 1, 1, "wall.bmp"));
    engine->SetLoadNamedTextures(false);
    auto mesh = engine->CreateMeshBuilder();
    ASSERT_TRUE(mesh->Load(folder.Path("quad.x")));
    EXPECT_EQ(DataOf(mesh).groups[0].material.texture, nullptr);
    // A texture given by the game still applies.
    mesh->SetTexture(engine->LoadTexture(folder.Path("wall.bmp")));
    EXPECT_NE(DataOf(mesh).groups[0].material.texture, nullptr);
}

TEST_F(MeshLoading, TextureNamesDifferingInCaseAreFound) {
    WriteBmp24(folder.Path("MESH1.bmp"), 1, 1, {0xFFFFFF});
    WriteText(folder.Path("quad.x"), QuadX(0, 0, 1, 1, 1, 1, 1, 1, 1, "mesh1.BMP"));
    auto mesh = engine->CreateMeshBuilder();
    ASSERT_TRUE(mesh->Load(folder.Path("quad.x")));
    EXPECT_NE(DataOf(mesh).groups[0].material.texture, nullptr);
}

TEST_F(MeshLoading, UnreadableTextureLeavesTheMeshUntexturedAndIsReportedOnce) {
    WriteText(folder.Path("broken.bmp"), "BM not really");
    WriteText(folder.Path("quad.x"), QuadX(0, 0, 1, 1, 1, 1, 1, 1, 1, "broken.bmp"));
    testing::internal::CaptureStderr();
    auto first = engine->CreateMeshBuilder();
    auto second = engine->CreateMeshBuilder();
    EXPECT_TRUE(first->Load(folder.Path("quad.x")));
    EXPECT_TRUE(second->Load(folder.Path("quad.x")));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "the host reports, not the engine";
    const std::string said = Reported();
    EXPECT_EQ(DataOf(first).groups[0].material.texture, nullptr);
    EXPECT_EQ(first->FaceCount(), 2);
    const auto at = said.find("broken.bmp");
    ASSERT_NE(at, std::string::npos) << said;
    EXPECT_EQ(said.find("broken.bmp", at + 1), std::string::npos) << said;
    EXPECT_EQ(engine->LoadTexture(folder.Path("broken.bmp")), nullptr);
}

TEST_F(MeshLoading, FoldersInPlaceOfFilesAreReportedByName) {
    std::filesystem::create_directories(folder.Path("wall.bmp"));
    std::filesystem::create_directories(folder.Path("pillar.x"));
    WriteText(folder.Path("quad.x"), QuadX(0, 0, 1, 1, 1, 1, 1, 1, 1, "wall.bmp"));
    Reported();
    auto textured = engine->CreateMeshBuilder();
    EXPECT_TRUE(textured->Load(folder.Path("quad.x"))) << "the mesh is drawn without it";
    EXPECT_EQ(DataOf(textured).groups[0].material.texture, nullptr);
    auto pillar = engine->CreateMeshBuilder();
    EXPECT_FALSE(pillar->Load(folder.Path("pillar.x")));
    const std::string said = Reported();
    EXPECT_NE(said.find(folder.Path("wall.bmp") + ": cannot be read as a texture (it is a folder"),
              std::string::npos)
        << said;
    EXPECT_NE(said.find(folder.Path("pillar.x") + ": cannot be read as a mesh (it is a folder"),
              std::string::npos)
        << said;
    rm::BmpPicture picture;
    std::string error;
    EXPECT_FALSE(rm::ReadBmpFile("/dev/zero", picture, error)) << "a device is no picture";
    EXPECT_EQ(error, "it is not a regular file");
}

TEST_F(MeshLoading, BadFilesLeaveTheBuilderAsItWas) {
    const std::string good = QuadX(0, 0, 1, 1, 1, 1, 1, 1, 1);
    WriteText(folder.Path("empty.x"), "");
    WriteText(folder.Path("truncated.x"), good.substr(0, good.size() / 2));
    WriteText(folder.Path("text.x"), "this is a letter, not a mesh\n");
    WriteText(folder.Path("binary.x"), "xof 0303bin 0032\x01\x02\x03\x04");
    WriteText(folder.Path("nomesh.x"),
              "xof 0303txt 0032\nMaterial M { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; }\n");
    WriteText(
        folder.Path("badindex.x"),
        "xof 0303txt 0032\nMesh M {\n 3;\n 0;0;0;,\n 1;0;0;,\n 0;1;0;;\n 1;\n 3;0,1,7;;\n}\n");
    Reported();
    for (const char* name :
         {"missing.x", "empty.x", "truncated.x", "text.x", "binary.x", "nomesh.x", "badindex.x"}) {
        auto fresh = engine->CreateMeshBuilder();
        EXPECT_FALSE(fresh->Load(folder.Path(name))) << name;
        EXPECT_EQ(fresh->FaceCount(), 0) << name;
    }
    WriteText(folder.Path("good.x"), good);
    auto loaded = engine->CreateMeshBuilder();
    ASSERT_TRUE(loaded->Load(folder.Path("good.x")));
    EXPECT_FALSE(loaded->Load(folder.Path("truncated.x")));
    EXPECT_EQ(loaded->FaceCount(), 2);
    const std::string said = Reported();
    EXPECT_NE(said.find("missing.x"), std::string::npos) << said;
    EXPECT_NE(said.find("truncated.x"), std::string::npos) << said;
}

TEST_F(MeshLoading, FramesMaterialReferencesAndPolygons) {
    // A pentagon under two frames (the inner one moves by 10 in x, the outer one turns a
    // quarter about y), one material defined at the top and named by reference, its name
    // made of every kind of character a name may hold.
    WriteText(folder.Path("frames.x"), R"(xof 0303txt 0032
template Mesh { <3D82AB44-62DA-11cf-AB39-0020AF71E433> DWORD nVertices; }
Header { 1; 0; 1; }
// a comment
Material _Shiny-0123456789.ä { 0.5;0.25;1.0;1.0;; 2.0; 0.0;0.0;0.0;; 0.1;0.0;0.0;; }
Frame Outer {
 FrameTransformMatrix { 0,0,-1,0, 0,1,0,0, 1,0,0,0, 0,0,0,1;; }
 Frame Inner {
  Mesh Pentagon {
   5; 0;0;0;, 0;1;0;, 1;2;0;, 2;1;0;, 2;0;0;;
   1; 5;0,1,2,3,4;;
   MeshMaterialList { 1; 1; 0;; {_Shiny-0123456789.ä} }
  }
  FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 10,0,0,1;; }
 }
}
)");
    auto mesh = engine->CreateMeshBuilder();
    ASSERT_TRUE(mesh->Load(folder.Path("frames.x")));
    EXPECT_EQ(mesh->FaceCount(), 3); // a fan of three triangles
    const rm::MeshData& data = DataOf(mesh);
    ASSERT_EQ(data.groups.size(), 1u);
    EXPECT_EQ(data.groups[0].material.diffuse, glm::vec4(0.5f, 0.25f, 1.0f, 1.0f));
    EXPECT_FLOAT_EQ(data.groups[0].material.emissive.r, 0.1f);
    // (1, 2, 0) moves to (11, 2, 0), then the quarter turn takes x to -z.
    const auto& first_fan = data.groups[0].indices;
    const glm::vec3 corner = data.positions[first_fan[2]];
    EXPECT_NEAR(corner.x, 0.0f, 1e-5f);
    EXPECT_NEAR(corner.y, 2.0f, 1e-5f);
    EXPECT_NEAR(corner.z, -11.0f, 1e-5f);
    // The fan keeps the file's winding: 0 1 2, 0 2 3, 0 3 4.
    EXPECT_EQ(data.positions[first_fan[3]], data.positions[first_fan[0]]);
    EXPECT_EQ(data.positions[first_fan[4]], data.positions[first_fan[2]]);
}

TEST_F(MeshLoading, ExporterFilesWithTemplatesSkinsAndAnimationsLoadTheirMeshes) {
    // Written as exporters write: template declarations with member lists, arrays and
    // restrictions, '#' comments, two meshes at the top level, and objects the engine
    // does not draw (vertex colours, duplication indices, skin weights, animations).
    WriteText(folder.Path("exported.x"), R"(xof 0303txt 0032
template Frame {
 <3d82ab46-62da-11cf-ab39-0020af71e433>
 [...]
}
template Mesh {
 <3d82ab44-62da-11cf-ab39-0020af71e433>
 DWORD nVertices;
 array Vector vertices[nVertices];
 [...]
}
template MeshMaterialList {
 <f6f23f42-7686-11cf-8f52-0040333594a3>
 DWORD nMaterials;
 array DWORD faceIndexes[nFaceIndexes];
 [Material <3d82ab4d-62da-11cf-ab39-0020af71e433>]
}
# exported by hand
Material Red { 1.0;0.0;0.0;1.0;; 0.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; }
Mesh First {
 4; 0;0;0;, 0;1;0;, 1;1;0;, 1;0;0;;
 1; 4;0,1,2,3;;
 MeshMaterialList { 1; 1; 0;; { Red } }
 MeshVertexColors { 2; 0; 1.0;0.0;0.0;1.0;;, 1; 0.0;1.0;0.0;1.0;;; }
 VertexDuplicationIndices { 4; 4; 0, 1, 2, 3; }
 XSkinMeshHeader { 1; 3; 1; }
 SkinWeights { "Bone"; 2; 0, 1; 1.0, 1.0; 1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,1;; }
}
Frame Second {
 FrameTransformMatrix { 2,0,0,0, 0,2,0,0, 0,0,2,0, 0,0,5,1;; }
 Mesh {
  3; 0;0;0;, 0;1;0;, 1;0;0;;
  1; 3;0,1,2;;
 }
}
AnimationSet Walk {
 Animation { { Second } AnimationKey { 2; 1; 0; 16; 1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,1;;; } }
}
)");
    auto mesh = engine->CreateMeshBuilder();
    ASSERT_TRUE(mesh->Load(folder.Path("exported.x")));
    EXPECT_EQ(mesh->FaceCount(), 3); // the quad's two triangles and the frame's one
    const rm::MeshData& data = DataOf(mesh);
    ASSERT_EQ(data.groups.size(), 2u);
    EXPECT_EQ(data.groups[0].material.diffuse, glm::vec4(1, 0, 0, 1));
    // The quad fans as 0 1 2, 0 2 3 and keeps the file's (clockwise) order.
    const auto& quad = data.groups[0].indices;
    ASSERT_EQ(quad.size(), 6u);
    EXPECT_EQ(data.positions[quad[1]], glm::vec3(0, 1, 0));
    EXPECT_EQ(data.positions[quad[2]], glm::vec3(1, 1, 0));
    EXPECT_EQ(data.positions[quad[5]], glm::vec3(1, 0, 0));
    // The second mesh is scaled by 2 and moved by 5 along z by its frame.
    const auto& tri = data.groups[1].indices;
    ASSERT_EQ(tri.size(), 3u);
    EXPECT_EQ(data.positions[tri[1]], glm::vec3(0, 2, 5));
    EXPECT_EQ(data.positions[tri[2]], glm::vec3(2, 0, 5));

    // A template that never ends is refused, not read past.
    WriteText(folder.Path("cut.x"), "xof 0303txt 0032\ntemplate Mesh {\n <3d82ab44>\n [...]\n");
    Reported();
    auto cut = engine->CreateMeshBuilder();
    EXPECT_FALSE(cut->Load(folder.Path("cut.x")));
    EXPECT_NE(Reported().find("cut.x"), std::string::npos);
}

// A binary file of one triangle: its tokens as the binary form writes them.
std::vector<uint8_t> BinaryTriangle(bool doubles) {
    std::vector<uint8_t> out;
    const std::string header = doubles ? "xof 0303bin 0064" : "xof 0302bin 0032";
    out.assign(header.begin(), header.end());
    auto word = [&](uint16_t w) { Put16(out, w); };
    auto dword = [&](uint32_t d) { Put32(out, d); };
    auto name = [&](const std::string& n) {
        word(1);
        dword(static_cast<uint32_t>(n.size()));
        out.insert(out.end(), n.begin(), n.end());
    };
    name("Mesh");
    name("Tri");
    word(10);
    word(6); // integer list: the vertex count
    dword(1);
    dword(3);
    word(7); // float list: the vertices
    dword(9);
    for (double v : {0.0, 0.0, 0.0, 0.0, 1.5, 0.0, 0.25, 0.0, -2.0}) {
        if (doubles) {
            uint8_t bytes[8];
            std::memcpy(bytes, &v, 8);
            out.insert(out.end(), bytes, bytes + 8);
        } else {
            const float f = static_cast<float>(v);
            uint8_t bytes[4];
            std::memcpy(bytes, &f, 4);
            out.insert(out.end(), bytes, bytes + 4);
        }
    }
    word(6); // the faces: one of three corners
    dword(5);
    for (uint32_t v : {1u, 3u, 0u, 1u, 2u}) dword(v);
    word(11);
    return out;
}

TEST(BinaryMeshReading, FloatsAndDoublesGiveTheTextFormsMeshAndDamageIsRefused) {
    rm::MeshData text;
    std::string error;
    const std::string text_file =
        "xof 0303txt 0032\nMesh Tri { 3; 0;0;0;, 0;1.5;0;, 0.25;0;-2;; 1; 3;0,1,2;; }\n";
    ASSERT_TRUE(rm::ParseXMesh(reinterpret_cast<const uint8_t*>(text_file.data()), text_file.size(),
                               text, error))
        << error;
    for (bool doubles : {false, true}) {
        SCOPED_TRACE(doubles ? "64-bit floats" : "32-bit floats");
        const std::vector<uint8_t> file = BinaryTriangle(doubles);
        rm::MeshData binary;
        ASSERT_TRUE(rm::ParseXMesh(file.data(), file.size(), binary, error)) << error;
        EXPECT_EQ(binary.positions, text.positions);
        ASSERT_EQ(binary.groups.size(), 1u);
        EXPECT_EQ(binary.groups[0].indices, text.groups[0].indices);
        // Cut anywhere inside, the file is refused, never half read.
        for (size_t cut = 16; cut < file.size(); ++cut) {
            rm::MeshData part;
            EXPECT_FALSE(rm::ParseXMesh(file.data(), cut, part, error)) << cut;
            EXPECT_TRUE(part.Empty()) << cut;
        }
    }
    std::vector<uint8_t> unknown = BinaryTriangle(false);
    unknown[16] = 99; // a token the form does not have
    rm::MeshData mesh;
    EXPECT_FALSE(rm::ParseXMesh(unknown.data(), unknown.size(), mesh, error));
    EXPECT_NE(error.find("token"), std::string::npos) << error;
    std::vector<uint8_t> compressed = BinaryTriangle(false);
    std::memcpy(compressed.data() + 8, "tzip", 4);
    EXPECT_FALSE(rm::ParseXMesh(compressed.data(), compressed.size(), mesh, error));
    EXPECT_NE(error.find("compressed"), std::string::npos) << error;
}

TEST_F(MeshLoading, FaceMaterialsSplitIntoGroupsAndShortListsRepeatTheLast) {
    WriteText(folder.Path("two.x"), R"(xof 0302txt 0064
Mesh Strip {
 6; 0;0;0;, 0;1;0;, 1;1;0;, 1;0;0;, 2;1;0;, 2;0;0;;
 3; 3;0,1,2;, 3;0,2,3;, 4;3,2,4,5;;
 MeshMaterialList { 2; 2; 1, 0;;
  Material { 1;0;0;1;; 0; 0;0;0;; 0;0;0;; }
  Material Blue { 0;0;1;0.5;; 0; 0;0;0;; 0;0;0;; TextureFilename { "dir\water.bmp"; } }
 }
}
)");
    auto mesh = engine->CreateMeshBuilder();
    ASSERT_TRUE(mesh->Load(folder.Path("two.x")));
    const rm::MeshData& data = DataOf(mesh);
    ASSERT_EQ(data.groups.size(), 2u);
    EXPECT_EQ(data.groups[0].material.diffuse, glm::vec4(1, 0, 0, 1));
    EXPECT_EQ(data.groups[0].indices.size(), 3u * 3u); // face 1, and the quad taking the last entry
    EXPECT_EQ(data.groups[1].indices.size(), 3u);
    EXPECT_FLOAT_EQ(data.groups[1].material.diffuse.a, 0.5f);
    EXPECT_EQ(data.groups[1].material.texture_name, "dir/water.bmp");
}

TEST_F(MeshLoading, DamagedFilesAreRefusedWhole) {
    // Each of these once differed from a good file by a few characters.
    const std::string good = QuadX(-1, -1, 1, 1, 2, 1, 1, 1, 1, "wall.bmp");
    auto damaged = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        const auto at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    };
    const std::vector<std::string> files = {
        damaged("3;0,1,2;,", "3;0,1,6;,"),               // a face names a missing vertex
        damaged("3;0,1,2;,", "3;0,1,4;,"),               // one just past the last vertex
        damaged("3;0,0,0;,", "3;0,0,1;,"),               // one just past the last normal
        damaged("  2;\n  0,", "  2;\n  1,"),             // one just past the last material
        damaged("3;0,0,0;,", "3;0,0,9;,"),               // a face names a missing normal
        damaged("  2;\n  0,", "  2;\n  5,"),             // a face names a missing material
        damaged(" 4;\n  0.0;1.0;,", " 9;\n  0.0;1.0;,"), // more coordinates than given
        damaged(" 4;\n -1", " 4000000000;\n -1"),        // a count beyond the file
        damaged("{Colour}", "{Nothing}"),                // an unknown material
        damaged("\"wall.bmp\"", "\"wall.bmp"),           // an unended name
        damaged("-1;-1;2;,", "-1;-x;2;,"),               // a number that is not one
        good.substr(0, good.size() - 3),                 // cut short
        "xof 0303txt 0032\n" + std::string(200, '{'),    // nested beyond reason
    };
    Reported();
    for (size_t i = 0; i < files.size(); ++i) {
        const std::string path = folder.Path("damaged" + std::to_string(i) + ".x");
        WriteText(path, files[i]);
        auto mesh = engine->CreateMeshBuilder();
        EXPECT_FALSE(mesh->Load(path)) << i;
        EXPECT_EQ(mesh->FaceCount(), 0) << i;
    }
    const std::string said = Reported();
    EXPECT_NE(said.find("damaged0.x"), std::string::npos) << said;
    EXPECT_NE(said.find("vertex"), std::string::npos) << said;
}

TEST_F(MeshLoading, TheLastVertexNormalAndMaterialCanBeNamed) {
    std::string text = QuadX(-1, -1, 1, 1, 2, 1, 1, 1, 1);
    text.replace(text.find("3;0,1,2;,"), 9, "3;0,1,3;,"); // vertex 3 of 4
    WriteText(folder.Path("last.x"), text);
    auto mesh = engine->CreateMeshBuilder();
    EXPECT_TRUE(mesh->Load(folder.Path("last.x")));
    EXPECT_EQ(mesh->FaceCount(), 2);
}

TEST_F(MeshLoading, ScaleAndTranslateChangeTheVerticesOnce) {
    WriteText(folder.Path("quad.x"), QuadX(-1, -1, 1, 1, 2, 1, 1, 1, 1));
    auto mesh = engine->CreateMeshBuilder();
    ASSERT_TRUE(mesh->Load(folder.Path("quad.x")));
    mesh->Scale(2, 3, 4);
    mesh->Translate(-3, 0.15f, -15);
    rm::Vector min, max;
    mesh->GetBox(min, max);
    EXPECT_FLOAT_EQ(min.x, -5);
    EXPECT_FLOAT_EQ(max.x, -1);
    EXPECT_FLOAT_EQ(min.y, -2.85f);
    EXPECT_FLOAT_EQ(max.y, 3.15f);
    EXPECT_FLOAT_EQ(min.z, -7);
    EXPECT_FLOAT_EQ(max.z, -7);
    for (const glm::vec3& n : DataOf(mesh).normals) EXPECT_FLOAT_EQ(glm::length(n), 1.0f);
}

TEST_F(MeshLoading, ColoursApplyToEveryFace) {
    WriteText(folder.Path("quad.x"), QuadX(0, 0, 1, 1, 1, 0.2f, 0.3f, 0.4f, 0.5f));
    auto mesh = engine->CreateMeshBuilder();
    ASSERT_TRUE(mesh->Load(folder.Path("quad.x")));
    mesh->SetColorRGB(0.9f, 0.8f, 0.0f);
    EXPECT_EQ(DataOf(mesh).groups[0].material.diffuse, glm::vec4(0.9f, 0.8f, 0.0f, 1.0f));
    mesh->SetColor(rm::CreateColorRGBA(1.0f, 0.5f, 0.2f, 0.5f));
    const glm::vec4 packed = DataOf(mesh).groups[0].material.diffuse;
    EXPECT_FLOAT_EQ(packed.r, 1.0f);
    EXPECT_FLOAT_EQ(packed.g, 127.0f / 255.0f);
    EXPECT_FLOAT_EQ(packed.b, 51.0f / 255.0f);
    EXPECT_FLOAT_EQ(packed.a, 127.0f / 255.0f);
}

TEST(BmpReading, DecodesDepthsAndOrientations) {
    ScratchFolder folder;
    WriteBmp24(folder.Path("a.bmp"), 3, 2, {1, 2, 3, 0xAABBCC, 5, 6});
    rm::BmpPicture picture;
    std::string error;
    ASSERT_TRUE(rm::ReadBmpFile(folder.Path("a.bmp"), picture, error)) << error;
    EXPECT_EQ(picture.width, 3);
    EXPECT_EQ(picture.height, 2);
    EXPECT_EQ(picture.pixels, (std::vector<uint32_t>{1, 2, 3, 0xAABBCC, 5, 6}));

    // An 8-bit top-down picture with a two-colour palette.
    std::vector<uint8_t> bmp(54 + 8 + 4 * 2, 0);
    bmp[0] = 'B', bmp[1] = 'M', bmp[10] = 62, bmp[14] = 40, bmp[18] = 2;
    bmp[22] = 0xFE, bmp[23] = 0xFF, bmp[24] = 0xFF, bmp[25] = 0xFF; // height -2
    bmp[26] = 1, bmp[28] = 8, bmp[46] = 2;
    bmp[54] = 0x10, bmp[55] = 0x20, bmp[56] = 0x30; // colour 0: blue 10 green 20 red 30
    bmp[58] = 0xFF, bmp[59] = 0xFF, bmp[60] = 0xFF;
    bmp[62] = 0, bmp[63] = 1, bmp[66] = 1, bmp[67] = 0;
    ASSERT_TRUE(rm::DecodeBmp(bmp.data(), bmp.size(), picture, error)) << error;
    EXPECT_EQ(picture.pixels, (std::vector<uint32_t>{0x302010, 0xFFFFFF, 0xFFFFFF, 0x302010}));

    // Cut short, the same picture is refused with a reason.
    EXPECT_FALSE(rm::DecodeBmp(bmp.data(), bmp.size() - 3, picture, error));
    EXPECT_NE(error.find("truncated"), std::string::npos);
    bmp[30] = 1; // RLE8
    EXPECT_FALSE(rm::DecodeBmp(bmp.data(), bmp.size(), picture, error));
}

TEST(BmpReading, SixteenBitsWithoutMasksAreFiveFiveFive) {
    // A 3 x 1 picture of 16-bit pixels and no bit fields: red, green and blue at full.
    std::vector<uint8_t> bmp(54 + 8, 0);
    bmp[0] = 'B', bmp[1] = 'M', bmp[10] = 54, bmp[14] = 40, bmp[18] = 3, bmp[22] = 1;
    bmp[26] = 1, bmp[28] = 16;
    const uint16_t colours[3] = {0x7C00, 0x03E0, 0x001F};
    for (int i = 0; i < 3; ++i) {
        bmp[static_cast<size_t>(54 + 2 * i)] = static_cast<uint8_t>(colours[i] & 0xFF);
        bmp[static_cast<size_t>(55 + 2 * i)] = static_cast<uint8_t>(colours[i] >> 8);
    }
    rm::BmpPicture picture;
    std::string error;
    ASSERT_TRUE(rm::DecodeBmp(bmp.data(), bmp.size(), picture, error)) << error;
    EXPECT_EQ(picture.pixels, (std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x0000FF}));
}

TEST(TextureSize, PicturesGrowToTheNextPowerOfTwoAndNoFurther) {
    auto log2s = [](int width, int height) {
        rm::BmpPicture picture;
        picture.width = width;
        picture.height = height;
        picture.pixels.assign(static_cast<size_t>(width * height), 0x123456);
        const rm::TextureImpl texture(picture);
        return std::make_pair(texture.WidthLog2(), texture.HeightLog2());
    };
    EXPECT_EQ(log2s(8, 1), std::make_pair(3, 0)) << "a power of two stays";
    EXPECT_EQ(log2s(9, 7), std::make_pair(4, 3));
    EXPECT_EQ(log2s(64, 65), std::make_pair(6, 7));
    EXPECT_EQ(log2s(1, 2), std::make_pair(0, 1));
}

} // namespace
