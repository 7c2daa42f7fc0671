#include "media/report.h"

#include <iostream>

namespace {
constexpr const char* ProgramName = "brannock";
} // namespace

std::string ProblemLine(const std::string& file, const std::string& message) {
    std::string line = std::string(ProgramName) + ": ";
    if (!file.empty()) line += file + ": ";
    return line + message;
}

void ReportProblemLine(const std::string& file, const std::string& message) {
    std::cerr << ProblemLine(file, message) << std::endl;
}

void ReportFollowUp(const std::string& text) {
    std::cerr << text << std::flush;
}
