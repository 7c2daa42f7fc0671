// The wave list's items by index, and playing them. A leaf: any game folder may include it.
#pragma once

struct GameContext;

namespace wave {
constexpr int Dash = 0;            // "ダッシュ"
constexpr int PlayerShot = 1;      // "自機ショット"
constexpr int PlayerExplosion = 2; // "自機爆発"
constexpr int EnemyShot = 3;       // "敵ショット"
constexpr int BossBGM = 4;         // "BossBGM", looped
constexpr int Missile = 5;         // "ミサイル"
constexpr int GameBGM = 6;         // "GameBGM", looped
constexpr int EnemyHit = 7;        // "敵当たり"
constexpr int EnemyExplosion = 8;  // "敵爆発"
constexpr int BossExplosion = 9;   // "Boss大爆発"
constexpr int GameClear = 10;      // "ゲームクリア"
constexpr int Ending = 11;         // "ENDING"
constexpr int SwingBlade = 12;     // "スイングブレード"
constexpr int Count = 13;
} // namespace wave

// Plays a wave list item by index (silent without a sound device).
void PlayWave(const GameContext& game, int index);
void StopWave(const GameContext& game, int index);
