#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_line.h"

namespace {

using Action = CommandLine::Action;

TEST(CommandLineTest, NoArgumentsPlays) {
    EXPECT_EQ(ParseCommandLine({}).action, Action::Play);
}

TEST(CommandLineTest, HelpAndVersionExitZeroWithTheirText) {
    for (const char* option : {"--help", "-h"}) {
        const CommandLine help = ParseCommandLine({option});
        EXPECT_EQ(help.action, Action::Help) << option;
        EXPECT_EQ(help.exit_status, 0);
        EXPECT_TRUE(help.text.starts_with(
            "usage: brannock [--help | --version | --record FILE | --play FILE]\n"))
            << help.text;
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
        EXPECT_NE(result.text.find("'" + arguments[0] + "'"), std::string::npos) << result.text;
        EXPECT_TRUE(result.text.ends_with(
            "usage: brannock [--help | --version | --record FILE | --play FILE]\n"))
            << result.text;
    }
    EXPECT_NE(ParseCommandLine({"-x"}).text.find("unknown option"), std::string::npos);
    EXPECT_NE(ParseCommandLine({"level1"}).text.find("unexpected argument"), std::string::npos);
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
            EXPECT_TRUE(refused.text.ends_with(
                "usage: brannock [--help | --version | --record FILE | --play FILE]\n"));
        }
        EXPECT_NE(ParseCommandLine({option}).text.find("needs a demo file name"),
                  std::string::npos);
        EXPECT_NE(ParseCommandLine({option, "a.bnd", "b.bnd"}).text.find("'b.bnd'"),
                  std::string::npos);
    }
    EXPECT_EQ(GameVersion(), VersionText().substr(9));
}

TEST(CommandLineTest, TheFirstArgumentDecides) {
    EXPECT_EQ(ParseCommandLine({"--help", "--bogus"}).action, Action::Help);
    EXPECT_EQ(ParseCommandLine({"--version", "--help"}).action, Action::Version);
    const CommandLine refused = ParseCommandLine({"--bogus", "--help"});
    EXPECT_EQ(refused.action, Action::Refuse);
    EXPECT_NE(refused.text.find("'--bogus'"), std::string::npos);
}

} // namespace
