#include "tools/replay/state_json.h"

#include <iterator>
#include <string>

#include "app/main_form.h"

namespace {

using nlohmann::json;

json RecordsJson(const auto& records) {
    json list = json::array();
    for (const TParts& record : records) {
        json entry = {{"Life", record.Life}, {"Count", record.Count}};
        if (record.Frame) {
            const rm::Vector p = record.Frame->GetPosition(nullptr);
            entry["x"] = p.x;
            entry["z"] = p.z;
        }
        list.push_back(entry);
    }
    return list;
}

json InputJson(const TDXInput& input) {
    json names = json::array();
    for (int s = 0; s < InputStateCount; ++s)
        if (input.States.test(static_cast<size_t>(s))) names.push_back(InputStateName(s));
    return names;
}

json VectorJson(const rm::Vector& v) {
    return {{"x", v.x}, {"y", v.y}, {"z", v.z}};
}

// The form's picture a stage map refers to, by its control name.
std::string ImageName(const TMainForm& form, const TImage* image) {
    const TImage* images[] = {&form.Image1, &form.Image2, &form.Image3,
                              &form.Image4, &form.Image5, &form.Image6};
    for (size_t i = 0; i < std::size(images); ++i)
        if (image == images[i]) return "Image" + std::to_string(i + 1);
    return "";
}

int RunningTimerFps(const TMainForm& form) {
    for (const TDXTimer* timer :
         {&form.DXTimer, &form.OPTimer, &form.TunagiTimer, &form.EndingTimer})
        if (timer->Enabled()) return timer->FramesPerSecond();
    return 0;
}

} // namespace

std::string ScreenName(const TMainForm& form) {
    if (form.Closed()) return "closed";
    switch (form.Screens.Current()) {
    case Screen::Panel:
        return "panel";
    case Screen::Title:
        return "opening";
    case Screen::Game:
        return "game";
    case Screen::Transition:
        return "transition";
    case Screen::Ending:
        return "ending";
    case Screen::Paused:
        return "paused";
    }
    return "";
}

json WorldStateJson(const TMainForm& form) {
    const World& w = form.world;
    json state = {
        {"screen", ScreenName(form)},
        {"input", InputJson(form.DXInput1)},
        {"fps", RunningTimerFps(form)},
        {"Robo_HP", w.Robo_HP},
        {"Energy", w.Energy},
        {"Energy_Regen", w.Energy_Regen},
        {"Missile_Stock", w.Missile_Stock},
        {"Button_Latch", w.Button_Latch},
        {"Missile_Latch", w.Missile_Latch},
        {"Blade_Latch", w.Blade_Latch},
        {"Camera_Latch", w.Camera_Latch},
        {"Guard_On", w.Guard_On},
        {"Blade_Step", w.Blade_Step},
        {"Shot_Timer", w.Shot_Timer},
        {"Turn_Pose", w.Turn_Pose},
        {"Turn_Dir", w.Turn_Dir},
        {"Side_Dir", w.Side_Dir},
        {"Walk_Sound_Latch", w.Walk_Sound_Latch},
        {"Side_Sound_Latch", w.Side_Sound_Latch},
        {"Robo_Pos", VectorJson(w.Robo_Pos)},
        {"Robo_Old_Pos", VectorJson(w.Robo_Old_Pos)},
        {"Wing_Step", w.Wing_Step},
        {"Wing_Closing", w.Wing_Closing},
        {"Boss_HP", w.Boss_HP},
        {"Boss_Damage", w.Boss_Damage},
        {"Boss_Active", w.Boss_Active},
        {"Boss_Down_Frames", w.Boss_Down_Frames},
        {"Victory_Frames", w.Victory_Frames},
        {"Boss_Pos", VectorJson(w.Boss_Pos)},
        {"Boss_Robo_Rel", VectorJson(w.Boss_Robo_Rel)},
        {"Boss_Walk_Step", w.Boss_Walk_Step},
        {"Boss_Walk_Up", w.Boss_Walk_Up},
        {"Boss_Arm_Attack", w.Boss_Arm_Attack},
        {"Boss_Arm_Frames", w.Boss_Arm_Frames},
        {"Boss_Fire_Count", w.Boss_Fire_Count},
        {"Teki_Fire_Count", w.Teki_Fire_Count},
        {"GH_Walk_Step", w.GH_Walk_Step},
        {"GH_Walk_Up", w.GH_Walk_Up},
        {"Stage_No", w.Stage_No},
        {"Gate_Open", w.Gate_Open},
        {"Map_Image", ImageName(form, w.Map_Image)},
        {"Wall_Image", ImageName(form, w.Wall_Image)},
        {"Pose_Step", w.Pose_Step},
        {"White_Flash", w.White_Flash},
        {"Flash_Ages", w.Flash_Ages},
        {"Frame_Interval", w.Frame_Interval},
        {"Tick_Now", w.Tick_Now},
        {"Tick_Last", w.Tick_Last},
        {"Clock_Running", w.Clock_Running},
        {"Clock_Start", w.Clock_Start},
        {"Play_Time", w.Play_Time},
        {"Prev_Play_Time", w.Prev_Play_Time},
        {"Frame_ms", w.Frame_ms},
        {"Total_Time", w.Total_Time},
        {"Blink_Level", w.Blink_Level},
        {"Blink_Down", w.Blink_Down},
        {"Ending_Scroll", w.Ending_Scroll},
        {"Ending_Rank", w.Ending_Rank},
        {"Difficulty", w.Difficulty},
        {"Difficulty_Name", w.Difficulty_Name},
        {"Score", w.Score},
        {"Light_Mode", w.Light_Mode},
        {"Alpha_Blend", w.Alpha_Blend},
        {"No_Texture", w.No_Texture},
        {"No_Flash", w.No_Flash},
        {"AC_Control", w.AC_Control},
        {"Camera_Mode", w.Camera_Mode},
        {"Back_Distance", w.Back_Distance},
        {"Display_Mode", w.Display_Mode},
        {"Screen_Scale", w.Screen_Scale},
        {"Special1", w.Special1},
        {"Special2", w.Special2},
        {"Play_Count", w.Play_Count},
        {"Zako", RecordsJson(w.Zako)},
        {"GH", RecordsJson(w.GH)},
        {"Tama", RecordsJson(w.Tama)},
        {"Missile", RecordsJson(w.Missile)},
        {"Teki_Tama", RecordsJson(w.Teki_Tama)},
        {"Bakuhatu", RecordsJson(w.Bakuhatu)},
    };
    if (w.Robo_Frame) {
        const rm::Vector p = w.Robo_Frame->GetPosition(nullptr);
        const rm::Vector d = w.Robo_Frame->GetWorldDirection();
        state["robo"] = {{"x", p.x}, {"y", p.y}, {"z", p.z}, {"dx", d.x}, {"dz", d.z}};
    }
    if (w.Boss_Frame) {
        const rm::Vector p = w.Boss_Frame->GetPosition(nullptr);
        state["boss"] = {{"x", p.x}, {"z", p.z}};
    }
    return state;
}
