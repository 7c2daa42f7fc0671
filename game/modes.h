// The option modes by the numbers the game keeps them as: the world holds these numbers,
// bn.ini and demos store them, and the replay's state shows them. A number outside a list
// (a test lever can set one) is kept and matches none of its names.
// A leaf header: any game folder may include it.
#pragma once

#include <cstdint>

namespace difficulty {
enum : int32_t {
    Practice = 0, // "練習モード": one stage, no points
    Eazy = 1,
    Nomal = 2, // "Normal" on the panel
    Hard = 3,
    VeryHard = 4,
    TimeAttack = 5, // "タイムアタックモード": ranked by the time played
    Count = 6,
};
} // namespace difficulty

namespace display_mode {
enum : int32_t {
    FullScreen640 = 0,  // 640 x 480
    FullScreen800 = 1,  // 800 x 600
    FullScreen1024 = 2, // 1024 x 768
    Window = 3,
    Count = 4,
};
} // namespace display_mode

namespace camera_mode {
enum : int32_t {
    BehindFar = 0,  // "自機後方1": behind the robot, high and far
    BehindNear = 1, // "自機後方2": behind the robot, close
    Cockpit = 2,    // "コクピット"
    Overhead = 3,   // "自機上空": above the robot
    Count = 4,
};
} // namespace camera_mode

namespace light_mode {
enum : int32_t {
    Off = 0,    // "使用しない": no lights
    Simple = 1, // "簡易発光": one light per pool
    Full = 2,   // "完全発光": a light per shot and explosion
    Count = 3,
};
} // namespace light_mode

// The language the player chose on the settings page.
namespace language_choice {
enum : int32_t {
    Automatic = 0, // the desktop's, as the locale variables say
    Japanese = 1,
    English = 2,
    Count = 3,
};
} // namespace language_choice
