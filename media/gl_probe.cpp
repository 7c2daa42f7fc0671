#include "media/gl_probe.h"

#include <SDL.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "media/video_start.h"

bool OnlySoftwareGlHere() {
    SDL_Window* probe = SDL_CreateWindow("", 0, 0, 16, 16, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (probe == nullptr) return true; // no GL at all
    bool software = true;
    if (SDL_GLContext context = SDL_GL_CreateContext(probe)) {
        using GetString = const unsigned char* (*)(unsigned int);
        constexpr unsigned int GlRenderer = 0x1F01;
        auto get_string = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
        const unsigned char* name = get_string != nullptr ? get_string(GlRenderer) : nullptr;
        if (name != nullptr) {
            const std::string renderer = reinterpret_cast<const char*>(name);
            software = false;
            for (const char* rasteriser :
                 {"llvmpipe", "softpipe", "Software Rasterizer", "swrast", "SWR"})
                if (renderer.find(rasteriser) != std::string::npos) software = true;
        }
        SDL_GL_DeleteContext(context);
    }
    SDL_DestroyWindow(probe);
    return software;
}

ChildQuestion::ChildQuestion(bool (*ask)()) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return; // not inherited by programs the game starts
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid == 0) {
        // The child goes with the game, however the game ends (a display that never
        // answers ends it at once, and the child may be stuck on the same display).
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent) _exit(0);
        close(fds[0]);
        // Only the answer counts: what the libraries say on the way is the game's to say.
        const int quiet = open("/dev/null", O_WRONLY);
        if (quiet >= 0) {
            dup2(quiet, STDOUT_FILENO);
            dup2(quiet, STDERR_FILENO);
        }
        const char answer = ask() ? '1' : '0';
        ssize_t written;
        do written = write(fds[1], &answer, 1);
        while (written < 0 && errno == EINTR);
        _exit(0); // nothing of the parent's to flush or tear down
    }
    close(fds[1]);
    if (pid < 0) {
        close(fds[0]);
        return;
    }
    pid_ = pid;
    fd_ = fds[0];
}

ChildQuestion::~ChildQuestion() {
    Answer(0, true);
}

bool ChildQuestion::Answer(int patience_ms, bool fallback) {
    if (pid_ < 0) return fallback;
    char answer = 0;
    bool answered = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(patience_ms);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd p{fd_, POLLIN, 0};
        const int ready = poll(&p, 1, static_cast<int>(std::max<int64_t>(0, left.count())));
        if (ready < 0 && errno == EINTR) continue;
        if (ready > 0) {
            ssize_t got;
            do got = read(fd_, &answer, 1);
            while (got < 0 && errno == EINTR);
            answered = got == 1 && (answer == '0' || answer == '1');
        }
        break;
    }
    if (!answered) kill(pid_, SIGKILL);
    while (waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
    }
    close(fd_);
    pid_ = -1;
    fd_ = -1;
    return answered ? answer == '1' : fallback;
}

namespace {

// Long enough for a GL driver to load on a slow machine; the window waits no longer.
constexpr int ProbePatienceMs = 3000;

bool AskInChild() {
    // The child shares nothing with the game's display connection: it opens its own.
    if (!StartRealVideo().empty()) return true;
    return OnlySoftwareGlHere();
}

// The question started by main, one per process.
std::unique_ptr<ChildQuestion>& StartedProbe() {
    static std::unique_ptr<ChildQuestion> probe;
    return probe;
}

} // namespace

void StartGlProbe() {
    // A player's SDL_RENDER_DRIVER chooses the renderer: there is nothing to ask.
    const char* asked = SDL_getenv("SDL_RENDER_DRIVER");
    if (asked != nullptr && *asked != '\0') return;
    if (!StartedProbe()) StartedProbe() = std::make_unique<ChildQuestion>(AskInChild);
}

bool OnlySoftwareGl() {
    if (std::unique_ptr<ChildQuestion>& probe = StartedProbe()) {
        const bool software = probe->Answer(ProbePatienceMs, true);
        probe.reset();
        return software;
    }
    return OnlySoftwareGlHere();
}
