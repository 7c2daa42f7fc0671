// Recording a game as a demo and playing one back. Both attach to a form and its game
// clock's tape (TMainForm::Tape): the recorder tapes every clock reading and the input
// states of each frame of the timed screens; the player starts the game with the recorded
// settings and feeds the same readings and states back, frame by frame. A pause is no
// part of a demo: the game's time stands still through it and no frame runs.
//
// Failures: reading or creating a demo file throws DemoError (its message names the file);
// the demo commands report it (media/report.h) and refuse to start. A recording that
// cannot go on is reported once and stops; the game goes on.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "demo/demo_file.h"
#include "media/input.h"
#include "media/tape_clock.h"
#include "media/timer.h"

class TMainForm;

// The four timed screens' frame handlers (title, game, transition, ending).
using TimerHandlers = std::array<std::function<void(TDXTimer&, int)>, 4>;

// The settings START left in the world and on the panel.
DemoSettings SettingsOfStart(const TMainForm& form);
// Sets the panel and the play count so that START applies exactly these settings.
void PanelForSettings(TMainForm& form, const DemoSettings& settings);

class DemoRecorder {
public:
    // Records one game, from the next START until the panel comes back (or the program
    // closes). The writer is made by the caller (so a file that cannot be written is
    // refused before the game opens).
    DemoRecorder(TMainForm& form, std::unique_ptr<DemoWriter> writer, std::string game_version);
    ~DemoRecorder();
    DemoRecorder(const DemoRecorder&) = delete;
    DemoRecorder& operator=(const DemoRecorder&) = delete;

    // Writes the end mark and closes the file (without a START, the file is removed);
    // nothing is recorded after it.
    void Finish();
    int Frames() const { return frames_; }
    // A write error, once one happened.
    std::string Failure() const { return writer_ ? writer_->Failure() : std::string(); }

private:
    void Start();
    void FrameDone(DemoScreen screen, uint64_t presents_before);
    void WriteFrame(DemoScreen screen, uint64_t presents_before);
    void PanelShown();

    TMainForm& form_;
    TapeClock& clock_;
    TimerHandlers handlers_;
    std::function<void()> start_;
    std::unique_ptr<DemoWriter> writer_;
    std::string game_version_;
    bool recording_ = false;
    bool finished_ = false;
    bool in_frame_ = false;     // a timed screen's handler runs
    bool finish_after_ = false; // the panel came back in this frame: it is the last
    uint64_t states_ = 0;
    uint8_t regains_ = 0;
    int frames_ = 0;
    int listener_ = 0;
    bool failure_told_ = false;
};

class DemoPlayer {
public:
    // The form must be fresh (the options panel up, START not pressed).
    DemoPlayer(TMainForm& form, Demo demo);
    ~DemoPlayer();
    DemoPlayer(const DemoPlayer&) = delete;
    DemoPlayer& operator=(const DemoPlayer&) = delete;

    // START with the recorded settings; the first frame runs on the next timer tick.
    void Start();
    // True once every recorded frame ran, or the run left the recording.
    bool Finished() const { return finished_; }
    // Why the run left the recording (empty while it follows it).
    const std::string& Divergence() const { return divergence_; }
    int FramesPlayed() const { return played_; }
    // The clock as the last frame played left it (the next frame's focus changes may
    // already have taken readings of their own).
    uint32_t FrameTime() const { return frame_time_; }
    const Demo& Recording() const { return demo_; }

private:
    void LoadFrame();
    void FrameDone(DemoScreen screen, uint64_t presents_before);

    TMainForm& form_;
    TapeClock& clock_;
    TimerHandlers handlers_;
    Demo demo_;
    size_t next_ = 0; // the frame now loaded
    int played_ = 0;
    uint32_t frame_time_ = 0;
    bool finished_ = false;
    std::string divergence_;
};
