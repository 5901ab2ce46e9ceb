// The batch run step by step: the integrator, the plate balances of each
// operation mode, the negative-composition question, the ends of a run, the
// run files of fresh and continued runs, the tank conditions and the log texts.
#include <cmath>

#include "batch/BatchColumnCases.h"
#include "batch/BatchTestSupport.h"
#include "batch/model/BatchCaseFile.h"
#include "batch/run/BatchIntegrator.h"
#include "core/model/CalcMessages.h"
#include "platform/text/SeqFile.h"

using namespace batchtest;

namespace {

class BatchStepTest : public BatchFixture {
 protected:
  // Times of the records of a history file.
  std::vector<double> RecordTimes(int n) const {
    std::vector<double> out;
    seqfile::Reader r;
    if (!r.Open(File(n))) return out;
    while (!r.Eof()) {
      out.push_back(r.Double());
      for (int p = 1; p <= Case.NT; ++p)
        for (int k = 0; k < 2 * Case.NC + 10; ++k) r.Double();
    }
    return out;
  }
};

// ---------------------------------------------------------------- integrator

// dw/dt = J w, J = [[-3, 2], [1, -2]], w0 = (0.3, 0.7). On a linear system a
// four-stage fourth-order Runge-Kutta step is the Taylor polynomial of
// exp(J h) to the fourth power; reference values by scipy's expm and that
// polynomial (tools/batch/reference_values.py).
TEST_F(BatchStepTest, RungeKuttaGillStepOnLinearTwoPlateSystem) {
  auto rates = [](const double* w, double* f, int) {
    f[0] = -3 * w[0] + 2 * w[1];
    f[1] = w[0] - 2 * w[1];
  };
  struct Ref {
    double h, exact1, exact2, taylor1, taylor2;
  };
  const Ref refs[] = {
      {0.1, 0.33398919127753995, 0.60211720969179561, 0.33396791666666664, 0.60212791666666665},
      {0.01, 0.30481772201724233, 0.68913349767817167, 0.30481772179166666, 0.68913349779166666},
  };
  double errors[2];
  for (int k = 0; k < 2; ++k) {
    double w[2] = {0.3, 0.7}, q[2] = {0, 0}, f[2];
    RKG_Step(2, w, q, f, refs[k].h, rates);
    EXPECT_NEAR(w[0], refs[k].taylor1, 1e-15);
    EXPECT_NEAR(w[1], refs[k].taylor2, 1e-15);
    errors[k] = std::fabs(w[0] - refs[k].exact1);
    // Gill's carry-over returns to zero over a step in exact arithmetic.
    EXPECT_NEAR(q[0], 0, 1e-15);
    EXPECT_NEAR(q[1], 0, 1e-15);
  }
  EXPECT_LT(errors[1], 1e-9);
  // Fourth order: a tenth of the step leaves about 1e-5 of the local error.
  EXPECT_NEAR(std::log10(errors[0] / errors[1]), 5, 0.2);
}

TEST_F(BatchStepTest, SingleStageStillFollowsRayleigh) {
  BinaryStill(2);
  RecordingHost host;
  double w0 = 0, x0 = 0;
  host.onWithdrawal = [&] { w0 = Batch.Holdup_Mol[2], x0 = Case.Tray_X[1][2]; };
  BatchRun run(host);
  run.Run();
  EXPECT_EQ(run.End(), BatchEnd::LastTank);
  ASSERT_GT(w0, 0);
  const double w = Batch.Holdup_Mol[2], x = Case.Tray_X[1][2], alpha = 2;
  // Rayleigh (1902) for constant relative volatility, integrated in closed form.
  const double rayleigh = (std::log(x / x0) + alpha * std::log((1 - x0) / (1 - x))) / (alpha - 1);
  EXPECT_NEAR(rayleigh, std::log(w / w0), 2e-4);
  // Reference: 0.381966 from 0.5 and 100 kmol down to 50 kmol (reference_values.py).
  EXPECT_NEAR(x, 0.381966, 3e-3);
  EXPECT_FALSE(Exists(1));  // a save interval of 0 writes no history
  EXPECT_FALSE(Exists(4));
}

// ---------------------------------------------------------------- plate balances

TEST_F(BatchStepTest, ModeThreeDistillateHonoursTheRefluxRatio) {
  English();
  LoadExample();
  Batch.Ope_Mode = 3;
  Batch.Prod_Spec[3][1] = Batch.Prod_Spec[3][2] = Batch.QReb_TR;
  Batch.Diff_Time = 0.0005;
  RecordingHost host;
  int withdrawalSteps = 0;
  double worst = 0, distillate = 0;
  host.onStep = [&] {
    if (Batch.Prod_Phase != 1) return;
    const double r = Batch.Run_Reflux, d = Batch.Run_Distillate;
    EXPECT_EQ(r, 5);
    distillate = d;
    worst = std::max(worst, std::fabs(Case.Tray_L[1] - r * d) / d);
    worst = std::max(worst, std::fabs(Case.Tray_V[2] - (r + 1) * d - Batch.Tray_dM[1]) / d);
  };
  host.onYield = [&] {
    if (Batch.Prod_Phase == 1 && ++withdrawalSteps == 40) Case.Stop_Flag = 1;
  };
  EXPECT_EQ(Batch_Calc(host), BatchEnd::Abort);
  EXPECT_LT(worst, 1e-9);
  EXPECT_GT(distillate, 10);  // about a sixth of the 100 kmol/h boiled up
  EXPECT_LT(distillate, 25);

  // The abort in withdrawal records the tank, ends normally, then as an abort.
  EXPECT_EQ(host.messages, (std::vector<std::string>{"Start Calculation", "End of Calculation",
                                                     " Abort, end of calculation"}));
  const std::vector<std::string> log = LogTails();
  ASSERT_EQ(log.size(), 5u);
  EXPECT_EQ(log[2], " Cal_time=0.0200 Change Tank");
  EXPECT_EQ(log[3], " Cal_time=0.0200 End of Calculation");
  EXPECT_EQ(log[4], " Cal_time=0.0200 Abort, end of calculation");
  EXPECT_EQ(Case.Stop_Flag, -1);
  EXPECT_TRUE(Exists(3));
  EXPECT_EQ(Lines(File(5)).size(), 3u);  // one tank block
}

// Hold-ups in kg follow the plates' molecular weight; their changes are rates,
// so the still's balance closes through the sweep that never uses it.
TEST_F(BatchStepTest, KgHoldupsKeepTheStillBalanceClosed) {
  LoadExample();
  Batch.Holdup_Unit = 2;
  Batch.Tray_Holdup[2][1] = 100;
  for (int p = 2; p <= 9; ++p) Batch.Tray_Holdup[2][p] = 20;
  Batch.Conv_Limit = 0.01;
  Batch.Diff_Time = 0.0005;
  RecordingHost host;
  int withdrawalSteps = 0;
  double worst = 0, lastM = 0, worstRate = 0;
  host.onStep = [&] {
    if (Batch.Prod_Phase != 1) return;
    const double v = Case.Tray_V[10];
    worst = std::max(worst, std::fabs(Case.Tray_L[9] - v - Batch.Tray_dM[10]) / v);
    if (lastM > 0)
      worstRate = std::max(worstRate, std::fabs((Batch.Holdup_Mol[5] - lastM) / 0.0005 - Batch.Tray_dM[5]));
    lastM = Batch.Holdup_Mol[5];
  };
  host.onYield = [&] {
    if (Batch.Prod_Phase == 1 && ++withdrawalSteps == 30) Case.Stop_Flag = 1;
  };
  EXPECT_EQ(Batch_Calc(host), BatchEnd::Abort);
  EXPECT_LT(worst, 1e-9);
  EXPECT_LT(worstRate, 1e-9);
  double mw = 0;
  for (int i = 1; i <= 3; ++i) mw += Case.Tray_X[i][5] * Case.Mol_Wt[i];
  EXPECT_NEAR(Batch.Holdup_Mol[5], 20 / mw, 0.01);  // last step's composition
}

// The liquid enthalpies of a step are those of the compositions the previous
// step left, and the kg hold-ups follow each step's new compositions: their
// changes are rates over the step that made them, even when the step in force
// has just been changed, and the still gives what the plates take.
TEST_F(BatchStepTest, ChangesAreRatesOverTheStepInWhichTheyHappened) {
  LoadExample();
  Batch.Holdup_Unit = 2;
  Batch.Tray_Holdup[2][1] = 100;
  for (int p = 2; p <= 9; ++p) Batch.Tray_Holdup[2][p] = 20;
  RecordingHost host;
  BatchRun run(host);
  ASSERT_TRUE(run.Start());
  for (int k = 0; k < 4; ++k) ASSERT_TRUE(run.Step());
  double hl[11], m5[11];
  ASSERT_TRUE(run.Step());
  for (int p = 1; p <= 10; ++p) hl[p] = Batch.Tray_HL[p], m5[p] = Batch.Holdup_Mol[p];
  Batch.Run_Diff_Time = 0.0001;  // the last step took 0.0002 h
  ASSERT_TRUE(run.Step());
  ASSERT_DOUBLE_EQ(run.StepTime(), 0.0001);
  double platesTook = 0;
  for (int p = 1; p <= 9; ++p) {
    ASSERT_NE(Batch.Tray_HL[p], hl[p]) << p;
    EXPECT_NEAR(Batch.Tray_dHL[p], (Batch.Tray_HL[p] - hl[p]) / 0.0002, 1e-9 * std::fabs(Batch.Tray_dHL[p]))
        << p;
    EXPECT_NEAR(Batch.Tray_dM[p], (Batch.Holdup_Mol[p] - m5[p]) / 0.0001, 1e-9) << p;
    platesTook += (Batch.Holdup_Mol[p] - m5[p]) / 0.0001;
  }
  // Nothing leaves the column at total reflux.
  EXPECT_NEAR(Batch.Tray_dM[10], -platesTook, 1e-9);
  EXPECT_NEAR((Batch.Holdup_Mol[10] - m5[10]) / 0.0001, Batch.Tray_dM[10], 1e-9);
  EXPECT_GT(std::fabs(Batch.Tray_dM[10]), 0.01);
  double column = 0;
  for (int p = 1; p <= 10; ++p) column += Batch.Holdup_Mol[p];
  EXPECT_NEAR(column, Batch.Total_Feed, 1e-9);
}

// A component absent from the charge stays absent everywhere, and the others
// run as a mixture without it.
TEST_F(BatchStepTest, ComponentAbsentFromTheChargeStaysAbsent) {
  LoadExample();
  Batch.Feed_Comp[2] = 0;
  Batch.Ope_Mode = 1;
  RecordingHost host;
  BatchRun run(host);
  ASSERT_TRUE(run.Start());
  for (int k = 0; k < 50; ++k) ASSERT_TRUE(run.Step());
  for (int p = 1; p <= 10; ++p) {
    EXPECT_EQ(Case.Tray_X[2][p], 0) << p;
    EXPECT_EQ(Case.Tray_Y[2][p], 0) << p;
    EXPECT_NEAR(Case.Tray_X[1][p] + Case.Tray_X[3][p], 1, 1e-14) << p;
  }
}

// ---------------------------------------------------------------- negative composition

// A step the plates would need more than kMaxStepParts parts for is what
// splitting cannot cure: it is asked about, and retried with half the step.
TEST_F(BatchStepTest, RetryRollsBackTheStepAndRepeatsItWithHalfTheStep) {
  LoadExample();
  Batch.Diff_Time = 100;  // some 50,000 residence times of a 1 kmol plate
  RecordingHost host;
  host.answerRetry = true;
  BatchRun run(host);
  ASSERT_TRUE(run.Start());
  const double q = Batch.Run_QReb;
  ASSERT_TRUE(run.Step());
  ASSERT_GE(host.retryQuestions, 1);
  const double taken = run.StepTime();
  EXPECT_LT(taken, 100);
  EXPECT_DOUBLE_EQ(run.CalTime(), taken);
  // Nothing of the discarded attempts stays applied (the step taken may be
  // summed over its parts).
  EXPECT_NEAR(Batch.Tray_Q_Sum[10], q * taken, 1e-12 * q * taken);
  // Each failing component and plate is logged, once per question.
  const std::vector<std::string> log = LogTails();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[1].substr(0, 20), " Cal_time=0.0000 i= ");
  EXPECT_NE(log[1].find(": Runge - Kutta - Gillの計算で組成がマイナス"), std::string::npos);
  // The next step starts again from the step in force.
  const int asked = host.retryQuestions;
  Batch.Run_Diff_Time = 0.0002;
  ASSERT_TRUE(run.Step());
  EXPECT_EQ(host.retryQuestions, asked);
  EXPECT_DOUBLE_EQ(run.StepTime(), 0.0002);
}

