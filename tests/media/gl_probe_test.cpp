// The question about the machine's GL is asked in a child process: its answer comes back,
// and a child that dies or hangs neither blocks the game nor is left behind.
#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "media/gl_probe.h"

namespace {

bool Yes() {
    return true;
}
bool No() {
    return false;
}
bool Dies() {
    std::_Exit(3);
}
bool Hangs() {
    for (;;) pause();
}

// True when this process has no child left, running or unreaped.
bool NoChildren() {
    return waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD;
}

} // namespace

TEST(ChildQuestion, TheChildsAnswerComesBackWhicheverItIs) {
    for (bool fallback : {false, true}) {
        ChildQuestion yes(Yes);
        EXPECT_TRUE(yes.Answer(10000, fallback));
        ChildQuestion no(No);
        EXPECT_FALSE(no.Answer(10000, fallback));
    }
    EXPECT_TRUE(NoChildren());
}

TEST(ChildQuestion, AChildThatDiesOrHangsGivesTheFallbackAndIsReaped) {
    for (bool fallback : {false, true}) {
        ChildQuestion dies(Dies);
        EXPECT_EQ(dies.Answer(10000, fallback), fallback);
        ChildQuestion hangs(Hangs);
        EXPECT_EQ(hangs.Answer(100, fallback), fallback);
        EXPECT_TRUE(NoChildren());
    }
}

TEST(ChildQuestion, IsAnsweredOnceAndAnUnaskedChildGoesWithItsQuestion) {
    {
        ChildQuestion yes(Yes);
        EXPECT_TRUE(yes.Answer(10000, false));
        EXPECT_FALSE(yes.Answer(10000, false)) << "the second answer is the fallback";
        ChildQuestion hangs(Hangs);
    }
    EXPECT_TRUE(NoChildren());
}

TEST(GlProbe, WithoutAGlDriverTheStartedProbeSaysSoftware) {
    // SDL's dummy video driver has no GL at all.
    SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
    StartGlProbe();
    EXPECT_TRUE(OnlySoftwareGl());
    EXPECT_TRUE(NoChildren());
    EXPECT_TRUE(OnlySoftwareGl()) << "asked again, here";
}
