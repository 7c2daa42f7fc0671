#include "game/time_text.h"

#include <algorithm>

#include "media/language.h"

std::string TimeText(int64_t ms) {
    ms = std::max<int64_t>(ms, 0);
    const int64_t seconds_total = ms / 1000;
    const int64_t minutes = seconds_total / 60;
    const int64_t seconds = seconds_total % 60;
    std::string millis = std::to_string(ms % 1000);
    millis.insert(0, 3 - millis.size(), '0');
    // TRANSLATORS: a time of minutes, seconds and milliseconds, as the HUD and the
    // time-attack table show it; the minutes and seconds are not padded, the milliseconds
    // always have three digits.
    return Format(Tr("%s分%s秒%s"), std::to_string(minutes).c_str(),
                  std::to_string(seconds).c_str(), millis.c_str());
}
