// The boss fight, one frame: walk at the robot, keep a short distance, strike with the arm,
// fire a fan of shots, take hits from shots, missiles and the blade, stay inside the room
// and sway while walking.
#include <cmath>

#include "enemies/enemies.h"
#include "enemies/enemy_shots.h"
#include "game/context.h"
#include "game/waves.h"
#include "scene/projectiles.h"
#include "scene/scene.h"

namespace {

// The room the boss cannot leave.
constexpr float RoomMinX = 5, RoomMaxX = 85, RoomMinZ = 155, RoomMaxZ = 265;

struct VolleyShot {
    rm::Vector position, direction;
    bool simple_light; // carries light 0 under simple lighting
};

// Five shots fanning out from the body's left side.
constexpr VolleyShot Volley[] = {
    {{-10, 0, 5}, {1, 0, 2.5f}, true},    {{-10, -2, 7}, {1, 0, 5}, false},
    {{-10, 0, 7}, {0, 0, 1}, false},      {{-10, 0, 7}, {-1, 0, 5}, false},
    {{-10, -2, 7}, {-1, 0, 2.5f}, false},
};

void MoveBoss(World& w) {
    w.Boss_Frame->Move(1.0f);
}

// The arm's strike at a robot in front of the boss's right side.
void ArmStrike(const GameContext& game, const rm::Vector& robot) {
    World& w = game.world;
    const rm::FramePtr& arm = w.Boss_A_Frame.Frame;
    if (w.Boss_Arm_Attack) {
        // The arm stays turned in until the strike has run its 27 frames.
        if (++w.Boss_Arm_Frames == 26) {
            w.Boss_Arm_Frames = 0;
            w.Boss_Arm_Attack = false;
        }
        return;
    }
    const rm::Vector& rel = w.Boss_Robo_Rel;
    // A downed robot is not struck any more: striking the wreck meant endless hits, points
    // lost and white flashes after "GAME OVER".
    const bool in_reach = rel.z >= 10 && rel.z <= 18 && rel.x >= -5 && rel.x <= 10;
    if (in_reach && w.Robo_HP > 0) {
        arm->SetOrientation(w.Boss_Body_Frame, -0.6f, 0, 1, 0, 1, 0);
        w.Boss_Arm_Attack = true;
        w.Score -= 10000;
        w.White_Flash = true;
        if (StartExplosion(game, robot.x, robot.z, 15)) PlayWave(game, wave::PlayerExplosion);
        w.Robo_HP -= EnemyHitDamage(w);
    } else {
        arm->SetOrientation(w.Boss_Body_Frame, 0, 0, 1, 0, 1, 0);
    }
}

void FireVolley(const GameContext& game) {
    World& w = game.world;
    if (w.Boss_Fire_Count < 22)
        ++w.Boss_Fire_Count;
    else
        w.Boss_Fire_Count = 0;
    if (w.Boss_Fire_Count != 1) return;
    for (const VolleyShot& shot : Volley)
        FireEnemyShot(game, w.Boss_Body_Frame, shot.position, shot.direction, shot.simple_light);
}

// A hit that took the boss's last hit points: the big explosion where the boss stood, its
// music and the play clock stop. Without a free explosion record none of it happens.
void Defeat(const GameContext& game) {
    World& w = game.world;
    w.Boss_HP = 0;
    StopWave(game, wave::BossBGM);
    w.Clock_Running = false;
    PlayWave(game, wave::BossExplosion);
}

// The explosion of a shot or missile hit at (x, z), or of the defeat.
void HitExplosion(const GameContext& game, float x, float z) {
    World& w = game.world;
    if (w.Boss_HP > 0) {
        if (StartExplosion(game, x, z, 12)) PlayWave(game, wave::EnemyHit);
    } else if (StartExplosion(game, w.Boss_Pos.x, w.Boss_Pos.z, 120)) {
        Defeat(game);
    }
}

// The first projectile of the pool inside the boss's hit box takes `damage`.
void ProjectileHits(const GameContext& game, std::array<TParts, ShotCount>& pool, float half_x,
                    float half_z, int32_t damage, std::span<const rm::LightPtr> lights) {
    World& w = game.world;
    for (size_t k = 0; k < pool.size(); ++k) {
        TParts& p = pool[k];
        if (p.Life == 0) continue;
        const rm::Vector rel = p.Frame->GetPosition(w.Boss_Frame);
        if (std::fabs(rel.x) >= half_x || std::fabs(rel.z) >= half_z) continue;
        w.Boss_HP -= damage;
        const rm::Vector at = p.Frame->GetPosition(nullptr);
        HitExplosion(game, at.x, at.z);
        ParkProjectile(game, p, LightForSlot(w.Light_Mode, lights, k));
        return;
    }
}

// The blade reaches the boss once a swing, on its 7th step.
void BladeHit(const GameContext& game) {
    World& w = game.world;
    if (w.Blade_Step != 7) return;
    const rm::Vector rel = w.Boss_Frame->GetPosition(w.Robo_Frame);
    if (!(rel.z > 0 && rel.z < 20 && rel.x > -20 && rel.x < 20)) return;
    w.Boss_HP -= 2 * w.Boss_Damage;
    const rm::Vector robot = w.Robo_Frame->GetPosition(nullptr);
    const rm::Vector boss = w.Boss_Frame->GetPosition(nullptr);
    if (w.Boss_HP > 0) {
        // Between the robot and the boss.
        if (StartExplosion(game, (robot.x + boss.x) / 2, (robot.z + boss.z) / 2, 12)) {
            w.Boss_Pos = boss;
            PlayWave(game, wave::EnemyHit);
        }
        return;
    }
    if (!StartExplosion(game, boss.x, boss.z, 120)) return;
    w.Boss_Pos = boss;
    // The killing swing ends at once: blade away, body straight.
    if (!w.Special1 && !w.Special2) w.Robo_ArmR2.Frame->DeleteVisual(w.Blade_Mesh);
    w.Robo_Body.Frame->SetPosition(w.Robo_Frame, 0, 0, 0);
    Defeat(game);
}

void ClampToRoom(World& w) {
    w.Boss_Pos = w.Boss_Frame->GetPosition(nullptr);
    float x = w.Boss_Pos.x, z = w.Boss_Pos.z;
    auto place = [&w, &x, &z] {
        w.Boss_Frame->SetPosition(nullptr, x, 0, z);
        MoveBoss(w);
    };
    if (x > RoomMaxX) {
        x = RoomMaxX;
        place();
    }
    if (x < RoomMinX) {
        x = RoomMinX;
        place();
    }
    if (z > RoomMaxZ) {
        z = RoomMaxZ;
        place();
    }
    if (z < RoomMinZ) {
        z = RoomMinZ;
        place();
    }
}

// Legs swing in opposite phase, the body bobs, a free arm sways: a 44-frame cycle.
void Sway(World& w) {
    if (w.Boss_Walk_Up) {
        if (++w.Boss_Walk_Step > 10) w.Boss_Walk_Up = false;
    } else {
        if (--w.Boss_Walk_Step < -10) w.Boss_Walk_Up = true;
    }
    const int s = w.Boss_Walk_Step;
    const auto fs = static_cast<float>(s);
    const rm::FramePtr& body = w.Boss_Body_Frame;
    w.Boss_R_Frame.Frame->SetOrientation(body, 0, fs, 25, 0, 1, 0);
    w.Boss_L_Frame.Frame->SetOrientation(body, 0, -fs, 25, 0, 1, 0);
    body->SetPosition(w.Boss_Frame, 0, static_cast<float>(std::abs(s)) / 12, 0);
    if (!w.Boss_Arm_Attack) w.Boss_A_Frame.Frame->SetOrientation(body, fs, 0, 40, 0, 1, 0);
}

} // namespace

