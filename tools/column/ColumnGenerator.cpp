#include "ColumnGenerator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "continuous/DistDefaults.h"
#include "continuous/DistInitialProfile.h"
#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"

namespace {

// splitmix64: a small generator whose sequence is fixed by its definition.
class Rng {
 public:
  explicit Rng(uint64_t s) : s_(s) {}
  uint64_t Next() {
    uint64_t z = (s_ += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
  }
  double Uniform(double lo = 0, double hi = 1) { return lo + (hi - lo) * ((Next() >> 11) * 0x1.0p-53); }
  double LogUniform(double lo, double hi) { return std::exp(Uniform(std::log(lo), std::log(hi))); }
  int Int(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<uint64_t>(hi - lo + 1)); }
  bool Chance(double p) { return Uniform() < p; }

 private:
  uint64_t s_;
};

std::vector<std::string> SplitCsv(const std::string& line) {
  std::vector<std::string> out;
  std::string cur;
  bool quoted = false;
  for (char ch : line) {
    if (ch == '"') {
      quoted = !quoted;
    } else if (ch == ',' && !quoted) {
      out.push_back(cur);
      cur.clear();
    } else if (ch != '\r') {
      cur += ch;
    }
  }
  out.push_back(cur);
  return out;
}

std::vector<std::vector<std::string>> ReadCsv(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::vector<std::vector<std::string>> rows;
  std::string line;
  std::getline(in, line);  // header
  while (std::getline(in, line))
    if (!line.empty()) rows.push_back(SplitCsv(line));
  return rows;
}

double Num(const std::string& s) {
  try {
    return std::stod(s);
  } catch (...) {
    return NAN;
  }
}

// The mixture's thermodynamics through the library, over a Case laid with the
// components (1-based arrays as the library takes them).
void LayComponents(const GenColumn& col) {
  CaseData& c = Case;
  const int nc = static_cast<int>(col.comps.size());
  c.NC = nc;
  for (int i = 1; i <= nc; ++i) {
    const GenComponent& p = col.comps[i - 1];
    c.Comp_Name[i] = p.name;
    c.Mol_Wt[i] = p.mw;
    c.Antoine_A[i] = p.a;
    c.Antoine_B[i] = p.b;
    c.Antoine_C[i] = p.c;
    c.HV_A[i] = p.hv[0];
    c.HV_B[i] = p.hv[1];
    c.HV_C[i] = p.hv[2];
    c.HL_A[i] = p.hl[0];
    c.HL_B[i] = p.hl[1];
    c.HL_C[i] = p.hl[2];
    for (int j = 1; j <= nc; ++j) {
      c.Wilson_Lambda[i][j] = col.kMethod == 2 ? col.lambda[i - 1][j - 1] : 1.0;
      c.NRTL_Tau[i][j] = col.kMethod == 3 ? col.tau[i - 1][j - 1] : 0.0;
    }
  }
  c.NRTL_Alpha = col.kMethod == 3 ? col.alpha : 0;
  c.K_Method = col.kMethod;
  c.H_Method = 1;  // the enthalpies are wanted for the feed's thermal state either way
  c.T_Unit = 1;
  c.P_Unit = 3;
  c.H_Unit = 2;
}

double Bubble(const std::vector<double>& z, double pMmHg, double t0) {
  double x[kMaxComp + 1]{};
  for (size_t i = 0; i < z.size(); ++i) x[i + 1] = z[i];
  return T_Bubble_Mix(t0, pMmHg * kMPaPerMmHg, x);
}

double Dew(const std::vector<double>& z, double pMmHg, double t0) {
  double y[kMaxComp + 1]{};
  for (size_t i = 0; i < z.size(); ++i) y[i + 1] = z[i];
  return T_Dew_Mix(t0, pMmHg * kMPaPerMmHg, y);
}

double Hmix(const std::vector<double>& z, double t, bool vapour) {
  double w[kMaxComp + 1]{};
  for (size_t i = 0; i < z.size(); ++i) w[i + 1] = z[i];
  return vapour ? Enthalpy_Vap_Poly(t, w) : Enthalpy_Liq_Poly(t, w);
}

std::vector<double> Normalised(std::vector<double> z) {
  double s = 0;
  for (double v : z) s += v;
  for (double& v : z) v /= s;
  return z;
}

// Thermal state of a feed on a stage at p: its temperature and typed vapour
// fraction, and the q of the Underwood equations.
double SetFeedState(Rng& rng, GenFeed& f, double pMmHg, const std::vector<GenComponent>& comps) {
  const double tb = Bubble(f.z, pMmHg, comps.front().tb);
  const double td = Dew(f.z, pMmHg, tb + 10);
  const double r = rng.Uniform();
  double q = 1;
  const double hl = Hmix(f.z, tb, false), hv = Hmix(f.z, td, true);
  if (r < 0.25) {
    f.state = "subcooled";
    f.t = tb - rng.Uniform(3, 40);
    f.vf = 0;
  } else if (r < 0.5) {
    f.state = "liquid";
    f.t = tb;
    f.vf = 0;
  } else if (r < 0.75) {
    f.state = "part";
    f.vf = rng.Uniform(0.15, 0.85);
    f.t = tb + f.vf * (td - tb);
  } else if (r < 0.87) {
    f.state = "vapour";
    f.t = td;
    f.vf = 1;
  } else {
    f.state = "superheated";
    f.t = td + rng.Uniform(3, 40);
    f.vf = 1;
  }
  f.t = std::round(f.t * 100) / 100;
  const double h = f.vf * Hmix(f.z, f.t, true) + (1 - f.vf) * Hmix(f.z, f.t, false);
  if (hv > hl) q = (hv - h) / (hv - hl);
  return q;
}

// Underwood's minimum reflux for a distillate D of the mean feed zbar (flow F),
// the distillate filled from the most volatile component down, relative
// volatilities at the feed's bubble point.
double UnderwoodMinimum(const std::vector<double>& zbar, double F, double D, double q, double pMmHg,
                        const std::vector<GenComponent>& comps) {
  const int nc = static_cast<int>(zbar.size());
  const double tb = Bubble(zbar, pMmHg, comps.front().tb);
  std::vector<double> alpha(nc);
  for (int i = 0; i < nc; ++i) alpha[i] = Case.K_Value[i + 1] / Case.K_Value[nc];
  std::vector<int> order(nc);
  for (int i = 0; i < nc; ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&](int a, int b) { return alpha[a] > alpha[b]; });
  std::vector<double> xd(nc, 0);
  double left = D;
  for (int i : order) {
    const double take = std::min(left, zbar[i] * F);
    xd[i] = take / D;
    left -= take;
  }
  (void)tb;
  double rmin = 0;
  for (int k = 0; k + 1 < nc; ++k) {
    double hi = alpha[order[k]], lo = alpha[order[k + 1]];
    if (hi - lo < 1e-9) continue;
    auto f = [&](double th) {
      double s = 0;
      for (int i = 0; i < nc; ++i) s += alpha[i] * zbar[i] / (alpha[i] - th);
      return s - (1 - q);
    };
    double a = lo + 1e-12 * (hi - lo), b = hi - 1e-12 * (hi - lo);
    // f rises from -inf just above lo to +inf just below hi.
    for (int it = 0; it < 200; ++it) {
      const double m = 0.5 * (a + b);
      (f(m) > 0 ? b : a) = m;
    }
    const double th = 0.5 * (a + b);
    double s = 0;
    for (int i = 0; i < nc; ++i) s += alpha[i] * xd[i] / (alpha[i] - th);
    rmin = std::max(rmin, s - 1);
  }
  return rmin;
}

}  // namespace

