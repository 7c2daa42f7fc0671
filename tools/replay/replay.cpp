#include "tools/replay/replay.h"
#include "game/waves.h"

#include <SDL.h>

#include <algorithm>
#include <cctype>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <set>
#include <sstream>
#include <vector>

#include "app/command_line.h"
#include "app/main_form.h"
#include "demo/demo.h"
#include "media/clock.h"
#include "media/report.h"
#include "options/controls_page.h"
#include "options/dialogs.h"
#include "options/panel_scale.h"
#include "options/settings_page.h"
#include "tools/replay/levers.h"
#include "tools/replay/png.h"
#include "tools/replay/script_line.h"
#include "tools/replay/state_json.h"

namespace {

// Idle passes allowed without a drawn frame before a frame command gives up.
constexpr int MaxPassesPerFrame = 200000;

class ReplayRun {
public:
    ReplayRun(std::istream& script, const std::string& out_dir)
        : script_(script), out_dir_(out_dir), application_(clock_), form_(application_) {
        application_.Title = "Brannock";
        application_.ErrorBox = [](const std::string& message) {
            ReportProblemLine("", "error box: " + message);
        };
        form_.DXWaveList1.OnPlay = [this](int index) {
            sounds_.push_back(form_.DXWaveList1.Items(index).Name);
        };
        form_.DXWaveList1.OnStop = [this](int index) {
            stopped_.push_back(form_.DXWaveList1.Items(index).Name);
        };
        state_.open(std::filesystem::path(out_dir) / "state.jsonl");
        if (!state_) throw std::runtime_error("cannot write " + out_dir + "/state.jsonl");
        dialogs_.open(std::filesystem::path(out_dir) / "dialogs.jsonl");
        if (!dialogs_) throw std::runtime_error("cannot write " + out_dir + "/dialogs.jsonl");
        // Dialogs are answered from the script; the help document is recorded, not opened.
        form_.ShowModal = [this](TModalDialog& dialog) { RunDialog(dialog); };
        // Scripts hold the designed keys, whatever bn.ini binds.
        form_.DesignedControlsOnly = true;
        form_.MailAndHP1.Opener = [this](const std::string& url) {
            WriteDialog({{"dialog", "help"}, {"document", url}});
            return std::string();
        };
        // Only the script's own pad: never one that happens to be plugged in.
        form_.DXInput1.OnlyVirtualJoysticks = true;
    }
    ~ReplayRun() { DetachPad(); }
    ReplayRun(const ReplayRun&) = delete;
    ReplayRun& operator=(const ReplayRun&) = delete;

    // Runs the script to its end or until the program closes.
    void Run() {
        std::string line;
        while (!form_.Closed() && std::getline(script_, line)) RunLine(++number_, line);
    }

    void RunLine(int number, const std::string& text) {
        const ScriptLine line = Read(number, text);
        const std::string& command = line.command;
        if (command.empty()) return;
        if (command == "check" || command == "uncheck")
            SetChecked(line.words[0], command == "check");
        else if (command == "trackbar")
            SetTrackBar(line.number);
        else if (command == "click")
            Click(line.words[0]);
        else if (command == "frames")
            Frames(line.number, line.keys);
        else if (command == "shot")
            Shot(line.words[0]);
        else if (command == "set") {
            Lever(command);
            Set(line.words[0], line.words[1]);
        } else if (command == "place") {
            Lever(command);
            Place(line);
        } else if (command == "answer")
            answers_.push_back(line.text);
        else if (command == "timer") {
            Lever(command);
            EnableTimer(line.words[0]);
        } else if (command == "window")
            ResizeWindow(line.width, line.height);
        else if (command == "desktop")
            ShowPanelAtScale(form_, PanelScaleFor(line.width, line.height));
        else if (command == "press")
            Press(line.key, line.modifiers);
        else if (command == "record")
            Record(line.text);
        else if (command == "play")
            Play(line.text);
        else if (command == "realtime")
            StartRealTime();
        else if (IsPadLine(command))
            PadLine(line);
        else
            Fail("'" + command + "' runs only while a dialog is up");
    }

