#include "demo/demo.h"

#include "app/game.h"
#include "app/main_form.h"
#include "media/report.h"

namespace {

struct TimedScreen {
    TDXTimer TMainForm::*timer;
    DemoScreen screen;
};
constexpr TimedScreen TimedScreens[] = {
    {&TMainForm::OPTimer, DemoScreen::Title},
    {&TMainForm::DXTimer, DemoScreen::Game},
    {&TMainForm::TunagiTimer, DemoScreen::Transition},
    {&TMainForm::EndingTimer, DemoScreen::Ending},
};

using FrameListener = std::function<void(DemoScreen screen, uint64_t presents_before)>;

// Lets `done` follow every call of a timed screen's handler (`begin` is told before it);
// returns the handlers as they were.
TimerHandlers FollowTimedScreens(TMainForm& form, const FrameListener& done,
                                 const std::function<void()>& begin = nullptr) {
    TimerHandlers saved;
    for (size_t i = 0; i < std::size(TimedScreens); ++i) {
        const TimedScreen& timed = TimedScreens[i];
        TDXTimer& timer = form.*timed.timer;
        auto handler = timer.OnTimer;
        saved[i] = handler;
        timer.OnTimer = [&form, handler, done, begin, screen = timed.screen](TDXTimer& sender,
                                                                             int lag) {
            const uint64_t before = form.DXDraw.PresentCount();
            if (begin) begin();
            if (handler) handler(sender, lag);
            done(screen, before);
        };
    }
    return saved;
}

// The handlers as they were (the demo objects go before the form).
void UnfollowTimedScreens(TMainForm& form, const TimerHandlers& saved) {
    for (size_t i = 0; i < std::size(TimedScreens); ++i)
        (form.*TimedScreens[i].timer).OnTimer = saved[i];
}

uint64_t StatesBits(const TDXInputStates& states) {
    return states.to_ullong();
}

} // namespace

DemoSettings SettingsOfStart(const TMainForm& form) {
    DemoSettings settings;
    for (size_t i = 0; i < DemoOptionCount; ++i)
        settings.values[i] =
            DemoValueOf(OptionTable[i], StoredValueOfWorld(OptionTable[i], form.world));
    return settings;
}

void PanelForSettings(TMainForm& form, const DemoSettings& settings) {
    // START adds the play count's own bonus modes; the recorded ones already hold them.
    for (size_t i = 0; i < DemoOptionCount; ++i) {
        const OptionRow& row = OptionTable[i];
        PrepareChoice(row, form.Panel1, form.world, StoredValueOfDemo(row, settings.values[i]));
    }
}

// ---------------------------------------------------------------- recording

DemoRecorder::DemoRecorder(TMainForm& form, std::unique_ptr<DemoWriter> writer,
                           std::string game_version)
    : form_(form), clock_(form.Tape), writer_(std::move(writer)),
      game_version_(std::move(game_version)) {
    start_ = form_.Panel1.Button1.OnClick;
    form_.Panel1.Button1.OnClick = [this, start = start_] {
        // One demo holds one game: a later START plays unrecorded.
        if (finished_) {
            if (start) start();
            return;
        }
        // START's own clock readings (the title screen's timer starting) belong to the
        // first frame.
        clock_.StartRecording();
        try {
            if (start) start();
        } catch (...) {
            clock_.StopRecording();
            throw;
        }
        Start();
    };
    handlers_ = FollowTimedScreens(
        form_, [this](DemoScreen screen, uint64_t before) { FrameDone(screen, before); },
        [this] { in_frame_ = true; });
    form_.DXInput1.OnUpdated = [this](TDXInputStates& states) { states_ = StatesBits(states); };
    // A timer that comes back with the focus reads the clock; under the pause menu none
    // does (the paused game's timer is stopped).
    listener_ = form_.Application.AddActivationListener([this](bool active) {
        if (active && recording_ && form_.Screens.Current() != Screen::Paused &&
            regains_ < UINT8_MAX)
            ++regains_;
    });
    form_.Screens.OnChange = [this](Screen now) {
        if (now == Screen::Panel) PanelShown();
    };
}

DemoRecorder::~DemoRecorder() {
    Finish();
    form_.Panel1.Button1.OnClick = start_;
    UnfollowTimedScreens(form_, handlers_);
    form_.DXInput1.OnUpdated = nullptr;
    form_.Application.RemoveActivationListener(listener_);
    form_.Screens.OnChange = nullptr;
}

