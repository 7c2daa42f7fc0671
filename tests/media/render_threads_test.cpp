// BRANNOCK_THREADS: a good count is taken, anything else is reported and the default used.
#include <gtest/gtest.h>

#include <string>

#include "media/render_threads.h"
#include "scene/engine/rm.h"

namespace {

TEST(RenderThreadsSetting, AGoodCountIsTakenAnythingElseIsReportedOnce) {
    struct Row {
        const char* value;
        int count; // 0: the default
        bool reported;
    };
    const Row rows[] = {
        {nullptr, 0, false}, {"1", 1, false}, {"3", 3, false}, {"64", 64, false},
        {"0", 0, true},      {"65", 0, true}, {"", 0, true},   {"four", 0, true},
    };
    for (const Row& row : rows) {
        const int expected = row.count != 0 ? row.count : rm::DefaultRenderThreads();
        const RenderThreadsChoice choice = RenderThreadsSetting(row.value);
        EXPECT_EQ(choice.count, expected) << (row.value ? row.value : "unset");
        if (row.reported)
            EXPECT_TRUE(
                choice.problem.starts_with(std::string("BRANNOCK_THREADS=\"") + row.value + "\" "))
                << choice.problem;
        else
            EXPECT_EQ(choice.problem, "");
    }
}

} // namespace
