// libFuzzer target for the settings file: the input is bn.ini as another program (or a
// damaged disk) may have left it. Reading never fails; a write that succeeds reads back,
// keeps every other setting the game reads, and the same value written again leaves the
// file byte for byte as the first write left it.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "options/option_table.h"
#include "options/options.h"

namespace {

// Every key the game keeps in bn.ini.
const std::vector<const char*> Keys = [] {
    std::vector<const char*> keys;
    for (const OptionRow& row : OptionTable)
        if (row.key) keys.push_back(row.key);
    return keys;
}();
constexpr int Unset = -123456789;

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const auto folder =
        std::filesystem::temp_directory_path() / ("brannock-fuzz-ini-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder / "brannock");
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = SettingsFilePath();
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    std::vector<int> before(Keys.size());
    for (size_t i = 0; i < Keys.size(); ++i) before[i] = ReadSettingInt(Keys[i], Unset);
    // The value is one the file may not hold yet, so the write changes something.
    const int written = before[0] == 7 ? 8 : 7;
    try {
        WriteSettingInt(Keys[0], written);
    } catch (const EIniFileException&) {
        // Refused: the file must be untouched.
        if (ReadAll(path) != std::string(reinterpret_cast<const char*>(data), size))
            __builtin_trap();
        return 0;
    }
    const std::string first = ReadAll(path);
    for (int write = 1; write <= 3; ++write) {
        if (write > 1) WriteSettingInt(Keys[0], written);
        if (ReadSettingInt(Keys[0], Unset) != written) __builtin_trap();
        for (size_t i = 1; i < Keys.size(); ++i)
            if (ReadSettingInt(Keys[i], Unset) != before[i]) __builtin_trap();
        if (ReadAll(path) != first) __builtin_trap();
    }
    return 0;
}
