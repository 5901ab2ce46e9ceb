#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/model/CalcMessages.h"
#include "vle/estimation/VLEFit.h"
#include "vle/estimation/VLERunStart.h"
#include "vle/estimation/VLETestSupport.h"

using namespace vlefit;
using namespace vlefit::test;

namespace {

// Every local minimum of the five objectives, inside the fit's ranges, on 41
// data sets (the two examples' measured points fitted by Wilson and by NRTL, and
// 37 sets made from known pairs, some with noise, some at a fixed temperature),
// found independently by
// tools/vle_fit/bounded_minima.py: its own Levenberg-Marquardt from a grid and
// from the starts below, bound minima by fixing a member, each checked by its
// neighbours.
struct Minimum {
  int obj;
  double p1, p2, F;
  std::string where;  // in, lo1, lo2, hi1, hi2, corner (both on bounds)
};

struct DataSet {
  std::string name;
  bool wilson = true;
  int tp = 0;
  double condition = 0, alpha = 0.4;
  double ant[6] = {};
  std::vector<std::array<double, 3>> points;
  std::vector<Minimum> minima;
};

std::vector<DataSet> ReadSets() {
  std::ifstream in(std::string(VZ_SOURCE_DIR) + "/tests/vle/estimation/varied_fit_minima.txt");
  std::vector<DataSet> sets;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream s(line);
    std::string kind;
    s >> kind;
    if (kind == "set") {
      DataSet d;
      std::string model;
      int n = 0;
      s >> d.name >> model >> d.tp >> d.condition >> d.alpha;
      for (double& a : d.ant) s >> a;
      s >> n;
      d.wilson = model == "W";
      sets.push_back(d);
    } else if (kind == "pt") {
      std::array<double, 3> p{};
      s >> p[0] >> p[1] >> p[2];
      sets.back().points.push_back(p);
    } else if (kind == "min") {
      Minimum m;
      s >> m.obj >> m.p1 >> m.p2 >> m.F >> m.where;
      sets.back().minima.push_back(m);
    }
  }
  return sets;
}

void LoadSet(const DataSet& d, int obj, double s1, double s2) {
  ResetAll();
  Case.Language = 1;
  for (int i = 1; i <= 2; ++i) {
    Case.Antoine_A[i] = d.ant[3 * i - 3];
    Case.Antoine_B[i] = d.ant[3 * i - 2];
    Case.Antoine_C[i] = d.ant[3 * i - 1];
  }
  if (d.wilson)
    UseWilson(s1, s2);
  else
    UseNrtl(s1, s2, d.alpha);
  VLE.VLE_TP_Type = d.tp;
  if (d.tp == 0)
    VLE.VLE_Press = d.condition;
  else
    VLE.VLE_Temp = d.condition;
  VLE.VLE_NData = static_cast<int>(d.points.size());
  for (size_t k = 0; k < d.points.size(); ++k) {
    (d.tp == 0 ? VLE.VLE_T_Data : VLE.VLE_P_Data)[k + 1] = d.points[k][0];
    VLE.VLE_X1_Data[k + 1] = d.points[k][1];
    VLE.VLE_Y1_Data[k + 1] = d.points[k][2];
  }
  ASSERT_EQ(Calc_Gamma_Exp(), "");
  VLE.VLE_Obj_Type = obj;
}

// The fitted pair against a reference minimum: the same sum of squares, and the
// pair within what the flatness of the valley lets either side pin down.
bool Matches(const DataSet& d, const FitResult& r, const Minimum& m) {
  const double fTol = 1e-6 * m.F + 1e-14;
  if (std::fabs(r.objective - m.F) > fTol) return false;
  auto close = [&](double a, double b) {
    if (d.wilson) return std::fabs(std::log(a / b)) < 2e-3;
    return std::fabs(a - b) < 2e-3 * std::max(1.0, std::fabs(b));
  };
  return close(r.p1, m.p1) && close(r.p2, m.p2);
}

std::string Where(const DataSet& d, const FitResult& r) {
  if (r.status == FitStatus::Converged) return "in";
  const double limit = NRTL_Tau_Limit(d.alpha);
  auto onBound = [&](double p) {
    return d.wilson ? p == kWilsonLambdaMin || p == kWilsonLambdaMax : std::fabs(p) == limit;
  };
  if (onBound(r.p1) && onBound(r.p2)) return "corner";
  return std::string(r.boundUpper ? "hi" : "lo") + std::to_string(r.boundParameter);
}

