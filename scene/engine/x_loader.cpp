// The .x reader: the text form of the DirectX mesh file as the game and other exporters
// write it (templates, frames with their transforms, meshes with normals, texture coordinates
// and materials naming textures). Everything else is skipped. The file is checked as it is
// read, so a damaged file is refused as a whole and never half-loaded.
#include "scene/engine/x_loader.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <map>
#include <optional>
#include <tuple>
#include <unordered_map>

#include "scene/engine/file_bytes.h"
#include "scene/engine/x_binary.h"
#include "scene/engine/x_lexer.h"

namespace rm {

namespace {

constexpr size_t MaxFileSize = size_t{16} << 20; // no game mesh comes near this
constexpr int MaxDepth = 64;                     // objects nested deeper are refused
constexpr size_t HeaderSize = 16;

// "xof 0303txt 0032": the version, the form (text, binary, or one of the compressed
// forms) and the size of the file's floats.
enum class XForm { Text, Binary, Compressed, Unknown };

XForm FormOf(const uint8_t* data, size_t size) {
    if (size < HeaderSize || std::memcmp(data, "xof ", 4) != 0) return XForm::Unknown;
    const std::string_view form(reinterpret_cast<const char*>(data) + 8, 4);
    if (form == "txt ") return XForm::Text;
    if (form == "bin ") return XForm::Binary;
    if (form == "tzip" || form == "bzip") return XForm::Compressed;
    return XForm::Unknown;
}

int FloatBytesOf(const uint8_t* data) {
    return std::memcmp(data + 12, "0064", 4) == 0 ? 8 : 4;
}

// Row-vector 4 x 4 matrix as the file writes it: p' = p * m, translation in the last row.
using FileMatrix = std::array<float, 16>;
constexpr FileMatrix Identity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

struct Failure {
    std::string what;
};

// A mesh as the file states it: faces of any corner count, normals indexed per face corner.
struct FileMesh {
    std::vector<glm::vec3> positions;
    std::vector<std::vector<uint32_t>> faces;
    std::vector<glm::vec3> normals;
    std::vector<std::vector<uint32_t>> normal_faces;
    std::vector<glm::vec2> uvs;
    std::vector<uint32_t> face_materials;
    std::vector<Material> materials;
};

class XReader {
public:
    explicit XReader(std::string_view text) : lexer_(text) {}

    // Reads every object of the file into out; throws Failure on a damaged file.
    void ReadFile(MeshData& out) {
        while (lexer_.Peek() != XToken::End) ReadObject(out, 0);
    }

private:
    [[noreturn]] void Fail(const std::string& what) const {
        throw Failure{what + " (line " + std::to_string(lexer_.Line()) + ")"};
    }

    void SkipSeparators() {
        while (lexer_.Peek() == XToken::Separator) lexer_.Next();
    }

    float Float() {
        SkipSeparators();
        if (lexer_.Next() != XToken::Number) Fail("a number was expected");
        std::string_view text = lexer_.Text();
        if (!text.empty() && text.front() == '+') text.remove_prefix(1);
        float value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
            Fail("a number was expected");
        return value;
    }

    // A count of items that each take at least min_bytes more of the file.
    uint32_t Count(size_t min_bytes) {
        SkipSeparators();
        if (lexer_.Next() != XToken::Number) Fail("a count was expected");
        const std::string_view text = lexer_.Text();
        uint32_t value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size()) Fail("a count was expected");
        if (static_cast<uint64_t>(value) * min_bytes > lexer_.Remaining())
            Fail("a count larger than the file");
        return value;
    }

    void Expect(XToken kind, const char* what) {
        SkipSeparators();
        if (lexer_.Next() != kind) Fail(std::string(what) + " was expected");
    }

    // After an object's type: an optional name, then '{'.
    std::string OpenObject() {
        std::string name;
        if (lexer_.Peek() == XToken::Name) {
            lexer_.Next();
            name = lexer_.Text();
        }
        Expect(XToken::Open, "'{'");
        return name;
    }

    // The rest of an object whose '{' has been read.
    void SkipBody(int depth) {
        if (depth > MaxDepth) Fail("objects nested too deeply");
        for (;;) {
            switch (lexer_.Next()) {
            case XToken::Open:
                SkipBody(depth + 1);
                break;
            case XToken::Close:
                return;
            case XToken::End:
                Fail("the file ends inside an object");
            case XToken::Bad:
                Fail("unreadable text");
            default:
                break;
            }
        }
    }

