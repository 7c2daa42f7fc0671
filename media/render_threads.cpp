#include "media/render_threads.h"

#include <cstdlib>
#include <iostream>

#include "scene/engine/rm.h"

namespace {

constexpr const char* Variable = "BRANNOCK_THREADS";

} // namespace

int RenderThreadsSetting(const char* value, std::ostream& errors) {
    const int fallback = rm::DefaultRenderThreads();
    if (value == nullptr) return fallback;
    if (const auto count = rm::ParseRenderThreads(value)) return *count;
    errors << "Brannock: " << Variable << "=\"" << value << "\" is not a thread count from 1 to "
           << rm::MaxRenderThreads << "; drawing with " << fallback << " (one per core)\n";
    return fallback;
}

int RenderThreadsFromEnvironment() {
    return RenderThreadsSetting(std::getenv(Variable), std::cerr);
}
