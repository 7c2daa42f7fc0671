#include "tests/assets/asset_files.h"

#include <stdexcept>

std::vector<std::string> MeshFileNames() {
    return {
        "body.x",   "head.x",    "armR1.x",   "armR2b.x",  "armL1.x",   "armL2b.x",   "momoR.x",
        "momoL.x",  "asiR.x",    "asiL.x",    "bodyh.x",   "ar2h.x",    "al2h.x",     "kb.x",
        "kh.x",     "kar.x",     "kar2.x",    "kal.x",     "kal2.x",    "kmr.x",      "kml.x",
        "ksr.x",    "ksl.x",     "kerowin.x", "blade.x",   "gbody.x",   "GHead.x",    "GFootR.x",
        "GFootL.x", "GFootR2.x", "GFootL2.x", "floator.x", "b1b.x",     "b1a.x",      "b1r.x",
        "b1l.x",    "tama.x",    "hart.x",    "miss.x",    "nasu.x",    "missfire.x", "tekitama.x",
        "ring.x",   "bomb.x",    "tobira.x",  "keep.x",    "gnd.x",     "gnd2.x",     "door.x",
        "unk.x",    "block1.x",  "block2.x",  "block3.x",  "hasira1.x", "hasira2.x",  "hasira3.x"};
}

assetgen::StageLayout LayoutFromMap(const ReadBmp& map) {
    using assetgen::Cell;
    assetgen::StageLayout layout;
    for (int r = 0; r < assetgen::MapSize; ++r)
        for (int c = 0; c < assetgen::MapSize; ++c) {
            const uint32_t p = map.at(c, r);
            Cell cell = Cell::Floor;
            if (p == 0x000000)
                cell = Cell::Wall;
            else if (p == 0xFF0000)
                cell = Cell::Gate;
            else if (p == 0x0000FF)
                cell = Cell::BossRoom;
            else if (p != 0xFFFFFF)
                throw std::runtime_error("map colour " + std::to_string(p));
            layout.cells[static_cast<size_t>(r)][static_cast<size_t>(c)] = cell;
        }
    return layout;
}
