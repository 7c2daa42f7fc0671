// What the title screen and the stage transition screen share: their own 33 ms pacing on
// the tick count, the title picture and the blinking "Press ①Button" prompt.
#pragma once

#include <cstdint>

class TMainForm;
struct World;

// Waits until ms milliseconds have passed since Tick_Last, then moves Tick_Last on.
void PaceSequenceFrame(TMainForm& form, uint32_t ms);
// The buttons of a sequence screen, once per press: button 2 beeps (it is looked at first,
// so holding both only beeps); true when button 1 acts.
bool SequenceStartPressed(TMainForm& form);
// One step of the prompt's grey level: up by 25 to full white, then down to black, 21
// calls a period. The level and direction carry over from one screen to the next.
void BlinkStep(World& w);
// Black back surface, the title picture, one blink step, the prompt and the corner text.
void DrawTitleScreen(TMainForm& form, const char* corner_text);
