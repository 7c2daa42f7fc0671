// Memo rows: Japanese text breaks after any character, Latin words move down whole, and a
// line's indent stays with its first row.
#include <gtest/gtest.h>

#include <string>
#include <vector>

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
    EXPECT_EQ(Wrap("　完全発光：弾と", 10), (Rows{"　完全発光", "：弾と"}));
    EXPECT_EQ(Wrap("　完全発光", 10), (Rows{"　完全発光"})) << "exactly full: one row";
    EXPECT_EQ(Wrap("　完全発光：", 10), (Rows{"　完全発光", "："})) << "one unit more breaks";
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

} // namespace
