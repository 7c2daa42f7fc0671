// Options: the settings file, reading it into the panel at creation, and the panel's
// help and record buttons.
//
// Failures: a settings file that cannot be written throws (START tells the player once and
// plays on); a problem the player can go on after (a record file, the help document, the
// option text, a settings file or value that cannot be used) is reported where it happens:
// ReportProblem, or a line in the memo.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

class TMainForm;

// A settings file that is not written: "%s に書き込めません（<reason>）" with the file name.
class EIniFileException : public std::runtime_error {
public:
    explicit EIniFileException(const std::string& message, bool kept_as_is = false)
        : std::runtime_error(message), KeptAsIs(kept_as_is) {}
    // The file holds bytes that are no text, so the game keeps it as it is (as the memo
    // says from the start).
    bool KeptAsIs;
};

// Settings file bn.ini, section "Brannock", in $XDG_CONFIG_HOME/brannock (default
// ~/.config/brannock). Every read and write opens and frees the file; nothing is cached.
std::string SettingsFilePath();
int ReadSettingInt(const std::string& key, int default_value);
// The key's value as the file writes it (without quotes); nullopt when it holds none.
std::optional<std::string> ReadSettingText(const std::string& key);
void WriteSettingInt(const std::string& key, int value); // throws EIniFileException
// The value as written (one line, no quotes needed); throws EIniFileException.
void WriteSettingText(const std::string& key, const std::string& value);
// Why bn.ini cannot be used whole, for the memo: it cannot be read, or holds bytes that are
// no text; nullopt when it is missing or fine.
std::optional<std::string> SettingsFileProblem();
// The key's value when the file holds one from min to max; fallback otherwise, and a value
// that is there but not used is reported on stderr, naming the file, the key and the value.
int ReadCheckedSetting(const std::string& key, int min, int max, int fallback);
// "key=text は使えません（min から max までの整数）。used として扱います"
std::string UnusedSettingMessage(const std::string& key, const std::string& text, int min, int max,
                                 int used);

// The text of a settings value as an integer: decimal with an optional sign, "$" or
// (when longer than two characters) "0x"/"0X" for hexadecimal; nullopt for anything else.
std::optional<int> SettingTextToInt(const std::string& text);

// The lines of option.txt. A file that is missing or cannot be read (a folder, a device,
// larger than any option text) gives one line saying so, which is also returned; the
// result is empty when the file was read.
std::string ReadOptionText(const std::string& path, std::vector<std::string>& lines);

// At creation, first of all: the play count, and the bonus buttons it unlocks (enabled).
void ReadPlayCount(TMainForm& form);
// At creation, once option.txt is in the memo: every option kept in bn.ini onto the panel
// (the play count again into the world), by the option table. What of bn.ini cannot be
// used (the file, a value) is said at the top of the memo and on stderr.
void ReadRemainingOptions(TMainForm& form);

// Shows a problem the player should know of (a record file, the help document): on
// stderr and in a message box.
void ReportProblem(TMainForm& form, const std::string& message);

void Button3Click(TMainForm& form); // help
void Button4Click(TMainForm& form); // high scores
void Button5Click(TMainForm& form); // clear high scores
void Button6Click(TMainForm& form); // time attack top 10
void Button7Click(TMainForm& form); // clear time attack table
