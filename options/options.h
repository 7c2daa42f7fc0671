// Options: the settings file, reading it into the panel at creation, and the panel's
// help and record buttons.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

class TMainForm;

// A settings file that cannot be written: "%s に書き込めません" with the file name.
class EIniFileException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Settings file bn.ini, section "Brannock", in $XDG_CONFIG_HOME/brannock (default
// ~/.config/brannock). Every read and write opens and frees the file; nothing is cached.
std::string SettingsFilePath();
int ReadSettingInt(const std::string& key, int default_value);
void WriteSettingInt(const std::string& key, int value); // throws EIniFileException

// The text of a settings value as an integer: decimal with an optional sign, "$" or
// (when longer than two characters) "0x"/"0X" for hexadecimal; nullopt for anything else.
std::optional<int> SettingTextToInt(const std::string& text);

// The lines of option.txt. A file that is missing, a folder or unreadable gives one line
// saying so, which is also returned; the result is empty when the file was read.
std::string ReadOptionText(const std::string& path, std::vector<std::string>& lines);

// At creation, first of all: the play count, and the bonus buttons it unlocks (enabled).
void ReadPlayCount(TMainForm& form);
// At creation, once option.txt is in the memo: every option kept in bn.ini onto the panel
// (the play count again into the world), by the option table.
void ReadRemainingOptions(TMainForm& form);

// Shows a problem the player should know of (a record file, the help document): on
// stderr and in a message box.
void ReportProblem(TMainForm& form, const std::string& message);

void Button3Click(TMainForm& form); // help
void Button4Click(TMainForm& form); // high scores
void Button5Click(TMainForm& form); // clear high scores
void Button6Click(TMainForm& form); // time attack top 10
void Button7Click(TMainForm& form); // clear time attack table
