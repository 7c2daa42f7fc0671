// How many threads draw the 3D view: BRANNOCK_THREADS=N chooses, otherwise one per core.
#pragma once

#include <string>

struct RenderThreadsChoice {
    int count = 0;
    std::string problem; // why the value was not taken; empty when it was, or was not set
};

// The thread count for the environment variable's value (null when it is not set). A
// value that is not a count from 1 to rm::MaxRenderThreads gives the default, and says why.
RenderThreadsChoice RenderThreadsSetting(const char* value);

// The setting for this process's environment; a value not taken is reported (media/report.h).
int RenderThreadsFromEnvironment();
