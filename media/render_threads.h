// How many threads draw the 3D view: BRANNOCK_THREADS=N chooses, otherwise one per core.
#pragma once

#include <ostream>

// The thread count for the environment variable's value (null when it is not set). A
// value that is not a count from 1 to rm::MaxRenderThreads is reported on errors and the
// default used.
int RenderThreadsSetting(const char* value, std::ostream& errors);

// The setting for this process's environment, reporting to stderr.
int RenderThreadsFromEnvironment();
