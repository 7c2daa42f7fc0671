// From stage to stage: the gate opening once every small enemy is gone, and the end of a
// stage after the victory pose (the transition screen is in screens/).
#include <algorithm>

#include "app/game.h"

namespace {

constexpr int LastStage = 3;

bool AllDead(const auto& records) {
    return std::all_of(records.begin(), records.end(),
                       [](const TParts& record) { return record.Life == 0; });
}

} // namespace

void Check_Zako_Clear(const GameContext& game) {
    World& w = game.world;
    if (!AllDead(w.Zako) || !AllDead(w.GH) || w.Gate_Open) return;
    w.Gate_Open = true;
    w.Arena_Frame->DeleteVisual(w.Gate_Mesh);
    w.Arena_Frame->DeleteVisual(w.Door_Mesh);
}

void EndStage(const ScreenContext& screen) {
    World& w = screen.world;
    if (w.Difficulty == difficulty::Practice) w.Stage_No = LastStage; // one stage only
    if (w.Stage_No == LastStage) {
        screen.ChangeScreen(Screen::Ending);
        return;
    }
    screen.ChangeScreen(Screen::Transition);
    w.Victory_Frames = 0;
    ++w.Stage_No;
    reset_game(screen);
}
