// The world state after a frame as one JSON object, by the game's own names.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

class TMainForm;

// Which screen is running: panel, opening, game, transition, ending, paused or closed.
std::string ScreenName(const TMainForm& form);

nlohmann::json WorldStateJson(const TMainForm& form);
