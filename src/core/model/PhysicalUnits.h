// The unit conversions every program of the suite shares.
#pragma once

// Kelvin at 0 degC: T(K) = t(degC) + kKelvinOffset; absolute zero is -kKelvinOffset degC.
inline constexpr double kKelvinOffset = 273.15;
inline constexpr double kAbsoluteZeroC = -kKelvinOffset;

// One standard atmosphere is 760 mmHg, 1.01325 bar and 0.101325 MPa (so 1 mmHg = 101325 / 760 Pa).
inline constexpr double kMmHgPerAtm = 760.0;
inline constexpr double kBarPerAtm = 1.01325;
inline constexpr double kMPaPerAtm = 0.101325;
inline constexpr double kMPaPerMmHg = kMPaPerAtm / kMmHgPerAtm;
inline constexpr double kMmHgPerMPa = kMmHgPerAtm / kMPaPerAtm;
inline constexpr double kMmHgPerBar = kMmHgPerAtm / kBarPerAtm;
