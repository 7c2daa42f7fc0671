// The textures the engine has read, shared by every mesh that names the same file, and
// the files it could not read (each told to the host's reporter once).
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

namespace rm {

class TextureImpl;

class TextureCache {
public:
    // Reads a BMP texture, or returns the one already read; null when it cannot be read,
    // which is reported the first time.
    std::shared_ptr<TextureImpl> Load(const std::string& path);
    // Tells the reporter of a file's problem, once per file and message.
    void Report(const std::string& file, const std::string& message);

    bool load_named_textures = true;
    std::function<void(const std::string& file, const std::string& message)> reporter;

private:
    std::map<std::string, std::weak_ptr<TextureImpl>> loaded_;
    std::set<std::pair<std::string, std::string>> reported_;
};

} // namespace rm