    // Reads an object at the current token into out (meshes) or into the named materials.
    void ReadObject(MeshData& out, int depth) {
        if (depth > MaxDepth) Fail("objects nested too deeply");
        const XToken kind = lexer_.Next();
        if (kind == XToken::Separator) return;
        if (kind != XToken::Name) Fail("an object was expected");
        const std::string type(lexer_.Text());
        if (type == "template") {
            if (lexer_.Next() != XToken::Name) Fail("a template name was expected");
            Expect(XToken::Open, "'{'");
            if (!lexer_.SkipBlock()) Fail("the file ends inside a template");
        } else if (type == "Frame") {
            OpenObject();
            ReadFrame(out, depth + 1);
        } else if (type == "Mesh") {
            OpenObject();
            AddMesh(ReadMesh(depth + 1), out);
        } else if (type == "Material") {
            const std::string name = OpenObject();
            named_materials_[name] = ReadMaterial(depth + 1);
        } else {
            OpenObject();
            SkipBody(depth + 1);
        }
    }

    void ReadFrame(MeshData& out, int depth) {
        MeshData inside;
        FileMatrix matrix = Identity;
        for (;;) {
            SkipSeparators();
            const XToken next = lexer_.Peek();
            if (next == XToken::Close) {
                lexer_.Next();
                break;
            }
            if (next == XToken::Open) { // a reference to an object elsewhere: not needed
                lexer_.Next();
                SkipBody(depth + 1);
                continue;
            }
            if (next != XToken::Name) Fail("an object was expected in a frame");
            lexer_.Next();
            const std::string type(lexer_.Text());
            if (type == "FrameTransformMatrix") {
                OpenObject();
                for (float& m : matrix) m = Float();
                Expect(XToken::Close, "'}'");
            } else if (type == "Frame") {
                OpenObject();
                ReadFrame(inside, depth + 1);
            } else if (type == "Mesh") {
                OpenObject();
                AddMesh(ReadMesh(depth + 1), inside);
            } else {
                OpenObject();
                SkipBody(depth + 1);
            }
        }
        // The frame's transform applies to all it holds, whatever order the file uses.
        Transform(inside, matrix);
        Append(std::move(inside), out);
    }

    FileMesh ReadMesh(int depth) {
        FileMesh mesh;
        const uint32_t vertex_count = Count(6);
        mesh.positions.resize(vertex_count);
        for (glm::vec3& p : mesh.positions) p = {Float(), Float(), Float()};
        mesh.faces = ReadFaces(vertex_count);
        for (;;) {
            SkipSeparators();
            const XToken next = lexer_.Next();
            if (next == XToken::Close) break;
            if (next == XToken::Open) {
                SkipBody(depth + 1);
                continue;
            }
            if (next != XToken::Name) Fail("an object was expected in a mesh");
            const std::string type(lexer_.Text());
            OpenObject();
            if (type == "MeshNormals") {
                const uint32_t normal_count = Count(6);
                mesh.normals.resize(normal_count);
                for (glm::vec3& n : mesh.normals) n = {Float(), Float(), Float()};
                mesh.normal_faces = ReadFaces(normal_count);
                Expect(XToken::Close, "'}'");
            } else if (type == "MeshTextureCoords") {
                const uint32_t count = Count(4);
                mesh.uvs.resize(count);
                for (glm::vec2& uv : mesh.uvs) uv = {Float(), Float()};
                Expect(XToken::Close, "'}'");
            } else if (type == "MeshMaterialList") {
                ReadMaterialList(mesh, depth + 1);
            } else {
                SkipBody(depth + 1);
            }
        }
        return mesh;
    }

    std::vector<std::vector<uint32_t>> ReadFaces(uint32_t vertex_count) {
        const uint32_t face_count = Count(4);
        std::vector<std::vector<uint32_t>> faces(face_count);
        for (auto& face : faces) {
            const uint32_t corners = Count(2);
            face.resize(corners);
            for (uint32_t& index : face) {
                index = Count(0);
                if (index >= vertex_count) Fail("a face names a vertex the mesh does not have");
            }
        }
        return faces;
    }

