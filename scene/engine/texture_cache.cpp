#include "scene/engine/texture_cache.h"

#include <cstdio>

#include "scene/engine/bmp_reader.h"
#include "scene/engine/texture.h"

namespace rm {

std::shared_ptr<TextureImpl> TextureCache::Load(const std::string& path) {
    auto& slot = loaded_[path];
    if (auto texture = slot.lock()) return texture;
    BmpPicture picture;
    std::string error;
    if (!ReadBmpFile(path, picture, error)) {
        Report("texture " + path + " cannot be read (" + error + "); drawn without it");
        return nullptr;
    }
    auto texture = std::make_shared<TextureImpl>(picture);
    slot = texture;
    return texture;
}

void TextureCache::Report(const std::string& what) {
    if (reported_.insert(what).second) std::fprintf(stderr, "%s\n", what.c_str());
}

} // namespace rm