std::string GenColumn::Describe() const {
  std::ostringstream o;
  static const char* kModels[] = {"", "ideal", "Wilson", "NRTL"};
  o << kModels[kMethod] << (hMethod ? " heat" : " CMO") << " nc " << comps.size() << " (";
  for (size_t i = 0; i < comps.size(); ++i) o << (i ? "," : "") << comps[i].name;
  o << ") nt " << nt << " P " << pTop << "-" << pBottom << " D " << distillate << " R " << reflux << " ("
    << reflux / std::max(refluxMin, 1e-12) << "x " << refluxMin << ")" << (sharp ? " sharp" : " loose");
  for (const GenFeed& f : feeds) o << " feed " << f.stage << ":" << f.flow << "@" << f.t << "/" << f.vf << " " << f.state;
  if (trace >= 0) o << " trace " << comps[trace].name << " " << feeds[0].z[trace];
  return o.str();
}

double GenColumn::StagePressure(int j) const {
  return nt > 1 ? pTop + (pBottom - pTop) * (j - 1) / (nt - 1) : pTop;
}

uint64_t GenColumn::Hash() const {
  std::ostringstream o;
  o.precision(12);
  o << kMethod << hMethod << nt << pTop << pBottom << distillate << reflux;
  for (const GenComponent& c : comps) o << c.name << c.a << c.b << c.c << c.hv[0] << c.hl[0];
  for (const GenFeed& f : feeds) {
    o << f.stage << f.flow << f.t << f.vf;
    for (double v : f.z) o << v;
  }
  uint64_t h = 1469598103934665603ULL;  // FNV-1a
  for (unsigned char ch : o.str()) h = (h ^ ch) * 1099511628211ULL;
  return h;
}

