// The system's reason for a failed file operation, in the player's language.
#pragma once

#include <string>

// The reason for errno value error: the common ones of reading and writing files in the
// player's language; any other in the C library's own (English) words.
std::string SystemReason(int error);
