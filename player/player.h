// The player robot's per-frame steps.
#pragma once

class TMainForm;

void Guard_Action(TMainForm& form);
void Layzer_Brade(TMainForm& form);
void Move_Robo(TMainForm& form);
void Tama_Shot(TMainForm& form);