const std::vector<std::pair<double, double>> kWilsonStarts = {{1, 1},      {0.001, 0.001}, {1e-6, 1e-6}, {0.03, 0.03},
                                                              {10, 10},    {100, 0.01},    {0.2, 3}};
const std::vector<std::pair<double, double>> kNrtlStarts = {{0, 0}, {10, -3}, {-3, 10}, {5, 5},
                                                            {-2, -2}, {20, 20}, {1, -1}};

TEST(VLEFitStarts, EveryMinimumClaimedFromSevenStartsIsAnIndependentMinimum) {
  const std::vector<DataSet> sets = ReadSets();
  ASSERT_EQ(sets.size(), 41u);
  int fits = 0, atMinimum = 0, otherStarts = 0, otherAtMinimum = 0;
  for (const DataSet& d : sets) {
    ASSERT_FALSE(d.points.empty()) << d.name;
    for (int obj = 1; obj <= 5; ++obj) {
      double fMin = 1e308;
      for (const Minimum& m : d.minima)
        if (m.obj == obj) fMin = std::min(fMin, m.F);
      ASSERT_LT(fMin, 1e308) << d.name << " objective " << obj;
      const auto& starts = d.wilson ? kWilsonStarts : kNrtlStarts;
      for (size_t k = 0; k < starts.size(); ++k) {
        SCOPED_TRACE(d.name + " objective " + std::to_string(obj) + " from (" + std::to_string(starts[k].first) +
                     ", " + std::to_string(starts[k].second) + ")");
        LoadSet(d, obj, starts[k].first, starts[k].second);
        CalcMessageRecorder rec;
        const FitResult r = Marquardt();
        ++fits;
        ASSERT_TRUE(std::isfinite(r.objective) && std::isfinite(r.p1) && std::isfinite(r.p2));
        // Never below the lowest minimum in the ranges.
        EXPECT_GE(r.objective, fMin * (1 - 1e-6) - 1e-14);
        if (d.wilson) {
          EXPECT_TRUE(r.p1 >= kWilsonLambdaMin && r.p1 <= kWilsonLambdaMax && r.p2 >= kWilsonLambdaMin &&
                      r.p2 <= kWilsonLambdaMax);
        } else {
          const double limit = NRTL_Tau_Limit(d.alpha);
          EXPECT_TRUE(std::fabs(r.p1) <= limit && std::fabs(r.p2) <= limit);
        }
        if (At_Minimum(r.status)) {
          ++atMinimum;
          const std::string where = Where(d, r);
          bool found = false;
          for (const Minimum& m : d.minima) found = found || (m.obj == obj && m.where == where && Matches(d, r, m));
          EXPECT_TRUE(found) << Fit_Status_Message(r) << " at (" << r.p1 << ", " << r.p2 << ") F " << r.objective
                             << " " << where;
          if (r.status == FitStatus::AtBound) {
            bool told = false;
            for (const std::string& m : rec.Messages()) told = told || m.find("another start") != std::string::npos;
            EXPECT_TRUE(told);
          } else {
            // Converged says nothing of its own; bubble points that failed at trial
            // pairs on the way may be reported.
            EXPECT_TRUE(Fit_Status_Message(r).empty());
            for (const std::string& m : rec.Messages()) EXPECT_EQ(m.find("Bubble No-Convergence"), 2u) << m;
          }
        } else {
          // Any other end says that it is not a minimum.
          EXPECT_FALSE(Fit_Status_Message(r).empty()) << static_cast<int>(r.status);
          EXPECT_FALSE(rec.Messages().empty());
        }
        if (k == 0) {
          // The default start keeps finding a minimum.
          EXPECT_TRUE(At_Minimum(r.status)) << static_cast<int>(r.status) << " at (" << r.p1 << ", " << r.p2
                                            << ") F " << r.objective;
        } else {
          ++otherStarts;
          otherAtMinimum += At_Minimum(r.status) ? 1 : 0;
        }
      }
    }
  }
  EXPECT_EQ(fits, 41 * 5 * 7);
  EXPECT_GT(atMinimum, 0);
  // Most typed starts still reach a minimum; the others say why not.
  EXPECT_GE(otherAtMinimum, otherStarts * 8 / 10) << otherAtMinimum << " of " << otherStarts;
}

}  // namespace
