#include "demo/demo_command.h"

#include <iostream>

#include "app/command_line.h"
#include "app/main_form.h"
#include "demo/demo.h"
#include "media/clock.h"
#include "media/tape_clock.h"

std::optional<Demo> LoadDemoToPlay(const std::string& path) {
    try {
        Demo demo = ReadDemo(path);
        if (demo.game_version != GameVersion()) {
            std::cerr << "brannock: " << path << ": recorded by brannock " << demo.game_version
                      << "; this is brannock " << GameVersion() << std::endl;
            return std::nullopt;
        }
        return demo;
    } catch (const DemoError& e) {
        std::cerr << "brannock: " << e.what() << std::endl;
        return std::nullopt;
    }
}

std::unique_ptr<DemoWriter> OpenDemoToRecord(const std::string& path) {
    try {
        return std::make_unique<DemoWriter>(path);
    } catch (const DemoError& e) {
        std::cerr << "brannock: " << e.what() << std::endl;
        return nullptr;
    }
}

int PlayDemoInWindow(TMainForm& form, TapeClock& clock, RealClock& wall, Demo demo,
                     const std::string& path) {
    clock.SetPacing(&wall);
    DemoPlayer player(form, clock, std::move(demo));
    player.Start();
    TApplication& application = form.Application;
    while (!application.Terminated() && !player.Finished()) application.Step(true);
    form.Close();
    if (!player.Divergence().empty()) {
        std::cerr << "brannock: " << path
                  << ": the game left the recording: " << player.Divergence() << std::endl;
        return 1;
    }
    if (player.Finished() && !player.Recording().complete)
        std::cerr << "brannock: " << path << ": played up to frame " << player.FramesPlayed()
                  << "; the demo " << player.Recording().cut << std::endl;
    return 0;
}

void RecordGameInWindow(TMainForm& form, TapeClock& clock, std::unique_ptr<DemoWriter> writer) {
    DemoRecorder recorder(form, clock, std::move(writer), GameVersion());
    form.Application.Run();
    recorder.Finish();
}