TEST_F(BatchStepTest, RetriesAreBoundedAndCancelEndsAsAnError) {
  English();
  LoadExample();
  Batch.Diff_Time = 1e6;  // still too long after every halving
  RecordingHost host;
  host.answerRetry = true;
  EXPECT_EQ(Batch_Calc(host), BatchEnd::NegativeComposition);
  EXPECT_EQ(host.retryQuestions, BatchRun::kMaxRetryHalvings + 1);

  LoadExample();
  Batch.Diff_Time = 100;
  RecordingHost cancel;
  BatchRun run(cancel);
  ASSERT_TRUE(run.Start());
  EXPECT_FALSE(run.Step());
  EXPECT_EQ(run.End(), BatchEnd::NegativeComposition);
  EXPECT_EQ(cancel.retryQuestions, 1);
  ASSERT_EQ(cancel.messages.size(), 3u);
  EXPECT_EQ(cancel.messages[1], "ERROR:Runge-Kutta-Gill Negative composition");
  EXPECT_EQ(cancel.messages[2], "ERROR:Runge-Kutta-Gill Negative composition, end of calculation");
  EXPECT_EQ(LogTails().back(), " Cal_time=0.0000 Negative composition, end of calculation");
  EXPECT_EQ(Case.Stop_Flag, -1);
  EXPECT_TRUE(Exists(3));
  EXPECT_DOUBLE_EQ(Case.Tray_X[1][5], 0.12);  // the failed step left nothing behind
  EXPECT_EQ(Batch.Tray_Q_Sum[10], 0);
}

