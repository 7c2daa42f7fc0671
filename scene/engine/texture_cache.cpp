#include "scene/engine/texture_cache.h"

#include "scene/engine/bmp_reader.h"
#include "scene/engine/texture.h"

namespace rm {

std::shared_ptr<TextureImpl> TextureCache::Load(const std::string& path) {
    auto& slot = loaded_[path];
    if (auto texture = slot.lock()) return texture;
    BmpPicture picture;
    std::string error;
    if (!ReadBmpFile(path, picture, error)) {
        Report(path, "cannot be read as a texture (" + error + "); drawn without it");
        return nullptr;
    }
    auto texture = std::make_shared<TextureImpl>(picture);
    slot = texture;
    return texture;
}

void TextureCache::Report(const std::string& file, const std::string& message) {
    if (reported_.insert({file, message}).second && reporter) reporter(file, message);
}

} // namespace rm
