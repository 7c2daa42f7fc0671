#include "app/form_design.h"
#include "game/pictures.h"
#include "game/waves.h"

#include <array>

#include "app/main_form.h"

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
    for (const wave::Design& design : wave::Designs) {
        TWaveCollectionItem& item = form.DXWaveList1.Add();
        item.Name = design.name;
        item.Looped = design.looped;
        item.Kind = design.music ? SoundKind::Music : SoundKind::Effect;
        item.MaxPlayingCount = 0;
        item.LoadFromFile(dir + wave::FileOf(design));
    }
    for (const picture::Design& design : picture::Designs) {
        TPictureCollectionItem& item = form.DXImageList1.Add();
        item.Name = design.name;
        item.PatternWidth = design.pattern_width;
        item.PatternHeight = design.pattern_height;
        item.Transparent = true;
        item.TransparentColor =
            design.keyed ? design.transparent_color : TPictureCollectionItem::TransparentNone;
        item.Picture.LoadFromFile(dir + picture::FileOf(design));
    }
    TImage* maps[] = {&form.Image1, &form.Image2, &form.Image3,
                      &form.Image4, &form.Image5, &form.Image6};
    static_assert(sizeof(maps) / sizeof(maps[0]) == picture::StageMapCount);
    for (int i = 0; i < picture::StageMapCount; ++i)
        maps[i]->Picture.LoadFromFile(dir + picture::StageMapFile(i + 1));
    form.PicBack.DIB.LoadFromFile(dir + picture::RadarBackFile);
    form.PicBack2.DIB.LoadFromFile(dir + picture::GaugeBackFile);
    form.DXInput1.KeyAssigns = DesignedKeyAssigns();
}