    bool Closed() const { return form_.Closed(); }

private:
    [[noreturn]] void Fail(const std::string& message) const { throw ScriptError(line_, message); }

    // Reads a line; its number is the one errors name from here on.
    ScriptLine Read(int number, const std::string& text) {
        line_ = number;
        try {
            return ReadScriptLine(text);
        } catch (const ScriptLineError& e) {
            Fail(e.what());
        }
    }

    // --- dialogs: shown while the script's next lines run, until one answers ---

    // A script error inside a dialog passes through the game's own handlers (a button's
    // click, a frame timer), which would show it as an error box; it is kept here and
    // raised once control is back with the script.
    void RunDialog(TModalDialog& dialog) {
        if (failure_) {
            dialog.KeyDown(key_code::Escape, false, false);
            return;
        }
        TModalDialog* const outer = form_.Panel1.Modal;
        form_.Panel1.Modal = &dialog;
        if (form_.DXInput1.GamepadOpen()) dialog.UsePad();
        nlohmann::json record = DialogJson(dialog);
        std::string answer;
        try {
            if (!answers_.empty()) {
                answer = answers_.front();
                answers_.pop_front();
            } else {
                answer = AnswerFromScript(dialog);
            }
            if (!dialog.Closed()) Apply(dialog, answer);
        } catch (const ScriptError& e) {
            failure_ = e;
            dialog.KeyDown(key_code::Escape, false, false);
            if (!dialog.Closed()) dialog.ModalResult = TModalResult::Cancel;
            form_.Panel1.Modal = outer;
            return;
        }
        record["answer"] = answer;
        if (auto* input = dynamic_cast<TfrmInput*>(&dialog))
            record["name"] = input->ModalResult == TModalResult::OK ? input->Edit1.Text : "";
        WriteDialog(record);
        form_.Panel1.Modal = outer;
    }

    // Runs script lines while the dialog is up: shots, typing and the pad, until an answer
    // or until the pad closed it ("pad"). The end of the script closes it as Escape does.
    std::string AnswerFromScript(TModalDialog& dialog) {
        std::string line;
        while (std::getline(script_, line)) {
            const ScriptLine read = Read(++number_, line);
            if (read.command.empty()) continue;
            if (read.command == "shot")
                Shot(read.words[0]);
            else if (read.command == "type")
                dialog.TextInput(read.text);
            else if (read.command == "answer")
                return read.text;
            else if (IsPadLine(read.command))
                PadLine(read);
            else
                Fail(dialog.Name + " is waiting for an answer: only 'shot', 'type', 'answer' "
                                   "and the pad's lines run while it is up");
            if (dialog.Closed()) return "pad";
        }
        return "-";
    }

    // --- the pad: SDL's virtual game controller ---

    static bool IsPadLine(const std::string& command) {
        return command == "pad" || command == "tap" || command == "hold" || command == "stick";
    }

    void PadLine(const ScriptLine& line) {
        const std::string& command = line.command;
        if (command == "pad" && line.words[0] == "attach") {
            AttachPad();
        } else if (command == "pad") {
            if (pad_ == nullptr) Fail("no pad is attached");
            DetachPad();
        } else {
            if (pad_ == nullptr) Fail("'" + command + "' needs 'pad attach' first");
            if (command == "tap") {
                const int button = *line.buttons.begin();
                SDL_JoystickSetVirtualButton(pad_, button, 1);
                SDL_JoystickUpdate();
                SDL_JoystickSetVirtualButton(pad_, button, 0);
            } else if (command == "hold") {
                for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button)
                    SDL_JoystickSetVirtualButton(pad_, button,
                                                 line.buttons.count(button) != 0 ? 1 : 0);
            } else {
                const bool left = line.words[0] == "left";
                SDL_JoystickSetVirtualAxis(
                    pad_, left ? SDL_CONTROLLER_AXIS_LEFTX : SDL_CONTROLLER_AXIS_RIGHTX,
                    static_cast<Sint16>(line.stick_x));
                SDL_JoystickSetVirtualAxis(
                    pad_, left ? SDL_CONTROLLER_AXIS_LEFTY : SDL_CONTROLLER_AXIS_RIGHTY,
                    static_cast<Sint16>(line.stick_y));
            }
            SDL_JoystickUpdate();
        }
        DeliverEvents();
    }

