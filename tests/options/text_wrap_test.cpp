// Memo rows: Japanese text breaks after any character but keeps closing marks and opening
// brackets with their neighbours, Latin words move down whole, and a line's indent stays
// with its first row.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "options/options.h"
#include "options/text_wrap.h"

namespace {

// One unit for a single-byte character, two for anything wider.
float Units(std::string_view c) {
    return c.size() == 1 ? 1.0f : 2.0f;
}

std::vector<std::string> Wrap(const std::string& line, float width) {
    return WrapText(line, width, Units);
}

using Rows = std::vector<std::string>;

TEST(TextWrapTest, AFullWidthIndentStaysOnItsRow) {
    // Four full-width characters after the indent fit in ten units, the fifth does not.
    EXPECT_EQ(Wrap("　完全発光弾と", 10), (Rows{"　完全発光", "弾と"}));
    EXPECT_EQ(Wrap("　完全発光", 10), (Rows{"　完全発光"})) << "exactly full: one row";
    EXPECT_EQ(Wrap("　完全発光弾", 10), (Rows{"　完全発光", "弾"})) << "one unit more breaks";
    EXPECT_EQ(Wrap("　　", 3), (Rows{"　", "　"})) << "never an empty row";
}

TEST(TextWrapTest, LatinWordsMoveDownWhole) {
    EXPECT_EQ(Wrap("abc defgh", 6), (Rows{"abc", "defgh"}));
    EXPECT_EQ(Wrap("abc de", 6), (Rows{"abc de"})) << "fits";
    EXPECT_EQ(Wrap("abcdefgh", 3), (Rows{"abc", "def", "gh"})) << "a word wider than the row";
    EXPECT_EQ(Wrap("画面 START", 6), (Rows{"画面", "START"}));
    EXPECT_EQ(Wrap("画面START", 6), (Rows{"画面", "START"})) << "a word after Japanese";
    EXPECT_EQ(Wrap("  indented text", 10), (Rows{"  indented", "text"}));
    EXPECT_EQ(Wrap("  indented", 6), (Rows{"  inde", "nted"})) << "the indent is not left alone";
}

TEST(TextWrapTest, EmptyAndShortLines) {
    EXPECT_EQ(Wrap("", 10), (Rows{""}));
    EXPECT_EQ(Wrap("ab", 0), (Rows{"a", "b"})) << "each row holds at least one character";
    EXPECT_EQ(Wrap("ab   ", 2), (Rows{"ab"})) << "spaces at the end hang";
}

TEST(TextWrapTest, ClosingMarksAndOpeningBracketsMoveWithTheirNeighbours) {
    // Two units a character: "あいうえ" fills eight.
    EXPECT_EQ(Wrap("あいうえ。", 8), (Rows{"あいう", "え。"})) << "。 never begins a row";
    EXPECT_EQ(Wrap("あいうえ。", 10), (Rows{"あいうえ。"})) << "exactly full: no break";
    EXPECT_EQ(Wrap("あいう「え」", 8), (Rows{"あいう", "「え」"})) << "「 never ends a row";
    EXPECT_EQ(Wrap("あいう」。か", 6), (Rows{"あい", "う」。", "か"})) << "a run of marks";
    EXPECT_EQ(Wrap("あいうっと", 6), (Rows{"あい", "うっと"})) << "small kana";
    EXPECT_EQ(Wrap("あいう（え）", 8), (Rows{"あいう", "（え）"})) << "（ never ends a row";
    EXPECT_EQ(Wrap("あいうえ・", 8), (Rows{"あいう", "え・"})) << "・ never begins a row";
    EXPECT_EQ(Wrap("「。。", 2), (Rows{"「", "。", "。"})) << "a row is never left empty";
}

// The shipped help text at every width the memo could have: every row fits, none is empty,
// and the rows hold the line's characters in order, only spaces at a break left out.
TEST(TextWrapTest, TheShippedOptionTextLosesNothingAndEveryRowFits) {
    std::vector<std::string> lines;
    ASSERT_EQ(ReadOptionText("option.txt", lines), "");
    const auto units = [](const std::string& row) { // as Units, character by character
        float sum = 0;
        for (const char c : row) {
            const auto byte = static_cast<unsigned char>(c);
            if ((byte & 0xC0) != 0x80) sum += byte < 0x80 ? 1.0f : 2.0f; // a character's first
        }
        return sum;
    };
    const auto ink = [](std::string text) { return std::erase(text, ' '), text; };
    for (int width = 12; width <= 80; ++width)
        for (const std::string& line : lines) {
            const Rows rows = Wrap(line, static_cast<float>(width));
            std::string joined;
            for (const std::string& row : rows) {
                EXPECT_LE(units(row), static_cast<float>(width)) << width << ": " << row;
                EXPECT_TRUE(!row.empty() || rows.size() == 1) << width << ": " << line;
                joined += row;
            }
            EXPECT_EQ(ink(joined), ink(line)) << width;
        }
}

} // namespace
