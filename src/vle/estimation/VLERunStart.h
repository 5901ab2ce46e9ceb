// The calculation side of the estimation program's run start: the measured rows
// taken into the case in degrees Celsius and mmHg, the measured activity
// coefficients with the start temperatures of the bubble searches, and the
// diagram ranges. Each step returns the message to show (empty when it passed);
// what was stored before a failure stays stored.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace vlefit {

// Display temperature in the unit Case.T_Unit -> degC (1 degC, 2 K, 3 degF; other codes unchanged).
double Display_Temp_To_C(double t);
// Display pressure in the unit Case.P_Unit -> mmHg, and back, by the thermo
// library's conversion (a case in mmHg keeps its numbers exactly).
double Display_Press_To_mmHg(double p);
double mmHg_To_Display_Press(double pMmHg);
// Name of the display pressure unit Case.P_Unit (an unknown code converts as MPa).
const char* Display_Press_Unit();

// Why the system condition (VLE_TP_Type 1: a temperature, degC; 0: a pressure,
// mmHg) lies outside the suite's range of temperatures and pressures, naming
// the box; empty when it is inside.
std::string Condition_Range_Problem(double value);
// The same for the measured temperature (degC) or pressure (mmHg) of data row `row`, naming its cell.
std::string Data_Range_Problem(double measured, int row);

// The text of one data cell as a number: the whole text (blanks around it allowed)
// must be one finite number; an empty cell reads as 0. False for any other text.
bool Data_Cell_Value(const std::string& text, double& value);

// Why data cell (column 1..3, row) cannot be read, naming the column and row in
// the user's language; empty when it can (a blank cell too).
std::string Data_Cell_Problem(const std::string& text, int column, int row);

// The name of data cell (column 1..3, row) in messages: "x1 (row 3)", "x1（3行目）".
std::string Data_Cell_Name(int column, int row);

// Measured rows read from the grid's texts: column 1 in degC or mmHg.
struct DataRows {
  int n = 0;
  double measured[51] = {};
  double x1[51] = {};
  double y1[51] = {};
};

// Fit: the run start's rules (at least one row, 0 < x1, y1 < 1). Save: the rules
// of a case file that reads back (no row needed, 0 <= x1, y1 <= 1). Both take a
// measured temperature or pressure only inside the suite's range.
enum class RowRule { Fit, Save };

// Reads the measured rows (texts of columns 1..3: temperature or pressure, x1, y1)
// in order, up to the first row whose first cell is empty, converting column 1
// from the display units. Refuses, naming the row, a 51st row, a cell of a filled
// row that is blank or not a number, and values outside the rule's ranges.
// Touches no case data.
std::string Read_VLE_Data_Rows(const std::vector<std::array<std::string, 3>>& rows, RowRule rule, DataRows& out);

// Puts rows that were read into VLE: VLE_NData and the points of the case type.
void Put_VLE_Data_Rows(const DataRows& rows);

// Reads the rows by the fit rules and stores them only when every row passed:
// a refused row leaves the case's points as they were.
std::string Store_VLE_Data_Rows(const std::vector<std::array<std::string, 3>>& rows);

// Measured activity coefficients of every point into VLE_Gamma_Exp, from
// gamma_j = P y_j / (x_j Psat_j(t)); at constant pressure also every VLE_T_Calc
// set to the mean measured temperature. Refuses a temperature or pressure
// outside the suite's range and a point whose coefficients have no finite
// positive value.
std::string Calc_Gamma_Exp();

// Diagram ranges back to 0..1 on both axes.
void Reset_Graph_Range();

}  // namespace vlefit
