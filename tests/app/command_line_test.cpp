#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/main_form.h"
#include "demo/demo_file.h"

namespace {

using Action = CommandLine::Action;

constexpr const char* Usage = "usage: brannock [--lang ja|en] [--help | --version | [--no-flash] "
                              "[--fps 30|display|N] [--record FILE | --play FILE]]\n";

TEST(CommandLineTest, NoArgumentsPlays) {
    EXPECT_EQ(ParseCommandLine({}).action, Action::Play);
}

TEST(CommandLineTest, HelpAndVersionExitZeroWithTheirText) {
    for (const char* option : {"--help", "-h"}) {
        const CommandLine help = ParseCommandLine({option});
        EXPECT_EQ(help.action, Action::Help) << option;
        EXPECT_EQ(help.exit_status, 0);
        EXPECT_TRUE(help.text.starts_with(Usage)) << help.text;
        EXPECT_NE(help.text.find("--version"), std::string::npos);
    }
    const CommandLine version = ParseCommandLine({"--version"});
    EXPECT_EQ(version.action, Action::Version);
    EXPECT_EQ(version.exit_status, 0);
    EXPECT_EQ(version.text, VersionText() + "\n");
    EXPECT_TRUE(VersionText().starts_with("brannock ")) << VersionText();
    // The number CMake gives the project: digits and dots after the name.
    const std::string number = VersionText().substr(9);
    ASSERT_FALSE(number.empty());
    EXPECT_EQ(number.find_first_not_of("0123456789."), std::string::npos) << number;
}

TEST(CommandLineTest, AnythingElseExitsTwoNamingItWithTheUsageLine) {
    const std::vector<std::vector<std::string>> refused = {{"--fullscreen"}, {"-x"},     {"--Help"},
                                                           {"--version=2"},  {"level1"}, {""}};
    for (const auto& arguments : refused) {
        const CommandLine result = ParseCommandLine(arguments);
        EXPECT_EQ(result.action, Action::Refuse) << arguments[0];
        EXPECT_EQ(result.exit_status, 2);
        EXPECT_NE(result.problem.find("'" + arguments[0] + "'"), std::string::npos)
            << result.problem;
        EXPECT_EQ(result.text, Usage);
    }
    EXPECT_NE(ParseCommandLine({"-x"}).problem.find("unknown option"), std::string::npos);
    EXPECT_NE(ParseCommandLine({"level1"}).problem.find("unexpected argument"), std::string::npos);
}

TEST(CommandLineTest, RecordAndPlayTakeExactlyOneDemoFile) {
    const CommandLine record = ParseCommandLine({"--record", "run.bnd"});
    EXPECT_EQ(record.action, Action::Play);
    EXPECT_EQ(record.record_file, "run.bnd");
    EXPECT_EQ(record.play_file, "");
    const CommandLine play = ParseCommandLine({"--play", "my run.bnd"});
    EXPECT_EQ(play.action, Action::Play);
    EXPECT_EQ(play.play_file, "my run.bnd");
    EXPECT_EQ(play.record_file, "");
    // Without its file, with an empty one or with more after it: refused, naming why.
    for (const char* option : {"--record", "--play"}) {
        for (const auto& arguments : std::vector<std::vector<std::string>>{
                 {option}, {option, ""}, {option, "a.bnd", "b.bnd"}}) {
            const CommandLine refused = ParseCommandLine(arguments);
            EXPECT_EQ(refused.action, Action::Refuse) << option << " " << arguments.size();
            EXPECT_EQ(refused.exit_status, 2);
            EXPECT_EQ(refused.text, Usage);
        }
        EXPECT_NE(ParseCommandLine({option}).problem.find("needs a demo file name"),
                  std::string::npos);
        EXPECT_NE(ParseCommandLine({option, "a.bnd", "b.bnd"}).problem.find("'b.bnd'"),
                  std::string::npos);
    }
    EXPECT_EQ(GameVersion(), VersionText().substr(9));
}

TEST(CommandLineTest, NoFlashGoesWithAGameOrADemoButOnlyOneDemo) {
    EXPECT_TRUE(ParseCommandLine({"--no-flash"}).no_flash);
    const CommandLine played = ParseCommandLine({"--play", "a.bnd", "--no-flash"});
    EXPECT_EQ(played.action, Action::Play);
    EXPECT_TRUE(played.no_flash);
    EXPECT_EQ(played.play_file, "a.bnd");
    EXPECT_FALSE(ParseCommandLine({"--record", "a.bnd"}).no_flash);
    EXPECT_EQ(ParseCommandLine({"--record", "a", "--play", "b"}).action, Action::Refuse);
    EXPECT_EQ(ParseCommandLine({"--fps", "144"}).draw_rate.per_second, 144);
    EXPECT_TRUE(ParseCommandLine({"--play", "a", "--fps", "display"}).draw_rate.display);
    for (const char* bad : {"29", "1001", "60x", "vsync", ""})
        EXPECT_EQ(ParseCommandLine({"--fps", bad}).action, Action::Refuse) << bad;
    EXPECT_EQ(ParseCommandLine({"--fps"}).action, Action::Refuse);
}

TEST(CommandLineTest, LangChoosesTheLanguageBesideAnyOtherArguments) {
    struct Row {
        std::vector<std::string> arguments;
        Action action;
        std::optional<Language> language;
        const char* said; // in the refusal
    };
    const Row rows[] = {
        {{}, Action::Play, std::nullopt, ""},
        {{"--lang", "en"}, Action::Play, Language::English, ""},
        {{"--lang=ja"}, Action::Play, Language::Japanese, ""},
        {{"--play", "a.bnd", "--lang", "en"}, Action::Play, Language::English, ""},
        {{"--lang", "en", "--help"}, Action::Help, Language::English, ""},
        {{"--lang", "fr"}, Action::Refuse, std::nullopt, "unknown language 'fr': ja or en"},
        {{"--lang=EN"}, Action::Refuse, std::nullopt, "unknown language 'EN'"},
        {{"--lang"}, Action::Refuse, std::nullopt, "option '--lang' needs a language"},
        {{"--lang", "ja", "--lang", "en"}, Action::Refuse, std::nullopt, "given twice"},
    };
    for (const Row& row : rows) {
        const CommandLine result = ParseCommandLine(row.arguments);
        const std::string where = ::testing::PrintToString(row.arguments);
        EXPECT_EQ(result.action, row.action) << where;
        EXPECT_EQ(result.language, row.language) << where;
        EXPECT_NE(result.problem.find(row.said), std::string::npos) << where << result.problem;
    }
    EXPECT_EQ(ParseCommandLine({"--play", "a.bnd", "--lang", "en"}).play_file, "a.bnd");
    EXPECT_NE(ParseCommandLine({"--help"}).text.find("--lang ja|en"), std::string::npos);
}

// --lang decides for the run, then the settings page's choice, then the desktop.
TEST(CommandLineTest, TheCommandLineThenTheSettingsPageThenTheDesktopChooseTheLanguage) {
    const LanguageVariables english{"", "", "", "en_GB.UTF-8"}, c{"", "C", "", ""};
    const struct {
        int32_t choice;
        std::optional<Language> command_line;
        LanguageVariables desktop;
        Language expected;
    } cases[] = {
        {language_choice::Automatic, std::nullopt, english, Language::English},
        {language_choice::Automatic, std::nullopt, c, Language::Japanese},
        {language_choice::Japanese, std::nullopt, english, Language::Japanese},
        {language_choice::English, std::nullopt, c, Language::English},
        {language_choice::English, Language::Japanese, english, Language::Japanese},
        {language_choice::Automatic, Language::English, c, Language::English},
    };
    for (const auto& row : cases)
        EXPECT_EQ(LanguageFor(row.choice, row.command_line, row.desktop), row.expected)
            << row.choice;
}

TEST(CommandLineTest, TheFirstOfHelpAndVersionCountsInALineWithNothingUnknown) {
    EXPECT_EQ(ParseCommandLine({"--help", "--bogus"}).action, Action::Refuse);
    EXPECT_EQ(ParseCommandLine({"--version", "--help"}).action, Action::Version);
    const CommandLine refused = ParseCommandLine({"--bogus", "--help"});
    EXPECT_EQ(refused.action, Action::Refuse);
    EXPECT_NE(refused.problem.find("'--bogus'"), std::string::npos);
}

// The game beside the tests, with a demo it must refuse before opening anything (no display
// is needed for that): exit 2 and one line naming the file and the reason.
struct Refusal {
    int status = -1;
    std::string said;
};

Refusal RunGame(const std::string& arguments) {
    const auto err = std::filesystem::temp_directory_path() /
                     ("brannock-demo-cli-" + std::to_string(::getpid()) + ".txt");
    const int raw = std::system(("./brannock " + arguments + " 2>" + err.string()).c_str());
    Refusal out;
    out.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream in(err);
    std::stringstream text;
    text << in.rdbuf();
    out.said = text.str();
    std::filesystem::remove(err);
    return out;
}

TEST(CommandLineTest, TheGameRefusesADemoItCannotPlayOrWrite) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("brannock-demo-cli-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string text = (dir / "notes.txt").string();
    std::ofstream(text) << "hello";
    const std::string other = (dir / "other.bnd").string();
    {
        std::vector<uint8_t> bytes = DemoHeaderBytes(GameVersion(), DemoSettings{}, 2);
        std::ofstream(other, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    }
    const std::string cut = (dir / "cut.bnd").string();
    std::ofstream(cut, std::ios::binary) << "BRANDEMO\x01";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"--play " + text, "brannock: " + text + ": not a Brannock demo\n"},
        {"--play " + other,
         "brannock: " + other + ": demo format version 2; this game plays version 1\n"},
        {"--play " + cut, "brannock: " + cut + ": cut short inside its header\n"},
        {"--record " + (dir / "no" / "x.bnd").string(),
         "brannock: " + (dir / "no" / "x.bnd").string() +
             " に書き込めません（ファイルがありません）\n"},
    };
    for (const auto& [arguments, said] : cases) {
        const Refusal out = RunGame(arguments);
        EXPECT_EQ(out.status, 2) << arguments;
        EXPECT_EQ(out.said, said);
    }
    std::filesystem::remove_all(dir);
}

// A demo cut short plays in the window up to its last whole frame, and says so.
TEST(CommandLineTest, ADemoCutShortPlaysUpToItsLastWholeFrame) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("brannock-demo-play-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::string bytes(800, '\0');
    std::ifstream(std::string(DEMO_DIR) + "/stage1_fight.bnd", std::ios::binary)
        .read(bytes.data(), static_cast<long>(bytes.size()));
    const std::string cut = (dir / "cut.bnd").string();
    std::ofstream(cut, std::ios::binary) << bytes;
    const Refusal out = RunGame("--play " + cut);
    EXPECT_EQ(out.status, 0);
    EXPECT_TRUE(out.said.starts_with("brannock: " + cut + ": played up to frame ")) << out.said;
    EXPECT_NE(out.said.find("cut short in the middle of frame"), std::string::npos) << out.said;
    std::filesystem::remove_all(dir);
}

} // namespace