    void ReadMaterialList(FileMesh& mesh, int depth) {
        const uint32_t material_count = Count(1);
        const uint32_t face_count = Count(0);
        if (face_count > mesh.faces.size()) Fail("more face materials than faces");
        mesh.face_materials.resize(face_count);
        for (uint32_t& index : mesh.face_materials) {
            index = Count(0);
            if (index >= material_count) Fail("a face names a material the list does not have");
        }
        for (;;) {
            SkipSeparators();
            const XToken next = lexer_.Next();
            if (next == XToken::Close) break;
            if (next == XToken::Open) { // { Name }: a material defined before
                if (lexer_.Next() != XToken::Name) Fail("a material name was expected");
                const auto found = named_materials_.find(std::string(lexer_.Text()));
                if (found == named_materials_.end()) Fail("an unknown material is named");
                mesh.materials.push_back(found->second);
                Expect(XToken::Close, "'}'");
                continue;
            }
            if (next != XToken::Name) Fail("a material was expected");
            const std::string type(lexer_.Text());
            const std::string name = OpenObject();
            if (type == "Material") {
                mesh.materials.push_back(ReadMaterial(depth + 1));
                if (!name.empty()) named_materials_[name] = mesh.materials.back();
            } else {
                SkipBody(depth + 1);
            }
        }
        if (mesh.materials.size() != material_count) Fail("the material list is incomplete");
    }

    Material ReadMaterial(int depth) {
        auto unit = [this] { return std::min(std::max(Float(), 0.0f), 1.0f); };
        Material material;
        material.diffuse = {unit(), unit(), unit(), unit()};
        Float();                             // specular power
        for (int i = 0; i < 3; ++i) Float(); // specular colour
        material.emissive = {unit(), unit(), unit()};
        for (;;) {
            SkipSeparators();
            const XToken next = lexer_.Next();
            if (next == XToken::Close) break;
            if (next != XToken::Name) Fail("an object was expected in a material");
            const std::string type(lexer_.Text());
            OpenObject();
            if (type == "TextureFilename" || type == "TextureFileName") {
                SkipSeparators();
                if (lexer_.Next() != XToken::String) Fail("a texture file name was expected");
                material.texture_name = lexer_.Text();
                // Files written on Windows name their textures with backslashes.
                for (char& c : material.texture_name)
                    if (c == '\\') c = '/';
                Expect(XToken::Close, "'}'");
            } else {
                SkipBody(depth + 1);
            }
        }
        return material;
    }

    static void Transform(MeshData& mesh, const FileMatrix& m) {
        if (m == Identity) return;
        const glm::mat3 linear(m[0], m[1], m[2], m[4], m[5], m[6], m[8], m[9], m[10]);
        const glm::vec3 shift(m[12], m[13], m[14]);
        const glm::mat3 normal_matrix = glm::transpose(glm::inverse(linear));
        for (glm::vec3& p : mesh.positions) p = linear * p + shift;
        for (glm::vec3& n : mesh.normals) {
            const glm::vec3 turned = normal_matrix * n;
            const float length = glm::length(turned);
            n = std::isfinite(length) && length > 0.0f ? turned / length : glm::vec3(0.0f);
        }
        for (glm::vec3& p : mesh.positions)
            if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z))
                p = glm::vec3(0.0f);
    }

    static void Append(MeshData&& from, MeshData& to) {
        const auto base = static_cast<uint32_t>(to.positions.size());
        to.positions.insert(to.positions.end(), from.positions.begin(), from.positions.end());
        to.normals.insert(to.normals.end(), from.normals.begin(), from.normals.end());
        to.uvs.insert(to.uvs.end(), from.uvs.begin(), from.uvs.end());
        for (MeshGroup& group : from.groups) {
            for (uint32_t& index : group.indices) index += base;
            to.groups.push_back(std::move(group));
        }
    }

    void AddMesh(FileMesh mesh, MeshData& out);

    XLexer lexer_;
    std::map<std::string, Material> named_materials_;
};

// Normals for a mesh whose file gives none: the faces around each vertex position
// averaged, weighted by their area. A clockwise face's normal points toward its viewer.
void GenerateNormals(MeshData& mesh) {
    std::map<std::tuple<float, float, float>, glm::vec3> sums;
    auto key = [](const glm::vec3& p) { return std::make_tuple(p.x, p.y, p.z); };
    for (const MeshGroup& group : mesh.groups) {
        for (size_t i = 0; i + 2 < group.indices.size(); i += 3) {
            const glm::vec3& a = mesh.positions[group.indices[i]];
            const glm::vec3& b = mesh.positions[group.indices[i + 1]];
            const glm::vec3& c = mesh.positions[group.indices[i + 2]];
            const glm::vec3 face = glm::cross(b - a, c - a);
            for (const glm::vec3* p : {&a, &b, &c}) sums[key(*p)] += face;
        }
    }
    for (size_t v = 0; v < mesh.positions.size(); ++v) {
        const glm::vec3 sum = sums[key(mesh.positions[v])];
        const float length = glm::length(sum);
        mesh.normals[v] = std::isfinite(length) && length > 0.0f ? sum / length : glm::vec3(0.0f);
    }
}

