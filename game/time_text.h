// A time as the game writes it, on the HUD and in the time-attack table. A leaf header.
#pragma once

#include <cstdint>
#include <string>

// A time of milliseconds as minutes, seconds and milliseconds: "1分5秒007" in Japanese,
// "1m5s007" in English. The minutes and seconds have no leading zeros; the milliseconds
// always three digits, so "15s029" never reads as 15.29 seconds. Below zero (a hand-made
// record) is zero.
std::string TimeText(int64_t ms);
