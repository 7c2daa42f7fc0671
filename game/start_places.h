// Where the enemies stand at the start of every stage: the game places them there and the
// asset generator leaves room for them in every stage layout. A leaf header.
#pragma once

#include <array>

constexpr int ZakoCount = 12;
constexpr int GHCount = 6;

struct StartPlace {
    double x, z;
    bool turned; // zako only: starts turned a quarter to the left
};

inline constexpr std::array<StartPlace, ZakoCount> ZakoStartPlaces = {{
    {120, 92, false},
    {200, 20, true},
    {340, 150, false},
    {420, 24, false},
    {332, 214, false},
    {405, 300, true},
    {300, 350, false},
    {180, 250, true},
    {230, 407, false},
    {27, 422, true},
    {180, 60, true},
    {240, 330, true},
}};

inline constexpr std::array<StartPlace, GHCount> GHStartPlaces = {{
    {210, 107, false},
    {420, 202, false},
    {405, 300, false},
    {227, 202, false},
    {180, 400, false},
    {27, 422, false},
}};