// The game is over: the frame that brought the panel back is the demo's last.
void DemoRecorder::PanelShown() {
    if (in_frame_)
        finish_after_ = true;
    else
        Finish();
}

void DemoRecorder::Start() {
    if (recording_ || !writer_) return;
    recording_ = true;
    writer_->WriteHeader(game_version_, SettingsOfStart(form_));
}

void DemoRecorder::FrameDone(DemoScreen screen, uint64_t presents_before) {
    in_frame_ = false;
    if (finish_after_) {
        // Its readings are all taken: the panel's own would belong to no frame.
        finish_after_ = false;
        WriteFrame(screen, presents_before);
        Finish();
        return;
    }
    WriteFrame(screen, presents_before);
}

void DemoRecorder::WriteFrame(DemoScreen screen, uint64_t presents_before) {
    // A call that showed nothing (the display not drawable) is not a frame: its readings
    // go with the next one.
    if (!recording_ || form_.DXDraw.PresentCount() == presents_before) return;
    writer_->WriteFrame({screen, regains_, states_, clock_.TakeReadings()});
    regains_ = 0;
    ++frames_;
    if (!writer_->Failure().empty() && !failure_told_) {
        failure_told_ = true;
        ReportProblemLine("",
                          Format(Tr("%s。デモの記録はここまでです"), writer_->Failure().c_str()));
    }
}

void DemoRecorder::Finish() {
    if (!writer_ || finished_) return;
    finished_ = true;
    recording_ = false;
    clock_.StopRecording();
    writer_->Finish();
}

// ---------------------------------------------------------------- playback

DemoPlayer::DemoPlayer(TMainForm& form, Demo demo)
    : form_(form), clock_(form.Tape), demo_(std::move(demo)) {
    handlers_ = FollowTimedScreens(
        form_, [this](DemoScreen screen, uint64_t before) { FrameDone(screen, before); });
    form_.DXInput1.OnUpdated = [this](TDXInputStates& states) {
        if (next_ < demo_.frames.size()) states = TDXInputStates(demo_.frames[next_].states);
    };
    // The recording's focus changes are played back; the window's own are not.
    form_.Application.FollowFocus = false;
    form_.DemoPlayback = true;
    // The recording holds the input states the designed keys gave.
    form_.DesignedControlsOnly = true;
}

DemoPlayer::~DemoPlayer() {
    UnfollowTimedScreens(form_, handlers_);
    form_.DXInput1.OnUpdated = nullptr;
    form_.Application.FollowFocus = true;
}

void DemoPlayer::Start() {
    clock_.StartPlayback();
    form_.Application.SetActive(true);
    if (demo_.frames.empty()) {
        finished_ = true;
        return;
    }
    clock_.Feed(demo_.frames[0].readings);
    PanelForSettings(form_, demo_.settings);
    Button1Click(form_);
    for (int i = 0; i < demo_.frames[0].regains; ++i) {
        form_.Application.SetActive(false);
        form_.Application.SetActive(true);
    }
}

void DemoPlayer::LoadFrame() {
    const DemoFrame& frame = demo_.frames[next_];
    clock_.Feed(frame.readings);
    for (int i = 0; i < frame.regains; ++i) {
        form_.Application.SetActive(false);
        form_.Application.SetActive(true);
    }
}

void DemoPlayer::FrameDone(DemoScreen screen, uint64_t presents_before) {
    if (finished_ || form_.DXDraw.PresentCount() == presents_before) return;
    const DemoFrame& frame = demo_.frames[next_];
    const std::string where = "frame " + std::to_string(next_ + 1) + " ";
    if (screen != frame.screen)
        divergence_ = where + "ran the " + DemoScreenName(screen) + " screen; the " +
                      DemoScreenName(frame.screen) + " screen was recorded";
    else if (clock_.RanOut())
        divergence_ = where + "read the clock more often than recorded";
    else if (clock_.ReadingsLeft() != 0)
        divergence_ = where + "read the clock less often than recorded";
    ++played_;
    ++next_;
    frame_time_ = clock_.Time();
    if (!divergence_.empty() || next_ == demo_.frames.size()) {
        finished_ = true;
        return;
    }
    LoadFrame();
}
