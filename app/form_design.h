// The designed content of the main form's components: the items of the wave list and the
// image list (their indices are in game/waves.h and game/pictures.h), the key table, and
// the files they are read from beside the program.
#pragma once

#include <string>

#include "media/input.h"

class TMainForm;

// Fills the components with their designed items and reads their pictures and waves
// from dir (the game folder, see media/game_folder.h). Throws, naming the file, when one cannot be
// read.
void LoadFormDesign(TMainForm& form, const std::string& dir);

// The designed key table: three Windows virtual-key codes per input state.
TKeyAssigns DesignedKeyAssigns();
