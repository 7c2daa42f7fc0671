// BRANNOCK_THREADS: a good count is taken, anything else is reported and the default used.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "media/render_threads.h"
#include "scene/engine/rm.h"

namespace {

TEST(RenderThreadsSetting, AGoodCountIsTakenAnythingElseIsReportedOnce) {
    struct Row {
        const char* value;
        int count; // 0: the default
        bool reported;
    };
    const Row rows[] =
        {
            {nullptr, 0, false}, {"1", 1, false},   {"3", 3, false},
            {"64", 64, false},   {"0", 0, true},    {"65", 0, true},
            {"", 0, true},       {"four", 0, true}, {"3\nx", 0, true}, // said on one line
        };
    for (const Row& row : rows) {
        std::ostringstream errors;
        const int expected = row.count != 0 ? row.count : rm::DefaultRenderThreads();
        EXPECT_EQ(RenderThreadsSetting(row.value, errors), expected)
            << (row.value ? row.value : "unset");
        const std::string said = errors.str();
        if (row.reported) {
            const std::string value = row.value == std::string("3\nx") ? "3\\nx" : row.value;
            EXPECT_TRUE(said.starts_with("brannock: BRANNOCK_THREADS=\"" + value + "\" ")) << said;
            EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
        } else {
            EXPECT_EQ(said, "");
        }
    }
}

} // namespace
