// Test levers of the replay tool: assign a world variable by its game name, or put a frame
// somewhere in the scene. They only write state; no game step runs because of them.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

class TMainForm;
struct World;

// A lever that names nothing, indexes past an array or gets a value that does not parse.
struct LeverError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// NAME is a scalar (`Energy`, `Guard_On`), a record field of an object array
// (`Zako[3].Life`: Zako, GH, Tama, Missile, Teki_Tama, Bakuhatu, Ring) or of a single record
// (`Robo_ArmL1.RotX`). Integers must be whole numbers, booleans 0 or 1.
void SetWorldValue(World& world, const std::string& name, const std::string& value);

struct PlaceFacing {
    float dx, dz;
};

// Puts the frame of WHAT (`robo`, `boss`, `Zako[i]`, `GH[i]`) at (x, 0, z) in the scene and,
// when given, turns it to face (dx, 0, dz) with up (0, 1, 0).
void PlaceFrame(TMainForm& form, const std::string& what, float x, float z,
                std::optional<PlaceFacing> facing);

// Parses a whole word as a number, or throws LeverError naming what was expected.
float ParseLeverFloat(const std::string& word);
