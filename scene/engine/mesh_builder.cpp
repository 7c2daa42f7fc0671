#include "scene/engine/mesh_builder.h"

#include <algorithm>
#include <filesystem>

#include "scene/engine/texture.h"
#include "scene/engine/texture_cache.h"
#include "scene/engine/x_loader.h"

namespace rm {

int MeshData::TriangleCount() const {
    size_t count = 0;
    for (const auto& group : groups) count += group.indices.size() / 3;
    return static_cast<int>(count);
}

namespace {

// The texture a mesh file names, beside the mesh file; names differing only in case are
// accepted too, as they were on the file system the game was made on.
std::string FindBeside(const std::filesystem::path& mesh_path, const std::string& name) {
    namespace fs = std::filesystem;
    const fs::path folder = mesh_path.parent_path();
    const fs::path exact = folder / name;
    std::error_code ec;
    if (fs::exists(exact, ec)) return exact.string();
    const fs::path wanted = fs::path(name).filename();
    auto lower = [](std::string s) {
        for (char& c : s)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return s;
    };
    const fs::path search_folder = (folder / name).parent_path();
    for (fs::directory_iterator it(search_folder.empty() ? "." : search_folder, ec), end;
         !ec && it != end; it.increment(ec)) {
        if (lower(it->path().filename().string()) == lower(wanted.string()))
            return it->path().string();
    }
    return exact.string();
}

} // namespace

bool MeshBuilderImpl::Load(const std::string& path) {
    MeshData loaded;
    std::string error;
    if (!ReadXMeshFile(path, loaded, error)) {
        textures_->Report(path, "cannot be read as a mesh (" + error + "); it stays empty");
        return false;
    }
    for (auto& group : loaded.groups) {
        if (group.material.texture_name.empty() || !textures_->load_named_textures) continue;
        group.material.texture = textures_->Load(FindBeside(path, group.material.texture_name));
    }
    data_ = std::move(loaded);
    UpdateBounds();
    return true;
}

void MeshBuilderImpl::Scale(float sx, float sy, float sz) {
    const glm::vec3 s(sx, sy, sz);
    for (auto& p : data_.positions) p *= s;
    // Normals follow the inverse scale so that they stay perpendicular to the faces.
    for (auto& n : data_.normals) {
        glm::vec3 scaled(n.x * sy * sz, n.y * sx * sz, n.z * sx * sy);
        const float length = glm::length(scaled);
        n = length > 0.0f ? scaled / length : n;
    }
    UpdateBounds();
}

void MeshBuilderImpl::Translate(float tx, float ty, float tz) {
    for (auto& p : data_.positions) p += glm::vec3(tx, ty, tz);
    UpdateBounds();
}

void MeshBuilderImpl::SetColorRGB(float r, float g, float b) {
    for (auto& group : data_.groups) group.material.diffuse = {r, g, b, 1.0f};
}

void MeshBuilderImpl::SetColor(uint32_t argb) {
    auto channel = [argb](int shift) {
        return static_cast<float>((argb >> shift) & 0xFFu) / 255.0f;
    };
    for (auto& group : data_.groups)
        group.material.diffuse = {channel(16), channel(8), channel(0), channel(24)};
}

void MeshBuilderImpl::SetTexture(TexturePtr texture) {
    auto impl = std::static_pointer_cast<TextureImpl>(std::move(texture));
    for (auto& group : data_.groups) group.material.texture = impl;
}

void MeshBuilderImpl::GetBox(Vector& min, Vector& max) const {
    min = {box_min_.x, box_min_.y, box_min_.z};
    max = {box_max_.x, box_max_.y, box_max_.z};
}

void MeshBuilderImpl::UpdateBounds() {
    if (data_.positions.empty()) {
        box_min_ = box_max_ = bound_centre_ = glm::vec3(0.0f);
        bound_radius_ = 0.0f;
        return;
    }
    box_min_ = box_max_ = data_.positions.front();
    for (const auto& p : data_.positions) {
        box_min_ = glm::min(box_min_, p);
        box_max_ = glm::max(box_max_, p);
    }
    bound_centre_ = (box_min_ + box_max_) * 0.5f;
    float radius_squared = 0.0f;
    for (const auto& p : data_.positions) {
        const glm::vec3 d = p - bound_centre_;
        radius_squared = std::max(radius_squared, glm::dot(d, d));
    }
    bound_radius_ = std::sqrt(radius_squared);
}

} // namespace rm
