#include <cmath>
#include <cstdio>

#include "batch/BatchTestSupport.h"
#include "core/thermo/Thermo.h"

using namespace batchtest;

namespace {

class BatchSplitTest : public BatchFixture {
 protected:
  void BenzeneToluene(double plateKmol, double drumKmol, double step) {
    Batch_Initial_set();
    Case.NC = 2;
    Case.NT = 12;
    Case.K_Method = 1;
    Case.H_Method = 1;
    Case.P_Unit = 3;
    Case.H_Unit = 2;
    Case.T_Unit = 1;
    const double mw[3] = {0, 78.11, 92.14};
    const double a[3] = {0, 7.02785319, 6.93621705}, b[3] = {0, 1293.02496, 1311.2219}, c[3] = {0, 231.645, 213.02};
    const double hv[3][3] = {{}, {104.9779, 0.25275966, 0.00014998964}, {102.26198, 0.25076349, 0.00030513782}};
    const double hl[3][3] = {{}, {-2.0970997, 0.39387084, 0.00040440457}, {-0.18538037, 0.38546084, 0.00043497442}};
    for (int i = 1; i <= 2; ++i) {
      Case.Comp_Name[i] = i == 1 ? "Benzene" : "Toluene";
      Case.Mol_Wt[i] = mw[i];
      Case.Antoine_A[i] = a[i], Case.Antoine_B[i] = b[i], Case.Antoine_C[i] = c[i];
      Case.HV_A[i] = hv[i][0], Case.HV_B[i] = hv[i][1], Case.HV_C[i] = hv[i][2];
      Case.HL_A[i] = hl[i][0], Case.HL_B[i] = hl[i][1], Case.HL_C[i] = hl[i][2];
    }
    Batch.Feed_Comp[1] = 0.4;
    Batch.Feed_Comp[2] = 0.6;
    Case.P_Top = 760;
    Case.P_Bottom = 760 + 2 * 11;
    for (int p = 1; p <= 12; ++p) Case.Tray_Press[p] = 760 + 2 * (p - 1);
    Batch.Init_Temp = 90;
    Batch.Total_Feed = 100;
    Batch.Holdup_Unit = 1;
    Batch.Tray_Holdup[1][1] = drumKmol;
    for (int p = 2; p <= 11; ++p) Batch.Tray_Holdup[1][p] = plateKmol;
    for (int p = 1; p <= 12; ++p) Batch.Tray_Heat[p] = 0;
    Batch.QReb_TR = Unit_Heat_In(250000);
    Batch.QReb = Batch.QReb_TR;
    Batch.Ope_Mode = 2;
    Batch.N_Change_Tank = 1;
    Batch.Tank_Cond[1] = 1;
    Batch.Tank_Value[1] = -0.95;
    Batch.Prod_Spec[1][1] = 5;
    Batch.Prod_Spec[2][1] = 5;
    Batch.Tank_Cond[2] = -1;
    Batch.Tank_Value[2] = 30;
    Batch.Prod_Spec[1][2] = 8;
    Batch.Prod_Spec[2][2] = 4;
    Batch.Diff_Time = step;
    Batch.Save_Interval = 0;
    Batch.Max_Ope_Time = 10;
  }
};

TEST_F(BatchSplitTest, Explore) {
  const double sets[][6] = {{7.02785319, 1293.02496, 231.645, 6.93621705, 1311.2219, 213.02},
                            {6.90565, 1211.033, 220.79, 6.95464, 1344.8, 219.482},
                            {6.89272, 1203.531, 219.888, 6.95805, 1346.773, 219.693},
                            {6.87987, 1196.76, 219.161, 6.95087, 1342.31, 219.187}};
  for (auto& a : sets) {
    BenzeneToluene(0.01, 0.05, 0.0001);
    Case.Antoine_A[1] = a[0], Case.Antoine_B[1] = a[1], Case.Antoine_C[1] = a[2];
    Case.Antoine_A[2] = a[3], Case.Antoine_B[2] = a[4], Case.Antoine_C[2] = a[5];
    RecordingHost host;
    host.answerRetry = true;
    BatchRun run(host);
    const BatchEnd end = run.Run();
    std::vector<std::string> log = LogTails();
    std::printf("A %g end %d retries %d steps %ld\n", a[0], (int)end, host.retryQuestions, run.Steps());
    for (auto& l : log) if (l.find("Runge") == std::string::npos) std::printf("  %s\n", l.c_str());
  }
}

}  // namespace
