// The white flash of a hit: at most three drawn in any 31 consecutive game frames, none
// when turned off, and White_Flash cleared every frame either way.
#include <gtest/gtest.h>

#include <set>

#include "game/white_flash.h"
#include "game/world.h"

namespace {

TEST(WhiteFlashTest, AtMostThreeInAnyThirtyOneFramesAndNoneWhenOff) {
    std::set<int> every_frame;
    for (int f = 1; f <= 95; ++f) every_frame.insert(f);
    struct Case {
        std::set<int> asked; // frames (from 1) whose hits ask for a flash
        bool off;
        std::set<int> drawn;
    };
    const Case cases[] = {
        {every_frame, false, {1, 2, 3, 32, 33, 34, 63, 64, 65, 94, 95}},
        {{1, 2, 3, 30}, false, {1, 2, 3}}, // the fourth 29 frames after the first
        // 30 frames after it (frames 1 to 31 take 990 ms), then 31 frames after it
        {{1, 2, 3, 31, 32}, false, {1, 2, 3, 32}},
        {{197, 205, 217, 222, 229}, false, {197, 205, 217, 229}}, // five hits on Nomal
        {every_frame, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.asked.size() << " asked" << (c.off ? ", off" : ""));
        World w;
        std::set<int> drawn;
        for (int frame = 1; frame <= 240; ++frame) {
            w.White_Flash = c.asked.contains(frame);
            if (TakeWhiteFlash(w, c.off)) drawn.insert(frame);
            EXPECT_FALSE(w.White_Flash);
        }
        EXPECT_EQ(drawn, c.drawn);
    }
}

} // namespace
