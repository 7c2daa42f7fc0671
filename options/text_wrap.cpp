#include "options/text_wrap.h"

#include <algorithm>
#include <iterator>

namespace {

size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1; // a stray byte counts as one character
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t';
}

bool HasInk(const std::string& line, size_t from, size_t to) {
    for (size_t k = from; k < to; ++k)
        if (!IsSpace(line[k])) return true;
    return false;
}

// The basic Japanese line-breaking rules: closing marks, small kana and the like never
// begin a row...
constexpr std::string_view NoRowStart[] = {
    "、", "。", "，", "．", "・", "：", "；", "？", "！", "ー", "」", "』", "）", "】",
    "〕", "〉", "》", "］", "｝", "〙", "〗", "〟", "’",  "”",  "ゝ", "ゞ", "ヽ", "ヾ",
    "々", "〻", "ぁ", "ぃ", "ぅ", "ぇ", "ぉ", "っ", "ゃ", "ゅ", "ょ", "ゎ", "ゕ", "ゖ",
    "ァ", "ィ", "ゥ", "ェ", "ォ", "ッ", "ャ", "ュ", "ョ", "ヮ", "ヵ", "ヶ", "〜", "～",
    "…",  "‥",  "゛", "゜", ",",  ".",  ":",  ";",  "?",  "!",  ")",  "]",  "}",
};
// ...and opening brackets never end one.
constexpr std::string_view NoRowEnd[] = {
    "「", "『", "（", "【", "〔", "〈", "《", "［", "｛", "〘", "〖", "〝", "‘", "“", "(", "[", "{",
};

template <size_t N> bool OneOf(const std::string_view (&marks)[N], std::string_view c) {
    return std::find(std::begin(marks), std::end(marks), c) != std::end(marks);
}

size_t CharacterLength(const std::string& line, size_t at) {
    return std::min(SequenceLength(static_cast<unsigned char>(line[at])), line.size() - at);
}

std::string_view CharacterAt(const std::string& line, size_t at) {
    return std::string_view(line).substr(at, at < line.size() ? CharacterLength(line, at) : 0);
}

// Where the character before `at` begins.
size_t PreviousCharacter(const std::string& line, size_t at) {
    size_t k = at - 1;
    while (k > 0 && (static_cast<unsigned char>(line[k]) & 0xC0) == 0x80) --k;
    return k;
}

// A break before `cut` moved back so that the next row does not begin with a closing mark
// and this one does not end with an opening bracket: the mark goes down with its
// neighbour. When that would leave the row empty, the break stays where it was.
size_t KeepMarksWithNeighbours(const std::string& line, size_t row_start, size_t cut) {
    size_t at = cut;
    while (at > row_start) {
        const bool closing_next = at < line.size() && OneOf(NoRowStart, CharacterAt(line, at));
        const size_t previous = PreviousCharacter(line, at);
        const bool opening_before = OneOf(NoRowEnd, CharacterAt(line, previous));
        if (!closing_next && !opening_before) return at;
        at = previous;
    }
    return cut;
}

// The row without the spaces that hang at its end.
std::string Row(const std::string& line, size_t from, size_t to) {
    while (to > from && IsSpace(line[to - 1])) --to;
    return line.substr(from, to - from);
}

} // namespace

std::vector<std::string> WrapText(const std::string& line, float width,
                                  const std::function<float(std::string_view)>& measure) {
    std::vector<std::string> rows;
    size_t row_start = 0;
    size_t word_start = std::string::npos; // where the Latin word being written began
    float row_width = 0;
    size_t i = 0;
    while (i < line.size()) {
        const size_t length =
            std::min(SequenceLength(static_cast<unsigned char>(line[i])), line.size() - i);
        const std::string_view character(line.data() + i, length);
        const bool space = IsSpace(line[i]);
        const bool word = length == 1 && !space && static_cast<unsigned char>(line[i]) < 0x80;
        if (word && (word_start == std::string::npos || i == row_start)) word_start = i;
        if (!word) word_start = std::string::npos;
        const float advance = measure(character);
        // Spaces may hang past the edge; anything else that does not fit starts a row.
        if (!space && i > row_start && row_width + advance > width) {
            size_t cut = i;
            // The whole word moves down, unless only spaces would stay behind.
            if (word && word_start != std::string::npos && word_start > row_start &&
                HasInk(line, row_start, word_start))
                cut = word_start;
            cut = KeepMarksWithNeighbours(line, row_start, cut);
            rows.push_back(Row(line, row_start, cut));
            row_start = cut;
            row_width = 0;
            for (size_t k = row_start; k < i;) {
                const size_t n =
                    std::min(SequenceLength(static_cast<unsigned char>(line[k])), line.size() - k);
                row_width += measure(std::string_view(line.data() + k, n));
                k += n;
            }
        }
        // Spaces where a broken line goes on are not shown.
        if (space && i == row_start && !rows.empty()) {
            row_start = i + length;
            i += length;
            continue;
        }
        row_width += advance;
        i += length;
    }
    if (row_start < line.size() || rows.empty()) rows.push_back(Row(line, row_start, line.size()));
    return rows;
}

std::vector<std::string> WrapLines(const std::string& text, float width,
                                   const std::function<float(std::string_view)>& measure) {
    std::vector<std::string> rows;
    for (size_t start = 0; start <= text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        const std::string line = text.substr(start, end - start);
        if (line.empty())
            rows.emplace_back();
        else
            for (std::string& row : WrapText(line, width, measure)) rows.push_back(std::move(row));
        start = end + 1;
    }
    return rows;
}

std::string JoinRows(const std::vector<std::string>& rows) {
    std::string text;
    for (const std::string& row : rows) text += (text.empty() ? "" : "\n") + row;
    return text;
}
