// The textures the engine has read, shared by every mesh that names the same file, and
// the files it could not read (each reported once).
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>

namespace rm {

class TextureImpl;

class TextureCache {
public:
    // Reads a BMP texture, or returns the one already read; null when it cannot be read,
    // which is said on stderr the first time.
    std::shared_ptr<TextureImpl> Load(const std::string& path);
    void Report(const std::string& what);

    bool load_named_textures = true;

private:
    std::map<std::string, std::weak_ptr<TextureImpl>> loaded_;
    std::set<std::string> reported_;
};

} // namespace rm
