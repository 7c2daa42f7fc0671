// The image list's items: their indices, and the designed name, pattern size and
// transparent colour of each; and the other bitmaps the form reads. The game reads
// "<name>.bmp" beside itself by these; the asset generator writes the files by them. A leaf:
// any game folder may include it, and so may the asset generator.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "game/map_square.h"

namespace picture {
constexpr int Map = 0;
constexpr int Marker = 1;
constexpr int Radar = 2;
constexpr int Enemy = 3;
constexpr int GameOver = 4;
constexpr int Title = 5;
constexpr int EndingCaptions = 6;
constexpr int Scope = 7;
// The credits with English words, for the English game: the only picture whose words are
// Japanese has this sibling.
constexpr int EndingCaptionsEnglish = 8;
constexpr int Count = 9;

struct Design {
    const char* name;
    int pattern_width, pattern_height;
    bool keyed;                 // false: every colour shows
    uint32_t transparent_color; // 0xRRGGBB, when keyed
};

// In index order.
inline constexpr std::array<Design, Count> Designs = {{
    {"Ｍａｐ", map_pixel::MapSize, map_pixel::MapSize, true, 0x008000}, // one stage a pattern
    {"自機", 4, 4, true, 0xFFFFFF},
    {"レーダー", 100, 100, false, 0},
    {"敵", 6, 6, true, 0x00FF00},
    {"GAMEOVER", 500, 60, true, 0x00FF00},
    {"title", 616, 340, true, 0x000000},
    {"ＥＤテロップ", 380, 75, true, 0x00FF00},
    {"スコープ", 100, 100, true, 0x000000},
    {"ＥＤテロップ.en", 380, 75, true, 0x00FF00},
}};

// The credits in the language the game speaks.
constexpr int EndingCaptionsIn(bool english) {
    return english ? EndingCaptionsEnglish : EndingCaptions;
}

inline std::string FileOf(const Design& design) {
    return std::string(design.name) + ".bmp";
}

// The form's other bitmaps: the stages' maps (Image1 to Image3 the player's, Image4 to
// Image6 the enemies') and the two HUD backgrounds.
constexpr int StageMapCount = 6;
inline std::string StageMapFile(int number) { // number 1 to StageMapCount
    return "Image" + std::to_string(number) + ".bmp";
}
inline constexpr const char* RadarBackFile = "PicBack.bmp";
inline constexpr const char* GaugeBackFile = "PicBack2.bmp";
} // namespace picture
