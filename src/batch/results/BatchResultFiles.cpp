#include "batch/results/BatchResultFiles.h"

#include <cmath>
#include <memory>

#include "batch/model/BatchCaseFile.h"
#include "batch/run/BatchRunFiles.h"
#include "core/model/CalcMessages.h"
#include "core/model/CaseData.h"
#include "core/model/CaseFileBlocks.h"
#include "core/model/Language.h"
#include "platform/text/NumberText.h"

BatchResultVars Batch_Result;

void Reset_Batch_Result() { Batch_Result = BatchResultVars{}; }

std::string Batch_Result_Name(int n) { return "\\B_Calc_" + std::to_string(n) + ".dat"; }

std::string Batch_History_Name(int phase) { return Batch_Result_Name(phase == 0 ? 1 : 4); }

std::string Batch_Result_Path(const std::string& name) { return seqfile::JoinPath(Case.Data_Dir, name); }

std::string Run_File_Message(const RunFileResult& r) {
  const bool english = Case.Language == 1;
  if (r.status == RunFileStatus::Missing)
    return (english ? "No result file: " : "結果ファイルがありません: ") + r.reason;
  if (r.status == RunFileStatus::Damaged)
    return (english ? "The result file is damaged: " : "結果ファイルが壊れています: ") + r.reason;
  if (r.status == RunFileStatus::OtherRun)
    return (english ? "The result file is from another run: " : "結果ファイルは別の計算のものです: ") + r.reason;
  return {};
}

namespace {

// A run file that the last run of this process did not write is another run's.
RunFileResult CheckOwner(const std::string& path) {
  for (int n = 1; n <= 5; ++n)
    if (path == Batch_Result_Path(Batch_Result_Name(n)) && Batch_Run_File_Of_Other_Run(n))
      return {RunFileStatus::OtherRun, path};
  return {};
}

RunFileResult OpenFile(seqfile::Reader& reader, const std::string& path) {
  if (!seqfile::FileExists(path)) return {RunFileStatus::Missing, path};
  if (RunFileResult o = CheckOwner(path); !o.ok()) return o;
  std::string error;
  if (!reader.Open(path, &error)) return {RunFileStatus::Missing, error.empty() ? path : error};
  return {};
}

RunFileResult Damaged(const std::string& path, const std::string& what) {
  return {RunFileStatus::Damaged, path + " (" + what + ")"};
}

// A number field that must be finite: a text or an overflow in a number field
// is damage, not a value to draw or divide by.
double Number(seqfile::Reader& r) {
  const double v = r.Double();
  if (!std::isfinite(v)) {
    const std::string line = std::to_string(r.FieldLine());
    throw seqfile::ReadError(txt::EnglishMessages() ? "line " + line + ": a number that is not finite"
                                                    : line + " 行目: 数値が有限ではありません");
  }
  return v;
}

// The plate values of a saved state that no run can leave: a temperature
// (degC) at or below absolute zero, a negative flow or hold-up.
double PlateValue(seqfile::Reader& r, int k, int p) {
  switch (k) {
    case 0: return casecheck::Temperature(r, Field("段温度", "T", p), 1);
    case 1: return casecheck::NonNegative(r, Field("蒸気流量", "V", p));
    case 2: return casecheck::NonNegative(r, Field("液流量", "L", p));
    case 6: return casecheck::NonNegative(r, Field("ホールドアップ", "M", p));
    default: return Number(r);
  }
}

}  // namespace

void HistoryRecord::Size(int components, int plates) {
  nc = components;
  nt = plates;
  const std::size_t n = static_cast<std::size_t>((plates + 1) * (components + 1));
  x.assign(n, 0.0);
  y.assign(n, 0.0);
  plate.assign(static_cast<std::size_t>((plates + 1) * 10), 0.0);
}

void Apply_History_Record(const HistoryRecord& r) {
  Batch.Oper_Time = r.time;
  for (int p = 1; p <= r.nt; ++p) {
    for (int c = 1; c <= r.nc; ++c) {
      Case.Tray_X[c][p] = r.X(c, p);
      Case.Tray_Y[c][p] = r.Y(c, p);
    }
    Case.Tray_T[p] = r.Value(p, 0);
    Case.Tray_V[p] = r.Value(p, 1);
    Case.Tray_L[p] = r.Value(p, 2);
    Batch.Tray_HV[p] = r.Value(p, 3);
    Batch.Tray_HL[p] = r.Value(p, 4);
    Batch.Holdup_Mol[p] = r.Value(p, 6);
    Batch.Tray_dM[p] = r.Value(p, 7);
    Batch.Tray_dHL[p] = r.Value(p, 8);
    Batch.Tray_Q_Sum[p] = r.Value(p, 9);
  }
}

