// The world's variables by their game names, for what reads or sets them by name: the
// replay tool's state lines and its test levers (tools/replay). A variable the game adds
// to World and wants to see there is added here once.
#pragma once

#include <cstdint>
#include <span>
#include <variant>

#include "game/world.h"

// The numbers and flags: written on every state line and settable by a lever.
using WorldScalarMember =
    std::variant<int32_t World::*, uint32_t World::*, double World::*, bool World::*>;
struct WorldScalarField {
    const char* name;
    WorldScalarMember member;
};
std::span<const WorldScalarField> WorldScalars();

// The positions the game keeps: written, not settable.
struct WorldVectorField {
    const char* name;
    rm::Vector World::*member;
};
std::span<const WorldVectorField> WorldVectors();

// The pools of object records, NAME[i]; settable field by field, and written unless
// `written` is false (the rings of the bonus modes).
struct WorldPoolField {
    const char* name;
    std::span<TParts> (*records)(World& w);
    std::span<const TParts> (*read)(const World& w);
    bool written;
};
std::span<const WorldPoolField> WorldPools();

// The single records of the robot's and the boss's parts, NAME.FIELD: settable.
struct WorldRecordField {
    const char* name;
    TParts World::*member;
};
std::span<const WorldRecordField> WorldRecords();