double Pure_Boiling_Point(const GenComponent& c, double pMmHg) { return c.b / (c.a - std::log10(pMmHg)) - c.c; }

ComponentTables::ComponentTables(const std::string& dir) {
  std::map<std::string, double> mw;
  for (const auto& r : ReadCsv(dir + "/CriticalConstant.csv"))
    if (r.size() > 4 && r[3] == "0") mw.emplace(r[1], Num(r[4]));
  std::map<std::string, std::vector<double>> h;
  for (const auto& r : ReadCsv(dir + "/EnthalpyCoefficent.csv"))
    if (r.size() > 8 && r[2] == "0")
      h.emplace(r[1], std::vector<double>{Num(r[3]), Num(r[4]), Num(r[5]), Num(r[6]), Num(r[7]), Num(r[8])});
  std::map<std::string, bool> seen;
  for (const auto& r : ReadCsv(dir + "/AntoineConstant.csv")) {
    if (r.size() < 7 || r[2] != "0" || r[3] != "1") continue;
    const std::string& name = r[1];
    if (seen[name] || !mw.count(name) || !h.count(name)) continue;
    seen[name] = true;
    GenComponent c;
    c.name = name;
    c.mw = mw[name];
    c.a = Num(r[4]);
    c.b = Num(r[5]);
    c.c = Num(r[6]);
    const auto& e = h[name];
    for (int k = 0; k < 3; ++k) {
      c.hv[k] = e[k];
      c.hl[k] = e[3 + k];
    }
    bool finite = std::isfinite(c.mw) && c.mw > 0 && std::isfinite(c.a) && std::isfinite(c.b) && std::isfinite(c.c);
    for (double v : e) finite = finite && std::isfinite(v);
    if (!finite) continue;
    c.tb = Pure_Boiling_Point(c, 760);
    // Liquids a column at 0.3-5 atm handles, their latent heat positive around the boiling point.
    if (!(c.tb > -45 && c.tb < 230)) continue;
    bool latent = true;
    for (double t = c.tb - 80; t <= c.tb + 80; t += 20) {
      const double hv = c.hv[0] + c.hv[1] * t + c.hv[2] * t * t, hl = c.hl[0] + c.hl[1] * t + c.hl[2] * t * t;
      latent = latent && hv - hl > 10;
    }
    if (latent) pool_.push_back(c);
  }
  std::sort(pool_.begin(), pool_.end(), [](const GenComponent& a, const GenComponent& b) { return a.name < b.name; });
  for (const auto& r : ReadCsv(dir + "/Wilson Parameter.csv"))
    if (r.size() > 6 && r[4] == "0") wilson_.push_back({r[1], r[3], Num(r[5]), Num(r[6]), 0});
  for (const auto& r : ReadCsv(dir + "/NRTL Parameter.csv"))
    if (r.size() > 7 && r[4] == "0") nrtl_.push_back({r[1], r[3], Num(r[5]), Num(r[6]), Num(r[7])});
}

bool ComponentTables::Wilson(const std::string& i, const std::string& j, double& lij, double& lji) const {
  for (const Pair& p : wilson_) {
    if (!(std::isfinite(p.p12) && std::isfinite(p.p21) && p.p12 > 0 && p.p21 > 0)) continue;
    if (p.a == i && p.b == j) {
      lij = p.p12, lji = p.p21;
      return true;
    }
    if (p.a == j && p.b == i) {
      lij = p.p21, lji = p.p12;
      return true;
    }
  }
  return false;
}

bool ComponentTables::Nrtl(const std::string& i, const std::string& j, double& tij, double& tji, double& alpha) const {
  for (const Pair& p : nrtl_) {
    if (!(std::isfinite(p.p12) && std::isfinite(p.p21) && std::isfinite(p.alpha))) continue;
    if (p.a == i && p.b == j) {
      tij = p.p12, tji = p.p21, alpha = p.alpha;
      return true;
    }
    if (p.a == j && p.b == i) {
      tij = p.p21, tji = p.p12, alpha = p.alpha;
      return true;
    }
  }
  return false;
}

