#include "tools/replay/state_json.h"

#include <iterator>
#include <string>
#include <variant>

#include "app/main_form.h"
#include "game/world_fields.h"

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
        {"Map_Image", ImageName(form, w.Map_Image)},
        {"Wall_Image", ImageName(form, w.Wall_Image)},
        {"Flash_Ages", w.Flash_Ages},
        {"Difficulty_Name", w.Difficulty_Name},
    };
    for (const WorldScalarField& scalar : WorldScalars())
        std::visit([&](auto member) { state[scalar.name] = w.*member; }, scalar.member);
    for (const WorldVectorField& vector : WorldVectors())
        state[vector.name] = VectorJson(w.*vector.member);
    for (const WorldPoolField& pool : WorldPools())
        if (pool.written) state[pool.name] = RecordsJson(pool.read(w));
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
