#include "media/render_threads.h"

#include <cstdlib>
#include <iostream>

#include "media/report.h"
#include "scene/engine/rm.h"

namespace {

constexpr const char* Variable = "BRANNOCK_THREADS";

} // namespace

int RenderThreadsSetting(const char* value, std::ostream& errors) {
    const int fallback = rm::DefaultRenderThreads();
    if (value == nullptr) return fallback;
    if (const auto count = rm::ParseRenderThreads(value)) return *count;
    errors << ProblemLine("", std::string(Variable) + "=\"" + value +
                                  "\" is not a thread count from 1 to " +
                                  std::to_string(rm::MaxRenderThreads) + "; drawing with " +
                                  std::to_string(fallback) + " (one per core)")
           << "\n";
    return fallback;
}

int RenderThreadsFromEnvironment() {
    return RenderThreadsSetting(std::getenv(Variable), std::cerr);
}
