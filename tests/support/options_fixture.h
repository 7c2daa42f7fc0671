// A main form whose settings file can be prepared before the form reads it, and read back
// key by key, in the order the keys stand in the file.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "options/options.h"
#include "tests/support/form_fixture.h"

class OptionsFixture : public FormFixture {
protected:
    // Writes the settings file and builds the form again, so FormCreate reads it.
    void CreateFormWithSettings(const std::string& ini_text) {
        form_.reset();
        const std::filesystem::path path = SettingsFilePath();
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << ini_text;
        form_ = std::make_unique<TMainForm>(app_, /*open_window=*/false);
    }

    // The "key=value" lines of the section, in file order.
    static std::vector<std::pair<std::string, std::string>> StoredKeys() {
        std::vector<std::pair<std::string, std::string>> keys;
        std::ifstream in(SettingsFilePath());
        std::string line;
        bool in_section = false;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (!line.empty() && line.front() == '[') {
                in_section = line == "[Brannock]";
                continue;
            }
            const size_t eq = line.find('=');
            if (in_section && eq != std::string::npos)
                keys.emplace_back(line.substr(0, eq), line.substr(eq + 1));
        }
        return keys;
    }

    static std::string Stored(const std::string& key) {
        for (const auto& [k, v] : StoredKeys())
            if (k == key) return v;
        return "(missing)";
    }
};
