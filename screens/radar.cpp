// The HUD's pictures: the stage map with markers, the cockpit scope, the radar around the
// player and the hit-point and energy gauges.
#include <cmath>

#include "game/context.h"
#include "game/pictures.h"
#include "media/display.h"
#include "media/image_list.h"
#include "screens/screens.h"

namespace {

constexpr int ScopeLastVictoryFrame = 109; // the scope goes at the 110th victory frame
constexpr int RadarSize = 100;
constexpr int RadarCentre = 47;           // the 6 x 6 enemy marker of a thing at the player's place
constexpr int GaugeWidth = FullHitPoints; // one pixel per point

// Positions become pixels by rounding to the nearest integer, halves to even. Values far
// beyond any surface are held at a billion so the conversion stays defined.
int R(double v) {
    if (!(v > -1e9)) return -1000000000; // also NaN
    if (v > 1e9) return 1000000000;
    return static_cast<int>(std::nearbyint(v));
}

// A frame's place relative to ref, or nothing for a frame that does not exist (yet).
bool PlaceOf(const rm::FramePtr& frame, const rm::FramePtr& ref, rm::Vector& at) {
    if (!frame || !ref) return false;
    at = frame->GetPosition(ref);
    return true;
}

// Every picture is drawn at the display's UI scale s, which is 1 in every designed mode.
void DrawMapMarker(const ScreenContext& screen, const rm::Vector& at, int pattern) {
    const int mx = R(0.2 * at.x), mz = R(0.2 * at.z);
    const int s = screen.display.UiScale();
    screen.images.Items(picture::Marker)
        .DrawPattern(screen.display.BackSurface(), s * (mx + 7),
                     screen.display.Height() - s * (11 + mz), pattern, s);
}

void DrawStageMap(const ScreenContext& screen) {
    World& w = screen.world;
    TDXDraw& draw = screen.display;
    const int s = draw.UiScale();
    screen.images.Items(picture::Map)
        .DrawPattern(draw.BackSurface(), 0, draw.Height() - 102 * s, w.Stage_No - 1, s);
    if (PlaceOf(w.Robo_Frame, draw.Scene(), w.Robo_Pos)) DrawMapMarker(screen, w.Robo_Pos, 0);
    rm::Vector at;
    for (const TParts& zako : w.Zako)
        if (zako.Life != 0 && PlaceOf(zako.Frame, draw.Scene(), at)) DrawMapMarker(screen, at, 1);
    for (const TParts& gh : w.GH)
        if (gh.Life != 0 && PlaceOf(gh.Frame, draw.Scene(), at)) DrawMapMarker(screen, at, 2);
}

void DrawScope(const ScreenContext& screen) {
    const World& w = screen.world;
    if (w.Camera_Mode != camera_mode::Cockpit || w.Victory_Frames > ScopeLastVictoryFrame) return;
    TDXDraw& draw = screen.display;
    const int s = draw.UiScale();
    screen.images.Items(picture::Scope)
        .DrawPattern(draw.BackSurface(), (draw.Width() - 100 * s) / 2 + 15 * s,
                     (draw.Height() - 100 * s) / 2 + 3 * s, 0, s);
}

// Enemy markers land on the radar surface, whose edges clip them; the radar square is
// then copied to the screen in one piece.
void DrawRadarSquare(const ScreenContext& screen) {
    World& w = screen.world;
    TDirectDrawSurface& radar = *screen.radar_surface;
    screen.images.Items(picture::Radar).DrawPattern(radar, 0, 0, 0);
    const TPictureCollectionItem& marker = screen.images.Items(picture::Enemy);
    auto draw_marker = [&](const TParts& enemy) {
        rm::Vector v;
        if (enemy.Life == 0 || !PlaceOf(enemy.Frame, w.Robo_Frame, v)) return;
        marker.DrawPattern(radar, R(0.25 * v.x) + RadarCentre, RadarCentre - R(0.25 * v.z), 0);
    };
    for (const TParts& zako : w.Zako) draw_marker(zako);
    for (const TParts& gh : w.GH) draw_marker(gh);
    TDXDraw& draw = screen.display;
    const int s = draw.UiScale();
    draw.BackSurface().CopyRect(draw.Width() - s * RadarSize, draw.Height() - s * RadarSize,
                                {0, 0, RadarSize, RadarSize}, radar, true, s);
}

// A bar of `value` pixels from the band starting at band_top; nothing for a value of 0
// or less (a negative width would copy the band mirrored).
void DrawBar(const ScreenContext& screen, int x, int y, int band_top, int height, int value) {
    if (value <= 0) return;
    const int s = screen.display.UiScale();
    screen.display.BackSurface().CopyRect(s * x, s * y, {0, band_top, value, band_top + height},
                                          *screen.gauge_surface, true, s);
}

void DrawGauges(const ScreenContext& screen) {
    const World& w = screen.world;
    TDirectDrawSurface& back = screen.display.BackSurface();
    const TDirectDrawSurface& gauge = *screen.gauge_surface;
    const int s = screen.display.UiScale();
    back.CopyRect(10 * s, 10 * s, {0, 0, GaugeWidth, 20}, gauge, true, s);
    DrawBar(screen, 10, 10, 20, 20, w.Robo_HP);
    back.CopyRect(10 * s, 40 * s, {0, 0, GaugeWidth, 10}, gauge, true, s);
    DrawBar(screen, 10, 40, 60, 10, R(w.Energy));
    if (w.Boss_Active) {
        back.CopyRect(330 * s, 10 * s, {0, 0, GaugeWidth, 20}, gauge, true, s);
        DrawBar(screen, 330, 10, 40, 20, w.Boss_HP);
    }
}

} // namespace

void Draw_Radar(const ScreenContext& screen) {
    DrawStageMap(screen);
    DrawScope(screen);
    if (screen.radar_surface) DrawRadarSquare(screen);
    if (screen.gauge_surface) DrawGauges(screen);
}
