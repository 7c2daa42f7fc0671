// The language of the game's texts: chosen from the locale variables as gettext would, yet
// shown whether or not the player's locale is installed.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "media/dib.h"
#include "media/language.h"
#include "media/read_file.h"
#include "media/sound.h"
#include "media/wave_file.h"
#include "tests/media/bmp_bytes.h"
#include "tests/support/env_scope.h"
#include "tests/support/language_scope.h"

namespace {

namespace fs = std::filesystem;
constexpr Language ja = Language::Japanese;
constexpr Language en = Language::English;

TEST(LanguageTest, TheLocaleVariablesChooseAsGettextWould) {
    struct Row {
        LanguageVariables variables; // LANGUAGE, LC_ALL, LC_MESSAGES, LANG
        Language expected;
    };
    const Row rows[] = {
        // C, POSIX and nothing at all are the game's own language; LANGUAGE is not read.
        {{"", "", "", ""}, ja},
        {{"", "", "", "C"}, ja},
        {{"", "", "", "C.UTF-8"}, ja},
        {{"", "", "", "POSIX"}, ja},
        {{"en", "", "", ""}, ja},
        {{"en", "", "", "C.UTF-8"}, ja},
        // The locale's language: Japanese for ja, English for any other.
        {{"", "", "", "ja_JP.UTF-8"}, ja},
        {{"", "", "", "en_US.UTF-8"}, en},
        {{"", "", "", "en"}, en},
        {{"", "", "", "fr_FR.UTF-8"}, en},
        {{"", "", "", "de_DE@euro"}, en},
        // LC_ALL before LC_MESSAGES before LANG.
        {{"", "ja_JP.UTF-8", "en_GB.UTF-8", "en_US.UTF-8"}, ja},
        {{"", "C.UTF-8", "", "en_US.UTF-8"}, ja},
        {{"", "", "en_GB.UTF-8", "ja_JP.UTF-8"}, en},
        {{"", "", "ja_JP.UTF-8", "en_GB.UTF-8"}, ja},
        // LANGUAGE before all of them: its first Japanese, English or C entry decides.
        {{"en", "", "", "ja_JP.UTF-8"}, en},
        {{"ja", "", "", "en_US.UTF-8"}, ja},
        {{"en_GB:ja", "ja_JP.UTF-8", "", ""}, en},
        {{"fr:ja:en", "", "", "en_US.UTF-8"}, ja},
        {{"C:en", "", "", "en_US.UTF-8"}, ja},
        {{"fr:de", "", "", "ja_JP.UTF-8"}, ja},
        {{"fr:de", "", "", "fr_FR.UTF-8"}, en},
    };
    for (const Row& row : rows) {
        const LanguageVariables& v = row.variables;
        EXPECT_EQ(ChooseLanguage(v), row.expected)
            << "LANGUAGE=" << v.language << " LC_ALL=" << v.lc_all
            << " LC_MESSAGES=" << v.lc_messages << " LANG=" << v.lang;
    }
}

// English shows under a locale the system does not have: this machine has C.UTF-8 alone.
TEST(LanguageTest, EnglishNeedsOnlyItsCatalogueNotTheLocale) {
    const EnvScope lang("LANG", "en_US.UTF-8");
    const EnvScope lc_all("LC_ALL", "en_US.UTF-8");
    EXPECT_EQ(CurrentLanguage(), ja);
    EXPECT_STREQ(Tr("難易度"), "難易度") << "before any language is chosen: the code's own";
    {
        LanguageScope english(en);
        EXPECT_EQ(CurrentLanguage(), en);
        EXPECT_STREQ(Tr("難易度"), "Difficulty");
        EXPECT_STREQ(TrIn("lighting", "使用しない"), "None");
        EXPECT_STREQ(TrIn("textures", "使用しない"), "Don't use");
        EXPECT_STREQ(Tr("a text nobody marked"), "a text nobody marked");
        EXPECT_STREQ(TrIn("nowhere", "使用しない"), "使用しない");
    }
    EXPECT_EQ(CurrentLanguage(), ja);
    EXPECT_STREQ(Tr("難易度"), "難易度") << "Japanese again, translations not kept";
    EXPECT_STREQ(TrIn("lighting", "使用しない"), "使用しない");
}

TEST(LanguageTest, WithoutItsCatalogueEnglishSaysWhereItLookedAndStaysJapanese) {
    const fs::path bin =
        fs::temp_directory_path() / ("brannock-language-" + std::to_string(getpid())) / "bin";
    fs::create_directories(bin);
    const std::string problem = UseLanguage(en, bin);
    EXPECT_NE(problem.find((bin / "locale/en/LC_MESSAGES/brannock.mo").string()), std::string::npos)
        << problem;
    EXPECT_NE(
        problem.find((bin.parent_path() / "share/locale/en/LC_MESSAGES/brannock.mo").string()),
        std::string::npos)
        << problem;
    EXPECT_EQ(CurrentLanguage(), ja);
    EXPECT_STREQ(Tr("難易度"), "難易度");

    // An installed program finds the catalogue in share/locale beside its bin/.
    const fs::path installed = bin.parent_path() / "share/locale/en/LC_MESSAGES";
    fs::create_directories(installed);
    fs::copy_file("locale/en/LC_MESSAGES/brannock.mo", installed / "brannock.mo");
    EXPECT_EQ(UseLanguage(en, bin), "");
    EXPECT_STREQ(Tr("難易度"), "Difficulty");
    UseLanguage(ja);
    fs::remove_all(bin.parent_path());
}

TEST(LanguageTest, GameFilesHaveEnglishSiblingsWhereTheyExist) {
    const fs::path dir =
        fs::temp_directory_path() / ("brannock-localized-" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "option.en.txt") << "Options";
    EXPECT_EQ(LocalizedFileName(dir, "option.txt"), "option.txt") << "Japanese: the file itself";
    {
        LanguageScope english(en);
        EXPECT_EQ(LocalizedFileName(dir, "option.txt"), "option.en.txt");
        EXPECT_EQ(LocalizedFileName(dir, "index.html"), "index.html") << "no sibling: Japanese";
    }
    fs::remove_all(dir);
}

// A file the game cannot use is told in the player's language, the file named either way.
TEST(LanguageTest, FileProblemsAreToldInTheChosenLanguage) {
    const auto message = [](const std::function<void()>& fail) -> std::string {
        try {
            fail();
        } catch (const std::exception& e) {
            return e.what();
        }
        return "(no error)";
    };
    BmpLayout two_bits;
    two_bits.width = two_bits.height = 1;
    two_bits.bit_count = 2;
    two_bits.rows = {{0}};
    const std::vector<uint8_t> odd_depth = BuildBmp(two_bits);
    const struct {
        std::function<void()> fail;
        std::string japanese, english;
    } rows[] = {
        {[] {
             TDIB().LoadFromBytes({'h', 'i'}, "a.bmp");
         },
         "a.bmp: 不正な DIB です", "a.bmp: not a valid picture (DIB)"},
        {[&] { TDIB().LoadFromBytes(odd_depth, "b.bmp"); }, "b.bmp: 不正なビット数です (2)",
         "b.bmp: unsupported bits per pixel (2)"},
        {[] {
             ParseWave({'h', 'i'}, "c.wav");
         },
         "c.wav: 不正な Wave です", "c.wav: not a valid Wave sound"},
        {[] { ReadBinaryFile("/"); }, "/: ファイルを開けません（フォルダーです）",
         "/: cannot open the file (it is a folder)"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(message(row.fail), row.japanese);
        LanguageScope english(en);
        EXPECT_EQ(message(row.fail), row.english);
    }
}

} // namespace
