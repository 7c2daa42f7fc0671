// The question about the machine's GL is asked in a child process: its answer comes back,
// and a child that dies or hangs neither blocks the game nor is left behind.
#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>

#include "media/gl_probe.h"
#include "tests/support/env_scope.h"

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
    const EnvScope video("SDL_VIDEODRIVER", "dummy");
    StartGlProbe();
    EXPECT_TRUE(OnlySoftwareGl());
    EXPECT_TRUE(NoChildren());
    EXPECT_TRUE(OnlySoftwareGl()) << "asked again, here";
}

namespace {
int told_pid_fd = -1; // where TellsItsPidAndHangs writes
bool TellsItsPidAndHangs() {
    const pid_t me = getpid();
    if (write(told_pid_fd, &me, sizeof me) != sizeof me) std::_Exit(4);
    for (;;) pause();
}
} // namespace

TEST(ChildQuestion, TheChildDoesNotOutliveAGameThatEndsAtOnce) {
    // The question's child tells the game its pid, the game passes it on here and ends.
    ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    int to_game[2], to_test[2];
    ASSERT_EQ(pipe(to_game), 0);
    ASSERT_EQ(pipe(to_test), 0);
    told_pid_fd = to_game[1];
    const pid_t game = fork();
    ASSERT_GE(game, 0);
    if (game == 0) {
        ChildQuestion question(TellsItsPidAndHangs);
        close(to_game[1]); // without a child to tell, the read below ends at once
        pid_t child = 0;
        if (read(to_game[0], &child, sizeof child) != sizeof child) std::_Exit(5);
        if (write(to_test[1], &child, sizeof child) != sizeof child) std::_Exit(6);
        std::_Exit(0); // as the no-display watchdog ends the game: no destructors
    }
    close(to_game[0]);
    close(to_game[1]);
    close(to_test[1]);
    pid_t child = 0;
    const ssize_t got = read(to_test[0], &child, sizeof child);
    close(to_test[0]);
    int status = 0;
    ASSERT_EQ(waitpid(game, &status, 0), game);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0) << "5: the child told nothing, 6: the test was not told";
    ASSERT_EQ(got, static_cast<ssize_t>(sizeof child));
    // This process took the orphan in: it can see how the child ended.
    int child_status = 0;
    pid_t reaped = 0;
    for (int i = 0; i < 1000 && reaped == 0; ++i) {
        reaped = waitpid(child, &child_status, WNOHANG);
        if (reaped == 0) usleep(10000);
    }
    if (reaped == 0) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    prctl(PR_SET_CHILD_SUBREAPER, 0);
    ASSERT_EQ(reaped, child) << "the question's child was still running";
    EXPECT_TRUE(WIFSIGNALED(child_status) && WTERMSIG(child_status) == SIGKILL);
}
