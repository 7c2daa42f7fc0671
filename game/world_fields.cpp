#include "game/world_fields.h"

#include <array>

namespace {

#define FIELD(name)                                                                                \
    { #name, &World::name }

const WorldScalarField Scalars[] = {
    FIELD(Robo_HP),          FIELD(Energy),          FIELD(Energy_Regen),
    FIELD(Missile_Stock),    FIELD(Button_Latch),    FIELD(Missile_Latch),
    FIELD(Blade_Latch),      FIELD(Camera_Latch),    FIELD(Guard_On),
    FIELD(Blade_Step),       FIELD(Shot_Timer),      FIELD(Turn_Pose),
    FIELD(Turn_Dir),         FIELD(Side_Dir),        FIELD(Walk_Sound_Latch),
    FIELD(Side_Sound_Latch), FIELD(Wing_Step),       FIELD(Wing_Closing),
    FIELD(Boss_HP),          FIELD(Boss_Damage),     FIELD(Boss_Active),
    FIELD(Boss_Down_Frames), FIELD(Victory_Frames),  FIELD(Boss_Walk_Step),
    FIELD(Boss_Walk_Up),     FIELD(Boss_Arm_Attack), FIELD(Boss_Arm_Frames),
    FIELD(Boss_Fire_Count),  FIELD(Teki_Fire_Count), FIELD(GH_Walk_Step),
    FIELD(GH_Walk_Up),       FIELD(Stage_No),        FIELD(Gate_Open),
    FIELD(Pose_Step),        FIELD(White_Flash),     FIELD(Frame_Interval),
    FIELD(Tick_Now),         FIELD(Tick_Last),       FIELD(Clock_Running),
    FIELD(Clock_Start),      FIELD(Play_Time),       FIELD(Prev_Play_Time),
    FIELD(Frame_ms),         FIELD(Total_Time),      FIELD(Blink_Level),
    FIELD(Blink_Down),       FIELD(Ending_Scroll),   FIELD(Ending_Rank),
    FIELD(Difficulty),       FIELD(Score),           FIELD(Light_Mode),
    FIELD(Alpha_Blend),      FIELD(No_Texture),      FIELD(No_Flash),
    FIELD(AC_Control),       FIELD(Camera_Mode),     FIELD(Back_Distance),
    FIELD(Display_Mode),     FIELD(Screen_Scale),    FIELD(Special1),
    FIELD(Special2),         FIELD(Play_Count),
};

const WorldVectorField Vectors[] = {
    FIELD(Robo_Pos),
    FIELD(Robo_Old_Pos),
    FIELD(Boss_Pos),
    FIELD(Boss_Robo_Rel),
};

const WorldRecordField Records[] = {
    FIELD(Robo_Body),    FIELD(Robo_Head),    FIELD(Robo_ThighR),  FIELD(Robo_ThighL),
    FIELD(Robo_LegR),    FIELD(Robo_LegL),    FIELD(Robo_ArmR1),   FIELD(Robo_ArmR2),
    FIELD(Robo_ArmL1),   FIELD(Robo_ArmL2),   FIELD(Robo_WingR),   FIELD(Robo_WingL),
    FIELD(Boss_A_Frame), FIELD(Boss_R_Frame), FIELD(Boss_L_Frame),
};

#undef FIELD

#define POOL(name, written)                                                                        \
    {                                                                                              \
#name, [](World& w) { return std::span<TParts>(w.name); },                                   \
     [](const World& w) { return std::span<const TParts>(w.name); }, written     \
    }

const WorldPoolField Pools[] = {
    POOL(Zako, true),      POOL(GH, true),       POOL(Tama, true),  POOL(Missile, true),
    POOL(Teki_Tama, true), POOL(Bakuhatu, true), POOL(Ring, false),
};

#undef POOL

} // namespace

std::span<const WorldScalarField> WorldScalars() {
    return Scalars;
}

std::span<const WorldVectorField> WorldVectors() {
    return Vectors;
}

std::span<const WorldPoolField> WorldPools() {
    return Pools;
}

std::span<const WorldRecordField> WorldRecords() {
    return Records;
}
