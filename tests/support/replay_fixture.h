// Scripts run through the replay tool in the fixture's temporary folders, and the JSON
// lines it writes read back.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "tests/support/form_fixture.h"
#include "tools/replay/replay.h"

class ReplayFixture : public FormFixture {
protected:
    void SetUp() override { UseTemporaryFolders(); } // the replay builds its own form

    // Runs a script with its output in the folder `out`; returns the number of the line it
    // could not run (message_ says why), or 0 when it ran through.
    int Run(const std::string& script, const std::string& out = "out") {
        message_.clear();
        std::istringstream in(script);
        try {
            RunReplay(in, (home_ / out).string());
        } catch (const ScriptError& e) {
            message_ = e.what();
            return e.line;
        }
        return 0;
    }

    // One of the JSON-lines files the replay wrote into `out`, line by line.
    std::vector<nlohmann::json> JsonLines(const std::string& file,
                                          const std::string& out = "out") const {
        std::vector<nlohmann::json> lines;
        std::ifstream in(home_ / out / file);
        std::string line;
        while (std::getline(in, line)) lines.push_back(nlohmann::json::parse(line));
        return lines;
    }
    std::vector<nlohmann::json> States() const { return JsonLines("state.jsonl"); }

    std::string message_;
};
