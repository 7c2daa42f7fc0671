#include "media/report.h"

#include <algorithm>
#include <iostream>

namespace {

std::string& ProgramName() {
    static std::string name = "brannock";
    return name;
}

// Line ends and other control characters as C escapes.
std::string OneLine(const std::string& text) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string line;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') {
            line += "\\n";
        } else if (c == '\r') {
            line += "\\r";
        } else if ((byte < 0x20 && c != '\t') || byte == 0x7F) {
            line += "\\x";
            line += Hex[byte >> 4];
            line += Hex[byte & 0xF];
        } else {
            line += c;
        }
    }
    return line;
}

} // namespace

void SetReportingProgramName(const std::string& name) {
    ProgramName() = name;
}

std::string ProblemLine(const std::string& file, const std::string& message) {
    std::string line = ProgramName() + ": ";
    if (!file.empty()) line += file + ": ";
    return OneLine(line + message);
}

void ReportProblemLine(const std::string& file, const std::string& message) {
    std::cerr << ProblemLine(file, message) << std::endl;
}

void ReportFollowUp(const std::string& text) {
    // Each line starts with the name too, so that no line on stderr comes from nowhere.
    std::string lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        lines += ProgramName() + ": " + text.substr(start, end - start) + "\n";
        start = end + 1;
    }
    std::cerr << lines << std::flush;
}
