#include <algorithm>
#include <string_view>

#include "media/language.h"
#include "media/read_file.h"
#include "options/options.h"

namespace {

// The option text is a page of notes; nothing larger is one.
constexpr size_t MaxOptionTextSize = size_t{1} << 20;

} // namespace

std::string ReadOptionText(const std::string& path, std::vector<std::string>& lines) {
    std::vector<uint8_t> bytes;
    if (const std::optional<FileProblem> problem = ReadFileWithin(path, MaxOptionTextSize, bytes)) {
        const std::string said = problem->missing ? Format(Tr("%s が見つかりません"), path.c_str())
                                                  : Format(Tr("%s を読めません（%s）"),
                                                           path.c_str(), problem->reason.c_str());
        lines = {said};
        return said;
    }
    lines.clear();
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lines.emplace_back(line);
        start = end + 1;
    }
    return {};
}
