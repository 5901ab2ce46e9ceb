// Defaults, the Example-1 case and the material balance of the continuous column
// program, over the process-wide case data (Case).
#pragma once

#include <string>

// Resets the column case to its defaults (the window also hides its result button).
// Keeps the critical constants, Cp coefficients, EOS k(i, j), Tray_Press and the
// shortcut's calculation type, condenser, temperature flag, pressure and temperature.
void Dist_Initial_set();

// Clears what Dist_Initial_set keeps from the case that was open: critical
// constants, Cp coefficients, EOS k(i, j) and the stage pressures, so that an
// example starts from a clean case.
void Dist_Clear_Kept_Data();

// The column's inputs as one comparable value: components and their constants,
// methods and parameters, units, stages, pressures, products, feeds and side
// cuts. Two equal values mean results computed for one still hold for the other.
std::string Dist_Column_Inputs();

// Loads Example-1: methanol - ethanol - water - 1-propanol, Wilson, 15 stages, one
// feed of 380 kmol/h on stage 5, distillate 83 kmol/h, reflux ratio 3, pressures in
// mmHg, heats in kcal. Starts from Dist_Initial_set and ends with the material balance.
void Dist_Example1_set();

// Feed_Sum = the sum of the feed flows, kmol/h (0 without feed).
void Total_Feed_Calc();

// Feed_Sum, Side_Sum (all liquid and vapour side cuts) and Bottom_Flow = Feed_Sum -
// top products - Side_Sum, kmol/h. A bottoms flow of 0 or less is reported through
// Calc_Message ("Bottom流量[ -3 ]が負です。"); nothing else changes.
void Bottom_Flow_Calc();

// The same balance without the message (the engine's own use).
void Dist_Material_Balance();