BatchRunCase Live_Run_Case() {
  BatchRunCase r;
  r.nc = Case.NC;
  r.nt = Case.NT;
  for (int c = 0; c <= kMaxComp; ++c) {
    r.names[c] = Case.Comp_Name[c];
    r.molWt[c] = Case.Mol_Wt[c];
  }
  for (int p = 0; p <= kMaxTray; ++p) r.trayPress[p] = Case.Tray_Press[p];
  return r;
}

namespace {

void Put_Run_Case(const BatchRunCase& run) {
  Case.NC = run.nc;
  Case.NT = run.nt;
  for (int c = 0; c <= kMaxComp; ++c) {
    Case.Comp_Name[c] = run.names[c];
    Case.Mol_Wt[c] = run.molWt[c];
  }
  for (int p = 0; p <= kMaxTray; ++p) Case.Tray_Press[p] = run.trayPress[p];
}

}  // namespace

RunCaseScope::RunCaseScope(const BatchRunCase& run) : live_(Live_Run_Case()) { Put_Run_Case(run); }

// Nothing of the run stays in the live case.
RunCaseScope::~RunCaseScope() { Put_Run_Case(live_); }

namespace {

// Reads the total-reflux file into the globals and leaves them as the live
// case had them; `loaded` gets what was read.
BatchReadResult Read_Total_Reflux_Apart(CaseData& loadedCase, BatchData& loadedBatch) {
  const auto liveCase = std::make_unique<CaseData>(Case);
  const auto liveBatch = std::make_unique<BatchData>(Batch);
  Batch.Batch_File = Batch_Result_Path(Batch_Result_Name(2));
  const BatchReadResult read = Read_Batch_Continue(1);
  loadedCase = Case;
  loadedBatch = Batch;
  Case = *liveCase;
  Batch = *liveBatch;
  return read;
}

}  // namespace

bool Read_Run_Case(BatchRunCase& out) {
  if (!seqfile::FileExists(Batch_Result_Path(Batch_Result_Name(2)))) return false;
  auto loadedCase = std::make_unique<CaseData>();
  auto loadedBatch = std::make_unique<BatchData>();
  // A probe for names: the windows say what is wrong with the files they show.
  CalcMessageHandler previous = Set_Calc_Message_Handler([](const std::string&) {});
  const BatchReadResult read = Read_Total_Reflux_Apart(*loadedCase, *loadedBatch);
  Set_Calc_Message_Handler(std::move(previous));
  if (!read.ok()) return false;
  const auto live = std::make_unique<CaseData>(Case);
  Case = *loadedCase;
  out = Live_Run_Case();
  Case = *live;
  return true;
}

BatchRunCase History_Run_Case(const std::string& historyPath) {
  BatchRunCase run = Live_Run_Case();
  HistoryFile file;
  if (!file.Open(historyPath).ok() || file.NT() < 1) return run;
  if (file.NC() == run.nc && file.NT() == run.nt) {
    BatchRunCase stored;
    if (Read_Run_Case(stored) && stored.nc == run.nc && stored.nt == run.nt) return stored;
    return run;
  }
  BatchRunCase stored;
  if (Read_Run_Case(stored) && stored.nc == file.NC() && stored.nt == file.NT()) return stored;
  const bool sameComponents = run.nc == file.NC();
  run.nc = file.NC();
  run.nt = file.NT();
  for (int c = 1; c <= run.nc; ++c)
    if (!sameComponents) run.names[c] = std::to_string(c), run.molWt[c] = 0;
  // Plate pressures of another column mean nothing here.
  for (double& p : run.trayPress) p = 0;
  return run;
}

