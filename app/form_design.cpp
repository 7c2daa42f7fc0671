#include "app/form_design.h"
#include "game/pictures.h"
#include "game/waves.h"

#include <array>

#include "app/main_form.h"

namespace {

struct WaveDesign {
    const char* name;
    bool looped;
};

// In index order; every item overlaps without limit.
constexpr std::array<WaveDesign, wave::Count> WaveDesigns = {{
    {"ダッシュ", false},
    {"自機ショット", false},
    {"自機爆発", false},
    {"敵ショット", false},
    {"BossBGM", true},
    {"ミサイル", false},
    {"GameBGM", true},
    {"敵当たり", false},
    {"敵爆発", false},
    {"Boss大爆発", false},
    {"ゲームクリア", false},
    {"ENDING", false},
    {"スイングブレード", false},
}};

struct PictureDesign {
    const char* name;
    int pattern_width, pattern_height;
    uint32_t transparent_color; // 0xRRGGBB
};

constexpr std::array<PictureDesign, picture::Count> PictureDesigns = {{
    {"Ｍａｐ", 102, 102, 0x008000},
    {"自機", 4, 4, 0xFFFFFF},
    {"レーダー", 100, 100, TPictureCollectionItem::TransparentNone}, // its every colour shows
    {"敵", 6, 6, 0x00FF00},
    {"GAMEOVER", 500, 60, 0x00FF00},
    {"title", 616, 340, 0x000000},
    {"ＥＤテロップ", 380, 75, 0x00FF00},
    {"スコープ", 100, 100, 0x000000},
}};

} // namespace

TKeyAssigns DesignedKeyAssigns() {
    TKeyAssigns keys{};
    keys[InUp] = {38, 104, 0};
    keys[InDown] = {101, 40, 98};
    keys[InLeft] = {37, 100, 0};
    keys[InRight] = {39, 102, 0};
    keys[InButton1] = {90, 32, 13};
    keys[InButton2] = {88, 68, 0};
    keys[InButton3] = {70, 67, 0};
    keys[InButton4] = {71, 0, 0};
    keys[InButton7] = {65, 0, 0};
    keys[InButton8] = {83, 0, 0};
    keys[InButton29] = {72, 0, 0};
    keys[InButton30] = {74, 0, 0};
    keys[InButton31] = {85, 0, 0};
    keys[InButton32] = {78, 0, 0};
    return keys;
}

void LoadFormDesign(TMainForm& form, const std::string& dir) {
    for (int i = 0; i < wave::Count; ++i) {
        TWaveCollectionItem& item = form.DXWaveList1.Add();
        item.Name = WaveDesigns[i].name;
        item.Looped = WaveDesigns[i].looped;
        item.MaxPlayingCount = 0;
        item.LoadFromFile(dir + item.Name + ".wav");
    }
    for (int i = 0; i < picture::Count; ++i) {
        TPictureCollectionItem& item = form.DXImageList1.Add();
        item.Name = PictureDesigns[i].name;
        item.PatternWidth = PictureDesigns[i].pattern_width;
        item.PatternHeight = PictureDesigns[i].pattern_height;
        item.Transparent = true;
        item.TransparentColor = PictureDesigns[i].transparent_color;
        item.Picture.LoadFromFile(dir + item.Name + ".bmp");
    }
    TImage* maps[] = {&form.Image1, &form.Image2, &form.Image3,
                      &form.Image4, &form.Image5, &form.Image6};
    for (int i = 0; i < 6; ++i)
        maps[i]->Picture.LoadFromFile(dir + "Image" + std::to_string(i + 1) + ".bmp");
    form.PicBack.DIB.LoadFromFile(dir + "PicBack.bmp");
    form.PicBack2.DIB.LoadFromFile(dir + "PicBack2.bmp");
    form.DXInput1.KeyAssigns = DesignedKeyAssigns();
}
