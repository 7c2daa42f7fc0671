// The settings file bn.ini: integer values in one section, read and written one key at a
// time. Each call reads the file afresh, so another program (or another copy of the game)
// editing the file is always seen. As with desktop profile files, names ignore ASCII case
// and the first of two equal sections or keys is the one that counts.
//
// A write changes the line of its key (or adds one) and nothing else: comments, other
// sections and lines the game does not understand stay byte for byte. A file that cannot
// be read whole, or that holds bytes that are no UTF-8 text (a NUL byte among them), is
// never written: the game reads what it can of it and keeps it as it is.
#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "media/language.h"
#include "media/read_file.h"
#include "media/replace_file.h"
#include "media/user_folders.h"
#include "options/blanks.h"
#include "options/options.h"
#include "options/utf8.h"

namespace {

constexpr std::string_view Section = "Brannock";
// The longest value text a read takes, as with a 1024-character buffer.
constexpr size_t MaxValueLength = 1023;
// No settings file comes near this; a larger file is refused unread.
constexpr size_t MaxFileSize = size_t{1} << 20;
constexpr std::string_view Signature = "\xEF\xBB\xBF";
constexpr size_t None = std::string_view::npos;

enum class FileState { Missing, Loaded, NotText, Unreadable };

struct SettingsText {
    FileState state = FileState::Missing;
    std::string text;
    std::string reason; // why an Unreadable file could not be read
};

enum class LineKind { Other, Header, Entry };

// One line of the file: its text runs from start to end, its line end from end to next.
struct Line {
    size_t start = 0, end = 0, next = 0;
    LineKind kind = LineKind::Other;
    std::string_view name;   // a header's section or an entry's key
    std::string_view value;  // an entry's
    size_t value_offset = 0; // where an entry's text after '=' starts, from start
    bool in_section = false; // in a [Brannock] section
};

bool SameName(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return std::ranges::equal(a, b, {}, lower, lower);
}

// UTF-8 text without NUL bytes.
bool IsText(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        const size_t length = text[i] == '\0' ? 0 : Utf8Length(text, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

// What a line says. Blank lines, comments (';', '#'), a header without its ']' (the section
// before goes on), a line without '=' and a line that is no text say nothing.
void ReadMeaning(std::string_view text, Line& line) {
    const std::string_view whole = text.substr(line.start, line.end - line.start);
    if (!IsText(whole)) return;
    size_t at = 0;
    // A UTF-8 signature may start the file, or any line copied from the start of another.
    while (whole.substr(at).starts_with(Signature)) at += Signature.size();
    while (at < whole.size() && IsBlank(whole[at])) ++at;
    const std::string_view rest = whole.substr(at);
    if (rest.empty() || rest[0] == ';' || rest[0] == '#') return;
    if (rest[0] == '[') {
        const size_t close = rest.find(']');
        if (close == None) return;
        line.kind = LineKind::Header;
        line.name = TrimBlanks(rest.substr(1, close - 1));
        return;
    }
    const size_t equals = rest.find('=');
    if (equals == None || TrimBlanks(rest.substr(0, equals)).empty()) return;
    line.kind = LineKind::Entry;
    line.name = TrimBlanks(rest.substr(0, equals));
    line.value = TrimBlanks(rest.substr(equals + 1));
    line.value_offset = at + equals + 1;
}

// The lines of text. A line ends at a line feed, a carriage return or both together.
std::vector<Line> Lines(std::string_view text) {
    std::vector<Line> lines;
    bool in_section = false;
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        size_t next = std::min(end + 1, text.size());
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++next;
        Line line;
        line.start = start;
        line.end = end;
        line.next = next;
        ReadMeaning(text, line);
        if (line.kind == LineKind::Header) in_section = SameName(line.name, Section);
        line.in_section = in_section;
        lines.push_back(line);
        start = next;
    }
    return lines;
}

bool IsEntryOf(const Line& line, std::string_view key) {
    return line.in_section && line.kind == LineKind::Entry && SameName(line.name, key);
}

SettingsText LoadSettings(const std::string& path) {
    SettingsText file;
    std::vector<uint8_t> bytes;
    if (const std::optional<FileProblem> problem = ReadFileWithin(path, MaxFileSize, bytes)) {
        if (!problem->missing) file.state = FileState::Unreadable;
        file.reason = problem->reason;
        return file;
    }
    file.text.assign(bytes.begin(), bytes.end());
    file.state = IsText(file.text) ? FileState::Loaded : FileState::NotText;
    return file;
}

// A value written in quotes reads without them.
std::string Unquote(std::string text) {
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
        text.back() == text.front())
        text = text.substr(1, text.size() - 2);
    return text;
}

// text with key set to value in [Brannock]: the copy that is read is changed in place and
// later copies (never read) go; a missing key is added after the last entry of the first
// [Brannock] section, or in a section added at the end. Every other byte stays.
std::string WithSetting(const std::string& text, const std::string& key, const std::string& value) {
    const std::vector<Line> lines = Lines(text);
    const std::string line_end = lines.empty() || lines[0].end == lines[0].next
                                     ? "\n"
                                     : text.substr(lines[0].end, lines[0].next - lines[0].end);
    const bool present =
        std::ranges::any_of(lines, [&](const Line& l) { return IsEntryOf(l, key); });
    // Where a new entry goes: after the first section's header or its last entry.
    size_t anchor = None;
    for (size_t i = 0, sections = 0; i < lines.size() && !present; ++i) {
        if (lines[i].kind == LineKind::Header && lines[i].in_section) ++sections;
        if (sections == 1 && lines[i].in_section && lines[i].kind != LineKind::Other) anchor = i;
    }
    std::string out;
    bool written = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        const Line& line = lines[i];
        if (IsEntryOf(line, key)) {
            if (!written)
                out += text.substr(line.start, line.value_offset) + value +
                       text.substr(line.end, line.next - line.end);
            written = true;
            continue;
        }
        out += text.substr(line.start, line.next - line.start);
        if (i == anchor)
            out.insert(out.size() - (line.next - line.end), line_end + key + "=" + value);
    }
    if (!present && anchor == None) {
        if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += line_end;
        out += "[" + std::string(Section) + "]" + line_end + key + "=" + value + line_end;
    }
    return out;
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

std::optional<std::string> ReadSettingText(const std::string& key) {
    const SettingsText file = LoadSettings(SettingsFilePath());
    for (const Line& line : Lines(file.text))
        if (IsEntryOf(line, key)) return Unquote(std::string(line.value.substr(0, MaxValueLength)));
    return std::nullopt;
}

int ReadSettingInt(const std::string& key, int default_value) {
    const std::optional<std::string> text = ReadSettingText(key);
    return text ? SettingTextToInt(*text).value_or(default_value) : default_value;
}

std::optional<std::string> SettingsFileProblem() {
    const std::string path = SettingsFilePath();
    const SettingsText file = LoadSettings(path);
    if (file.state == FileState::Unreadable)
        return Format(Tr("%s を読めません（%s）。設定は既定のまま、保存もされません"), path.c_str(),
                      file.reason.c_str());
    if (file.state == FileState::NotText)
        return Format(Tr("%s に文字でないバイト（NUL など）があります。読めた設定を使い、"
                         "このファイルは書き換えません"),
                      path.c_str());
    return std::nullopt;
}

void WriteSettingInt(const std::string& key, int value) {
    WriteSettingText(key, std::to_string(value));
}

void WriteSettingText(const std::string& key, const std::string& value) {
    const std::string path = SettingsFilePath();
    const SettingsText file = LoadSettings(path);
    // What cannot be read whole would be lost by a write.
    if (file.state == FileState::Unreadable)
        throw EIniFileException(Format(Tr("%s に書き込めません（ファイルを読めません: %s）"),
                                       path.c_str(), file.reason.c_str()));
    if (file.state == FileState::NotText)
        throw EIniFileException(
            Format(Tr("%s に書き込みません（文字でないバイトがあるファイルは書き換えません）"),
                   path.c_str()),
            true);
    std::string reason;
    if (!ReplaceFileContents(path, WithSetting(file.text, key, value), reason))
        throw EIniFileException(
            Format(Tr("%s に書き込めません（%s）"), path.c_str(), reason.c_str()));
}
