// The enemies' per-frame steps.
#pragma once

class TMainForm;

void Move_Teki(TMainForm& form);
void Move_GH(TMainForm& form);
void walk(TMainForm& form);
void BossWalk(TMainForm& form);
void Yarareta_Boss(TMainForm& form);
void Teki_Shot(TMainForm& form);
