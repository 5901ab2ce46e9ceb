// The one range of temperatures and pressures that every program of the suite
// computes with, checked at each program's run start (flash, Wilson/NRTL fit,
// column, batch, UNIFAC, Antoine fit, property estimation).
//
//   temperature: above absolute zero, -273.15 degC (0 K), and at most 10000 degC;
//   pressure:    above 0 and at most 1000 MPa (about 9870 atm, 7.5e6 mmHg).
//
// Absolute zero is the kelvin's zero (0 degC = 273.15 K). The upper ends are
// limits of the suite, not of nature: every vapour-liquid equilibrium its
// models describe lies far inside them (the highest normal boiling point of any
// substance, tungsten's, is 5700 +- 200 degC by the International Tungsten
// Industry Association), while a value beyond them is a typing slip (1e308)
// that the Antoine, activity-coefficient and cubic models would turn silently
// into K-values near 1 or into numbers no display can hold.
#pragma once

#include <string>

#include "core/model/PhysicalUnits.h"

inline constexpr double kTempRangeLowC = kAbsoluteZeroC;   // degC, excluded
inline constexpr double kTempRangeHighC = 10000.0;  // degC
inline constexpr double kPressRangeHighMPa = 1000.0;  // MPa

// True when tC (degC) is a number with -273.15 < tC <= 10000.
bool Temp_In_Range(double tC);
// True when pMPa (MPa) is a number with 0 < pMPa <= 1000.
bool Press_In_Range(double pMPa);

// Empty when tC (degC) is in range; otherwise the refusal naming the field
// (fieldJa / fieldEn, as the window captions it) and the range, in the language
// of Case.Language.
std::string Temp_Range_Problem(double tC, const std::string& fieldJa, const std::string& fieldEn);
// The same for a pressure pMPa (MPa).
std::string Press_Range_Problem(double pMPa, const std::string& fieldJa, const std::string& fieldEn);