    void AttachPad() {
        if (pad_ != nullptr) Fail("a pad is attached already");
        // The headless window never has the keyboard's focus, without which SDL keeps a
        // pad's buttons from the program.
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        if (SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER) != 0)
            Fail(std::string("cannot start SDL's game controllers: ") + SDL_GetError());
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "brannock-replay pad";
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        if (index >= 0) pad_ = SDL_JoystickOpen(index);
        if (pad_ == nullptr) Fail(std::string("cannot attach a virtual pad: ") + SDL_GetError());
        pad_id_ = SDL_JoystickInstanceID(pad_);
    }

    void DetachPad() {
        if (pad_ == nullptr) return;
        SDL_JoystickClose(pad_);
        pad_ = nullptr;
        for (int i = 0; i < SDL_NumJoysticks(); ++i) {
            if (SDL_JoystickGetDeviceInstanceID(i) == pad_id_) {
                SDL_JoystickDetachVirtual(i);
                break;
            }
        }
    }

    // The pad's lines act at once: the events they made (and any others waiting) reach
    // the program before the next line, the dialog up when there is one.
    void DeliverEvents() {
        // Taken straight from the queue: a poll stops at the mark an earlier poll left,
        // before events pushed since.
        SDL_PumpEvents();
        SDL_Event event;
        while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1) {
            if (event.type == SDL_QUIT || event.type == SDL_POLLSENTINEL) continue;
            try {
                if (form_.Panel1.Modal != nullptr)
                    DispatchModalEvent(form_, EventOf(event));
                else if (application_.OnEvent)
                    application_.OnEvent(EventOf(event));
            } catch (const std::exception& e) {
                application_.HandleException(e);
            }
            RaiseDialogFailure();
            if (form_.Panel1.Modal != nullptr && form_.Panel1.Modal->Closed()) break;
        }
    }

    void Apply(TModalDialog& dialog, const std::string& answer) {
        if (answer == "-") {
            dialog.KeyDown(key_code::Escape, false, false);
        } else if (answer.empty()) {
            dialog.KeyDown(key_code::Enter, false, false); // Enter: the dialog as it stands
        } else if (dynamic_cast<TfrmInput*>(&dialog) != nullptr) {
            dialog.TextInput(answer); // typed over the offered name, then OK
            dialog.KeyDown(key_code::Enter, false, false);
        } else if (auto* settings = dynamic_cast<TSettingsPage*>(&dialog);
                   settings != nullptr && answer == "controls") {
            // The controls page opens over the settings page; the next answers are its own,
            // then the settings page's.
            settings->ControlsButton.OnClick();
            Apply(dialog, AnswerFromScript(dialog));
        } else if (auto* controls = dynamic_cast<TControlsPage*>(&dialog)) {
            if (answer != "ok") Fail(dialog.Name + " takes 'answer ok' or 'answer -'");
            controls->OKButton.OnClick();
        } else if (auto* box = dynamic_cast<TMessageDialog*>(&dialog);
                   box != nullptr && box->ButtonKind == TMessageDialog::Kind::YesNo) {
            if (answer != "yes" && answer != "no")
                Fail("the question '" + box->Text + "' takes 'answer yes' or 'answer no'");
            box->ButtonList[answer == "yes" ? 0 : 1].OnClick();
        } else {
            if (answer != "ok") Fail(dialog.Name + " takes 'answer ok' or 'answer -'");
            dialog.KeyDown(key_code::Enter, false, false);
        }
        if (!dialog.Closed()) dialog.ModalResult = TModalResult::Cancel;
    }

    static nlohmann::json DialogJson(TModalDialog& dialog) {
        nlohmann::json record = {{"dialog", dialog.Name}, {"caption", dialog.Caption}};
        if (auto* input = dynamic_cast<TfrmInput*>(&dialog)) {
            record["texts"] = {input->Label1.Caption, input->Edit1.Text};
        } else if (auto* table = dynamic_cast<TfrmScore*>(&dialog)) {
            nlohmann::json rows = nlohmann::json::array();
            for (const TfrmScore::Row& row : table->Rows)
                rows.push_back(
                    {row.mNO.Caption, row.mPlayersName.Caption, row.mPlayersScore.Caption});
            record["texts"] = {table->Title.Caption};
            record["rows"] = rows;
            record["highlight"] = table->Highlight;
        } else if (auto* box = dynamic_cast<TMessageDialog*>(&dialog)) {
            nlohmann::json buttons = nlohmann::json::array();
            for (const TButton& b : box->ButtonList) buttons.push_back(CaptionText(b.Caption));
            record["texts"] = {box->Text};
            record["buttons"] = buttons;
        }
        return record;
    }

    void WriteDialog(const nlohmann::json& record) {
        dialogs_ << record.dump() << '\n';
        dialogs_.flush();
    }

    // --- demos ---

    // The test levers change the world behind the game's back: a demo of such a run would
    // not play back the same, so the two do not mix.
    void Lever(const std::string& command) {
        if (recorder_)
            Fail("'" + command + "' is a test lever: the demo recorded since line " +
                 std::to_string(record_line_) + " would not play back the same");
        levers_used_ = true;
    }

    void BeforeStart(const std::string& command) const {
        if (!form_.Panel1.Visible || form_.DXDraw.Initialized())
            Fail("'" + command + "' must come before START (click Button1)");
    }

    void Record(const std::string& path) {
        if (levers_used_)
            Fail("this run used test levers (set, place, timer): its demo would not play back "
                 "the same");
        if (recorder_ || player_) Fail("one demo per run");
        BeforeStart("record");
        std::unique_ptr<DemoWriter> writer;
        try {
            writer = std::make_unique<DemoWriter>(path);
        } catch (const DemoError& e) {
            Fail(e.what());
        }
        recorder_ = std::make_unique<DemoRecorder>(form_, std::move(writer), GameVersion());
        record_line_ = line_;
    }

    // Plays the demo to its end; the program then closes, as the game does.
    void Play(const std::string& path) {
        if (recorder_ || player_) Fail("one demo per run");
        BeforeStart("play");
        Demo demo;
        try {
            demo = ReadDemo(path);
        } catch (const DemoError& e) {
            Fail(e.what());
        }
        if (demo.game_version != GameVersion())
            Fail(path + ": recorded by brannock " + demo.game_version + "; this is brannock " +
                 GameVersion());
        player_ = std::make_unique<DemoPlayer>(form_, std::move(demo));
        try {
            player_->Start();
        } catch (const std::exception& e) {
            application_.HandleException(e);
        }
        while (!form_.Closed() && !player_->Finished()) RunFrame();
        if (!player_->Divergence().empty())
            Fail(path + ": the game left the recording: " + player_->Divergence());
        if (!form_.Closed()) {
            form_.Close();
            WriteState();
        }
        if (player_->Finished() && !player_->Recording().complete)
            ReportProblemLine(path, "played up to frame " +
                                        std::to_string(player_->FramesPlayed()) + "; the demo " +
                                        player_->Recording().cut);
    }

    // Hands the idle slot to a frame timer, as the game's screens hand over.
    void EnableTimer(const std::string& name) {
        const std::pair<const char*, Screen> timers[] = {{"DXTimer", Screen::Game},
                                                         {"OPTimer", Screen::Title},
                                                         {"TunagiTimer", Screen::Transition},
                                                         {"EndingTimer", Screen::Ending}};
        const auto chosen =
            std::find_if(std::begin(timers), std::end(timers),
                         [&name](const auto& timer) { return name == timer.first; });
        if (chosen == std::end(timers)) Fail("no frame timer named '" + name + "'");
        if (!form_.DXDraw.Initialized()) Fail(name + " needs the display: click Button1 first");
        form_.Screens.StartTimerOf(chosen->second);
        if (chosen->second == Screen::Ending) PlayWave(form_.MakeGameContext(), wave::Ending);
    }

    void RaiseDialogFailure() {
        if (!failure_) return;
        const ScriptError failure = *failure_;
        failure_.reset();
        throw failure;
    }

    void RequirePanel() const {
        if (!form_.Panel1.Visible) Fail("the options panel is no longer shown");
    }

    void SetChecked(const std::string& name, bool checked) {
        RequirePanel();
        if (TRadioButton* radio = form_.Panel1.FindRadioButton(name)) {
            if (!radio->Enabled || !radio->Visible) Fail(name + " cannot be used: it is disabled");
            if (checked)
                form_.Panel1.Check(*radio);
            else
                radio->Checked = false;
            return;
        }
        if (TCheckBox* box = form_.Panel1.FindCheckBox(name)) {
            if (!box->Enabled) Fail(name + " cannot be used: it is disabled");
            box->Checked = checked;
            return;
        }
        Fail("no radio button or check box named '" + name + "'");
    }

    void SetTrackBar(int position) {
        RequirePanel();
        form_.Panel1.TrackBar1.SetPosition(position);
    }

    void Click(const std::string& name) {
        RequirePanel();
        TButton* button = form_.Panel1.FindButton(name);
        if (button == nullptr) Fail("no button named '" + name + "'");
        if (!button->OnClick) Fail(name + " does nothing yet");
        try {
            button->OnClick();
        } catch (const std::exception& e) {
            application_.HandleException(e);
        }
        RaiseDialogFailure();
    }

    void Frames(int count, const std::set<uint32_t>& held) {
        form_.DXInput1.SetScriptedKeys(held);
        if (held.count(key_code::Escape) != 0) PushEscape(); // the form sees Escape as a key press
        for (int i = 0; i < count && !form_.Closed(); ++i) RunFrame();
    }

    // What the player's window manager does when the window's edge is dragged.
    void ResizeWindow(int width, int height) {
        if (!form_.DesktopWindow.IsOpen())
            Fail("'window' resizes the window mode's window: START in window mode first");
        SDL_SetWindowSize(form_.Window.sdl_window(), width, height);
    }

    // A key pressed and let go on the keyboard, seen by the next frame's events.
    void Press(int32_t key, uint16_t modifiers) {
        SDL_Event event{};
        event.key.keysym.sym = key;
        event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
        event.key.keysym.mod = modifiers;
        event.key.windowID = form_.Window.window_id();
        event.type = SDL_KEYDOWN;
        event.key.state = SDL_PRESSED;
        SDL_PushEvent(&event);
        event.type = SDL_KEYUP;
        event.key.state = SDL_RELEASED;
        SDL_PushEvent(&event);
    }

    void PushEscape() {
        SDL_Event event{};
        event.type = SDL_KEYDOWN;
        event.key.keysym.scancode = SDL_SCANCODE_ESCAPE;
        event.key.keysym.sym = SDLK_ESCAPE;
        event.key.windowID = form_.Window.window_id();
        SDL_PushEvent(&event);
    }

    void RunFrame() {
        const uint64_t presented = form_.DXDraw.PresentCount();
        for (int pass = 0; pass < MaxPassesPerFrame; ++pass) {
            const bool timer_running = application_.HasIdleSlot();
            application_.Step(false);
            RaiseDialogFailure();
            const bool panel_pass = !timer_running && !application_.HasIdleSlot();
            if (form_.Closed() || panel_pass || form_.DXDraw.PresentCount() != presented) {
                WriteState();
                return;
            }
            clock_.Advance(1); // the idle loop spins while the timer waits
        }
        Fail("no frame was drawn in " + std::to_string(MaxPassesPerFrame) + " idle passes");
    }

    // From here on each frame is shown no sooner than the wall clock allows, so the sound
    // device (which plays in real time) hears the game at its own speed.
    void StartRealTime() {
        real_time_ = true;
        wall_origin_ = wall_.Now();
        virtual_origin_ = clock_.Now();
    }

    void WriteState() {
        if (real_time_) wall_.WaitUntil(wall_origin_ + (clock_.Now() - virtual_origin_));
        ++frame_;
        nlohmann::json state = WorldStateJson(form_);
        state["frame"] = frame_;
        // The virtual clock, which goes on through a pause; a demo's frames show the time
        // they were recorded at.
        state["t"] = player_ ? player_->FrameTime() : clock_.Now();
        state["sounds"] = sounds_;
        state["stopped"] = stopped_;
        sounds_.clear();
        stopped_.clear();
        state_ << state.dump() << '\n';
        state_.flush();
    }

    // Test levers: they write state between frames and run no game step.
    void Set(const std::string& name, const std::string& value) {
        try {
            SetWorldValue(form_.world, name, value);
        } catch (const LeverError& e) {
            Fail(e.what());
        }
    }

    void Place(const ScriptLine& line) {
        try {
            PlaceFrame(form_, line.words[0], line.x, line.z, line.facing);
        } catch (const LeverError& e) {
            Fail(e.what());
        }
    }

    void Shot(const std::string& name) {
        const std::string path = (std::filesystem::path(out_dir_) / (name + ".png")).string();
        bool written = false;
        if (form_.Panel1.Modal != nullptr) {
            // A dialog is up: the window as the player sees it, dialog and all.
            form_.Panel1.Draw();
            std::vector<uint32_t> pixels;
            int width = 0, height = 0;
            if (form_.Window.ReadPixels(pixels, width, height))
                written = WritePng(path, pixels.data(), width, height);
        } else if (form_.DXDraw.Initialized()) {
            TDirectDrawSurface& back = form_.DXDraw.BackSurface();
            written = WritePng(path, back.Pixels(), back.Width(), back.Height());
        } else {
            if (form_.Panel1.Visible) form_.Panel1.Draw(); // as it stands now
            std::vector<uint32_t> pixels;
            int width = 0, height = 0;
            if (form_.Window.ReadPixels(pixels, width, height))
                written = WritePng(path, pixels.data(), width, height);
        }
        if (!written) Fail("cannot write " + path);
    }

    std::istream& script_;
    int number_ = 0; // script lines read so far
    std::string out_dir_;
    VirtualClock clock_;
    RealClock wall_;
    bool real_time_ = false;
    uint32_t wall_origin_ = 0, virtual_origin_ = 0;
    TApplication application_;
    TMainForm form_;
    // After the form: they go first.
    std::unique_ptr<DemoRecorder> recorder_;
    std::unique_ptr<DemoPlayer> player_;
    bool levers_used_ = false;
    int record_line_ = 0;
    std::ofstream state_;
    std::ofstream dialogs_;
    std::deque<std::string> answers_; // given before their dialog came up
    std::optional<ScriptError> failure_;
    SDL_Joystick* pad_ = nullptr; // the virtual pad, while attached
    SDL_JoystickID pad_id_ = -1;
    std::vector<std::string> sounds_;
    std::vector<std::string> stopped_;
    int frame_ = 0;
    int line_ = 0;
};

} // namespace

void RunReplay(std::istream& script, const std::string& out_dir) {
    std::filesystem::create_directories(out_dir);
    ReplayRun run(script, out_dir);
    run.Run();
}
