// The option text and the help document: readable, complete and self-contained.
#include <gtest/gtest.h>

#include <string>

#include "tests/assets_media/media_files.h"

namespace {

using media_files::ReadFile;

bool ValidUtf8(const std::string& s) {
    int need = 0; // continuation bytes still expected
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (need > 0) {
            if ((c >> 6) != 2) return false;
            --need;
        } else if (c >= 0x80) {
            need = (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
            if (need < 0) return false;
        }
    }
    return need == 0;
}

void ExpectMentions(const std::string& text, std::initializer_list<const char*> words) {
    for (const char* w : words) EXPECT_NE(text.find(w), std::string::npos) << "missing " << w;
}

TEST(OptionText, Utf8WithoutBomAndShortLines) {
    for (const char* name : {"option.txt", "option.en.txt"}) {
        const std::string text = ReadFile(name);
        ASSERT_FALSE(text.empty()) << name;
        EXPECT_TRUE(ValidUtf8(text)) << name;
        EXPECT_NE(text.compare(0, 3, "\xEF\xBB\xBF"), 0)
            << name << ": a byte-order mark would show in the memo";
        EXPECT_EQ(text.find('\r'), std::string::npos) << name;
    }
}

TEST(OptionText, ExplainsEveryOptionByItsCaptionAndTheKeys) {
    const std::string text = ReadFile("option.txt");
    ExpectMentions(text, {"ライト設定",
                          "完全発光",
                          "簡易発光",
                          "使用しない",
                          "α-Blending",
                          "半透明処理",
                          "テクスチャ",
                          "背景描画",
                          "カメラ位置",
                          "自機後方1",
                          "自機後方2",
                          "コクピット",
                          "自機上空",
                          "操作方式",
                          "ＶＯＮタイプ",
                          "ＡＣタイプ",
                          "難易度",
                          "Eazy",
                          "Normal",
                          "Hard",
                          "Very Hard",
                          "練習モード",
                          "タイムアタックモード",
                          "モニタ解像度",
                          "640 * 480",
                          "800 * 600",
                          "1024 * 768",
                          "Window Mode"});
    ExpectMentions(text,
                   {"Z", "Space", "Enter", "X / D", "F / C", "G", "A / S", "ESC", "テンキー"});
}

// Both languages' pages.
class HelpDocuments : public ::testing::TestWithParam<const char*> {};

TEST_P(HelpDocuments, SelfContainedPage) {
    const std::string html = ReadFile(GetParam());
    EXPECT_TRUE(ValidUtf8(html));
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    // Nothing is fetched from elsewhere: no remote or sibling files, every picture inline.
    EXPECT_EQ(html.find("http://"), std::string::npos);
    EXPECT_EQ(html.find("https://"), std::string::npos);
    EXPECT_EQ(html.find("{{"), std::string::npos) << "a placeholder was left in the page";
    // Every attribute that loads something holds inline data (links within the page are
    // fine). Scanned by hand: the inline pictures are too long for std::regex.
    for (const std::string attribute : {"src=\"", "href=\""})
        for (size_t at = html.find(attribute); at != std::string::npos;
             at = html.find(attribute, at + 1)) {
            const std::string value = html.substr(at + attribute.size(), 40);
            if (value[0] == '#') continue;
            EXPECT_EQ(value.rfind("data:image/png;base64,", 0), 0u) << value;
        }
}

TEST_P(HelpDocuments, InlinePicturesArePngs) {
    const std::string html = ReadFile(GetParam());
    const std::string prefix = "data:image/png;base64,";
    int pictures = 0;
    for (size_t at = html.find(prefix); at != std::string::npos; at = html.find(prefix, at + 1)) {
        // The PNG signature 89 50 4E 47 0D 0A 1A 0A begins "iVBORw0KGgo" in base64.
        EXPECT_EQ(html.substr(at + prefix.size(), 11), "iVBORw0KGgo");
        ++pictures;
    }
    EXPECT_GE(pictures, 3);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, HelpDocuments,
                         ::testing::Values("index.html", "index.en.html"));

TEST(HelpDocument, CoversPlayKeysModesAndRecords) {
    const std::string html = ReadFile("index.html");
    ExpectMentions(html, {"<kbd>Z</kbd>", "<kbd>Space</kbd>", "<kbd>Enter</kbd>", "<kbd>X</kbd>",
                          "<kbd>D</kbd>", "<kbd>F</kbd>", "<kbd>C</kbd>", "<kbd>G</kbd>",
                          "<kbd>A</kbd>", "<kbd>S</kbd>", "<kbd>ESC</kbd>", "テンキー",
                          "ジョイスティック", "ボタン1", "ボタン2", "ボタン3", "ボタン4"});
    ExpectMentions(html, {"Eazy", "Normal", "Hard", "Very Hard", "練習モード",
                          "タイムアタックモード", "ＶＯＮタイプ", "ＡＣタイプ"});
    ExpectMentions(html, {"ハイスコア", "Ｔｏｐ１０", "bnscore.dat", "bntime2.dat", "bn.ini"});
}

} // namespace