void BossWalk(const GameContext& game) {
    World& w = game.world;
    if (w.Boss_HP <= 0) return;
    const rm::FramePtr& boss = w.Boss_Frame;

    boss->SetPosition(boss, 0, 0, 0.4f);
    MoveBoss(w);

    w.Boss_Robo_Rel = w.Robo_Frame->GetPosition(boss);
    const rm::Vector robot = w.Robo_Frame->GetPosition(nullptr);

    // Turns toward the robot by atan(1/25) a frame.
    boss->SetOrientation(boss, w.Boss_Robo_Rel.x > 0 ? 1.0f : -1.0f, 0, 25, 0, 1, 0);
    MoveBoss(w);

    if (w.Boss_Robo_Rel.z > 0 && w.Boss_Robo_Rel.z <= 14) {
        boss->SetPosition(boss, 0, 0, -0.6f); // backs off: 0.2 net this frame
        MoveBoss(w);
    }

    ArmStrike(game, robot);
    FireVolley(game);
    ProjectileHits(game, w.Tama, 15, 15, w.Boss_Damage, w.Shot_Lights);
    ProjectileHits(game, w.Missile, 18, 15, 2 * w.Boss_Damage, {});
    BladeHit(game);
    ClampToRoom(w);
    Sway(w);
}
