#include "ColumnCaseSet.h"

#include "continuous/DistDefaults.h"
#include "continuous/DistInitialProfile.h"
#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"

namespace {

// Antoine (mmHg, degC) and enthalpy polynomials of the component database.
struct Comp {
  const char* name;
  double mw, a, b, c, hva, hvb, hvc, hla, hlb, hlc;
};
const Comp kBenzene{"Benzene", 78.11, 7.02785319, 1293.02496, 231.645,
                    104.9779, 0.25275966, 0.00014998964, -2.0970997, 0.39387084, 0.00040440457};
const Comp kToluene{"Toluene", 92.14, 6.93621705, 1311.2219, 213.02,
                    102.26198, 0.25076349, 0.00030513782, -0.18538037, 0.38546084, 0.00043497442};
const Comp kPXylene{"P-xylene", 106.17, 7.04565926, 1497.36051, 221.182,
                    92.442464, 0.28682422, 0.0002489355, -5.0768443, 0.38369006, 0.00043461639};
const Comp kPentane{"N-pentane", 72.15, 6.97356638, 1132.336, 240.589,
                    92.613409, 0.34083324, 0.00019399711, -0.16241073, 0.52760599, 0.00060081985};
const Comp kHexane{"N-hexane", 86.18, 6.8849703, 1177.71978, 225.236,
                   92.224851, 0.34508765, 0.00037261029, -0.20881229, 0.52026812, 0.00055579631};
const Comp kHeptane{"N-heptane", 100.2, 6.99310963, 1322.07926, 223.001,
                    90.988182, 0.37224361, 0.00031101363, -0.27387828, 0.51109089, 0.00051856662};
const Comp kOctane{"N-octane", 114.23, 6.9557603, 1371.41511, 210.994,
                   90.239288, 0.37514158, 0.00036411897, -0.28363976, 0.5019336, 0.00053638637};
const Comp kNonane{"N-nonane", 128.26, 7.04392208, 1499.35827, 209.382,
                   90.409698, 0.37844166, 0.00038295694, -0.20240112, 0.50623995, 0.00049308354};
const Comp kDecane{"N-decane", 142.28, 6.98876668, 1523.41818, 196.645,
                   89.398371, 0.38007384, 0.00041092166, -0.010169813, 0.49586089, 0.00052628229};
const Comp kAcetone{"Acetone", 58.08, 7.1837649, 1238.04328, 231.469,
                    133.93813, 0.31884463, -0.00021806642, -0.16591477, 0.50277851, 0.00040607485};
const Comp kMethanol{"Methanol", 32.04, 8.01761031, 1544.04717, 235.987,
                     293.64389, 0.17058403, -0.00012707751, -0.49473641, 0.56769529, 0.00094063477};
const Comp kEthanol{"Ethanol", 46.07, 7.8612643, 1449.37097, 212.744,
                    227.91188, 0.2686063, 0.00017190404, -0.66615958, 0.52950182, 0.0013006784};
const Comp kPropanol{"1-Propanol", 60.1, 7.47734797, 1289.15974, 183.206,
                     192.51569, 0.35999458, -0.00018097253, -0.54624711, 0.52672992, 0.001234765};
const Comp kWater{"Water", 18.015, 8.03802215, 1731.66239, 235.989,
                  595.63887, 0.52467501, -0.00075080409, 0.31279684, 0.98498098, 0.00014477837};
const Comp kEthylbenzene{"Ethylbenzene", 106.17, 7.04435638, 1487.11116, 220.951,
                         98.548977, 0.2596849, 0.00036398497, -0.22142095, 0.38735503, 0.00044205737};
// The first two members of the benchmark's hypothetical close-boiling series.
const Comp kSeries1{"C1", 60, 7.0, 1410, 220, 98, 0.4, 0, -300, 0.5, 0};
const Comp kSeries2{"C2", 70, 7.0, 1420, 220, 96, 0.4, 0, -300, 0.5, 0};

struct Spec {
  std::vector<Comp> comps;
  std::vector<double> z;
  int kMethod = 1;
  int nt = 15, feedStage = 8;
  double feedT = 25, feedVF = 0, feed = 100, distillate = 50, reflux = 2;
  double pTop = 760, pBottom = 780, tTop = 60, tBottom = 120;
  double subcool = -1;  // >= 0: the feed enters this many K below its bubble point at the feed stage
  int hMethod = 1;
  bool defaultLimits = false;  // the default iteration limits instead of ten times them
};

void Lay(const Spec& s) {
  Dist_Initial_set();
  CaseData& c = Case;
  c.NC = static_cast<int>(s.comps.size());
  for (int i = 1; i <= c.NC; ++i) {
    const Comp& p = s.comps[i - 1];
    c.Comp_Name[i] = p.name;
    c.Mol_Wt[i] = p.mw;
    c.Antoine_A[i] = p.a;
    c.Antoine_B[i] = p.b;
    c.Antoine_C[i] = p.c;
    c.HV_A[i] = p.hva;
    c.HV_B[i] = p.hvb;
    c.HV_C[i] = p.hvc;
    c.HL_A[i] = p.hla;
    c.HL_B[i] = p.hlb;
    c.HL_C[i] = p.hlc;
    c.Feed_Z[i][1] = s.z[i - 1];
    for (int j = 1; j <= c.NC; ++j) c.Wilson_Lambda[i][j] = 1.0;
  }
  c.K_Method = s.kMethod;
  c.H_Method = s.hMethod;
  c.T_Unit = 1;
  c.P_Unit = 3;
  c.H_Unit = 2;
  c.NT = s.nt;
  c.N_Feed = 1;
  c.N_LiqSC = c.N_VapSC = 0;
  c.Feed_Stage[1] = s.feedStage;
  c.Feed_T[1] = s.feedT;
  c.Feed_P[1] = s.pBottom;
  c.Feed_VF[1] = s.feedVF;
  c.Feed_Flow[1] = s.feed;
  c.Top_Liq_Prod = s.distillate;
  c.Top_Vap_Prod = 0;
  c.Reflux_Ratio = s.reflux;
  c.P_Top = s.pTop;
  c.P_Bottom = s.pBottom;
  c.T_Top_Est = s.tTop;
  c.T_Bottom_Est = s.tBottom;
  for (int j = 1; j <= c.NT; ++j) c.Tray_Press[j] = 0;
  c.Tray_Press[1] = c.P_Top;
  c.Tray_Press[c.NT] = c.P_Bottom;
  // Ten times the default iteration limits.
  c.Max_Iter[1] = s.defaultLimits ? 20 : 200;
  c.Max_Iter[2] = s.defaultLimits ? 30 : 300;
  c.Conv_Crit[1] = 5e-5;
  c.Conv_Crit[2] = 1e-5;
  c.Result_Flag = 0;
  Dist_Material_Balance();
}

// A liquid feed `subcool` K below its bubble point at the pressure of its stage.
void Subcool(const Spec& s) {
  if (s.subcool < 0) return;
  CaseData& c = Case;
  const double p = s.pTop + (s.pBottom - s.pTop) * (s.feedStage - 1) / (s.nt - 1);
  double z[kMaxComp + 1]{};
  for (int i = 1; i <= c.NC; ++i) z[i] = c.Feed_Z[i][1];
  c.Feed_P[1] = p;
  c.Feed_T[1] = T_Bubble_Mix(80.0, Unit_Press_In(p), z) - s.subcool;
  c.Feed_VF[1] = 0;
}

void Start() {
  Dist_Material_Balance();
  Initial_Composition_set();
  Initial_Profile_set();
}

Spec Btx() {
  Spec s;
  s.comps = {kBenzene, kToluene, kPXylene};
  s.z = {0.3, 0.4, 0.3};
  s.tTop = 80;
  s.tBottom = 135;
  s.feedT = 100;
  s.distillate = 30;
  return s;
}

Spec Alkanes() {
  Spec s;
  s.comps = {kPentane, kHexane, kHeptane, kOctane, kNonane, kDecane};
  s.z = {0.15, 0.2, 0.2, 0.2, 0.15, 0.1};
  s.nt = 20;
  s.feedStage = 10;
  s.tTop = 40;
  s.tBottom = 170;
  s.feedT = 90;
  s.distillate = 35;
  return s;
}

Spec AcetoneMethanolWater() {
  Spec s;
  s.comps = {kAcetone, kMethanol, kWater};
  s.z = {0.3, 0.3, 0.4};
  s.kMethod = 2;
  s.nt = 20;
  s.feedStage = 10;
  s.tTop = 56;
  s.tBottom = 100;
  s.feedT = 60;
  s.distillate = 30;
  return s;
}

// Acetone, methanol, ethanol, 1-propanol, water: the pressure rising 2 mmHg a
// stage from 760 at the top, the database's Wilson pairs (the two pairs it
// lacks, acetone/1-propanol and ethanol/1-propanol, ideal).
Spec Alcohols5() {
  Spec s;
  s.comps = {kAcetone, kMethanol, kEthanol, kPropanol, kWater};
  s.z = {0.10, 0.25, 0.20, 0.15, 0.30};
  s.kMethod = 2;
  s.hMethod = 0;
  s.nt = 24;
  s.feedStage = 10;
  s.pBottom = 760 + 2 * 23;
  s.tTop = 60;
  s.tBottom = 95;
  s.subcool = 10;
  s.distillate = 73.2;
  s.reflux = 1.884;
  return s;
}

Spec Alcohols4() {
  Spec s;
  s.comps = {kAcetone, kMethanol, kEthanol, kWater};
  s.z = {0.2, 0.3, 0.2, 0.3};
  s.kMethod = 2;
  s.nt = 35;
  s.feedStage = 20;
  s.pBottom = 760 + 2 * 34;
  s.tTop = 60;
  s.tBottom = 95;
  s.subcool = 20;
  s.distillate = 70.2;
  s.reflux = 1.629;
  return s;
}

void SetLambda(const char* a, const char* b, double ab, double ba) {
  CaseData& c = Case;
  for (int i = 1; i <= c.NC; ++i)
    for (int j = 1; j <= c.NC; ++j)
      if (c.Comp_Name[i] == a && c.Comp_Name[j] == b) {
        c.Wilson_Lambda[i][j] = ab;
        c.Wilson_Lambda[j][i] = ba;
      }
}

void AlcoholLambda() {
  SetLambda("Acetone", "Methanol", 0.70377901, 0.75247937);
  SetLambda("Acetone", "Ethanol", 0.58930018, 0.86856411);
  SetLambda("Acetone", "Water", 0.13032281, 0.54543022);
  SetLambda("Methanol", "Ethanol", 1.585099, 0.56301486);
  SetLambda("Methanol", "1-Propanol", 1.48743, 0.56991832);
  SetLambda("Methanol", "Water", 0.33192105, 1.1382836);
  SetLambda("Ethanol", "Water", 0.18128773, 0.86112822);
  SetLambda("1-Propanol", "Water", 0.08445952, 0.66630922);
}

Spec MethanolWater() {
  Spec s;
  s.comps = {kMethanol, kWater};
  s.z = {0.4, 0.6};
  s.kMethod = 2;
  s.nt = 20;
  s.feedStage = 12;
  s.tTop = 65;
  s.tBottom = 100;
  s.subcool = 5;
  s.distillate = 40;
  s.reflux = 1.5;
  return s;
}

Spec AcetoneWater() {
  Spec s;
  s.comps = {kAcetone, kWater};
  s.z = {0.25, 0.75};
  s.kMethod = 2;
  s.nt = 25;
  s.feedStage = 15;
  s.tTop = 56;
  s.tBottom = 100;
  s.subcool = 0;
  s.distillate = 25;
  s.reflux = 2;
  return s;
}

Spec PentaneDecane() {
  Spec s;
  s.comps = {kPentane, kDecane};
  s.z = {0.5, 0.5};
  s.nt = 12;
  s.feedStage = 6;
  s.tTop = 36;
  s.tBottom = 174;
  s.feedT = 80;
  s.distillate = 50;
  s.reflux = 1;
  return s;
}

void AmwLambda() {
  // Wilson parameters of the database pairs (first index: the component served).
  CaseData& c = Case;
  c.Wilson_Lambda[1][3] = 0.13032281;
  c.Wilson_Lambda[3][1] = 0.54543022;
  c.Wilson_Lambda[1][2] = 0.70377901;
  c.Wilson_Lambda[2][1] = 0.75247937;
  c.Wilson_Lambda[2][3] = 0.33192105;
  c.Wilson_Lambda[3][2] = 1.1382836;
}

// Benzene/toluene on 80 stages, 760 mmHg at the top rising to 840 at the
// bottom, saturated liquid feed on stage 40, ideal K, no heat balance, D 50,
// reflux 10: a sharp split, toluene in the distillate near 1e-14.
Spec BenzeneToluene80() {
  Spec s;
  s.comps = {kBenzene, kToluene};
  s.z = {0.5, 0.5};
  s.nt = 80;
  s.feedStage = 40;
  s.pBottom = 840;
  s.tTop = 80;
  s.tBottom = 111;
  s.subcool = 0;
  s.reflux = 10;
  s.hMethod = 0;
  return s;
}

Spec HeptaneOctane80() {
  Spec s = BenzeneToluene80();
  s.comps = {kHeptane, kOctane};
  s.tTop = 98;
  s.tBottom = 126;
  return s;
}

// Acetone, methanol, ethanol, 1-propanol, water, benzene, toluene and
// ethylbenzene in equal parts, the database's Wilson pairs (the seven it
// lacks ideal), 50 stages from 760 to 850 mmHg, saturated liquid feed on
// stage 25, heat balance, D 40, reflux 3.
Spec Eight() {
  Spec s;
  s.comps = {kAcetone, kMethanol, kEthanol, kPropanol, kWater, kBenzene, kToluene, kEthylbenzene};
  s.z = std::vector<double>(8, 0.125);
  s.kMethod = 2;
  s.nt = 50;
  s.feedStage = 25;
  s.pBottom = 850;
  s.tTop = 58;
  s.tBottom = 92;
  s.subcool = 0;
  s.distillate = 40;
  s.reflux = 3;
  return s;
}

void EightLambda() {
  AlcoholLambda();
  SetLambda("Methanol", "Toluene", 0.21473568, 0.25769089);
  SetLambda("Methanol", "Ethylbenzene", 0.23927082, 0.18847806);
  SetLambda("Ethanol", "Benzene", 0.20676131, 0.48764053);
  SetLambda("Ethanol", "Toluene", 0.21671931, 0.41130233);
  SetLambda("Ethanol", "Ethylbenzene", 0.2687065, 0.34862164);
  SetLambda("Benzene", "1-Propanol", 0.54313858, 0.29877865);
  SetLambda("1-Propanol", "Toluene", 0.46685906, 0.46963244);
  SetLambda("1-Propanol", "Ethylbenzene", 0.50217953, 0.46237478);
  SetLambda("Acetone", "Benzene", 0.54291499, 1.0809279);
  SetLambda("Methanol", "Benzene", 0.17560964, 0.34869427);
  SetLambda("Benzene", "Toluene", 0.71323423, 1.3587316);
  SetLambda("Benzene", "Ethylbenzene", 2.4240905, 0.17901107);
  SetLambda("Toluene", "Ethylbenzene", 1.5941039, 0.50750393);
}

// Ethanol/water by NRTL (the database pair, evaluated at 89.3 C), 60 stages
// from 760 to 820 mmHg, 10 % ethanol entering on stage 45 as liquid at
// 47.92 C (about 40 K subcooled), heat balance, D 10, reflux 5, the estimates
// the pure boiling points at the top and bottom pressures.
Spec EthanolWaterNrtl60() {
  Spec s;
  s.comps = {kEthanol, kWater};
  s.z = {0.1, 0.9};
  s.kMethod = 3;
  s.nt = 60;
  s.feedStage = 45;
  s.pBottom = 820;
  s.feedT = 47.92;
  s.tTop = 78.27;
  s.tBottom = 101.95;
  s.distillate = 10;
  s.reflux = 5;
  return s;
}

void EthanolWaterTau() {
  CaseData& c = Case;
  c.NRTL_Tau[1][2] = -0.080465286;
  c.NRTL_Tau[2][1] = 1.7238916;
  c.NRTL_Alpha = 0.2937;
}

// The benchmark's 50-stage binary: ideal K, heat balance, 1000 kmol/h of
// liquid at 120 C on stage 25, D 500, reflux 2.
Spec Series50() {
  Spec s;
  s.comps = {kSeries1, kSeries2};
  s.z = {0.5, 0.5};
  s.nt = 50;
  s.feedStage = 25;
  s.pBottom = 760;
  s.tTop = 80;
  s.tBottom = 200;
  s.feed = 1000;
  s.feedT = 120;
  s.distillate = 500;
  return s;
}

ColumnSetCase Example(const std::string& name, bool feasible, std::function<void()> change) {
  return {"Example1" + name, feasible, [change] {
            Dist_Example1_set();
            Case.Max_Iter[1] = 200;  // ten times the default limits
            Case.Max_Iter[2] = 300;
            if (change) change();
            Start();
          }};
}

ColumnSetCase Of(const std::string& name, bool feasible, Spec (*base)(), std::function<void(Spec&)> change,
                 void (*after)() = nullptr) {
  return {name, feasible, [base, change, after] {
            Spec s = base();
            if (change) change(s);
            Lay(s);
            if (after) after();
            Subcool(s);
            Start();
          }};
}

}  // namespace