RunFileResult HistoryFile::Open(const std::string& path) {
  path_ = path;
  nc_ = Case.NC;
  nt_ = Case.NT;
  records_ = 0;
  marks_.clear();
  if (!seqfile::FileExists(path)) return {RunFileStatus::Missing, path};
  if (RunFileResult o = CheckOwner(path); !o.ok()) return o;
  std::string error;
  if (!reader_.Open(path, &error)) return {RunFileStatus::Missing, error.empty() ? path : error};
  // The first record's lines: the time, then pairs of 2 NC fractions and ten
  // plate values, up to the next time line or the end.
  std::vector<int> counts;
  try {
    while (!reader_.Eof()) {
      const int n = seqfile::FieldsOnLine(reader_.LineInput());
      if (n == 0) continue;
      const std::size_t i = counts.size();
      // The next time line, or a line out of the layout (damage that the
      // reading of that record will name), ends the first record.
      if (i > 0 && (n == 1 || (i > 1 && n != (i % 2 == 1 ? counts[1] : 10)))) break;
      counts.push_back(n);
    }
  } catch (const seqfile::ReadError&) {
  }
  if (!reader_.Seek(Mark{})) return Damaged(path, InLanguage("ファイルを読み直せません", "the file could not be read again"));
  if (counts.empty()) return {};  // no record: nothing to count
  const std::size_t lines = (counts.size() - 1) / 2 * 2;  // whole plates only
  const bool shaped = counts[0] == 1 && lines >= 2 && counts[1] % 2 == 0 && counts[1] / 2 <= kMaxComp &&
                      static_cast<int>(lines / 2) <= kMaxTray;
  if (!shaped) return Damaged(path, Case.Language == 1 ? "the first record has no plate layout" : "最初の記録の形が段の記録ではありません");
  nc_ = counts[1] / 2;
  nt_ = static_cast<int>(lines / 2);
  // Every record is read once before any is handed out: a file with a value
  // no run can leave (a negative fraction or flow, a temperature below
  // absolute zero) or a record cut short is damaged as a whole, and nothing is
  // drawn from it.
  HistoryRecord rec;
  std::size_t count = 0;
  for (;;) {
    if (count % kMarkStride == 0) marks_.push_back(reader_.Loc());
    const RunFileResult r = Next(rec);
    if (r.status == RunFileStatus::End) break;
    if (!r.ok()) {
      marks_.clear();
      return r;
    }
    ++count;
  }
  if (!reader_.Seek(Mark{})) return Damaged(path, InLanguage("ファイルを読み直せません", "the file could not be read again"));
  records_ = count;
  return {};
}

bool HistoryFile::SeekRecord(std::size_t index, HistoryRecord& rec) {
  if (index >= records_ || index / kMarkStride >= marks_.size()) return false;
  if (!reader_.Seek(marks_[index / kMarkStride])) return false;
  for (std::size_t k = index / kMarkStride * kMarkStride; k < index; ++k)
    if (!Next(rec).ok()) return false;
  return true;
}

RunFileResult HistoryFile::Next(HistoryRecord& rec) {
  if (reader_.Eof()) return {RunFileStatus::End, {}};
  const int nc = nc_, nt = nt_;
  if (rec.nc != nc || rec.nt != nt || rec.plate.empty()) rec.Size(nc, nt);
  try {
    rec.time = casecheck::NonNegative(reader_.Field(), Field("運転時間", "time"));
    for (int p = 1; p <= nt; ++p) {
      for (int c = 1; c <= nc; ++c) {
        const std::size_t i = static_cast<std::size_t>(p * (nc + 1) + c);
        rec.x[i] = casecheck::Fraction(reader_.Field(), Field("液組成", "x", c, p));
        rec.y[i] = casecheck::Fraction(reader_.Field(), Field("蒸気組成", "y", c, p));
      }
      for (int k = 0; k < 10; ++k) rec.plate[static_cast<std::size_t>(p * 10 + k)] = PlateValue(reader_.Field(), k, p);
    }
  } catch (const seqfile::ReadError& e) {
    return Damaged(path_, reader_.Relined(e));
  }
  return {};
}

void TankChanges::Open(const std::string& path) {
  reader_ = seqfile::Reader{};
  open_ = OpenFile(reader_, path).ok();
  pending_ = kNoChange;
  Advance();
}

void TankChanges::Advance() {
  pending_ = kNoChange;
  if (!open_ || reader_.Eof()) return;
  try {
    reader_.Int();
    const double time = casecheck::NonNegative(reader_, Field("運転時間", "time"));
    for (int c = 1; c <= Case.NC; ++c) casecheck::NonNegative(reader_, Field("タンク量", "tank amount", c));
    for (int p = 1; p <= Case.NT; ++p) Number(reader_);
    pending_ = time;
  } catch (const seqfile::ReadError&) {
    open_ = false;  // a damaged block marks nothing more
  }
}

