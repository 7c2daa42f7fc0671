// Memo rows: Japanese text breaks after any character but keeps closing marks and opening
// brackets with their neighbours, Latin words move down whole, and a line's indent stays
// with its first row.
#include <gtest/gtest.h>

#include <algorithm>
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
    EXPECT_EQ(Wrap("「。。", 2), (Rows{"「", "。", "。"})) << "a row is never left empty";
}

// The shipped help text at every width the memo could have.
TEST(TextWrapTest, TheShippedOptionTextKeepsItsMarksWithTheirNeighbours) {
    std::vector<std::string> lines;
    ASSERT_EQ(ReadOptionText("option.txt", lines), "");
    const std::vector<std::string> closing = {"、", "。", "，", "．", "・", "：", "；", "？", "！",
                                              "ー", "」", "』", "）", "】", "〕", "〉", "》"},
                                   opening = {"「", "『", "（", "【", "〔", "〈", "《"};
    for (int width = 12; width <= 80; ++width)
        for (const std::string& line : lines) {
            const Rows rows = Wrap(line, static_cast<float>(width));
            for (size_t r = 0; r + 1 < rows.size(); ++r)
                EXPECT_FALSE(
                    std::any_of(opening.begin(), opening.end(),
                                [&](const std::string& m) { return rows[r].ends_with(m); }) ||
                    std::any_of(closing.begin(), closing.end(),
                                [&](const std::string& m) { return rows[r + 1].starts_with(m); }))
                    << width << ": " << line;
        }
}

} // namespace
