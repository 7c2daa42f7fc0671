#include "media/game_folder.h"

#include <SDL.h>

#include "media/language.h"

namespace {

// A file every complete set of game files has: the first stage map.
constexpr const char* MarkerFile = "Image1.bmp";

} // namespace

std::vector<std::filesystem::path> GameFolderCandidates(const std::filesystem::path& program_dir) {
    return {program_dir, program_dir / ".." / "share" / "brannock"};
}

std::string FindGameFolder(const std::filesystem::path& program_dir) {
    std::string searched;
    for (const std::filesystem::path& folder : GameFolderCandidates(program_dir)) {
        // Whatever stands under the marker's name marks the folder: a marker that cannot be
        // read is said when it is loaded, with the reason, not as missing game files.
        std::error_code ec;
        if (std::filesystem::exists(std::filesystem::symlink_status(folder / MarkerFile, ec))) {
            std::string path = folder.lexically_normal().string();
            if (path.empty() || path.back() != '/') path += '/';
            return path;
        }
        searched += (searched.empty() ? "" : ", ") + folder.lexically_normal().string();
    }
    throw EGameFilesMissing(
        Format(Tr("ゲームのファイル（%s ほか）が見つかりません。探した場所: %s"), MarkerFile,
               searched.c_str()));
}

std::string GameFolder() {
    char* base = SDL_GetBasePath();
    const std::filesystem::path program_dir = base != nullptr ? base : ".";
    SDL_free(base);
    return FindGameFolder(program_dir);
}
