// What each difficulty gives the player and the boss. A leaf header: any game folder may
// include it.
#pragma once

#include <array>
#include <cstdint>

#include "game/modes.h"
#include "media/language.h"

struct DifficultyRules {
    int32_t boss_damage;   // the boss's hit points a player hit takes
    int32_t stage_points;  // points a stage starts with (added to those carried over)
    const char* name;      // Difficulty_Name: the game's own spellings, shown in the
                           // player's language on the HUD
    int32_t missile_stock; // at START and at every stage start
    double energy_regen;   // the energy gauge's refill per frame
};

// By difficulty number.
inline constexpr std::array<DifficultyRules, difficulty::Count> DifficultyTable = {{
    {5, 0, "Practice", 9999, 1.0},
    {10, 500000, TrMark("Eazy"), 9999, 2.0},
    // TRANSLATORS: the game's own spelling of "Normal" on the HUD's stage line.
    {5, 650000, TrMark("Nomal"), 9999, 1.0},
    {3, 800000, "Hard", 9999, 0.2},
    {2, 990000, "Very Hard", 0, 0.0},
    {5, 0, "Time Attack", 9999, 1.0},
}};

// The rules of a difficulty; null for a number outside the list.
constexpr const DifficultyRules* RulesOf(int32_t d) {
    return d >= 0 && d < difficulty::Count ? &DifficultyTable[static_cast<size_t>(d)] : nullptr;
}

// Practice and Time Attack keep no points: none are shown, and every stage starts at 0.
constexpr bool KeepsPoints(int32_t d) {
    return d != difficulty::Practice && d != difficulty::TimeAttack;
}