// ---------------------------------------------------------------- ends and files

TEST_F(BatchStepTest, TimeOverKeepsThePartialTank) {
  English();
  LoadExample();
  Batch.Tank_Value[1] = 50;  // 5 h at 10 kmol/h
  Batch.Max_Ope_Time = 1;
  Batch.Diff_Time = 0.0005;
  RecordingHost host;
  EXPECT_EQ(Batch_Calc(host), BatchEnd::TimeOver);
  EXPECT_EQ(host.messages.back(), "Time over or Bottom Volume=0, end of calculation");
  EXPECT_EQ(LogTails().back(), " Cal_time=1.0005 Time over or Bottom Volume=0, end of calculation");
  EXPECT_EQ(Case.Stop_Flag, -1);
  EXPECT_TRUE(Exists(3));
  seqfile::Reader r;
  ASSERT_TRUE(r.Open(File(5)));
  EXPECT_EQ(r.Int(), 0);
  EXPECT_NEAR(r.Double(), 1.0005, 1e-9);
  const double amount = r.Double() + r.Double() + r.Double();
  EXPECT_NEAR(amount, 10.0, 0.01);
}

// The withdrawal in Japanese: the phase captions change before the
// convergence notice, the tank change is announced with the tanks recorded,
// and an abort in the last tank ends normally, then as an abort.
TEST_F(BatchStepTest, JapaneseWithdrawalAndAbortInTheLastTank) {
  BinaryStill(2);
  Batch.N_Change_Tank = 1;
  Batch.Tank_Value[1] = 0.5005;  // 0.001 kmol a step: the 501st step fills it
  Batch.Tank_Cond[2] = -1;
  Batch.Tank_Value[2] = 50;
  Batch.Prod_Spec[2][2] = 10;
  RecordingHost host;
  std::size_t noticesBeforeCaptions = 99;
  host.onWithdrawal = [&] { noticesBeforeCaptions = host.notices.size(); };
  int tankTwoSteps = 0;
  host.onYield = [&] {
    if (Batch.Tank_No == 2 && ++tankTwoSteps == 3) Case.Stop_Flag = 1;
  };
  EXPECT_EQ(Batch_Calc(host), BatchEnd::Abort);
  EXPECT_EQ(noticesBeforeCaptions, 0u);
  EXPECT_EQ(host.notices, (std::vector<std::string>{"全還流収束", "製品タンク切替1"}));
  EXPECT_EQ(host.messages, (std::vector<std::string>{"計算を開始します", "計算完了", " 中止により計算終了"}));
  // Withdrawal starts one step after convergence: the n-th step starts at n x 0.0001 h,
  // and the phase time runs on through the tank change.
  EXPECT_EQ(LogTails(), (std::vector<std::string>{" Start Calculation", LogTails()[1].substr(0, 16) + " 全還流収束",
                                                  " Cal_time=0.0501 タンク切り替え", " Cal_time=0.0504 計算終了",
                                                  " Cal_time=0.0504 中止により計算終了"}));
  EXPECT_EQ(Lines(File(5)).size(), 6u);  // both tanks
}

