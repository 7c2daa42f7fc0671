#include "demo/demo_command.h"

#include "app/command_line.h"
#include "app/main_form.h"
#include "demo/demo.h"
#include "media/report.h"

std::optional<Demo> LoadDemoToPlay(const std::string& path) {
    try {
        Demo demo = ReadDemo(path);
        if (demo.game_version != GameVersion()) {
            ReportProblemLine(path, "recorded by brannock " + demo.game_version +
                                        "; this is brannock " + GameVersion());
            return std::nullopt;
        }
        return demo;
    } catch (const DemoError& e) {
        ReportProblemLine("", e.what());
        return std::nullopt;
    }
}

std::unique_ptr<DemoWriter> OpenDemoToRecord(const std::string& path) {
    try {
        return std::make_unique<DemoWriter>(path);
    } catch (const DemoError& e) {
        ReportProblemLine("", e.what());
        return nullptr;
    }
}

int PlayDemoInWindow(TMainForm& form, Demo demo, const std::string& path) {
    form.Tape.SetPacing(&form.GameClock);
    DemoPlayer player(form, std::move(demo));
    player.Start();
    TApplication& application = form.Application;
    while (!application.Terminated() && !player.Finished()) application.Step(true);
    form.Close();
    if (!player.Divergence().empty()) {
        ReportProblemLine(path, "the game left the recording: " + player.Divergence());
        return 1;
    }
    if (player.Finished() && !player.Recording().complete)
        ReportProblemLine(path, "played up to frame " + std::to_string(player.FramesPlayed()) +
                                    "; the demo " + player.Recording().cut);
    return 0;
}

void RecordGameInWindow(TMainForm& form, std::unique_ptr<DemoWriter> writer) {
    DemoRecorder recorder(form, std::move(writer), GameVersion());
    form.Application.Run();
    recorder.Finish();
}
