// Random continuous columns of the kinds users set up: 2-8 real components from
// the shipped data tables (Antoine, enthalpy polynomials, molar masses, Wilson
// and NRTL pairs), ideal, Wilson or NRTL liquids, 8-120 stages, a total
// condenser with a liquid distillate, the reflux a multiple of its Underwood
// minimum, one or two feeds from subcooled to superheated, pressure drop, trace
// components, with and without the heat balance, sharp and loose splits.
//
// A case is a pure function of (seed, index): the same pair gives the same
// column on every machine and build (own random numbers, no std distributions).
// Whether a case can be met at all is not decided here: ColumnReference.h
// solves its stage equations, and a case it cannot solve with every flow
// positive is not feasible.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct GenComponent {
  std::string name;
  double mw = 0;
  double a = 0, b = 0, c = 0;          // Antoine, log10 mmHg, degC
  double hv[3]{}, hl[3]{};            // kcal/kg polynomials in degC
  double tb = 0;                      // normal boiling point, degC (from Antoine)
};

struct GenFeed {
  int stage = 0;
  double flow = 0;  // kmol/h
  double t = 0;     // degC
  double vf = 0;    // vapour fraction as typed
  std::vector<double> z;
  std::string state;  // "subcooled", "liquid", "part", "vapour", "superheated"
};

struct GenColumn {
  int index = 0;
  uint64_t seed = 0;
  int kMethod = 1;  // 1 ideal, 2 Wilson, 3 NRTL
  int hMethod = 0;  // 1 heat balance
  std::vector<GenComponent> comps;  // ordered by normal boiling point, lightest first
  std::vector<std::vector<double>> lambda, tau;  // [i][j], 0-based
  double alpha = 0.3;
  int nt = 0;
  double pTop = 760, pBottom = 760;  // mmHg
  std::vector<GenFeed> feeds;
  double distillate = 0;  // kmol/h, liquid
  double reflux = 0;
  double refluxMin = 0;   // Underwood estimate the reflux was drawn against
  bool sharp = false;
  int trace = -1;         // the component fed as a trace, -1 none
  std::string Describe() const;
  // Stage pressure, mmHg, stages 1..nt: straight between top and bottom.
  double StagePressure(int j) const;
  // A short stable fingerprint of the case's numbers (compares case lists of two builds).
  uint64_t Hash() const;
};

// The component tables of the data folder (dataDir holds AntoineConstant.csv etc.).
// Throws std::runtime_error when a table is missing.
class ComponentTables {
 public:
  explicit ComponentTables(const std::string& dataDir);
  const std::vector<GenComponent>& Pool() const { return pool_; }
  // Pair parameters by component names (first index: the component served), false when absent.
  bool Wilson(const std::string& i, const std::string& j, double& lij, double& lji) const;
  bool Nrtl(const std::string& i, const std::string& j, double& tij, double& tji, double& alpha) const;

 private:
  struct Pair {
    std::string a, b;
    double p12, p21, alpha;
  };
  std::vector<GenComponent> pool_;
  std::vector<Pair> wilson_, nrtl_;
};

// The case (seed, index). Uses the library's activity coefficients (through the
// process-wide Case) for the feed conditions and the minimum reflux; leaves
// Case laid out with this column.
GenColumn Generate_Column(const ComponentTables& tables, uint64_t seed, int index);

// Lays the column into Case as the window's inputs would: units degC, mmHg,
// kcal; top and bottom pressures; the given estimates and iteration limits
// (default 20 / 30 times `limitFactor`); then the material balance and the
// Initial start (compositions, profile).
void Lay_Column(const GenColumn& col, double tTopEst, double tBottomEst, int limitFactor = 1);

// Pure normal boiling point of component i (0-based) at p mmHg, degC.
double Pure_Boiling_Point(const GenComponent& c, double pMmHg);
