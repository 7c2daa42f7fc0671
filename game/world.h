// The game's whole shared state: one plain struct of the variables every game step reads
// and writes directly, owned by the main form. Start values are those of program load;
// FormCreate, START, scene construction and reset_game set the rest.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "game/frame_time.h"
#include "game/modes.h"
#include "game/start_places.h"
#include "game/white_flash.h"
#include "scene/engine/rm.h"

class TImage; // one of the form's hidden stage map pictures

// The record of every moving or animated thing: robot parts, enemies and their parts,
// shots, missiles, explosions, rings, boss parts.
struct TParts {
    rm::FramePtr Frame;
    double RotX = 0; // robot parts: forward tilt
    double RotZ = 0; // robot parts: sideways tilt
    int32_t Life = 0;
    int32_t Count = 0;
    double X = 0, Y = 0, Z = 0;
};

// Full hit points of the robot and of the boss, and the full energy gauge; the HUD draws
// each gauge one pixel per point.
constexpr int32_t FullHitPoints = 300;
constexpr double FullEnergy = 300.0;

constexpr int ShotCount = 6;
constexpr int ExplosionCount = 15;
constexpr int RingCount = 8;

struct World {
    // --- enemies and other object records ---
    std::array<TParts, ZakoCount> Zako;
    std::array<TParts, GHCount> GH;
    std::array<TParts, ShotCount> Tama;
    std::array<TParts, ShotCount> Missile;
    std::array<TParts, ShotCount> Teki_Tama;
    std::array<TParts, ExplosionCount> Bakuhatu;
    std::array<TParts, RingCount> Ring;
    std::array<TParts, GHCount> GH_Body, GH_Head, GH_FootR, GH_FootL, GH_FootR2, GH_FootL2;
    TParts Robo_Body, Robo_Head, Robo_ThighR, Robo_ThighL, Robo_LegR, Robo_LegL;
    TParts Robo_ArmR1, Robo_ArmR2, Robo_ArmL1, Robo_ArmL2, Robo_WingR, Robo_WingL;
    TParts Boss_A_Frame, Boss_R_Frame, Boss_L_Frame;

    // --- scene references ---
    rm::FramePtr Robo_Frame, Camera_Frame, Arena_Frame, Boss_Frame, Boss_Body_Frame;
    rm::MeshBuilderPtr Zako_Mesh, Block_Mesh, Pillar_Mesh, Door_Mesh, Gate_Mesh, Blade_Mesh;
    rm::MeshBuilderPtr Boss_Body_Mesh, Boss_A_Mesh, Boss_R_Mesh, Boss_L_Mesh;
    std::array<rm::LightPtr, ShotCount> Shot_Lights;
    std::array<rm::LightPtr, ShotCount> Teki_Shot_Lights;
    std::array<rm::LightPtr, ExplosionCount> Bakuhatu_Lights;
    const TImage* Map_Image = nullptr;  // player's map: black wall, red gate, blue boss room
    const TImage* Wall_Image = nullptr; // enemies' map: black wall

    // --- player ---
    int32_t Robo_HP = 0;
    double Energy = 0;
    double Energy_Regen = 0;
    int32_t Missile_Stock = 0;
    bool Button_Latch = false, Missile_Latch = false, Blade_Latch = false, Camera_Latch = false;
    bool Guard_On = false;
    int32_t Blade_Step = 0;
    int32_t Shot_Timer = 0;
    int32_t Turn_Pose = 0;
    int32_t Turn_Dir = 0;
    int32_t Side_Dir = 0;
    bool Walk_Sound_Latch = false, Side_Sound_Latch = false;
    rm::Vector Robo_Pos, Robo_Old_Pos;
    int32_t Wing_Step = 0;
    bool Wing_Closing = false;

    // --- boss and enemies ---
    int32_t Boss_HP = 0;
    int32_t Boss_Damage = 0;
    bool Boss_Active = false;
    int32_t Boss_Down_Frames = 0;
    int32_t Victory_Frames = 0;
    rm::Vector Boss_Pos, Boss_Robo_Rel;
    int32_t Boss_Walk_Step = 0;
    bool Boss_Walk_Up = false;
    bool Boss_Arm_Attack = false;
    int32_t Boss_Arm_Frames = 0;
    int32_t Boss_Fire_Count = 0;
    int32_t Teki_Fire_Count = 0;
    int32_t GH_Walk_Step = 0;
    bool GH_Walk_Up = false;

    // --- stage, flow and timing ---
    int32_t Stage_No = 0;
    bool Gate_Open = false;
    int32_t Pose_Step = 0;
    bool White_Flash = false;
    FlashAges Flash_Ages = NoRecentWhiteFlashes(); // the white flash's limiter
    bool Flash_Shown = false;                      // the last step's pictures are the white flash
    int32_t Frame_Interval = StandardFrameMs; // the game frames' pace (a test lever may change it)
    uint32_t Tick_Now = 0, Tick_Last = 0;
    bool Clock_Running = false;
    uint32_t Clock_Start = 0;
    int32_t Play_Time = 0;
    int32_t Prev_Play_Time = 0;
    int32_t Frame_ms = 0;
    int32_t Total_Time = 0;
    int32_t Blink_Level = 0;
    bool Blink_Down = false;
    double Ending_Scroll = 0;
    int32_t Ending_Rank = 0;

    // --- score and difficulty ---
    int32_t Difficulty = 0;
    std::string Difficulty_Name;
    int32_t Score = 0;

    // --- options and paths ---
    int32_t Light_Mode = 0;
    bool Alpha_Blend = false;
    bool No_Texture = false;
    bool No_Flash = false; // the player turned the white flash of a hit off
    // Beyond the design, each a setting of its own: the window losing the focus opens the
    // pause menu; Escape closes the program at once, as designed; the program closes
    // after a game's ending, as designed, instead of showing the panel again.
    bool Focus_Pause = true;
    bool Escape_Quits = false;
    bool Quit_After_Game = false;
    // Beyond the design, none of them game state: the music and effects volumes in percent,
    // all sound muted, and the language (language_choice).
    int32_t Music_Volume = 100;
    int32_t Effects_Volume = 100;
    bool Sound_Muted = false;
    int32_t Language_Choice = 0;
    // How often the game is drawn: 0 as often as the display shows pictures, otherwise this
    // many times a second; 30 or less: at the steps only, as designed.
    int32_t Frame_Rate = 0;
    bool AC_Control = false;
    int32_t Camera_Mode = 0;
    int32_t Back_Distance = 0;
    int32_t Display_Mode = 0;
    double Screen_Scale = 0;
    bool Special1 = false, Special2 = false;
    int32_t Play_Count = 0;
    std::string App_Dir; // program folder with a trailing '/'
    std::string Win_Dir; // per-user data folder (records)
    std::string Score_File, Time_File;
};

// The player is down and the boss is not: "GAME OVER" is shown.
inline bool GameOver(const World& w) {
    return w.Boss_HP != 0 && w.Robo_HP <= 0;
}

// Enemy hit points by difficulty: Eazy to Very Hard give the difficulty number to a zako
// and twice that to a G-walker; Practice and Time Attack give 2 and 4.
void SetEnemyHitPoints(World& world);
// The start places of every zako (with the turn flag) and G-walker.
void PlaceEnemiesAtStart(World& world);
