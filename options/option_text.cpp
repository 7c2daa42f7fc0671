#include <filesystem>
#include <fstream>

#include "options/options.h"

std::string ReadOptionText(const std::string& path, std::vector<std::string>& lines) {
    std::error_code ec;
    const bool folder = std::filesystem::is_directory(path, ec);
    std::ifstream file;
    if (!folder) file.open(path);
    if (folder || !file) {
        const std::string problem =
            path + (folder ? " を読めません (a folder, not the option text)"
                           : " が見つかりません (cannot read the option text)");
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
        const std::string problem = path + " を読めません (a read error)";
        lines = {problem};
        return problem;
    }
    return {};
}
