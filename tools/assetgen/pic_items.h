// The game's pictures, one maker each. Sizes, depths and transparent colours follow the
// image list: the caller writes each with its bit depth.
#pragma once

#include <string>

#include "game/pictures.h"
#include "tools/assetgen/bmp_writer.h"
#include "tools/assetgen/pic_font.h"

namespace assetgen {

// The image list's design of a picture: its pattern size and transparent colour.
constexpr const picture::Design& ItemDesign(int index) {
    return picture::Designs[static_cast<size_t>(index)];
}
// The radar console's corners, which the radar surface's colour key drops.
constexpr uint32_t KeyLime = 0x00FF00;

Picture MakeMapMarkers();  // "自機": 4 x 12, three 4 x 4 markers, white transparent
Picture MakeRadar();       // "レーダー": 100 x 100, no transparent pixels in the disc
Picture MakeEnemyMarker(); // "敵": 6 x 6, lime transparent
Picture MakeScope();       // "スコープ": 100 x 100, two colours, black transparent
Picture MakePicBack();     // 102 x 102, all white
Picture MakePicBack2();    // 300 x 80, four gauge bands

// "GAMEOVER": game-over caption over stage-clear caption, 500 x 60 each, lime transparent.
Picture MakeCaptions(const Font& font);
// "ＥＤテロップ": three 380 x 75 credit captions, lime transparent; "ＥＤテロップ.en" the same
// with English words.
enum class CreditWords { Japanese, English };
Picture MakeCredits(const Font& font, CreditWords words);
// "title": 616 x 340, 256 colours, black transparent. The robot is rendered from the mesh
// files in mesh_dir.
Picture MakeTitle(const Font& font, const std::string& mesh_dir);

} // namespace assetgen