RunFileResult Read_Tank_File(const std::string& path) {
  Batch.Tank_Count = -1;  // no tank until a whole block is read
  seqfile::Reader r;
  if (RunFileResult o = OpenFile(r, path); !o.ok()) return o;
  const int nc = Case.NC, nt = Case.NT;
  int k = 0;
  RunFileResult result;
  const auto read = std::make_unique<BatchResultVars>(Batch_Result);
  double time = 0;
  CompVec amounts{};
  TrayVec heat{};
  while (!r.Eof()) {
    try {
      r.Int();
      time = casecheck::NonNegative(r, Field("運転時間", "time"));
      for (int c = 1; c <= nc; ++c) amounts[c] = casecheck::NonNegative(r, Field("タンク量", "tank amount", c));
      for (int p = 1; p <= nt; ++p) heat[p] = Number(r);
    } catch (const seqfile::ReadError& e) {
      // Nothing of a damaged file is shown: the blocks before the damage go too.
      Batch.Tank_Count = -1;
      return Damaged(path, e.what());
    }
    if (k == kMaxTank) {
      result = Damaged(path, Case.Language == 1 ? "more than five tanks; the first five are shown"
                                                : "タンクが5基を超えています。最初の5基を表示します");
      break;
    }
    ++k;
    read->Tank_Time[k] = time;
    for (int c = 1; c <= nc; ++c) read->Tank_X[c][k] = amounts[c];
    for (int p = 1; p <= nt; ++p) read->Tank_Tray_Val[p][k] = heat[p];
  }
  Batch_Result = *read;
  Batch.Tank_Count = k - 1;
  return result;
}

RunFileResult Read_Final_Ranges(const std::string& path) {
  seqfile::Reader r;
  if (RunFileResult o = OpenFile(r, path); !o.ok()) return o;
  double v[7];
  try {
    // The distillate and the flow ranges are amounts; the temperatures degC.
    v[0] = casecheck::NonNegative(r, Field("留出量", "distillate"));
    v[1] = casecheck::Temperature(r, Field("最高温度", "T max"), 1);
    v[2] = casecheck::Temperature(r, Field("最低温度", "T min"), 1);
    for (int k = 3; k < 7; ++k) v[k] = casecheck::NonNegative(r, Field("流量の範囲", "flow range", k - 2));
  } catch (const seqfile::ReadError& e) {
    return Damaged(path, e.what());
  }
  Batch.Scale_T_Max = v[1];
  Batch.Scale_T_Min = v[2];
  Batch.Scale_V_Max = v[3];
  Batch.Scale_V_Min = v[4];
  Batch.Scale_L_Max = v[5];
  Batch.Scale_L_Min = v[6];
  return {};
}

RunFileResult Load_Total_Reflux_State(BatchRunCase& runCase) {
  const std::string path = Batch_Result_Path(Batch_Result_Name(2));
  if (!seqfile::FileExists(path)) return {RunFileStatus::Missing, path};
  if (RunFileResult o = CheckOwner(path); !o.ok()) return o;
  auto loadedCase = std::make_unique<CaseData>();
  auto loadedBatch = std::make_unique<BatchData>();
  const BatchReadResult read = Read_Total_Reflux_Apart(*loadedCase, *loadedBatch);
  if (!read.ok()) return Damaged(path, read.reason);
  const CaseData& lc = *loadedCase;
  const BatchData& lb = *loadedBatch;
  {
    const auto live = std::make_unique<CaseData>(Case);
    Case = lc;
    runCase = Live_Run_Case();
    Case = *live;
  }
  // The state of the run is the run state the windows show; the case stays.
  Batch.Oper_Time = lb.Oper_Time;
  for (int p = 1; p <= lc.NT; ++p) {
    for (int c = 1; c <= lc.NC; ++c) {
      Case.Tray_X[c][p] = lb.Cont_X[c][p];
      Case.Tray_Y[c][p] = lb.Cont_Y[c][p];
    }
    Case.Tray_T[p] = lb.Cont_T[p];
    Case.Tray_V[p] = lb.Cont_V[p];
    Case.Tray_L[p] = lb.Cont_L[p];
    Batch.Tray_HV[p] = lb.Cont_HV[p];
    Batch.Tray_HL[p] = lb.Cont_HL[p];
    Batch.Holdup_Mol[p] = lb.Cont_M[p];
    Batch.Tray_dM[p] = lb.Cont_dM[p];
    Batch.Tray_dHL[p] = lb.Cont_dHL[p];
    Batch.Tray_Q_Sum[p] = lb.Cont_Q_Sum[p];
  }
  return {};
}
