// The game's per-user folders, found by the XDG base directory rules: settings under
// $XDG_CONFIG_HOME (else ~/.config), record tables under $XDG_DATA_HOME (else
// ~/.local/share), each in a folder of the game's own.
#pragma once

#include <filesystem>

enum class UserFolder { Config, Data };

// <base>/brannock. An empty or relative variable is invalid and ignored, as the rules say;
// without HOME the current folder stands in for it.
std::filesystem::path GameUserFolder(UserFolder which);
