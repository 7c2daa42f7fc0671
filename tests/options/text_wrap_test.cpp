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
    EXPECT_EQ(Wrap("あい「」う", 6), (Rows{"あい", "「」う"}));
    EXPECT_EQ(Wrap("あいう.", 6), (Rows{"あい", "う."})) << "after a Latin mark too";
    EXPECT_EQ(Wrap("「。。", 2), (Rows{"「", "。", "。"})) << "a row is never left empty";
}

// The shipped help text at every width the memo could have: no row begins with a closing
// mark and none ends with an opening bracket.
TEST(TextWrapTest, TheShippedOptionTextKeepsItsMarksWithTheirNeighbours) {
    std::vector<std::string> lines;
    ASSERT_EQ(ReadOptionText("option.txt", lines), "");
    ASSERT_GT(lines.size(), 20u);
    const std::vector<std::string> closing = {"、", "。", "，", "．", "・", "：", "；", "？", "！",
                                              "ー", "」", "』", "）", "】", "〕", "〉", "》"};
    const std::vector<std::string> opening = {"「", "『", "（", "【", "〔", "〈", "《"};
    int rows_seen = 0;
    for (int width = 12; width <= 80; ++width)
        for (const std::string& line : lines) {
            const Rows rows = Wrap(line, static_cast<float>(width));
            for (size_t r = 0; r < rows.size(); ++r) {
                ++rows_seen;
                for (const std::string& mark : closing)
                    EXPECT_FALSE(r > 0 && rows[r].starts_with(mark)) << width << ": " << line;
                for (const std::string& mark : opening)
                    EXPECT_FALSE(r + 1 < rows.size() && rows[r].ends_with(mark))
                        << width << ": " << line;
            }
        }
    EXPECT_GT(rows_seen, 3000);
}

} // namespace
