#include <array>
#include <stdexcept>
#include <string>

#include "game/pictures.h"
#include "tools/assetgen/assetgen.h"
#include "tools/assetgen/bmp_writer.h"
#include "tools/assetgen/stage_checks.h"
#include "tools/assetgen/stage_layout.h"
#include "tools/assetgen/stage_maps.h"
#include "tools/assetgen/stage_walls.h"
#include "tools/assetgen/xfile_writer.h"

namespace assetgen {
namespace {

// Each stage has its own wall colours; pillars stay yellow throughout.
const std::array<WallStyle, 3> StageStyles = {{
    {{0.80, 0.76, 0.66}, {0.55, 0.50, 0.42}, {0.95, 0.80, 0.20}},
    {{0.62, 0.70, 0.82}, {0.38, 0.44, 0.56}, {0.95, 0.75, 0.15}},
    {{0.76, 0.52, 0.44}, {0.46, 0.31, 0.27}, {0.92, 0.85, 0.30}},
}};

} // namespace

void WriteStages(const std::string& source_dir, const std::string& out_dir) {
    std::array<StageLayout, 3> layouts;
    for (int s = 0; s < 3; ++s) {
        const std::string name = "stage" + std::to_string(s + 1) + ".txt";
        StageLayout& layout = layouts[static_cast<size_t>(s)];
        layout = LoadStageLayout(source_dir + "/stages/" + name);
        const std::vector<std::string> faults = CheckStageLayout(layout);
        if (!faults.empty()) {
            std::string all;
            for (const std::string& f : faults) all += "\n  " + f;
            throw std::runtime_error(name + " breaks the stage rules:" + all);
        }
        const std::string n = std::to_string(s + 1);
        WriteBmp(out_dir + "/" + picture::StageMapFile(s + 1), PlayerMap(layout), 4);
        WriteBmp(out_dir + "/" + picture::StageMapFile(s + 4), EnemyMap(layout), 1);
        const WallStyle& style = StageStyles[static_cast<size_t>(s)];
        WriteXFile(out_dir + "/block" + n + ".x", BuildWallMesh(layout, style));
        WriteXFile(out_dir + "/hasira" + n + ".x", BuildPillarMesh(layout, style));
    }
    WriteBmp(out_dir + "/" + picture::FileOf(picture::Designs[picture::Map]), RadarMap(layouts), 4);
}

} // namespace assetgen