TEST_F(BatchStepTest, EmptyStillEndsTheRunAndKeepsThePartialTank) {
  English();
  BinaryStill(2);
  Batch.Tray_Holdup[1][1] = 1;
  Batch.Diff_Time = 0.005;
  Batch.Conv_Limit = 1e-4;
  Batch.Tank_Value[1] = 1000;  // more than the charge: the tank never fills
  Batch.Max_Ope_Time = 20;
  RecordingHost host;
  host.answerRetry = true;
  EXPECT_EQ(Batch_Calc(host), BatchEnd::StillEmpty);
  // The still ends with less than what one step takes out of it, having
  // emptied without any negative composition on the way.
  EXPECT_GT(Batch.Holdup_Mol[2], 0);
  EXPECT_LE(Batch.Holdup_Mol[2], 10 * 0.005 + 1e-9);
  EXPECT_EQ(host.retryQuestions, 0);
  EXPECT_EQ(host.messages.back(), "Time over or Bottom Volume=0, end of calculation");
  EXPECT_EQ(Case.Stop_Flag, -1);
  EXPECT_TRUE(Exists(3));
  seqfile::Reader r;
  ASSERT_TRUE(r.Open(File(5)));
  EXPECT_EQ(r.Int(), 0);
  r.Double();
  // The tank holds all but the drum and what the still kept.
  EXPECT_NEAR(r.Double() + r.Double(), 99 - Batch.Holdup_Mol[2], 1e-9);
}

