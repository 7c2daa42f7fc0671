// The player robot's per-frame steps.
#pragma once

class TMainForm;

void Guard_Action(TMainForm& form);
void Layzer_Brade(TMainForm& form);
void Move_Robo(TMainForm& form);
void Tama_Shot(TMainForm& form);
// Ends a running blade swing as its last step does: Blade_Step 0, the blade put away (it is
// never shown in the bonus modes), the body back in place. Also used by the victory pose
// and the boss's defeat.
void EndBladeSwing(TMainForm& form);
