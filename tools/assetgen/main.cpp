// assetgen SOURCE_DIR OUT_DIR: writes the game's files into OUT_DIR.
#include <exception>
#include <filesystem>
#include <iostream>

#include "tools/assetgen/assetgen.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: assetgen SOURCE_DIR OUT_DIR\n";
        return 2;
    }
    const std::string source = argv[1];
    const std::string out = argv[2];
    try {
        std::filesystem::create_directories(out);
        assetgen::WriteStages(source, out);
        assetgen::WriteMeshes(out);
        assetgen::WritePictures(source, out); // the title renders the robot meshes
        assetgen::WriteSounds(out);
        assetgen::WriteTexts(source, out);
    } catch (const std::exception& e) {
        std::cerr << "assetgen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