// Enthalpy coefficients all 0 leave every flow equation without a denominator.
TEST_F(BatchStepTest, FlowsThatAreNoNumberEndTheRun) {
  English();
  LoadExample();
  for (int i = 1; i <= 3; ++i) Case.HV_A[i] = Case.HV_B[i] = Case.HL_A[i] = Case.HL_B[i] = 0;
  RecordingHost host;
  EXPECT_EQ(Batch_Calc(host), BatchEnd::NotFinite);
  EXPECT_EQ(host.messages.back(), "ERROR:Flows cannot be computed, end of calculation");
  EXPECT_EQ(Case.Stop_Flag, -1);
  EXPECT_TRUE(Exists(3));
  EXPECT_DOUBLE_EQ(Case.Tray_X[1][1], 0.12);
}

// A vapour pressure beyond the range of a double fails every plate's bubble
// point: the run tells it once, not once per plate and step, and ends.
TEST_F(BatchStepTest, EquilibriumMessagesShowOncePerRun) {
  English();
  LoadExample();
  Case.Antoine_A[3] = 400;
  CalcMessageRecorder shown;
  RecordingHost host;
  EXPECT_EQ(Batch_Calc(host), BatchEnd::NotFinite);
  EXPECT_EQ(shown.Messages(), std::vector<std::string>{"T_Bubble_Mix No-Convergence"});
}

