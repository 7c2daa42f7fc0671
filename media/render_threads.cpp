#include "media/render_threads.h"

#include <cstdlib>

#include "media/report.h"
#include "scene/engine/rm.h"

namespace {

constexpr const char* Variable = "BRANNOCK_THREADS";

} // namespace

RenderThreadsChoice RenderThreadsSetting(const char* value) {
    const int fallback = rm::DefaultRenderThreads();
    if (value == nullptr) return {fallback, ""};
    if (const auto count = rm::ParseRenderThreads(value)) return {*count, ""};
    return {fallback, std::string(Variable) + "=\"" + value +
                          "\" is not a thread count from 1 to " +
                          std::to_string(rm::MaxRenderThreads) + "; drawing with " +
                          std::to_string(fallback) + " (one per core)"};
}

int RenderThreadsFromEnvironment() {
    const RenderThreadsChoice choice = RenderThreadsSetting(std::getenv(Variable));
    if (!choice.problem.empty()) ReportProblemLine("", choice.problem);
    return choice.count;
}
