// The length of a frame as the game was designed: the game frames start at it, and the
// title and the screen between stages keep it whatever the game frames are set to.
#pragma once

#include <cstdint>

constexpr int32_t StandardFrameMs = 33;
