#include "tools/assetgen/stage_layout.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace assetgen {

bool StageLayout::IsWall(int column, int row) const {
    if (column < 0 || row < 0 || column >= MapSize || row >= MapSize) return true;
    const Cell cell = at(column, row);
    return cell == Cell::Wall || cell == Cell::Pillar;
}

StageLayout ParseStageLayout(const std::string& text) {
    StageLayout layout;
    std::istringstream in(text);
    std::string line;
    int row = 0;
    int line_no = 0;
    while (std::getline(in, line)) {
        ++line_no;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == ';') continue;
        if (row >= MapSize)
            throw std::runtime_error("line " + std::to_string(line_no) + ": more than " +
                                     std::to_string(MapSize) + " grid rows");
        if (line.size() != static_cast<size_t>(MapSize))
            throw std::runtime_error("line " + std::to_string(line_no) + ": " +
                                     std::to_string(line.size()) + " cells instead of " +
                                     std::to_string(MapSize));
        for (int column = 0; column < MapSize; ++column) {
            const char c = line[static_cast<size_t>(column)];
            if (c != '.' && c != '#' && c != '+' && c != 'B' && c != 'G')
                throw std::runtime_error("line " + std::to_string(line_no) + ": unknown cell '" +
                                         std::string(1, c) + "'");
            layout.cells[static_cast<size_t>(row)][static_cast<size_t>(column)] =
                static_cast<Cell>(c);
        }
        ++row;
    }
    if (row != MapSize)
        throw std::runtime_error(std::to_string(row) + " grid rows instead of " +
                                 std::to_string(MapSize));
    return layout;
}

StageLayout LoadStageLayout(const std::string& path) {
    std::ifstream file(path);
    if (!file) throw std::runtime_error("cannot read " + path);
    std::stringstream text;
    text << file.rdbuf();
    try {
        return ParseStageLayout(text.str());
    } catch (const std::runtime_error& e) {
        throw std::runtime_error(path + ": " + e.what());
    }
}

} // namespace assetgen
