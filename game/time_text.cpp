#include "game/time_text.h"

#include "media/language.h"

std::string TimeText(const std::string& minutes, const std::string& seconds,
                     const std::string& millis) {
    // TRANSLATORS: a time of minutes, seconds and milliseconds, as the HUD and the
    // time-attack table show it; the numbers are not padded.
    return Format(Tr("%s分%s秒%s"), minutes.c_str(), seconds.c_str(), millis.c_str());
}
