#include "options/letter_picker.h"

#include <algorithm>

#include "media/language.h"

namespace {

// One UTF-8 character per cell; '_' is a gap.
std::vector<std::string> Cells(const std::string& row) {
    std::vector<std::string> cells;
    for (size_t i = 0; i < row.size();) {
        size_t n = 1;
        const auto lead = static_cast<unsigned char>(row[i]);
        if (lead >= 0xF0)
            n = 4;
        else if (lead >= 0xE0)
            n = 3;
        else if (lead >= 0xC0)
            n = 2;
        const std::string cell = row.substr(i, n);
        cells.push_back(cell == "_" ? std::string() : cell);
        i += n;
    }
    return cells;
}

std::vector<std::vector<std::string>> PageOf(std::initializer_list<const char*> rows) {
    std::vector<std::vector<std::string>> page;
    for (const char* row : rows) page.push_back(Cells(row));
    return page;
}

// The kana stand in the order of their table: a column per consonant, a row per vowel.
constexpr const char* Hiragana[] = {
    "あかさたなはまやらわがざだばぱぁっ", "いきしちにひみ_りをぎじぢびぴぃゃ",
    "うくすつぬふむゆるんぐずづぶぷぅゅ", "えけせてねへめ_れーげぜでべぺぇょ",
    "おこそとのほもよろ_ごぞどぼぽぉ_"};
constexpr const char* Katakana[] = {
    "アカサタナハマヤラワガザダバパァッ", "イキシチニヒミ_リヲギジヂビピィャ",
    "ウクスツヌフムユルングズヅブプゥュ", "エケセテネヘメ_レーゲゼデベペェョ",
    "オコソトノホモヨロ_ゴゾドボポォ_"};

} // namespace

TLetterPicker::TLetterPicker(bool with_kana) {
    pages_.push_back(PageOf(
        {"ABCDEFGHIJKLMN", "OPQRSTUVWXYZ.-", "abcdefghijklmn", "opqrstuvwxyz!?", "0123456789"}));
    if (with_kana) {
        pages_.push_back(PageOf({Hiragana[0], Hiragana[1], Hiragana[2], Hiragana[3], Hiragana[4]}));
        pages_.push_back(PageOf({Katakana[0], Katakana[1], Katakana[2], Katakana[3], Katakana[4]}));
    }
    // TRANSLATORS: the letter picker's key that types a space.
    commands_.push_back({Command::Space, Tr("空白"), 0});
    // TRANSLATORS: the letter picker's key that deletes the letter before the caret.
    commands_.push_back({Command::Delete, Tr("削除"), 0});
    if (with_kana) {
        commands_.push_back({Command::Page, "ABC", 0});
        commands_.push_back({Command::Page, "かな", 1});
        commands_.push_back({Command::Page, "カナ", 2});
    }
    commands_.push_back({Command::OK, "OK", 0});
}

int TLetterPicker::Columns() const {
    size_t widest = 0;
    for (const auto& row : Rows()) widest = std::max(widest, row.size());
    return static_cast<int>(widest);
}

int TLetterPicker::RowLength(int row) const {
    if (row == static_cast<int>(Rows().size())) return static_cast<int>(commands_.size());
    return static_cast<int>(Rows()[static_cast<size_t>(row)].size());
}

bool TLetterPicker::Gap(int row, int column) const {
    if (row == static_cast<int>(Rows().size())) return false;
    return Rows()[static_cast<size_t>(row)][static_cast<size_t>(column)].empty();
}

void TLetterPicker::Move(int dx, int dy) {
    const int rows = static_cast<int>(Rows().size()) + 1;
    const int letters = static_cast<int>(Rows().size());
    if (dy != 0) {
        // The command row is narrower: a column keeps its place across the width.
        const int from_length = RowLength(row_);
        const int to = (row_ + dy + rows) % rows;
        const int to_length = RowLength(to);
        int column = column_;
        if (row_ == letters || to == letters)
            column = (2 * column_ + 1) * to_length / (2 * from_length);
        column_ = std::clamp(column, 0, to_length - 1);
        row_ = to;
        while (Gap(row_, column_)) column_ = (column_ + to_length - 1) % to_length;
    }
    if (dx != 0) {
        const int length = RowLength(row_);
        do {
            column_ = (column_ + dx + length) % length;
        } while (Gap(row_, column_));
    }
}

TLetterPicker::Cell TLetterPicker::Current() const {
    if (row_ == static_cast<int>(Rows().size())) return commands_[static_cast<size_t>(column_)];
    return {Command::Letter, Rows()[static_cast<size_t>(row_)][static_cast<size_t>(column_)], 0};
}

bool TLetterPicker::Point(int row, int column) {
    const int rows = static_cast<int>(Rows().size()) + 1;
    if (row < 0 || row >= rows || column < 0 || column >= RowLength(row) || Gap(row, column))
        return false;
    row_ = row;
    column_ = column;
    return true;
}

void TLetterPicker::ShowPage(int page) {
    if (page < 0 || page >= PageCount()) return;
    const bool on_commands = row_ == static_cast<int>(Rows().size());
    page_ = page;
    // The cursor stays on the command that chose the page.
    if (on_commands) {
        row_ = static_cast<int>(Rows().size());
    } else {
        row_ = 0;
        column_ = 0;
    }
}

std::string TLetterPicker::GlyphText() const {
    std::string text;
    for (const auto& page : pages_)
        for (const auto& row : page)
            for (const std::string& cell : row) text += cell;
    for (const Cell& cell : commands_) text += cell.text;
    return text;
}
