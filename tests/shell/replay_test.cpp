#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "tests/support/form_fixture.h"
#include "tools/replay/replay.h"

namespace {

class ReplayTest : public FormFixture {
protected:
    // Runs a script; returns the error line number, or 0 when it ran through.
    int Run(const std::string& script) {
        std::istringstream in(script);
        try {
            RunReplay(in, (home_ / "out").string());
        } catch (const ScriptError& e) {
            message_ = e.what();
            return e.line;
        }
        return 0;
    }

    std::vector<nlohmann::json> States() const {
        std::vector<nlohmann::json> states;
        std::ifstream file(home_ / "out" / "state.jsonl");
        std::string line;
        while (std::getline(file, line)) states.push_back(nlohmann::json::parse(line));
        return states;
    }

    std::string message_;
};

TEST_F(ReplayTest, ALineItCannotRunIsNamedByNumber) {
    EXPECT_EQ(Run("# a comment\n\nfly 3\n"), 3);
    EXPECT_NE(message_.find("script line 3"), std::string::npos);
    EXPECT_NE(message_.find("fly"), std::string::npos);
    EXPECT_EQ(Run("frames\n"), 1);
    EXPECT_EQ(Run("frames two\n"), 1);
    EXPECT_EQ(Run("frames -1\n"), 1);
    EXPECT_EQ(Run("frames 1 Up+Nokey\n"), 1);
    EXPECT_NE(message_.find("Nokey"), std::string::npos);
    EXPECT_EQ(Run("frames 1\nclick NoSuchButton\n"), 2);
    EXPECT_EQ(Run("check NoSuchControl\n"), 1);
    EXPECT_EQ(Run("trackbar x\n"), 1);
}

TEST_F(ReplayTest, PanelFramesWriteOneStateLineEach) {
    ASSERT_EQ(Run("frames 3\n"), 0) << message_;
    const auto states = States();
    ASSERT_EQ(states.size(), 3u);
    EXPECT_EQ(states[0]["frame"], 1);
    EXPECT_EQ(states[2]["frame"], 3);
    EXPECT_EQ(states[0]["screen"], "panel");
    EXPECT_EQ(states[0]["Robo_HP"], 300);
    EXPECT_EQ(states[0]["Zako"].size(), 12u);
    EXPECT_TRUE(states[0]["sounds"].is_array());
}

TEST_F(ReplayTest, EscapeClosesAndEndsTheRun) {
    ASSERT_EQ(Run("frames 5 Escape\nnonsense after the end\n"), 0) << message_;
    const auto states = States();
    ASSERT_FALSE(states.empty());
    EXPECT_EQ(states.back()["screen"], "closed");
    EXPECT_EQ(states.size(), 1u) << "the program closed in the first frame";
}

} // namespace