// A data folder that cannot be written ends the run at once with one message
// naming the folder and the reason; a file that fails later in the run ends it
// there, and what was written before stays whole.
TEST_F(BatchStepTest, RunThatCannotKeepItsFilesStops) {
  English();
  LoadExample();
  Case.Data_Dir = (dir_ / "no such folder").string();
  CalcMessageRecorder shown;
  RecordingHost host;
  EXPECT_EQ(Batch_Calc(host), BatchEnd::WriteFailed);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_NE(host.messages[0].find(Case.Data_Dir), std::string::npos);
  EXPECT_NE(host.messages[0].find("the folder does not exist"), std::string::npos);
  EXPECT_TRUE(shown.Messages().empty());
  EXPECT_EQ(host.steps, 0);
  EXPECT_EQ(host.ends, std::vector<BatchEnd>{BatchEnd::WriteFailed});
  EXPECT_EQ(Case.Stop_Flag, -1);

  // The history file turned into a folder: the first record fails.
  Case.Data_Dir = dir_.string();
  Case.Language = 0;
  RecordingHost later;
  int records = 0;
  later.onSave = [&] {
    if (++records == 3) {
      std::filesystem::remove(File(1));
      std::filesystem::create_directories(File(1));
    }
  };
  EXPECT_EQ(Batch_Calc(later), BatchEnd::WriteFailed);
  EXPECT_EQ(records, 4);
  ASSERT_EQ(later.messages.size(), 2u);  // the start, then the failure
  EXPECT_NE(later.messages[1].find(dir_.string()), std::string::npos);
  EXPECT_NE(later.messages[1].find("理由"), std::string::npos);
  EXPECT_EQ(LogTails().back(), " Cal_time=" + LogTails().back().substr(10, 6) + " ファイル書き込み不可のため計算中止");
  EXPECT_TRUE(Exists(3));
}

TEST_F(BatchStepTest, FreshRunReplacesOldResultsAndAContinuedRunExtendsTheHistory) {
  for (int n = 1; n <= 5; ++n) ASSERT_TRUE(seqfile::SaveAtomic(File(n), "old\r\n"));
  LoadExample();
  Batch.Ope_Mode = 1;
  Batch.Diff_Time = 0.0005;
  RecordingHost host;
  EXPECT_EQ(Batch_Calc(host), BatchEnd::Converged);
  EXPECT_EQ(Case.Stop_Flag, -1);
  EXPECT_EQ(host.messages.back(), "計算完了");
  EXPECT_EQ(LogTails().back().substr(16), " 計算完了");
  EXPECT_FALSE(Exists(4));
  EXPECT_FALSE(Exists(5));
  EXPECT_NE(Slurp(File(3)), "old\r\n");
  EXPECT_TRUE(Batch_Run_Files_Complete());
  const std::vector<double> first = RecordTimes(1);
  ASSERT_GT(first.size(), 10u);
  EXPECT_EQ(first[0], 0);

  // The continuation reads the state at convergence and goes on from it.
  Batch.Batch_File = File(2);
  ASSERT_TRUE(Read_Batch_Continue(1).ok());
  Batch.Continue_Flag = 1;
  Batch.Restart_Time = Batch.Oper_Time;
  Batch.QReb = Batch.QReb_TR;
  BatchRun run(host);
  ASSERT_TRUE(run.Start());
  EXPECT_FALSE(Exists(3));
  EXPECT_DOUBLE_EQ(run.CalTime(), Batch.Restart_Time);
  // The first equilibrium is that of the saved profile, not of the charge.
  EXPECT_NEAR(Case.Tray_X[1][1], Batch.Cont_X[1][1], 1e-12);
  EXPECT_NEAR(Case.Tray_T[1], Batch.Cont_T[1], 0.05);
  EXPECT_LT(Case.Tray_T[1], 70);
  run.Step();
  const std::vector<double> second = RecordTimes(1);
  ASSERT_EQ(second.size(), first.size() + 1);
  EXPECT_DOUBLE_EQ(second.back(), Batch.Restart_Time);
}

// A run aborted before total reflux converges leaves no total-reflux state of
// an earlier run behind; a run file that cannot be cleared stops the run before
// it starts, and such a run offers no results.
TEST_F(BatchStepTest, RunClearsTheFilesItWillWriteFirst) {
  English();
  ASSERT_TRUE(seqfile::SaveAtomic(File(2), "older run\r\n"));
  LoadExample();
  RecordingHost host;
  host.onYield = [&] {
    if (host.steps == 5) Case.Stop_Flag = 1;
  };
  EXPECT_EQ(Batch_Calc(host), BatchEnd::Abort);
  EXPECT_FALSE(Exists(2));
  EXPECT_TRUE(Exists(1));
  EXPECT_TRUE(Exists(3));
  EXPECT_TRUE(Batch_Run_Files_Complete());
  EXPECT_FALSE(Batch_Run_File_Of_Other_Run(1));
  // A file put there afterwards is not this run's.
  ASSERT_TRUE(seqfile::SaveAtomic(File(2), "older run\r\n"));
  EXPECT_TRUE(Batch_Run_File_Of_Other_Run(2));

  std::filesystem::remove(File(4));
  std::filesystem::create_directories(std::filesystem::path(File(4)) / "kept");
  RecordingHost blocked;
  EXPECT_EQ(Batch_Calc(blocked), BatchEnd::WriteFailed);
  EXPECT_EQ(blocked.steps, 0);
  ASSERT_EQ(blocked.messages.size(), 1u);
  EXPECT_NE(blocked.messages[0].find("B_Calc_4.dat"), std::string::npos);
  EXPECT_FALSE(Batch_Run_Files_Complete());
}

