// What the title screen and the stage transition screen share: the title picture and the
// blinking "Press ①Button" prompt.
#pragma once

struct ScreenContext;
struct World;

// The buttons of a sequence screen, once per press: button 2 beeps (it is looked at first,
// so holding both only beeps); true when button 1 acts.
bool SequenceStartPressed(const ScreenContext& screen);
// One step of the prompt's grey level: up by 25 to full white, then down to black, 21
// calls a period. The level and direction carry over from one screen to the next.
void BlinkStep(World& w);
// Black back surface, the title picture, one blink step, the prompt and the corner text.
void DrawTitleScreen(const ScreenContext& screen, const char* corner_text);
