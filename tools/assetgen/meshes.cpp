#include "tools/assetgen/assetgen.h"
#include "tools/assetgen/bmp_writer.h"
#include "tools/assetgen/mesh_textures.h"
#include "tools/assetgen/model_catalog.h"
#include "tools/assetgen/xfile_writer.h"

namespace assetgen {

void WriteMeshes(const std::string& out_dir) {
    for (const ModelFile& model : AllModels())
        WriteXFile(out_dir + "/" + model.name, ToFileUnits(model));
    WriteBmp(out_dir + "/fire.bmp", FireTexture(), 24);
    WriteBmp(out_dir + "/MESH1.bmp", GrilleTexture(), 24);
    WriteBmp(out_dir + "/" + WallTextureFile, WallTexture(), 24);
    WriteBmp(out_dir + "/" + PillarTextureFile, PillarTexture(), 24);
    WriteBmp(out_dir + "/" + GroundTextureFile, GroundTexture(), 24);
}

} // namespace assetgen
