// Whether the machine's GL draws on the processor (Mesa's llvmpipe and friends). SDL's GL
// renderer then spends most of the game's time presenting frames, and merely opening a GL
// context maps the software rasteriser (a compiler's worth of memory) for the rest of the
// run. So the game asks in a short-lived child process: the question is started at the top
// of main, while the process still has one thread, and answered when the window opens.
#pragma once

// Forks the child that asks, unless SDL_RENDER_DRIVER names the renderer. Call it once,
// before anything starts a thread.
void StartGlProbe();

// True when there is no GL, or only a software one. Takes the started child's answer
// (waiting for it a little if it is not in yet); without a started child, asks in this
// process. A child that fails to answer counts as software GL.
bool OnlySoftwareGl();

// Runs ask() in a forked child and returns its answer: ask()'s value, or `fallback` when the
// child ends without answering or has not answered within patience_ms (it is then killed).
// The child never outlives this process. The fork must happen while the process has one
// thread.
class ChildQuestion {
public:
    explicit ChildQuestion(bool (*ask)());
    ~ChildQuestion();
    ChildQuestion(const ChildQuestion&) = delete;
    ChildQuestion& operator=(const ChildQuestion&) = delete;

    bool Answer(int patience_ms, bool fallback);

private:
    int pid_ = -1;
    int fd_ = -1;
};

// The question itself, asked in this process (the child calls it after starting video).
bool OnlySoftwareGlHere();
