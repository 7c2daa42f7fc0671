// The settings file bn.ini: integer values in one section, read and written one key at a
// time. Each call opens and frees its own file object, so another program (or another
// copy of the game) editing the file is always seen.

// The Debian build of SimpleIni uses ICU for its wide-character converter.
#define SI_CONVERT_ICU
#include <SimpleIni.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>

#include "options/options.h"

namespace {

constexpr const char* Section = "Brannock";
// The longest value text a read takes, as with a 1024-character buffer.
constexpr size_t MaxValueLength = 1023;

std::filesystem::path ConfigBase() {
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the XDG rules say.
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && *xdg != '\0' && std::filesystem::path(xdg).is_absolute()) return xdg;
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home != nullptr && *home != '\0' ? home : ".") / ".config";
}

// A value written in quotes reads without them.
std::string Unquote(std::string text) {
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
        text.back() == text.front())
        text = text.substr(1, text.size() - 2);
    return text;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

std::string SettingsFilePath() {
    return (ConfigBase() / "brannock" / "bn.ini").string();
}

std::optional<int> SettingTextToInt(const std::string& source) {
    std::string text = source;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text = "$" + text.substr(2);
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i < text.size() && text[i] == '$') {
        // Hexadecimal takes the full 32 bits, so $FFFFFFFF is -1.
        ++i;
        if (i == text.size()) return std::nullopt;
        uint64_t value = 0;
        for (; i < text.size(); ++i) {
            const int digit = HexDigit(text[i]);
            if (digit < 0) return std::nullopt;
            value = value * 16 + static_cast<uint64_t>(digit);
            if (value > 0xFFFFFFFFu) return std::nullopt;
        }
        const auto bits = static_cast<uint32_t>(negative ? 0u - value : value);
        return static_cast<int32_t>(bits);
    }
    if (i == text.size()) return std::nullopt;
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        value = value * 10 + (text[i] - '0');
        if (value > int64_t{INT32_MAX} + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
    return static_cast<int>(value);
}

int ReadSettingInt(const std::string& key, int default_value) {
    // A missing or unreadable file reads as empty: every key gives its default.
    CSimpleIniA ini;
    ini.SetUnicode(true);
    if (ini.LoadFile(SettingsFilePath().c_str()) < 0) return default_value;
    const char* value = ini.GetValue(Section, key.c_str(), "");
    std::string text = Unquote(std::string(value).substr(0, MaxValueLength));
    return SettingTextToInt(text).value_or(default_value);
}

void WriteSettingInt(const std::string& key, int value) {
    namespace fs = std::filesystem;
    const fs::path path = SettingsFilePath();
    const EIniFileException failure(path.string() + " に書き込めません");
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);

    CSimpleIniA ini;
    ini.SetUnicode(true);
    ini.SetSpaces(false);
    // An existing file that cannot be read is never replaced: its other keys would be lost.
    if (fs::exists(path, ec) && ini.LoadFile(path.c_str()) < 0) throw failure;
    if (ini.SetValue(Section, key.c_str(), std::to_string(value).c_str()) < 0) throw failure;

    // Written beside the file and moved over it, so a failed write leaves the old file.
    const fs::path temporary = path.string() + ".tmp";
    if (ini.SaveFile(temporary.c_str(), false) < 0) {
        fs::remove(temporary, ec);
        throw failure;
    }
    fs::rename(temporary, path, ec);
    if (ec) {
        fs::remove(temporary, ec);
        throw failure;
    }
}
