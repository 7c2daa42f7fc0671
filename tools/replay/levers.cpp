#include "tools/replay/levers.h"

#include <charconv>
#include <cmath>
#include <regex>
#include <span>
#include <variant>

#include "app/main_form.h"

namespace {

using Slot = std::variant<int32_t*, uint32_t*, double*, bool*>;

struct NamedSlot {
    const char* name;
    Slot slot;
};

std::vector<NamedSlot> Scalars(World& w) {
    return {
        {"Robo_HP", &w.Robo_HP},
        {"Energy", &w.Energy},
        {"Energy_Regen", &w.Energy_Regen},
        {"Missile_Stock", &w.Missile_Stock},
        {"Button_Latch", &w.Button_Latch},
        {"Missile_Latch", &w.Missile_Latch},
        {"Blade_Latch", &w.Blade_Latch},
        {"Camera_Latch", &w.Camera_Latch},
        {"Guard_On", &w.Guard_On},
        {"Blade_Step", &w.Blade_Step},
        {"Shot_Timer", &w.Shot_Timer},
        {"Turn_Pose", &w.Turn_Pose},
        {"Turn_Dir", &w.Turn_Dir},
        {"Side_Dir", &w.Side_Dir},
        {"Walk_Sound_Latch", &w.Walk_Sound_Latch},
        {"Side_Sound_Latch", &w.Side_Sound_Latch},
        {"Wing_Step", &w.Wing_Step},
        {"Wing_Closing", &w.Wing_Closing},
        {"Boss_HP", &w.Boss_HP},
        {"Boss_Damage", &w.Boss_Damage},
        {"Boss_Active", &w.Boss_Active},
        {"Boss_Down_Frames", &w.Boss_Down_Frames},
        {"Victory_Frames", &w.Victory_Frames},
        {"Boss_Walk_Step", &w.Boss_Walk_Step},
        {"Boss_Walk_Up", &w.Boss_Walk_Up},
        {"Boss_Arm_Attack", &w.Boss_Arm_Attack},
        {"Boss_Arm_Frames", &w.Boss_Arm_Frames},
        {"Boss_Fire_Count", &w.Boss_Fire_Count},
        {"Teki_Fire_Count", &w.Teki_Fire_Count},
        {"GH_Walk_Step", &w.GH_Walk_Step},
        {"GH_Walk_Up", &w.GH_Walk_Up},
        {"Stage_No", &w.Stage_No},
        {"Gate_Open", &w.Gate_Open},
        {"Pose_Step", &w.Pose_Step},
        {"White_Flash", &w.White_Flash},
        {"Frame_Interval", &w.Frame_Interval},
        {"Tick_Now", &w.Tick_Now},
        {"Tick_Last", &w.Tick_Last},
        {"Clock_Running", &w.Clock_Running},
        {"Clock_Start", &w.Clock_Start},
        {"Play_Time", &w.Play_Time},
        {"Prev_Play_Time", &w.Prev_Play_Time},
        {"Frame_ms", &w.Frame_ms},
        {"Total_Time", &w.Total_Time},
        {"Blink_Level", &w.Blink_Level},
        {"Blink_Down", &w.Blink_Down},
        {"Ending_Scroll", &w.Ending_Scroll},
        {"Ending_Rank", &w.Ending_Rank},
        {"Difficulty", &w.Difficulty},
        {"Score", &w.Score},
        {"Light_Mode", &w.Light_Mode},
        {"Alpha_Blend", &w.Alpha_Blend},
        {"No_Texture", &w.No_Texture},
        {"No_Flash", &w.No_Flash},
        {"AC_Control", &w.AC_Control},
        {"Camera_Mode", &w.Camera_Mode},
        {"Back_Distance", &w.Back_Distance},
        {"Display_Mode", &w.Display_Mode},
        {"Screen_Scale", &w.Screen_Scale},
        {"Special1", &w.Special1},
        {"Special2", &w.Special2},
        {"Play_Count", &w.Play_Count},
    };
}

struct NamedArray {
    const char* name;
    std::span<TParts> records;
};

std::vector<NamedArray> Arrays(World& w) {
    return {{"Zako", w.Zako},
            {"GH", w.GH},
            {"Tama", w.Tama},
            {"Missile", w.Missile},
            {"Teki_Tama", w.Teki_Tama},
            {"Bakuhatu", w.Bakuhatu},
            {"Ring", w.Ring}};
}

struct NamedRecord {
    const char* name;
    TParts* record;
};

std::vector<NamedRecord> Records(World& w) {
    return {{"Robo_Body", &w.Robo_Body},       {"Robo_Head", &w.Robo_Head},
            {"Robo_ThighR", &w.Robo_ThighR},   {"Robo_ThighL", &w.Robo_ThighL},
            {"Robo_LegR", &w.Robo_LegR},       {"Robo_LegL", &w.Robo_LegL},
            {"Robo_ArmR1", &w.Robo_ArmR1},     {"Robo_ArmR2", &w.Robo_ArmR2},
            {"Robo_ArmL1", &w.Robo_ArmL1},     {"Robo_ArmL2", &w.Robo_ArmL2},
            {"Robo_WingR", &w.Robo_WingR},     {"Robo_WingL", &w.Robo_WingL},
            {"Boss_A_Frame", &w.Boss_A_Frame}, {"Boss_R_Frame", &w.Boss_R_Frame},
            {"Boss_L_Frame", &w.Boss_L_Frame}};
}

Slot FieldOf(TParts& record, const std::string& field) {
    if (field == "RotX") return &record.RotX;
    if (field == "RotZ") return &record.RotZ;
    if (field == "Life") return &record.Life;
    if (field == "Count") return &record.Count;
    if (field == "X") return &record.X;
    if (field == "Y") return &record.Y;
    if (field == "Z") return &record.Z;
    throw LeverError("no record field '" + field + "' (RotX, RotZ, Life, Count, X, Y, Z)");
}

template <typename T> T ParseWhole(const std::string& word, const char* what) {
    T value{};
    const char* end = word.data() + word.size();
    const auto [stop, error] = std::from_chars(word.data(), end, value);
    if (word.empty() || error != std::errc() || stop != end)
        throw LeverError(std::string("expected ") + what + ", got '" + word + "'");
    return value;
}

double ParseReal(const std::string& word) {
    const double value = ParseWhole<double>(word, "a number");
    if (!std::isfinite(value)) throw LeverError("expected a finite number, got '" + word + "'");
    return value;
}

void Assign(const Slot& slot, const std::string& value) {
    std::visit(
        [&](auto* target) {
            using T = std::remove_pointer_t<decltype(target)>;
            if constexpr (std::is_same_v<T, bool>) {
                if (value != "0" && value != "1")
                    throw LeverError("expected 0 or 1, got '" + value + "'");
                *target = value == "1";
            } else if constexpr (std::is_same_v<T, double>) {
                *target = ParseReal(value);
            } else {
                *target = ParseWhole<T>(value, "a whole number");
            }
        },
        slot);
}

// NAME[INDEX] with INDEX in range of the array called NAME.
TParts& ArrayRecord(World& w, const std::string& name, const std::string& index_text) {
    for (const NamedArray& array : Arrays(w)) {
        if (name != array.name) continue;
        const int index = ParseWhole<int>(index_text, "an index");
        if (index < 0 || static_cast<size_t>(index) >= array.records.size())
            throw LeverError(name + "[" + index_text + "] is out of range (0.." +
                             std::to_string(array.records.size() - 1) + ")");
        return array.records[static_cast<size_t>(index)];
    }
    throw LeverError("no object array named '" + name + "'");
}

} // namespace

