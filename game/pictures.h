// The image list's items by index. A leaf: any game folder may include it.
#pragma once

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