GenColumn Generate_Column(const ComponentTables& tables, uint64_t seed, int index) {
  Rng rng(seed * 0x100000001b3ULL + static_cast<uint64_t>(index) * 0x9e3779b97f4a7c15ULL + 12345);
  for (int warm = 0; warm < 4; ++warm) rng.Next();
  GenColumn col;
  col.index = index;
  col.seed = seed;
  const double rm = rng.Uniform();
  col.kMethod = rm < 0.4 ? 1 : rm < 0.75 ? 2 : 3;
  col.hMethod = rng.Chance(0.6) ? 1 : 0;
  int nc = rng.Chance(0.3) ? 2 : rng.Int(3, 8);
  const auto& pool = tables.Pool();

  // Components: for a non-ideal liquid, grown from one component by members
  // that share a database pair with one already chosen, so the model has data.
  std::vector<int> chosen;
  auto paired = [&](int a, int b) {
    double p, q, al;
    return col.kMethod == 2 ? tables.Wilson(pool[a].name, pool[b].name, p, q)
                            : tables.Nrtl(pool[a].name, pool[b].name, p, q, al);
  };
  auto distinct = [&](int cand) {
    for (int k : chosen)
      if (std::fabs(pool[k].tb - pool[cand].tb) < 4 || pool[k].name == pool[cand].name) return false;
    return true;
  };
  for (int attempt = 0; attempt < 50 && static_cast<int>(chosen.size()) < 2; ++attempt) {
    chosen.clear();
    chosen.push_back(rng.Int(0, static_cast<int>(pool.size()) - 1));
    for (int tries = 0; tries < 4000 && static_cast<int>(chosen.size()) < nc; ++tries) {
      const int cand = rng.Int(0, static_cast<int>(pool.size()) - 1);
      if (!distinct(cand)) continue;
      // The column's boiling range stays within what one pressure serves.
      double lo = pool[cand].tb, hi = pool[cand].tb;
      for (int k : chosen) lo = std::min(lo, pool[k].tb), hi = std::max(hi, pool[k].tb);
      if (hi - lo > 170) continue;
      if (col.kMethod != 1) {
        bool any = false;
        for (int k : chosen) any = any || paired(k, cand);
        if (!any) continue;
      }
      chosen.push_back(cand);
    }
  }
  nc = static_cast<int>(chosen.size());
  std::sort(chosen.begin(), chosen.end(), [&](int a, int b) { return pool[a].tb < pool[b].tb; });
  for (int k : chosen) col.comps.push_back(pool[k]);
  col.lambda.assign(nc, std::vector<double>(nc, 1.0));
  col.tau.assign(nc, std::vector<double>(nc, 0.0));
  bool alphaSet = false;
  for (int i = 0; i < nc; ++i)
    for (int j = i + 1; j < nc; ++j) {
      double p, q, al;
      if (col.kMethod == 2 && tables.Wilson(col.comps[i].name, col.comps[j].name, p, q)) {
        col.lambda[i][j] = p;
        col.lambda[j][i] = q;
      }
      if (col.kMethod == 3 && tables.Nrtl(col.comps[i].name, col.comps[j].name, p, q, al)) {
        col.tau[i][j] = p;
        col.tau[j][i] = q;
        if (!alphaSet) col.alpha = al, alphaSet = true;
      }
    }

  // Pressure: the lightest component boiling between about -10 and 90 C at the top.
  const double tTopAim = rng.Uniform(-10, 90);
  double pTop = std::pow(10.0, col.comps.front().a - col.comps.front().b / (tTopAim + col.comps.front().c));
  pTop = std::clamp(pTop, 150.0, 6000.0);
  col.pTop = std::round(pTop);
  col.nt = static_cast<int>(std::round(rng.LogUniform(8, 120)));
  const double drop = rng.Chance(0.3) ? 0 : rng.Uniform(0.2, 5);
  col.pBottom = std::round(col.pTop + drop * (col.nt - 1));

  // Feed composition, maybe with a trace component.
  std::vector<double> z(nc);
  for (double& v : z) v = rng.Uniform(0.05, 1);
  if (nc >= 3 && rng.Chance(0.3)) {
    const double where = rng.Uniform();
    col.trace = where < 0.35 ? 0 : where < 0.7 ? nc - 1 : rng.Int(1, nc - 2);
    z = Normalised(z);
    z[col.trace] = 0;
    z = Normalised(z);
    z[col.trace] = rng.LogUniform(1e-7, 1e-3);
  }
  z = Normalised(z);
  LayComponents(col);

  GenFeed f1;
  f1.flow = std::round(rng.LogUniform(20, 1000));
  f1.z = z;
  auto stageIn = [&](double lo, double hi) {
    return std::clamp(static_cast<int>(std::round(lo + (hi - lo) * rng.Uniform())), 2, col.nt - 1);
  };
  f1.stage = rng.Chance(0.1) ? (rng.Chance(0.5) ? 2 : col.nt - 1) : stageIn(0.2 * col.nt, 0.8 * col.nt);
  double q1 = SetFeedState(rng, f1, col.StagePressure(f1.stage), col.comps);
  col.feeds.push_back(f1);
  double qsum = q1 * f1.flow;
  if (rng.Chance(0.25) && col.nt >= 10) {
    GenFeed f2;
    f2.flow = std::round(f1.flow * rng.Uniform(0.2, 0.8));
    f2.z = z;
    for (double& v : f2.z) v *= std::exp(rng.Uniform(-1.2, 1.2));
    f2.z = Normalised(f2.z);
    for (int tries = 0; tries < 20 && (f2.stage == 0 || f2.stage == f1.stage); ++tries)
      f2.stage = stageIn(0.1 * col.nt, 0.9 * col.nt);
    if (f2.stage != f1.stage) {
      qsum += SetFeedState(rng, f2, col.StagePressure(f2.stage), col.comps) * f2.flow;
      col.feeds.push_back(f2);
    }
  }
  double F = 0;
  std::vector<double> zbar(nc, 0);
  for (const GenFeed& f : col.feeds) {
    F += f.flow;
    for (int i = 0; i < nc; ++i) zbar[i] += f.flow * f.z[i];
  }
  for (double& v : zbar) v /= F;

  // Distillate: a sharp cut just off the feed of the components lighter than
  // a cut, or a loose share of the feed.
  col.sharp = rng.Chance(0.35);
  if (col.sharp) {
    const int cut = rng.Int(1, nc - 1);
    double lights = 0;
    for (int i = 0; i < cut; ++i) lights += zbar[i];
    const double off = (rng.Chance(0.5) ? 1 : -1) * rng.LogUniform(0.001, 0.02);
    col.distillate = F * std::clamp(lights * (1 + off), 0.03, 0.97);
  } else {
    col.distillate = F * rng.Uniform(0.15, 0.85);
  }
  col.distillate = std::round(col.distillate * 1000) / 1000;
  const double pMid = 0.5 * (col.pTop + col.pBottom);
  col.refluxMin = std::max(0.05, UnderwoodMinimum(zbar, F, col.distillate, qsum / F, pMid, col.comps));
  col.reflux = std::round(col.refluxMin * rng.LogUniform(1.05, 10) * 10000) / 10000;
  return col;
}

