// The English game through every screen (the panel and its memo, every dialog, the title,
// the HUD, the pause menu, the captions, the transition, the ending) draws no Japanese:
// every text a canvas or the panel draws, and every picture with words, is English.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "media/drawn_words.h"
#include "tests/support/language_scope.h"
#include "tests/support/replay_fixture.h"

namespace {

// Circled numbers, kana and CJK marks, CJK ideographs, full-width forms.
bool IsJapanese(char32_t c) {
    return (c >= 0x2460 && c <= 0x24FF) || (c >= 0x3000 && c <= 0x30FF) ||
           (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xFF00 && c <= 0xFFEF);
}

std::u32string CodePoints(const std::string& utf8) {
    std::u32string out;
    for (size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const size_t n = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = n == 1 ? lead : lead & (0x7F >> n);
        for (size_t k = 1; k < n && i + k < utf8.size(); ++k)
            c = c << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        out += c;
        i += n;
    }
    return out;
}

// The pictures whose words are Japanese; each has an English sibling the English game shows.
const std::set<std::string> JapaneseWordPictures = {"ＥＤテロップ"};

class EnglishScreensTest : public ReplayFixture {};

TEST_F(EnglishScreensTest, NoScreenDrawsJapanese) {
    std::set<std::string> texts, pictures;
    const DrawnWordsListener listener{[&](std::string_view t) { texts.emplace(t); },
                                      [&](std::string_view p) { pictures.emplace(p); }};
    LanguageScope english(Language::English);
    SetDrawnWordsListener(&listener);
    const int failed = Run("click Button4\nanswer ok\nclick Button7\nanswer no\n"
                           "check RadioButton18\nclick Button1\nframes 3\n" // the title
                           "frames 1 Z\nframes 40 Up\n"                     // the HUD
                           "press Escape\nframes 2\npress P\nframes 2\n"    // the pause menu
                           "set Robo_HP 0\nframes 90\n"                     // game over
                           "timer TunagiTimer\nframes 20\n"                 // the transition
                           "timer EndingTimer\nframes 760\n"                // the ending
                           "answer Ann\nanswer ok\nframes 2\n");            // name, table, panel
    SetDrawnWordsListener(nullptr);
    ASSERT_EQ(failed, 0) << message_;
    EXPECT_TRUE(pictures.contains("ＥＤテロップ.en")) << "the ending was reached";
    EXPECT_TRUE(pictures.contains("GAMEOVER")) << "the captions were reached";
    for (const std::string& text : texts)
        for (const char32_t c : CodePoints(text))
            if (IsJapanese(c)) {
                ADD_FAILURE() << "drawn in English: \"" << text << "\"";
                break;
            }
    for (const std::string& name : pictures)
        EXPECT_FALSE(JapaneseWordPictures.contains(name)) << name << " shown in English";
}

} // namespace
