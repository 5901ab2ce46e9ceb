// Defaults and the two worked examples of the flash program, over the
// process-wide case data (Case).
#pragma once

// The temperature and pressure that the flash window shows in its text boxes,
// in the display units (T_Unit, P_Unit). They belong to the window, not to the
// case data; the examples and the case file set them.
struct FlashWindowValues {
  double Flash_Win_T = 0;  // display temperature unit
  double Flash_Win_P = 0;  // display pressure unit
};

// Resets the flash program's part of the case: the component slots 1..20, the
// memo, the interaction matrices (Wilson Lambda 1 everywhere, NRTL tau 0, EOS
// k(i, j) 0 with 1 on the diagonal), units degC / mmHg / kcal, ideal K-values,
// polynomial enthalpies, NRTL alpha 0.4. NC, Flash_Z and the flash results stay.
void Flash_Initial_set();

// Example 1: methanol - ethanol - water - 1-propanol with Wilson K-values and no
// heat balance, 80 degC and 760 mmHg in the window.
void Flash_Example1_set(FlashWindowValues& win);

// Example 2: ethane - propane - n-butane with SRK K-values, -10 degC and
// 10 kgf/cm2 in the window.
void Flash_Example2_set(FlashWindowValues& win);
