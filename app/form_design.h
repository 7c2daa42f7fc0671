// The designed content of the main form's components: the wave list, the image list, the
// key table, and the files they are read from beside the program.
#pragma once

#include <string>

#include "media/input.h"

class TMainForm;

// Wave list items by index.
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

// Image list items by index.
namespace picture {
constexpr int Map = 0;            // "Ｍａｐ"
constexpr int Marker = 1;         // "自機"
constexpr int Radar = 2;          // "レーダー"
constexpr int Enemy = 3;          // "敵"
constexpr int GameOver = 4;       // "GAMEOVER"
constexpr int Title = 5;          // "title"
constexpr int EndingCaptions = 6; // "ＥＤテロップ"
constexpr int Scope = 7;          // "スコープ"
constexpr int Count = 8;
} // namespace picture

// Fills the components with their designed items and reads their pictures and waves
// from dir (the game folder, see media/game_folder.h). Throws, naming the file, when one cannot be
// read.
void LoadFormDesign(TMainForm& form, const std::string& dir);

// The designed key table: three Windows virtual-key codes per input state.
TKeyAssigns DesignedKeyAssigns();
