#include <filesystem>
#include <fstream>

#include "media/language.h"
#include "options/options.h"

std::string ReadOptionText(const std::string& path, std::vector<std::string>& lines) {
    std::error_code ec;
    const bool folder = std::filesystem::is_directory(path, ec);
    std::ifstream file;
    if (!folder) file.open(path);
    if (folder || !file) {
        const std::string problem =
            folder ? Format(Tr("%s を読めません（フォルダーです）"), path.c_str())
                   : Format(Tr("%s が見つかりません（読めません）"), path.c_str());
        lines = {problem};
        return problem;
    }
    lines.clear();
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    if (file.bad()) {
        const std::string problem = Format(Tr("%s を読めません（読み込みエラー）"), path.c_str());
        lines = {problem};
        return problem;
    }
    return {};
}
