// The settings file bn.ini: integer values in one section, read and written one key at a
// time. Each call opens and frees its own file object, so another program (or another
// copy of the game) editing the file is always seen. As with desktop profile files, the
// first of two equal sections or keys is the one that counts.

// The Debian build of SimpleIni uses ICU for its wide-character converter.
#define SI_CONVERT_ICU
#include <SimpleIni.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>

#include "media/replace_file.h"
#include "media/user_folders.h"
#include "options/options.h"

namespace {

constexpr const char* Section = "Brannock";
// The longest value text a read takes, as with a 1024-character buffer.
constexpr size_t MaxValueLength = 1023;

// A value written in quotes reads without them.
std::string Unquote(std::string text) {
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
        text.back() == text.front())
        text = text.substr(1, text.size() - 2);
    return text;
}

// Larger files are not settings files: they are refused rather than loaded.
constexpr size_t MaxFileSize = size_t{1} << 20;

enum class FileState { Missing, Loaded, Unreadable };

// A section header without its closing bracket becomes a comment line. Left as it is, the
// ini library would file the keys after it under a name that no later read finds, and
// every write would add the section again. Lines end at a carriage return as well as at a
// line feed, as the library reads them.
// UTF-8 signatures at the start of a line are dropped: the library drops one at the start
// of the file, so a line that comes first after a write would otherwise change its meaning.
std::string NeutraliseBrokenHeaders(const std::string& text) {
    constexpr std::string_view Signature = "\xEF\xBB\xBF";
    std::string out;
    out.reserve(text.size() + 16);
    size_t start = 0;
    while (start < text.size()) {
        while (std::string_view(text).substr(start).starts_with(Signature))
            start += Signature.size();
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        const std::string_view line(text.data() + start, end - start);
        const size_t first = line.find_first_not_of(" \t");
        if (first != std::string_view::npos && line[first] == '[' &&
            line.find(']', first) == std::string_view::npos)
            out += ';';
        out.append(line);
        if (end < text.size()) out += text[end];
        start = end + 1;
    }
    return out;
}

// Reads bn.ini into ini. A file that is missing reads as empty; one that is a folder or
// a device, too large, unreadable or not UTF-8 is Unreadable and nothing is loaded.
FileState LoadSettings(const std::string& path, CSimpleIniA& ini) {
    ini.SetUnicode(true);
    ini.SetMultiKey(true); // keeps every copy of a key so that the first can be found
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? FileState::Missing : FileState::Unreadable;
    struct stat info {};
    std::string text;
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
              static_cast<uint64_t>(info.st_size) <= MaxFileSize;
    char buffer[8192];
    while (ok) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        text.append(buffer, static_cast<size_t>(got));
        ok = text.size() <= MaxFileSize;
    }
    ::close(fd);
    if (!ok) return FileState::Unreadable;
    text = NeutraliseBrokenHeaders(text);
    return ini.LoadData(text) < 0 ? FileState::Unreadable : FileState::Loaded;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

std::string SettingsFilePath() {
    return (GameUserFolder(UserFolder::Config) / "bn.ini").string();
}

std::optional<int> SettingTextToInt(const std::string& source) {
    std::string text = source;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text.replace(0, 2, "$");
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
    if (LoadSettings(SettingsFilePath(), ini) != FileState::Loaded) return default_value;
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
    // An existing file that cannot be read is never replaced: its other keys would be lost.
    if (LoadSettings(path.string(), ini) == FileState::Unreadable) throw failure;
    ini.SetSpaces(false);
    // Replaces the first copy of the key in place and drops the ignored later ones.
    if (ini.SetValue(Section, key.c_str(), std::to_string(value).c_str(), nullptr, true) < 0)
        throw failure;
    std::string text;
    if (ini.Save(text, false) < 0) throw failure;
    std::string reason;
    if (!ReplaceFileContents(path.string(), text, reason)) throw failure;
}
