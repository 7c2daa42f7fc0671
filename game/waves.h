// The wave list's items: their indices, and the designed name and loop flag of each. The
// game reads "<name>.wav" beside itself by this table; the asset generator writes the files
// by it. A leaf: any game folder may include it, and so may the asset generator.
#pragma once

#include <array>
#include <string>

struct GameContext;

namespace wave {
constexpr int Dash = 0;
constexpr int PlayerShot = 1;
constexpr int PlayerExplosion = 2;
constexpr int EnemyShot = 3;
constexpr int BossBGM = 4;
constexpr int Missile = 5;
constexpr int GameBGM = 6;
constexpr int EnemyHit = 7;
constexpr int EnemyExplosion = 8;
constexpr int BossExplosion = 9;
constexpr int GameClear = 10;
constexpr int Ending = 11;
constexpr int SwingBlade = 12;
constexpr int Count = 13;

struct Design {
    const char* name;
    bool looped;
    bool music = false; // the music volume plays it; the effects volume the others
};

// In index order; every item overlaps without limit.
inline constexpr std::array<Design, Count> Designs = {{
    {"ダッシュ", false},
    {"自機ショット", false},
    {"自機爆発", false},
    {"敵ショット", false},
    {"BossBGM", true, true},
    {"ミサイル", false},
    {"GameBGM", true, true},
    {"敵当たり", false},
    {"敵爆発", false},
    {"Boss大爆発", false},
    {"ゲームクリア", false, true},
    {"ENDING", false, true},
    {"スイングブレード", false},
}};

inline std::string FileOf(const Design& design) {
    return std::string(design.name) + ".wav";
}
} // namespace wave

// Plays a wave list item by index (silent without a sound device).
void PlayWave(const GameContext& game, int index);
void StopWave(const GameContext& game, int index);
