// The demos the command line asks for: a demo to play is read and checked, and a demo to
// record is created, before anything opens; then the demo plays in the window, or the
// player's game is recorded into it.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "demo/demo_file.h"

class TMainForm;

// The demo at path, when this game can play it; otherwise says why on stderr.
std::optional<Demo> LoadDemoToPlay(const std::string& path);
// A writer for a demo at path; null, after saying why on stderr, when it cannot be written.
std::unique_ptr<DemoWriter> OpenDemoToRecord(const std::string& path);

// Plays the demo in the window until its end or Escape, paced by the game's clock at the
// recorded speed; the program's exit status (1 when the game left the recording).
int PlayDemoInWindow(TMainForm& form, Demo demo, const std::string& path);
// Runs the game as the player plays it and records its first game, from START until the
// panel comes back.
void RecordGameInWindow(TMainForm& form, std::unique_ptr<DemoWriter> writer);
