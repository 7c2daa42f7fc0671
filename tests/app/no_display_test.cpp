// The game without a usable display: one clear line on stderr and a non-zero status, soon,
// instead of an invisible game on the offscreen driver.
#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Outcome {
    bool exited = false; // false: still running after the limit, and killed
    int status = -1;
    std::string stderr_text;
    double seconds = 0;
};

// Runs the game (beside the tests) with exactly this environment.
Outcome RunGame(const std::vector<std::string>& environment) {
    const auto err_path = std::filesystem::temp_directory_path() /
                          ("brannock-nodisplay-" + std::to_string(::getpid()) + ".txt");
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&files, 2, err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    std::vector<char*> env;
    for (const auto& e : environment) env.push_back(const_cast<char*>(e.c_str()));
    env.push_back(nullptr);
    char program[] = "./brannock";
    char* argv[] = {program, nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    Outcome out;
    if (posix_spawn(&pid, program, &files, nullptr, argv, env.data()) != 0) return out;
    posix_spawn_file_actions_destroy(&files);
    // Generous: the game must give up on its own long before this.
    for (int i = 0; i < 1000 && !out.exited; ++i) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            out.exited = true;
            out.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    if (!out.exited) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    out.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::ifstream in(err_path);
    std::stringstream text;
    text << in.rdbuf();
    out.stderr_text = text.str();
    std::filesystem::remove(err_path);
    return out;
}

} // namespace

TEST(NoDisplay, AMissingDisplaySaysSoInOneLineAndFails) {
    const Outcome out = RunGame({"SDL_VIDEODRIVER=x11", "SDL_AUDIODRIVER=dummy"});
    ASSERT_TRUE(out.exited) << "the game kept running without a display";
    EXPECT_EQ(out.status, 1);
    EXPECT_EQ(out.stderr_text.rfind("ディスプレイがありません: ", 0), 0u) << out.stderr_text;
    EXPECT_NE(out.stderr_text.find("x11"), std::string::npos) << out.stderr_text;
    EXPECT_EQ(out.stderr_text.find('\n'), out.stderr_text.size() - 1) << out.stderr_text;
}

// A display server that takes the connection and never answers: the game gives up instead
// of waiting forever, and never falls back to drawing nowhere.
TEST(NoDisplay, ADisplayThatNeverAnswersIsGivenUpOn) {
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(listener, 4), 0);
    socklen_t length = sizeof address;
    ASSERT_EQ(getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
    const int port = ntohs(address.sin_port);
    ASSERT_GT(port, 6000) << "no port an X display number can name";
    const std::string display = "127.0.0.1:" + std::to_string(port - 6000);

    const Outcome out = RunGame({"DISPLAY=" + display, "SDL_AUDIODRIVER=dummy"});
    close(listener);
    ASSERT_TRUE(out.exited) << "the game waited for the display forever";
    EXPECT_EQ(out.status, 1);
    EXPECT_EQ(out.stderr_text, "ディスプレイがありません: " + display + " が応答しません\n");
}
