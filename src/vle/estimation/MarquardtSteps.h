// The pieces of the two-parameter Marquardt fit (VLEFit.h), each a function of
// the point it is given: the parameter range, the differenced Jacobian, the
// normal equations, the objective's curvature, the probes along a direction and
// the moves onto and off a lower bound. Marquardt_Fit strings them together.
#pragma once

#include <vector>

#include "vle/estimation/FitObjective.h"

namespace vlefit::steps {

constexpr double kGradTol = 1e-5;     // normal equations: largest residual-column cosine
constexpr double kConvTol = 1e-6;     // a step this small relative to max(1, |p|) has converged
constexpr double kSlopeRel = 1e-8;    // a Newton step lowering F by more than this share of F is tried
// A differenced column is known to 1 / kResolve of itself only when the change of
// the residuals over the step, |J_j| h, stands that far above their precision.
constexpr double kResolve = 1e3;

// The point a fit stands on: parameters, objective and residuals r[1..m].
struct FitPoint {
  double p[2] = {0, 0};
  double F = 0;
  std::vector<double> r;
};

// Parameter j of the problem's range: clamped into [lower, upper], and a value
// within rounding of a bound (1e-12 of it, as p - d leaves it when d was meant
// to reach the bound) taken onto it.
double Clamp_To_Range(const LeastSquaresProblem& problem, int j, double v);
bool On_Lower(const LeastSquaresProblem& problem, int j, double v);
bool On_Upper(const LeastSquaresProblem& problem, int j, double v);

// The precision of a residual vector: the problem's own noise, or rounding.
double Residual_Precision(const LeastSquaresProblem& problem, const std::vector<double>& r);
// How much lower than F a value must be to be lower beyond the precision of
// residuals like r.
double Objective_Precision(const LeastSquaresProblem& problem, const std::vector<double>& r, double F);

// The differences actually taken for each column.
struct Columns {
  double h[2] = {0, 0};
  bool resolved[2] = {true, true};
  bool central[2] = {false, false};  // taken by central differences (both sides known)
};

// The residuals at p + h_j e_j and p - h_j e_j of the last differences (only the
// side taken for a one-sided column): with r0 they give the second differences.
struct Stencil {
  std::vector<double> plus[2], minus[2];
  explicit Stencil(int m);
};

// Jacobian J[0..1][1..m] at `at` by differences of step `h` (the problem's own,
// or 0.001 max(|p|, 1)): central where `central` and both points are within the
// range, else one-sided into it. A column lost in the residuals' precision is
// taken again with steps ten times larger, up to the problem's largest; near a
// lower bound with an inside point (at or below it) only when `nearBound` says
// so, as there the objective at the bound comes first. Only the columns of
// `which` are taken.
void Differences(FitObjective& objective, const FitPoint& at, bool central, std::vector<double>* J,
                 Stencil& stencil, Columns& cols, const bool (&which)[2] = {true, true}, bool nearBound = false);

// How far the normal equations J^T r = 0 are from holding over the free columns.
struct Stationarity {
  double cosine = 1;    // largest |J_j . r| / (|J_j| |r|): scale-free, relative to the objective
  bool holds = false;   // every free cosine within what the residuals' precision can resolve
  double step = 1e308;  // largest component of the undamped Gauss-Newton step (1e308: unknown)
  double delta[2] = {0, 0};  // that step (p - delta solves the linearised problem)
  // The free columns are nearly parallel: the objective may run in a curved
  // valley along the direction they barely tell apart.
  bool parallel = false;
  // The normal equations also hold on the columns' parts orthogonal to each
  // other (always true for columns that are not nearly parallel): the system
  // determines both parameters. Where not, a stationary point is a minimum only
  // if the objective rises along the direction the columns barely tell apart.
  bool determined = true;
};

// `noise` is the norm of the residuals' possible errors and cols.h the
// difference steps: a cosine is then uncertain by noise / |r| through the
// residuals and by about noise / (h |J_j|) through the differenced column, which
// a resolved column keeps below 1 / kResolve. An unresolved free column never
// holds: its cosine says nothing. Two free columns are degenerate where the part
// of one orthogonal to the other is lost in that precision.
Stationarity Normal_Equations(const std::vector<double>* J, const std::vector<double>& r, int m,
                              const bool* held, double noise, const Columns& cols);

// Half the Hessian of F = |r|^2 over the free parameters at a point where the
// normal equations hold: J^T J plus the residuals' second-order term
// sum r_k d2r_k, which J^T J (positive semidefinite by construction) leaves out
// and which alone can show a saddle.
struct Curvature {
  double H[2][2] = {{0, 0}, {0, 0}};
  double g[2] = {0, 0};   // J^T r over the free parameters
  double lmin = 0;        // smallest eigenvalue of H over the free parameters
  double error = 0;       // bound on its error from the residuals' precision and the steps
  double v[2] = {0, 0};   // unit direction of lmin
  bool known = false;     // every free column had its second difference
};

// Smallest eigenvalue of the symmetric [[a, b], [b, c]] and its unit direction.
void Smallest_Eigen(double a, double b, double c, double& lmin, double* v);

// The curvature at `at` over the parameters not `held`, from the residuals of
// the last central differences (`stencil`, `cols`): the second differences reuse
// them; a one-sided column takes one point further inside; the cross term takes
// one corner (two where one does not settle the sign of the curvature), and
// none where small residuals on a well-conditioned J^T J cannot make it vanish.
Curvature Measure_Curvature(FitObjective& objective, const FitPoint& at, const std::vector<double>* J,
                            const Stencil& stencil, const bool* held, const Columns& cols);

// The Newton step with the full curvature over the free parameters (p - d is
// the quadratic model's minimum) and the decrease of F the model promises for it.
struct NewtonStep {
  double d[2] = {0, 0};
  double decrease = 0;  // g . d (half the decrease of F)
};
NewtonStep Curvature_Newton(const Curvature& c, const bool* held);

// Probes of the objective from `at` along the unit direction `v`: both ways at
// each of `lengths` (in the parameters, shortest last or first as given). The
// first point lower than at.F by more than `tolF` is returned in `found`
// (true); false when at some length it rises both ways by more than tolF, or
// the lengths run out.
bool Probe(FitObjective& objective, const FitPoint& at, const double* v, const std::vector<double>& lengths,
           double tolF, FitPoint& found);

// Probes along the unit direction `v` that the free columns J barely tell apart
// (a curved valley of the objective): each point at a length of `lengths`
// (the descent side first: against the sign of g.v) is corrected by one
// Gauss-Newton step along the direction w orthogonal to v that the columns do
// determine, as the valley's floor moves in w while it runs along v; the first
// corrected point lower than at.F by more than `tolF` is returned in `found`.
bool Valley_Probe(FitObjective& objective, const FitPoint& at, const double* v, double gv,
                  const std::vector<double>* J, const std::vector<double>& lengths, double tolF, FitPoint& found);

// Moves parameter j of `at` to `value` when the objective is lower there (or,
// with `orEqual`, no higher within its precision); true when it moved.
bool Move_If_Lower(FitObjective& objective, FitPoint& at, int j, double value, bool orEqual, FitPoint& scratch);

}  // namespace vlefit::steps
