// The run-file readers of the result windows: whole records and blocks are
// read, short or damaged files are said, never crash, and never hand out half
// a record.
#include <gtest/gtest.h>

#include <cstdio>

#include "batch/BatchTestSupport.h"
#include "batch/model/BatchCaseFile.h"
#include "batch/results/BatchResultFiles.h"
#include "batch/run/BatchRunFiles.h"
#include "core/model/CalcMessages.h"
#include "platform/text/SeqFile.h"

namespace {

class ResultFilesTest : public batchtest::BatchFixture {
 protected:
  void SetUp() override {
    BatchFixture::SetUp();
    Reset_Batch_Result();
    Case.NC = 2;
    Case.NT = 3;
  }
  // A history record for NC 2, NT 3 whose values tell where they came from:
  // x = time / 10 + plate / 100 + component / 1000, T = 50 + plate + time.
  static void Record(seqfile::Writer& w, double time) {
    w.Record(time);
    for (int p = 1; p <= 3; ++p) {
      w.Record(time / 10 + p / 100.0 + 0.001, 0.9, time / 10 + p / 100.0 + 0.002, 0.1);
      w.Record(50 + p + time, 10.0 * p, 8.0 * p, 1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0 * p);
    }
  }
  std::string Path(int n) const { return Batch_Result_Path(Batch_Result_Name(n)); }
};

TEST_F(ResultFilesTest, HistoryRecordsAreReadInOrderAndApplied) {
  seqfile::Writer w;
  Record(w, 0.5);
  Record(w, 1.25);
  ASSERT_TRUE(w.Save(Path(1)));

  HistoryFile f;
  ASSERT_TRUE(f.Open(Path(1)).ok());
  HistoryRecord r;
  ASSERT_TRUE(f.Next(r).ok());
  EXPECT_DOUBLE_EQ(r.time, 0.5);
  EXPECT_DOUBLE_EQ(r.X(2, 3), 0.05 + 0.03 + 0.002);
  EXPECT_DOUBLE_EQ(r.Y(1, 2), 0.9);
  EXPECT_DOUBLE_EQ(r.L(2), 16.0);
  const HistoryFile::Mark second = f.Pos();
  ASSERT_TRUE(f.Next(r).ok());
  Batch.Tray_Heat[2] = 123;  // a heat typed after the run is the case's, not the record's
  Apply_History_Record(r);
  EXPECT_EQ(Batch.Tray_Heat[2], 123);
  EXPECT_DOUBLE_EQ(Batch.Oper_Time, 1.25);
  EXPECT_DOUBLE_EQ(Case.Tray_X[1][1], 0.125 + 0.01 + 0.001);
  EXPECT_DOUBLE_EQ(Case.Tray_T[3], 54.25);
  EXPECT_DOUBLE_EQ(Case.Tray_V[2], 20.0);
  EXPECT_DOUBLE_EQ(Batch.Tray_Q_Sum[3], 21.0);
  EXPECT_DOUBLE_EQ(Batch.Holdup_Mol[1], 4.0);
  EXPECT_EQ(f.Next(r).status, RunFileStatus::End);

  // Going back to a stored position reads that record again.
  f.Seek(second);
  ASSERT_TRUE(f.Next(r).ok());
  EXPECT_DOUBLE_EQ(r.time, 1.25);
}

TEST_F(ResultFilesTest, ShortDamagedMissingAndEmptyHistories) {
  seqfile::Writer w;
  Record(w, 0.5);
  w.Record(0.75, 0.1, 0.2);  // a record cut short
  ASSERT_TRUE(w.Save(Path(4)));
  // Damaged as a whole: not even the sound first record is handed out.
  HistoryFile f;
  HistoryRecord r;
  RunFileResult bad = f.Open(Path(4));
  EXPECT_EQ(bad.status, RunFileStatus::Damaged);
  EXPECT_NE(bad.reason.find("B_Calc_4.dat"), std::string::npos) << bad.reason;
  EXPECT_NE(Run_File_Message(bad).find("結果ファイルが壊れています"), std::string::npos);

  // A text where a number belongs is damage, as is an overflowing number.
  seqfile::Writer t;
  // (A first record that is no plate record is said on opening.)
  auto first = [&] {
    const RunFileResult o = f.Open(Path(1));
    return o.ok() ? f.Next(r).status : o.status;
  };
  t.Record(0.5).Record("abc");
  ASSERT_TRUE(t.Save(Path(1)));
  EXPECT_EQ(first(), RunFileStatus::Damaged);
  seqfile::Writer o;
  o.Line("1E999");
  ASSERT_TRUE(o.Save(Path(1)));
  EXPECT_EQ(first(), RunFileStatus::Damaged);

  seqfile::Writer empty;
  ASSERT_TRUE(empty.Save(Path(1)));
  ASSERT_TRUE(f.Open(Path(1)).ok());
  EXPECT_EQ(f.Next(r).status, RunFileStatus::End);

  RunFileResult missing = f.Open(Path(5));
  EXPECT_EQ(missing.status, RunFileStatus::Missing);
  Case.Language = 1;
  EXPECT_EQ(Run_File_Message(missing).rfind("No result file: ", 0), 0u);
}

// Blocks of the tank file for NC 2, NT 3.
void TankBlock(seqfile::Writer& w, int k, double time) {
  w.Record(k, time);
  w.Record(1.0 + k, 2.0 + k);
  w.Record(-100.0 * (k + 1), 0.0, 100.0 * (k + 1));
}

TEST_F(ResultFilesTest, TankFileBlocks) {
  seqfile::Writer w;
  TankBlock(w, 0, 0.8);
  TankBlock(w, 1, 1.4);
  ASSERT_TRUE(w.Save(Path(5)));
  ASSERT_TRUE(Read_Tank_File(Path(5)).ok());
  EXPECT_EQ(Batch.Tank_Count, 1);
  EXPECT_DOUBLE_EQ(Batch_Result.Tank_Time[2], 1.4);
  EXPECT_DOUBLE_EQ(Batch_Result.Tank_X[2][1], 2.0);
  EXPECT_DOUBLE_EQ(Batch_Result.Tank_Tray_Val[3][2], 200.0);

  // A block cut short: the file is damaged and no tank of it is shown.
  w.Record(2, 2.0).Record(3.0);
  ASSERT_TRUE(w.Save(Path(5)));
  EXPECT_EQ(Read_Tank_File(Path(5)).status, RunFileStatus::Damaged);
  EXPECT_EQ(Batch.Tank_Count, -1);

  // More blocks than tanks: the first five are kept and the rest is said.
  seqfile::Writer six;
  for (int k = 0; k < 6; ++k) TankBlock(six, k, k + 0.5);
  ASSERT_TRUE(six.Save(Path(5)));
  RunFileResult r = Read_Tank_File(Path(5));
  EXPECT_EQ(r.status, RunFileStatus::Damaged);
  EXPECT_NE(r.reason.find("5基"), std::string::npos) << r.reason;
  EXPECT_EQ(Batch.Tank_Count, 4);
  EXPECT_DOUBLE_EQ(Batch_Result.Tank_Time[5], 4.5);

  // No file: no tank at all, not the blocks of an earlier reading.
  std::filesystem::remove(Path(5));
  EXPECT_EQ(Read_Tank_File(Path(5)).status, RunFileStatus::Missing);
  EXPECT_EQ(Batch.Tank_Count, -1);
}

TEST_F(ResultFilesTest, TankChangesAreReadOneAhead) {
  seqfile::Writer w;
  TankBlock(w, 0, 0.8);
  TankBlock(w, 1, 1.4);
  w.Record(2, 2.0).Record(3.0);  // damaged last block
  ASSERT_TRUE(w.Save(Path(5)));
  TankChanges t;
  t.Open(Path(5));
  EXPECT_DOUBLE_EQ(t.Pending(), 0.8);
  t.Advance();
  EXPECT_DOUBLE_EQ(t.Pending(), 1.4);
  t.Advance();
  EXPECT_DOUBLE_EQ(t.Pending(), TankChanges::kNoChange);
  t.Advance();
  EXPECT_DOUBLE_EQ(t.Pending(), TankChanges::kNoChange);
  TankChanges none;
  none.Open(Path(2));
  EXPECT_DOUBLE_EQ(none.Pending(), TankChanges::kNoChange);
}

TEST_F(ResultFilesTest, FinalRangesTakeTheSecondToSeventhValues) {
  seqfile::Writer w;
  w.Record(9.0, 100.0, 56.2, 30.0, 3.0, 25.0, 2.0, 0.5, 1.5);
  ASSERT_TRUE(w.Save(Path(3)));
  ASSERT_TRUE(Read_Final_Ranges(Path(3)).ok());
  EXPECT_DOUBLE_EQ(Batch.Scale_T_Max, 100.0);
  EXPECT_DOUBLE_EQ(Batch.Scale_T_Min, 56.2);
  EXPECT_DOUBLE_EQ(Batch.Scale_L_Min, 2.0);
  seqfile::Writer s;
  s.Record(9.0, 100.0);
  ASSERT_TRUE(s.Save(Path(3)));
  Batch.Scale_T_Max = 1;
  EXPECT_EQ(Read_Final_Ranges(Path(3)).status, RunFileStatus::Damaged);
  EXPECT_DOUBLE_EQ(Batch.Scale_T_Max, 1);
  for (const char* bad : {"9,-300,56.2,30,3,25,2", "9,100,56.2,30,-3,25,2", "-9,100,56.2,30,3,25,2"}) {
    seqfile::Writer d;
    d.Line(bad);
    ASSERT_TRUE(d.Save(Path(3)));
    EXPECT_EQ(Read_Final_Ranges(Path(3)).status, RunFileStatus::Damaged) << bad;
    EXPECT_DOUBLE_EQ(Batch.Scale_T_Max, 1);
  }
}

TEST_F(ResultFilesTest, TotalRefluxStateBringsItsRunCaseAndLeavesTheLiveCase) {
  LoadExample();
  Batch.Ope_Mode = 1;
  Batch.QReb = Batch.QReb_TR;
  batchtest::RecordingHost host;
  ASSERT_EQ(Batch_Calc(host), BatchEnd::Converged);
  const double converged = Batch.Oper_Time;
  const double x13 = Case.Tray_X[1][3];
  // The user changes the case after the run; the table shows the run's case.
  Case.NT = 4;
  Case.Comp_Name[1] = "changed";
  Case.Tray_X[1][3] = 0;
  Batch.Tray_Heat[5] = 777;
  Batch.Batch_File = Batch_History_Name(0);
  BatchRunCase run;
  ASSERT_TRUE(Load_Total_Reflux_State(run).ok());
  EXPECT_EQ(Batch.Tray_Heat[5], 777) << "reading results never writes the case";
  EXPECT_EQ(run.nt, 10);
  EXPECT_EQ(run.nc, 3);
  EXPECT_EQ(run.names[1], "Methanol");
  EXPECT_EQ(Case.NT, 4);
  EXPECT_EQ(Case.Comp_Name[1], "changed");
  EXPECT_NEAR(Batch.Oper_Time, converged, 1e-12);
  EXPECT_NEAR(Case.Tray_X[1][3], x13, 1e-12);
  EXPECT_EQ(Batch.Batch_File, Batch_History_Name(0));

  // A file that is no batch case: the reader says so, nothing changes.
  seqfile::Writer w;
  w.Record("something else");
  ASSERT_TRUE(w.Save(Path(2)));
  CalcMessageRecorder rec;
  Case.NT = 4;
  EXPECT_EQ(Load_Total_Reflux_State(run).status, RunFileStatus::Damaged);
  EXPECT_EQ(Case.NT, 4);
  ASSERT_EQ(rec.Messages().size(), 1u);
  std::filesystem::remove(Path(2));
  EXPECT_EQ(Load_Total_Reflux_State(run).status, RunFileStatus::Missing);

  // The run wrote no tank file: one found now is another run's, and is said so.
  seqfile::Writer tank;
  tank.Record(0, 0.5).Record(1.0, 2.0).Record(3.0, 4.0, 5.0, 6.0, 7.0, 8.0, 9.0, 10.0, 11.0, 12.0);
  ASSERT_TRUE(tank.Save(Path(5)));
  const RunFileResult other = Read_Tank_File(Path(5));
  EXPECT_EQ(other.status, RunFileStatus::OtherRun);
  Case.Language = 1;
  EXPECT_EQ(Run_File_Message(other), "The result file is from another run: " + Path(5));
}

// Values no run can leave make a run file damaged as a whole: nothing of it
// reaches a table or a graph.
TEST_F(ResultFilesTest, NonPhysicalValuesDamageTheWholeFile) {
  for (int n : {1, 4, 5}) Batch_Run_File_Written(n);  // the files are this run's own
  Case.Language = 1;
  Case.NC = 1;
  Case.NT = 1;
  HistoryFile f;
  HistoryRecord r;
  // Time 0, then x = -3, y = 3 with a lone CR between the records (kept as test data).
  std::filesystem::copy_file(VZ_SOURCE_DIR "/tests/batch/results/data/history_x_minus_3.dat", Path(1),
                             std::filesystem::copy_options::overwrite_existing);
  RunFileResult bad = f.Open(Path(1));
  EXPECT_EQ(bad.status, RunFileStatus::Damaged);
  EXPECT_NE(bad.reason.find("x (1, 1) = -3"), std::string::npos) << bad.reason;

  Case.NC = 2;
  Case.NT = 3;
  const struct {
    const char* what;
    int line;       // 1-based line of the second record to edit
    std::string to;
    const char* field;
  } edits[] = {
      {"a fraction below 0", 9, "-0.01,0.9,0.1,0.1", "x (1, 1)"},
      {"a fraction above 1", 9, "0.1,1.5,0.1,0.1", "y (1, 1)"},
      {"a temperature below absolute zero", 10, "-300,10,8,1,2,3,4,5,6,7", "T (1)"},
      {"a negative vapour flow", 12, "52,-20,16,1,2,3,4,5,6,14", "V (2)"},
      {"a negative liquid flow", 14, "53,30,-24,1,2,3,4,5,6,21", "L (3)"},
      {"a negative hold-up", 14, "53,30,24,1,2,3,-4,5,6,21", "M (3)"},
      {"a negative time", 8, "-1.25", "time"},
  };
  for (const auto& e : edits) {
    SCOPED_TRACE(e.what);
    seqfile::Writer w;
    Record(w, 0.5);
    Record(w, 1.25);
    std::string text = w.Content();
    std::size_t from = 0;
    for (int k = 1; k < e.line; ++k) from = text.find("\r\n", from) + 2;
    text.replace(from, text.find("\r\n", from) - from, e.to);
    ASSERT_TRUE(seqfile::SaveAtomic(Path(4), text));
    const RunFileResult o = f.Open(Path(4));
    EXPECT_EQ(o.status, RunFileStatus::Damaged);
    EXPECT_NE(o.reason.find(e.field), std::string::npos) << o.reason;
    EXPECT_NE(o.reason.find("line " + std::to_string(e.line) + ":"), std::string::npos) << o.reason;
  }

  // A negative amount in a tank: no tank of the file is kept.
  seqfile::Writer tank;
  TankBlock(tank, 0, 0.8);
  tank.Record(1, 1.4).Record(-2.0, 3.0).Record(0.0, 0.0, 0.0);
  ASSERT_TRUE(tank.Save(Path(5)));
  Batch_Result.Tank_Time[1] = 7;
  const RunFileResult t = Read_Tank_File(Path(5));
  EXPECT_EQ(t.status, RunFileStatus::Damaged);
  EXPECT_EQ(Batch.Tank_Count, -1);
  EXPECT_EQ(Batch_Result.Tank_Time[1], 7);
  EXPECT_NE(Run_File_Message(t).find("line 5: tank amount (1) = -2 is below 0"), std::string::npos)
      << Run_File_Message(t);
}

// The history of a run of ten plates, read while the case has fifteen plates
// and other names: counts from the file, names from the run's own case.
TEST_F(ResultFilesTest, HistoryIsReadWithTheCountsOfItsRun) {
  LoadExample();
  Batch.Ope_Mode = 1;
  Batch.QReb = Batch.QReb_TR;
  batchtest::RecordingHost host;
  ASSERT_EQ(Batch_Calc(host), BatchEnd::Converged);
  Case.NT = 15;
  Case.NC = 2;
  Case.Comp_Name[1] = "changed";
  const std::string path = Batch_Result_Path(Batch_History_Name(0));
  HistoryFile f;
  ASSERT_TRUE(f.Open(path).ok());
  EXPECT_EQ(f.NC(), 3);
  EXPECT_EQ(f.NT(), 10);
  HistoryRecord rec;
  int records = 0;
  RunFileResult r;
  while ((r = f.Next(rec)).ok()) ++records;
  EXPECT_EQ(r.status, RunFileStatus::End);
  EXPECT_GT(records, 1);
  const BatchRunCase run = History_Run_Case(path);
  EXPECT_EQ(run.nt, 10);
  EXPECT_EQ(run.names[3], "Water");
  {
    const RunCaseScope scope(run);
    EXPECT_EQ(Case.NT, 10);
    EXPECT_EQ(Case.Comp_Name[1], "Methanol");
  }
  EXPECT_EQ(Case.NT, 15);
  EXPECT_EQ(Case.NC, 2);
  EXPECT_EQ(Case.Comp_Name[1], "changed");

  // Without the run's case file the names are the component numbers.
  std::filesystem::remove(Path(2));
  EXPECT_EQ(History_Run_Case(path).names[2], "2");
  // A first record without the plate layout is damage, not a shape.
  seqfile::Writer w;
  w.Record(0.5).Record(1.0, 2.0, 3.0);
  ASSERT_TRUE(w.Save(path));
  EXPECT_EQ(f.Open(path).status, RunFileStatus::Damaged);
}

// The old end-of-file mark ends a history: before it there is no record, and
// every way of asking says so.
TEST_F(ResultFilesTest, TheEndOfFileMarkEndsAHistory) {
  seqfile::Writer w;
  ASSERT_TRUE(w.Line("\x1a" "0").Save(Path(1)));
  HistoryFile f;
  ASSERT_TRUE(f.Open(Path(1)).ok());
  EXPECT_EQ(f.Records(), 0u);
  EXPECT_TRUE(f.AtEnd());
  HistoryRecord r;
  EXPECT_EQ(f.Next(r).status, RunFileStatus::End);

  // After whole records the mark ends the file as well.
  seqfile::Writer two;
  Record(two, 0.5);
  Record(two, 1.0);
  ASSERT_TRUE(two.Line("\x1a" "garbage, 1, 2").Save(Path(1)));
  ASSERT_TRUE(f.Open(Path(1)).ok());
  EXPECT_EQ(f.Records(), 2u);
  ASSERT_TRUE(f.Next(r).ok());
  ASSERT_TRUE(f.Next(r).ok());
  EXPECT_TRUE(f.AtEnd());
  EXPECT_EQ(f.Next(r).status, RunFileStatus::End);
}

// A history beyond the bound for case files, as a long run at a fine record
// interval writes it, is read to its last record, and any record can be gone
// to. (Lines named across slices are the stream reader's tests.)
TEST_F(ResultFilesTest, AHistoryBeyondTheCaseFileBoundIsReadToItsEnd) {
  for (int n : {1, 4}) Batch_Run_File_Written(n);  // the files are this run's own
  // Numbers of fifteen digits, as the run writes them: few fields per byte.
  const std::string plate =
      "0.123456789012345,0.876543210987654\r\n"
      "78.1234567890123,101.234567890123,99.8765432109876,41234.5678901234,12345.6789012345,0,"
      "4.12345678901234,0,0,0\r\n";
  std::string text;
  std::size_t records = 0;
  while (text.size() <= seqfile::kMaxFileBytes + 4096) {
    text += std::to_string(records) + ".5\r\n" + plate;
    ++records;
  }
  {
    std::FILE* out = std::fopen(Path(4).c_str(), "wb");
    ASSERT_NE(out, nullptr);
    ASSERT_EQ(std::fwrite(text.data(), 1, text.size(), out), text.size());
    std::fclose(out);
  }
  HistoryFile f;
  const RunFileResult opened = f.Open(Path(4));
  ASSERT_TRUE(opened.ok()) << opened.reason;
  EXPECT_EQ(f.NC(), 1);
  EXPECT_EQ(f.NT(), 1);
  ASSERT_EQ(f.Records(), records);
  HistoryRecord r;
  ASSERT_TRUE(f.SeekRecord(records - 1, r));
  ASSERT_TRUE(f.Next(r).ok());
  EXPECT_DOUBLE_EQ(r.time, static_cast<double>(records - 1) + 0.5);
  EXPECT_DOUBLE_EQ(r.Y(1, 1), 0.876543210987654);
  EXPECT_DOUBLE_EQ(r.Value(1, 3), 41234.5678901234);
  EXPECT_TRUE(f.AtEnd());
  EXPECT_EQ(f.Next(r).status, RunFileStatus::End);
  ASSERT_TRUE(f.SeekRecord(HistoryFile::kMarkStride + 1, r));
  ASSERT_TRUE(f.Next(r).ok());
  EXPECT_DOUBLE_EQ(r.time, HistoryFile::kMarkStride + 1.5);
  EXPECT_FALSE(f.SeekRecord(records, r));
}

}  // namespace