void SetWorldValue(World& w, const std::string& name, const std::string& value) {
    static const std::regex array_field(R"(([A-Za-z_]+)\[([^\]]*)\]\.([A-Za-z]+))");
    static const std::regex record_field(R"(([A-Za-z_0-9]+)\.([A-Za-z]+))");
    std::smatch m;
    if (std::regex_match(name, m, array_field)) {
        Assign(FieldOf(ArrayRecord(w, m[1], m[2]), m[3]), value);
        return;
    }
    if (std::regex_match(name, m, record_field)) {
        for (const NamedRecord& record : Records(w))
            if (m[1] == record.name) {
                Assign(FieldOf(*record.record, m[2]), value);
                return;
            }
        throw LeverError("no record named '" + m[1].str() + "'");
    }
    for (const NamedSlot& scalar : Scalars(w))
        if (name == scalar.name) {
            Assign(scalar.slot, value);
            return;
        }
    throw LeverError("no world variable named '" + name + "'");
}

void PlaceFrame(TMainForm& form, const std::string& what, float x, float z,
                std::optional<PlaceFacing> facing) {
    World& w = form.world;
    static const std::regex indexed(R"(([A-Za-z_]+)\[([^\]]*)\])");
    rm::FramePtr frame;
    std::smatch m;
    if (what == "robo")
        frame = w.Robo_Frame;
    else if (what == "boss")
        frame = w.Boss_Frame;
    else if (std::regex_match(what, m, indexed) && (m[1] == "Zako" || m[1] == "GH"))
        frame = ArrayRecord(w, m[1], m[2]).Frame;
    else
        throw LeverError("cannot place '" + what + "' (robo, boss, Zako[i], GH[i])");
    const rm::FramePtr& root = form.DXDraw.Scene();
    if (!frame || !root) throw LeverError("the scene is not built yet");
    if (facing && facing->dx == 0 && facing->dz == 0)
        throw LeverError("a facing of (0, 0) has no direction");
    frame->SetPosition(root, x, 0, z);
    if (facing) frame->SetOrientation(root, facing->dx, 0, facing->dz, 0, 1, 0);
}

float ParseLeverFloat(const std::string& word) {
    return static_cast<float>(ParseReal(word));
}
