// The game's version, one place for every text that shows it. A leaf header: any game
// folder may include it.
#pragma once

#include <string>

// "0.5", the project's version (CMakeLists.txt): shown on the panel and the title screen,
// and the version a demo records and must match to be played.
std::string GameVersion();
