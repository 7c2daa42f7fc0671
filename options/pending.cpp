// Option handlers not built yet: until then the panel shows its designed defaults.
#include "app/main_form.h"
#include "options/options.h"

std::string SettingsFilePath() { return {}; }
int ReadSettingInt(const std::string&, int default_value) { return default_value; }
void WriteSettingInt(const std::string&, int) {}
void ReadPlayCount(TMainForm& form) { form.world.Play_Count = ReadSettingInt("Play", 0); }
void ReadRemainingOptions(TMainForm&) {}
void Button3Click(TMainForm& form) { form.MailAndHP1.OpenHomePage(); }
void Button4Click(TMainForm&) {}
void Button5Click(TMainForm&) {}
void Button6Click(TMainForm&) {}
void Button7Click(TMainForm&) {}