std::vector<ColumnSetCase> Column_Case_Set() {
  CaseData& c = Case;
  return {
      Example("", true, nullptr),
      Example("Reflux2", true, [&] { c.Reflux_Ratio = 2; }),
      Example("Reflux5", true, [&] { c.Reflux_Ratio = 5; }),
      Example("Reflux1", false, [&] { c.Reflux_Ratio = 1; }),
      Example("Reflux05", false, [&] { c.Reflux_Ratio = 0.5; }),
      Example("Distillate60", true, [&] { c.Top_Liq_Prod = 60; }),
      Example("Distillate100", true, [&] { c.Top_Liq_Prod = 100; }),
      Example("Distillate30", false, [&] { c.Top_Liq_Prod = 30; }),
      Example("Distillate50", false, [&] { c.Top_Liq_Prod = 50; }),
      Example("Stages10", true, [&] { c.NT = 10; c.Tray_Press[10] = c.P_Bottom; }),
      Example("Stages30", true, [&] { c.NT = 30; c.Tray_Press[15] = 0; c.Tray_Press[30] = c.P_Bottom; }),
      Example("FeedStage3", true, [&] { c.Feed_Stage[1] = 3; }),
      Example("FeedStage10", true, [&] { c.Feed_Stage[1] = 10; }),
      Example("LiquidFeed", true, [&] { c.Feed_T[1] = 80; c.Feed_VF[1] = 0; }),
      Example("VapourFeed", false, [&] { c.Feed_T[1] = 110; c.Feed_VF[1] = 1; }),
      Example("VapourFeedReflux03", false, [&] { c.Feed_T[1] = 110; c.Feed_VF[1] = 1; c.Reflux_Ratio = 0.3; }),
      Example("MaterialOnly", true, [&] { c.H_Method = 0; }),
      Example("TwoFeedsSideCuts", true,
              [&] {
                c.N_Feed = 2;
                c.Feed_Flow[1] = 300;
                c.Feed_Stage[2] = 8;
                c.Feed_Flow[2] = 80;
                c.Feed_T[2] = 80;
                c.Feed_VF[2] = 0;
                const double z2[] = {0, 0.3, 0.05, 0.6, 0.05};
                for (int i = 1; i <= 4; ++i) c.Feed_Z[i][2] = z2[i];
                c.N_LiqSC = 1;
                c.LiqSC_Stage[1] = 3;
                c.LiqSC_Flow[1] = 10;
                c.N_VapSC = 1;
                c.VapSC_Stage[1] = 12;
                c.VapSC_Flow[1] = 15;
              }),
      Of("BtxReflux2", true, Btx, nullptr),
      Of("BtxReflux4", true, Btx, [](Spec& s) { s.reflux = 4; }),
      Of("BtxReflux4Distillate50", true, Btx, [](Spec& s) { s.reflux = 4; s.distillate = 50; }),
      Of("BtxStages30", true, Btx, [](Spec& s) { s.nt = 30; s.feedStage = 15; s.reflux = 3; }),
      Of("BtxVapourFeed", true, Btx, [](Spec& s) { s.feedVF = 1; s.feedT = 140; s.reflux = 3; }),
      Of("BtxReflux02", true, Btx, [](Spec& s) { s.reflux = 0.2; s.distillate = 60; }),
      Of("AlkanesReflux2", true, Alkanes, nullptr),
      Of("AlkanesReflux3", true, Alkanes, [](Spec& s) { s.reflux = 3; }),
      Of("AlkanesDistillate50", true, Alkanes, [](Spec& s) { s.distillate = 50; s.reflux = 1.5; }),
      Of("AlkanesStages30", true, Alkanes, [](Spec& s) { s.nt = 30; s.feedStage = 12; s.reflux = 2.5; }),
      Of("AmwDistillate30", true, AcetoneMethanolWater, nullptr, AmwLambda),
      Of("AmwDistillate60", true, AcetoneMethanolWater, [](Spec& s) { s.distillate = 60; }, AmwLambda),
      Of("AmwReflux4", true, AcetoneMethanolWater, [](Spec& s) { s.reflux = 4; s.distillate = 45; }, AmwLambda),
      Of("AmwIdeal", true, AcetoneMethanolWater, [](Spec& s) { s.kMethod = 1; }),
      Of("Alcohols5", true, Alcohols5, nullptr, AlcoholLambda),
      Of("Alcohols5Heat", true, Alcohols5, [](Spec& s) { s.hMethod = 1; }, AlcoholLambda),
      Of("Alcohols5Reflux3", true, Alcohols5, [](Spec& s) { s.reflux = 3; }, AlcoholLambda),
      Of("Alcohols5Distillate60", true, Alcohols5, [](Spec& s) { s.distillate = 60; }, AlcoholLambda),
      Of("Alcohols4", true, Alcohols4, nullptr, AlcoholLambda),
      Of("Alcohols4Reflux3258", true, Alcohols4, [](Spec& s) { s.reflux = 3.258; }, AlcoholLambda),
      Of("Alcohols4Reflux4887", true, Alcohols4, [](Spec& s) { s.reflux = 4.887; }, AlcoholLambda),
      Of("Alcohols4MaterialOnly", true, Alcohols4, [](Spec& s) { s.hMethod = 0; }, AlcoholLambda),
      Of("Alcohols4Distillate50", true, Alcohols4, [](Spec& s) { s.distillate = 50; }, AlcoholLambda),
      Of("Alcohols4Distillate90", true, Alcohols4, [](Spec& s) { s.distillate = 90; s.reflux = 3; },
         AlcoholLambda),
      Of("MethanolWater", true, MethanolWater, nullptr, AmwLambda),
      Of("MethanolWaterReflux05", true, MethanolWater, [](Spec& s) { s.reflux = 0.5; }, AmwLambda),
      Of("MethanolWaterVapourFeed", true, MethanolWater,
         [](Spec& s) { s.feedVF = 1; s.feedT = 100; s.reflux = 2.5; }, AmwLambda),
      Of("AcetoneWater", true, AcetoneWater, nullptr, AmwLambda),
      Of("AcetoneWaterReflux05", true, AcetoneWater, [](Spec& s) { s.reflux = 0.5; }, AmwLambda),
      Of("PentaneDecane", true, PentaneDecane, nullptr),
      // Solved by the corrections with every flow above zero (the sweeps' heat
      // pass drove a flow below zero on the way).
      Of("PentaneDecaneReflux02", true, PentaneDecane, [](Spec& s) { s.reflux = 0.2; }),
      Of("PentaneDecaneStages40", true, PentaneDecane, [](Spec& s) { s.nt = 40; s.feedStage = 20; s.reflux = 0.5; }),
      Of("AlkanesVapourFeed", false, Alkanes, [](Spec& s) { s.feedVF = 1; s.feedT = 180; s.reflux = 3; }),
      Of("BtxStages60", true, Btx, [](Spec& s) { s.nt = 60; s.feedStage = 30; s.reflux = 1.5; }),
      // Sharp splits, many stages, high reflux.
      Of("BenzeneToluene80", true, BenzeneToluene80, nullptr),
      Of("BenzeneToluene80Heat", true, BenzeneToluene80, [](Spec& s) { s.hMethod = 1; }),
      Of("BenzeneToluene80Reflux8", true, BenzeneToluene80, [](Spec& s) { s.reflux = 8; }),
      Of("BenzeneToluene80Reflux15", true, BenzeneToluene80, [](Spec& s) { s.reflux = 15; }),
      Of("BenzeneToluene80Reflux5Heat", true, BenzeneToluene80, [](Spec& s) { s.reflux = 5; s.hMethod = 1; }),
      Of("BenzeneToluene80Flat", true, BenzeneToluene80, [](Spec& s) { s.pBottom = 760; }),
      Of("BenzeneToluene80Distillate45", true, BenzeneToluene80, [](Spec& s) { s.distillate = 45; }),
      Of("HeptaneOctane80", true, HeptaneOctane80, nullptr),
      Of("HeptaneOctane80Heat", true, HeptaneOctane80, [](Spec& s) { s.hMethod = 1; }),
      Of("HeptaneOctane80Reflux8", true, HeptaneOctane80, [](Spec& s) { s.reflux = 8; }),
      Of("HeptaneOctane80VapourFeed", true, HeptaneOctane80,
         [](Spec& s) { s.hMethod = 1; s.subcool = -1; s.feedVF = 1; s.feedT = 130; }),
      Of("HeptaneOctane40Reflux3Heat", true, HeptaneOctane80,
         [](Spec& s) { s.nt = 40; s.feedStage = 20; s.reflux = 3; s.hMethod = 1; }),
      // Eight components, Wilson.
      Of("Eight", true, Eight, nullptr, EightLambda),
      Of("EightMaterialOnly", true, Eight, [](Spec& s) { s.hMethod = 0; }, EightLambda),
      Of("EightDistillate30", true, Eight, [](Spec& s) { s.distillate = 30; }, EightLambda),
      Of("EightDistillate50Reflux4", true, Eight, [](Spec& s) { s.distillate = 50; s.reflux = 4; }, EightLambda),
      Of("EightReflux6", true, Eight, [](Spec& s) { s.reflux = 6; }, EightLambda),
      Of("EightIdeal", true, Eight, [](Spec& s) { s.kMethod = 1; }),
      Of("EightStages80", true, Eight, [](Spec& s) { s.nt = 80; s.feedStage = 40; }, EightLambda),
      // Traces, one between the keys, wide boiling.
      Of("BtxTraceXylene", true, Btx,
         [](Spec& s) { s.z = {0.499, 0.499, 0.002}; s.nt = 40; s.feedStage = 20; s.reflux = 5; s.distillate = 50; }),
      Of("BtxTraceToluene", true, Btx,
         [](Spec& s) { s.z = {0.6, 0.001, 0.399}; s.nt = 30; s.feedStage = 15; s.reflux = 3; s.distillate = 60; }),
      Of("BtxReflux20", true, Btx, [](Spec& s) { s.reflux = 20; }),
      Of("BtxStages80", true, Btx, [](Spec& s) { s.nt = 80; s.feedStage = 40; s.reflux = 3; }),
      Of("BtxSubcooled", true, Btx, [](Spec& s) { s.subcool = 30; s.reflux = 3; }),
      Of("BtxSharpDistillate299", true, Btx,
         [](Spec& s) { s.nt = 40; s.feedStage = 20; s.reflux = 6; s.distillate = 29.9; }),
      Of("AlkanesStages80", true, Alkanes, [](Spec& s) { s.nt = 80; s.feedStage = 40; s.reflux = 4; }),
      Of("AlkanesReflux10", true, Alkanes, [](Spec& s) { s.reflux = 10; }),
      Of("AlkanesTracePentane", true, Alkanes, [](Spec& s) { s.z = {0.001, 0.249, 0.25, 0.2, 0.2, 0.1}; s.distillate = 25; }),
      Of("PentaneDecaneStages80", true, PentaneDecane, [](Spec& s) { s.nt = 80; s.feedStage = 40; s.reflux = 1; }),
      Of("PentaneDecaneReflux5", true, PentaneDecane, [](Spec& s) { s.reflux = 5; }),
      Of("MethanolWaterStages60", true, MethanolWater, [](Spec& s) { s.nt = 60; s.feedStage = 35; s.reflux = 3; },
         AmwLambda),
      Of("MethanolWaterStages60MaterialOnly", true, MethanolWater,
         [](Spec& s) { s.nt = 60; s.feedStage = 35; s.reflux = 3; s.hMethod = 0; }, AmwLambda),
      Of("AcetoneWaterStages50Reflux5", true, AcetoneWater, [](Spec& s) { s.nt = 50; s.feedStage = 30; s.reflux = 5; },
         AmwLambda),
      Of("AmwStages40Reflux5", true, AcetoneMethanolWater,
         [](Spec& s) { s.nt = 40; s.feedStage = 20; s.reflux = 5; s.distillate = 45; }, AmwLambda),
      Of("Alcohols5Stages60", true, Alcohols5, [](Spec& s) { s.nt = 60; s.feedStage = 25; s.pBottom = 760 + 2 * 59; },
         AlcoholLambda),
      Of("Alcohols4Ideal", true, Alcohols4, [](Spec& s) { s.kMethod = 1; }),
      Of("Series50", true, Series50, nullptr),
      Of("Series50Wilson", true, Series50, [](Spec& s) { s.kMethod = 2; }),
      Example("Reflux10", true, [&] { c.Reflux_Ratio = 10; }),
      Example("Stages60", true, [&] { c.NT = 60; c.Tray_Press[15] = 0; c.Tray_Press[60] = c.P_Bottom; }),
      Example("Distillate80Reflux5", true, [&] { c.Top_Liq_Prod = 80; c.Reflux_Ratio = 5; }),
      // Feeds near either end, a part-vapour feed, traces at either end, many
      // stages at high reflux, a reflux near its minimum.
      Of("HexaneHeptaneOctaneFeedStage5", true, Alkanes,
         [](Spec& s) {
           s.comps = {kHexane, kHeptane, kOctane};
           s.z = {0.3, 0.3, 0.4};
           s.nt = 25;
           s.feedStage = 5;
           s.reflux = 1.2;
           s.distillate = 30;
           s.tTop = 65;
           s.tBottom = 130;
         }),
      Of("AlkanesFeedOnBottomStage", true, Alkanes, [](Spec& s) { s.feedStage = 20; s.reflux = 3; }),
      Of("BtxHalfVapourFeed", true, Btx, [](Spec& s) { s.feedVF = 0.5; s.feedT = 110; s.reflux = 2.5; }),
      Of("AmwStages60Reflux8", true, AcetoneMethanolWater,
         [](Spec& s) { s.nt = 60; s.feedStage = 30; s.reflux = 8; s.distillate = 30; s.pBottom = 820; }, AmwLambda),
      Of("EightDistillate70Reflux2", true, Eight, [](Spec& s) { s.distillate = 70; s.reflux = 2; }, EightLambda),
      Of("BtxTraceBenzene", true, Btx,
         [](Spec& s) { s.z = {0.0001, 0.5999, 0.4}; s.distillate = 40; s.nt = 30; s.feedStage = 15; s.reflux = 4; }),
      Of("AlkanesTraceDecane", true, Alkanes,
         [](Spec& s) { s.z = {0.2, 0.2, 0.2, 0.2, 0.19999, 0.00001}; s.distillate = 40; s.reflux = 2; }),
      Of("BenzeneToluene120Reflux12Heat", true, BenzeneToluene80,
         [](Spec& s) { s.nt = 120; s.feedStage = 60; s.reflux = 12; s.pBottom = 880; s.hMethod = 1; }),
      Of("HeptaneOctane40Reflux13Heat", true, HeptaneOctane80,
         [](Spec& s) { s.nt = 40; s.feedStage = 20; s.reflux = 1.3; s.hMethod = 1; }),
      Of("MethanolWaterSubcooled40Reflux1", true, MethanolWater, [](Spec& s) { s.subcool = 40; s.reflux = 1; },
         AmwLambda),
      Of("PentaneDecaneDistillate499", true, PentaneDecane,
         [](Spec& s) { s.distillate = 49.9; s.reflux = 0.3; s.nt = 20; s.feedStage = 10; }),
      Of("Series50Reflux5", true, Series50, [](Spec& s) { s.reflux = 5; }),
      Of("Alcohols4Distillate20Reflux8", true, Alcohols4, [](Spec& s) { s.distillate = 20; s.reflux = 8; },
         AlcoholLambda),
      Of("Alcohols5FeedStage3Heat", true, Alcohols5, [](Spec& s) { s.feedStage = 3; s.reflux = 3; s.hMethod = 1; },
         AlcoholLambda),
      Of("BtxStages50DefaultLimits", true, Btx,
         [](Spec& s) { s.nt = 50; s.feedStage = 25; s.reflux = 5; s.defaultLimits = true; }),
      Of("EthanolWaterNrtl60", true, EthanolWaterNrtl60, nullptr, EthanolWaterTau),
  };
}