void Lay_Column(const GenColumn& col, double tTopEst, double tBottomEst, int limitFactor) {
  Dist_Initial_set();
  LayComponents(col);
  CaseData& c = Case;
  const int nc = static_cast<int>(col.comps.size());
  c.H_Method = col.hMethod;
  c.NT = col.nt;
  c.N_Feed = static_cast<int>(col.feeds.size());
  c.N_LiqSC = c.N_VapSC = 0;
  for (int f = 1; f <= c.N_Feed; ++f) {
    const GenFeed& g = col.feeds[f - 1];
    c.Feed_Stage[f] = g.stage;
    c.Feed_T[f] = g.t;
    c.Feed_P[f] = col.StagePressure(g.stage);
    c.Feed_VF[f] = g.vf;
    c.Feed_Flow[f] = g.flow;
    for (int i = 1; i <= nc; ++i) c.Feed_Z[i][f] = g.z[i - 1];
  }
  c.Top_Liq_Prod = col.distillate;
  c.Top_Vap_Prod = 0;
  c.Reflux_Ratio = col.reflux;
  c.P_Top = col.pTop;
  c.P_Bottom = col.pBottom;
  c.T_Top_Est = tTopEst;
  c.T_Bottom_Est = tBottomEst;
  for (int j = 1; j <= c.NT; ++j) c.Tray_Press[j] = 0;
  c.Tray_Press[1] = c.P_Top;
  c.Tray_Press[c.NT] = c.P_Bottom;
  c.Max_Iter[1] = 20 * limitFactor;
  c.Max_Iter[2] = 30 * limitFactor;
  c.Conv_Crit[1] = 5e-5;
  c.Conv_Crit[2] = 1e-5;
  c.Result_Flag = 0;
  Dist_Material_Balance();
  Initial_Composition_set();
  Initial_Profile_set();
}
