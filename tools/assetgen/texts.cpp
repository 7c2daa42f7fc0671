// Writes option.txt (the options panel's memo, copied as it is) and index.html (the help
// document, with the game's pictures put inside so it reads offline on its own), and their
// English siblings option.en.txt and index.en.html from their own sources.
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "tools/assetgen/assetgen.h"
#include "tools/assetgen/txt_inline.h"

namespace assetgen {
namespace {

std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
    if (!file) throw std::runtime_error("cannot write " + path);
}

} // namespace

void WriteTexts(const std::string& source_dir, const std::string& out_dir) {
    for (const char* name : {"option.txt", "option.en.txt"})
        WriteText(out_dir + "/" + name, ReadText(source_dir + "/texts/" + name));
    // The pictures were written into out_dir before the texts.
    for (const char* name : {"index.html", "index.en.html"})
        WriteText(out_dir + "/" + name,
                  InlinePictures(ReadText(source_dir + "/texts/" + name), out_dir));
}

} // namespace assetgen
