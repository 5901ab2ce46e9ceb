// The texts that explain a batch step whose duties the column cannot meet:
// which flow came out negative (or ran away) on which plate, and which heat or
// which enthalpy data is to blame, in the case's language and heat unit. They
// read the step the plate model has just evaluated and change nothing.
#pragma once

#include <string>

// Why the step cannot be taken when one of its vapour or liquid flows, or the
// mode-3 distillate, came out negative; empty when none did. `withdrawal` and
// `mode` say which sweep gave the flows, dutyJh is the still's duty of the
// step (J/h). The flows are looked at in the order their sweep found them.
std::string Batch_Negative_Flow_Text(bool withdrawal, int mode, double dutyJh);

// Why flows that run away on `plate` (a step too long to split) cannot be cured
// by a shorter step: a component on some plate, the fastest first, whose
// vapour enthalpy is not above its liquid's; empty when no plate has one.
std::string Batch_Runaway_Flow_Text(int plate);
