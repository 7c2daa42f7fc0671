#include "game/version.h"

std::string GameVersion() {
    return BRANNOCK_VERSION;
}
