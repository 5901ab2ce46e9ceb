// The checks a batch case must pass before a run starts.
#pragma once

#include <string>

// The most steps a phase of a run may take (its longest time over its step).
constexpr double kMaxBatchSteps = 1.0e7;
// The most the history files of a run may take, bytes.
constexpr double kMaxRunFileBytes = 1.0e9;

struct BatchCheckResult {
  bool ok = true;
  std::string message;  // the refusal, in the language of Case.Language; empty when ok
};

// The calculate button's checks, in their fixed order, stopping at the first
// failure; the refusal is shown through Calc_Message and returned. A
// continuation whose component or plate count no longer matches is not a
// refusal: its notice is shown, Continue_Flag is cleared and the run will start
// from the charge. Copies QReb_TR into QReb before testing the duty. Beyond
// the counts and values that are missing, it refuses what would make the run
// divide by zero or never advance: fewer than 2 plates, an enthalpy model other
// than the temperature polynomial, a zero plate hold-up in the unit in use, a
// hold-up in m3 (no liquid density exists), a still left with nothing, and
// negative steps, times, charges or fractions, more than kMaxBatchSteps steps
// in a phase, history files beyond kMaxRunFileBytes, negative or non-finite pressures, a start temperature at or
// below absolute zero, and a product plan without flow (or duty) in mode 3.
BatchCheckResult Batch_Check_Case();

// The subset the run itself insists on before it starts (no message shown):
// a save interval of 0 (no saving) and a component absent from the charge are
// allowed here, as the run handles both.
BatchCheckResult Batch_Check_Run();
