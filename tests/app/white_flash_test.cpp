// The white flash of a hit: at most three drawn in any 30 consecutive game frames, none
// when the player turned them off, and White_Flash cleared every frame either way.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "app/white_flash.h"
#include "app/world.h"

namespace {

struct Case {
    const char* what;
    std::set<int> requested; // frames (from 1) whose hits asked for a flash
    bool off;
    std::set<int> drawn;
};

std::set<int> DrawnFrames(const Case& c, int frames) {
    World w;
    std::set<int> drawn;
    for (int frame = 1; frame <= frames; ++frame) {
        w.White_Flash = c.requested.contains(frame);
        if (TakeWhiteFlash(w, c.off)) drawn.insert(frame);
        EXPECT_FALSE(w.White_Flash) << "frame " << frame;
    }
    return drawn;
}

std::set<int> Range(int first, int last) {
    std::set<int> frames;
    for (int f = first; f <= last; ++f) frames.insert(f);
    return frames;
}

TEST(WhiteFlashTest, AtMostThreeInAnyThirtyFramesAndNoneWhenOff) {
    const Case cases[] = {
        {"a hit every frame", Range(1, 95), false, {1, 2, 3, 31, 32, 33, 61, 62, 63, 91, 92, 93}},
        {"the fourth flash 29 frames after the first", {1, 2, 3, 30}, false, {1, 2, 3}},
        {"the fourth flash 30 frames after the first", {1, 2, 3, 31}, false, {1, 2, 3, 31}},
        {"five hits in 33 frames, as on Nomal",
         {197, 205, 217, 222, 229},
         false,
         {197, 205, 217, 229}},
        {"spread hits are all drawn", {10, 20, 30, 40, 50}, false, {10, 20, 30, 40, 50}},
        {"turned off", Range(1, 95), true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::set<int> drawn = DrawnFrames(c, 240);
        EXPECT_EQ(drawn, c.drawn);
        for (int first = 1; first <= 240; ++first) {
            const auto in_window = std::distance(drawn.lower_bound(first),
                                                 drawn.lower_bound(first + WhiteFlashWindowFrames));
            ASSERT_LE(in_window, static_cast<long>(MaxWhiteFlashes)) << "frames from " << first;
        }
    }
}

} // namespace