TEST_F(BatchStepTest, RecordsFollowTheSaveInterval) {
  LoadExample();
  Batch.Save_Interval = 0.001;
  RecordingHost host;
  BatchRun run(host);
  ASSERT_TRUE(run.Start());
  for (int k = 0; k < 12; ++k) ASSERT_TRUE(run.Step());
  const std::vector<double> times = RecordTimes(1);
  ASSERT_EQ(times.size(), 3u);
  EXPECT_EQ(times[0], 0);
  EXPECT_NEAR(times[1], 0.001, 1e-12);
  EXPECT_NEAR(times[2], 0.002, 1e-12);
  // A step changed to nothing or less would never advance: the case's step stands in.
  for (double bad : {0.0, -0.001}) {
    Batch.Run_Diff_Time = bad;
    const double before = run.CalTime();
    ASSERT_TRUE(run.Step());
    EXPECT_DOUBLE_EQ(run.StepTime(), 0.0002);
    EXPECT_DOUBLE_EQ(run.CalTime(), before + 0.0002);
  }
}

TEST_F(BatchStepTest, TankConditionsUseStrictSignsAndNeverFireOnNothing) {
  Case.NC = 2;
  Case.Mol_Wt[1] = 10;
  Case.Mol_Wt[2] = 30;
  Batch.Tank_Amount[1] = 1;
  Batch.Tank_Amount[2] = 1;  // 2 kmol, 40 kg; mole fraction 0.5, mass fraction 0.25
  struct Cond {
    int cond;
    double value;
    bool full;
  };
  const Cond conds[] = {
      {-1, 2, false}, {-1, 1.99, true},  {-2, 40, false},  {-2, 39.9, true},
      {1, 0.5, false}, {1, 0.49, true},  {1, -0.5, false}, {1, -0.51, true},
      {101, 0.25, false}, {101, 0.24, true}, {102, -0.76, true}, {102, -0.75, false},
      {1, 0, false},  {-1, 0, false},    {0, 1, false},
  };
  for (const Cond& c : conds) {
    Batch.Tank_Cond[3] = c.cond;
    Batch.Tank_Value[3] = c.value;
    EXPECT_EQ(Batch_Tank_Full(3), c.full) << c.cond << " " << c.value;
  }
  Batch.Tank_Amount[1] = Batch.Tank_Amount[2] = 0;
  for (int cond : {1, 2, 101, 102}) {
    Batch.Tank_Cond[3] = cond;
    Batch.Tank_Value[3] = -0.88;
    EXPECT_FALSE(Batch_Tank_Full(3)) << cond;
  }
}

TEST_F(BatchStepTest, LogLineTexts) {
  // 19 + 10 + 6 + 3 + 3 characters reach 41: one blank to the zone at 42.
  EXPECT_EQ(Batch_Log_Negative_Line(0.1234, 2, 5),
            "2026/12/09 05:00:00 Cal_time=0.1234 i= 2   j = 5 : Runge - Kutta - Gillの計算で組成がマイナス");
  EXPECT_EQ(Batch_Log_Negative_Line(12.5, 12, 150),
            "2026/12/09 05:00:00 Cal_time=12.5000 i= 12 " + std::string(13, ' ') +
                " j = 150 : Runge - Kutta - Gillの計算で組成がマイナス");
  EXPECT_EQ(Batch_Log_Change_Text(0.5, " Change Diff Time  Old=", 200, "100"),
            " Cal_time=0.5000 Change Diff Time  Old= 200  New=100");
  EXPECT_EQ(Batch_Log_Change_Text(1, " Change Reboiler Heat Duty Old=", -3, "2"),
            " Cal_time=1.0000 Change Reboiler Heat Duty Old=-3  New=2");
}

}  // namespace
