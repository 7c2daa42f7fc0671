// assetgen SOURCE_DIR OUT_DIR [PLOT_DIR]: writes the game's files into OUT_DIR; with
// PLOT_DIR also a waveform and spectrogram picture of every sound, for checking by eye.
// assetgen --icons MESH_DIR ICON_DIR: the desktop icons, from the meshes already written.
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

#include "tools/assetgen/assetgen.h"
#include "tools/assetgen/pic_icons.h"
#include "tools/assetgen/snd_plot.h"

int main(int argc, char** argv) {
    if (argc < 3 || (std::string(argv[1]) == "--icons" && argc != 4)) {
        std::cerr << "assetgen: usage: assetgen SOURCE_DIR OUT_DIR [PLOT_DIR]\n"
                     "assetgen: usage: assetgen --icons MESH_DIR ICON_DIR\n";
        return 2;
    }
    if (std::string(argv[1]) == "--icons") {
        try {
            assetgen::WriteIcons(argv[2], argv[3]);
        } catch (const std::exception& e) {
            std::cerr << "assetgen: " << e.what() << "\n";
            return 1;
        }
        return 0;
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
        if (argc > 3) assetgen::WriteSoundPlots(out, argv[3]);
    } catch (const std::exception& e) {
        std::cerr << "assetgen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