// Turns the file's mesh into groups of triangles, one per material. A vertex of the
// result is a position with one normal; faces of more corners become fans, keeping the
// file's winding.
void XReader::AddMesh(FileMesh mesh, MeshData& out) {
    const bool has_normals = !mesh.normals.empty();
    if (has_normals && mesh.normal_faces.size() != mesh.faces.size())
        Fail("the normals do not match the faces");
    if (!mesh.uvs.empty() && mesh.uvs.size() != mesh.positions.size())
        Fail("the texture coordinates do not match the vertices");
    if (mesh.materials.empty()) mesh.materials.emplace_back(); // white, as the engine's default

    MeshData result;
    result.groups.resize(mesh.materials.size());
    for (size_t m = 0; m < mesh.materials.size(); ++m)
        result.groups[m].material = mesh.materials[m];
    std::unordered_map<uint64_t, uint32_t> made; // (position, normal) -> vertex
    auto vertex = [&](uint32_t position, uint32_t normal) {
        const uint64_t key = static_cast<uint64_t>(position) << 32 | normal;
        const auto [at, added] =
            made.try_emplace(key, static_cast<uint32_t>(result.positions.size()));
        if (added) {
            result.positions.push_back(mesh.positions[position]);
            result.normals.push_back(has_normals ? mesh.normals[normal] : glm::vec3(0.0f));
            result.uvs.push_back(mesh.uvs.empty() ? glm::vec2(0.0f) : mesh.uvs[position]);
        }
        return at->second;
    };
    for (size_t f = 0; f < mesh.faces.size(); ++f) {
        const std::vector<uint32_t>& face = mesh.faces[f];
        if (face.size() < 3) continue; // points and lines are not drawn
        if (has_normals && mesh.normal_faces[f].size() != face.size())
            Fail("the normals do not match the faces");
        // A list shorter than the faces repeats its last material.
        const uint32_t material = mesh.face_materials.empty()      ? 0
                                  : f < mesh.face_materials.size() ? mesh.face_materials[f]
                                                                   : mesh.face_materials.back();
        std::vector<uint32_t>& indices = result.groups[material].indices;
        auto corner = [&](size_t k) {
            return vertex(face[k], has_normals ? mesh.normal_faces[f][k] : 0u);
        };
        const uint32_t first = corner(0);
        for (size_t k = 1; k + 1 < face.size(); ++k) {
            indices.push_back(first);
            indices.push_back(corner(k));
            indices.push_back(corner(k + 1));
        }
    }
    std::erase_if(result.groups, [](const MeshGroup& g) { return g.indices.empty(); });
    for (glm::vec3& n : result.normals) {
        const float length = glm::length(n);
        n = length > 0.0f ? n / length : glm::vec3(0.0f);
    }
    if (!has_normals) GenerateNormals(result);
    Append(std::move(result), out);
}

} // namespace

bool ParseXMesh(const uint8_t* data, size_t size, MeshData& out, std::string& error) {
    if (size == 0) {
        error = "the file is empty";
        return false;
    }
    const XForm form = FormOf(data, size);
    if (form == XForm::Unknown) {
        error = "not a .x mesh file";
        return false;
    }
    if (form == XForm::Compressed) {
        error = "compressed .x mesh files are not read; save it as text or binary";
        return false;
    }
    MeshData mesh;
    try {
        std::string translated;
        std::string_view text(reinterpret_cast<const char*>(data) + HeaderSize, size - HeaderSize);
        if (form == XForm::Binary) {
            if (!BinaryXToText(data + HeaderSize, size - HeaderSize, FloatBytesOf(data), translated,
                               error))
                return false;
            text = translated;
        }
        XReader reader(text);
        reader.ReadFile(mesh);
    } catch (const Failure& failure) {
        error = failure.what;
        return false;
    } catch (const std::bad_alloc&) {
        error = "the file is too large to read";
        return false;
    }
    if (mesh.Empty()) {
        error = "the file holds no mesh";
        return false;
    }
    out = std::move(mesh);
    return true;
}

bool ReadXMeshFile(const std::string& path, MeshData& out, std::string& error) {
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(path, MaxFileSize, bytes, error)) return false;
    return ParseXMesh(bytes.data(), bytes.size(), out, error);
}

} // namespace rm
