// Writes the image list pictures and the two HUD bitmaps.
#include <chrono>
#include <iostream>

#include "tools/assetgen/assetgen.h"
#include "tools/assetgen/pic_items.h"

namespace assetgen {

void WritePictures(const std::string&, const std::string& out_dir) {
    const auto start = std::chrono::steady_clock::now();
    const std::string dir = out_dir + "/";
    const Font font(FontPath);
    WriteBmp(dir + "自機.bmp", MakeMapMarkers(), 4);
    WriteBmp(dir + "レーダー.bmp", MakeRadar(), 4);
    WriteBmp(dir + "敵.bmp", MakeEnemyMarker(), 4);
    WriteBmp(dir + "GAMEOVER.bmp", MakeCaptions(font), 4);
    WriteBmp(dir + "title.bmp", MakeTitle(font, out_dir), 8);
    WriteBmp(dir + "ＥＤテロップ.bmp", MakeCredits(font), 4);
    WriteBmp(dir + "スコープ.bmp", MakeScope(), 1);
    WriteBmp(dir + "PicBack.bmp", MakePicBack(), 1);
    WriteBmp(dir + "PicBack2.bmp", MakePicBack2(), 4);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    std::cout << "assetgen: pictures in " << ms << " ms\n";
}

} // namespace assetgen
