// Options: the settings file, reading it into the panel at creation, and the panel's
// help and record buttons.
#pragma once

#include <string>

class TMainForm;

// Settings file bn.ini, section "Brannock".
std::string SettingsFilePath();
int ReadSettingInt(const std::string& key, int default_value);
void WriteSettingInt(const std::string& key, int value); // throws "%s に書き込めません"

// FormCreate step 1: the play count and the bonus buttons it unlocks.
void ReadPlayCount(TMainForm& form);
// FormCreate step 10: the remaining options into the panel's controls.
void ReadRemainingOptions(TMainForm& form);

void Button3Click(TMainForm& form); // help
void Button4Click(TMainForm& form); // high scores
void Button5Click(TMainForm& form); // clear high scores
void Button6Click(TMainForm& form); // time attack top 10
void Button7Click(TMainForm& form); // clear time attack table
