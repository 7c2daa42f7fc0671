// A time as the game writes it, on the HUD and in the time-attack table. A leaf header.
#pragma once

#include <string>

// The time from its minutes, seconds and milliseconds as text: "1分5秒7" in Japanese,
// "1m5s7" in English.
std::string TimeText(const std::string& minutes, const std::string& seconds,
                     const std::string& millis);
