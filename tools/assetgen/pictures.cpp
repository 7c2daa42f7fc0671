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
    auto file = [&dir](int item) { return dir + picture::FileOf(ItemDesign(item)); };
    WriteBmp(file(picture::Marker), MakeMapMarkers(), 4);
    WriteBmp(file(picture::Radar), MakeRadar(), 4);
    WriteBmp(file(picture::Enemy), MakeEnemyMarker(), 4);
    WriteBmp(file(picture::GameOver), MakeCaptions(font), 4);
    WriteBmp(file(picture::Title), MakeTitle(font, out_dir), 8);
    WriteBmp(file(picture::EndingCaptions), MakeCredits(font, CreditWords::Japanese), 4);
    WriteBmp(file(picture::EndingCaptionsEnglish), MakeCredits(font, CreditWords::English), 4);
    WriteBmp(file(picture::Scope), MakeScope(), 1);
    WriteBmp(dir + picture::RadarBackFile, MakePicBack(), 1);
    WriteBmp(dir + picture::GaugeBackFile, MakePicBack2(), 4);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    std::cout << "assetgen: pictures in " << ms << " ms\n";
}

} // namespace assetgen
