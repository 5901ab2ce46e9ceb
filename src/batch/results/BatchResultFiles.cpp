#include "batch/results/BatchResultFiles.h"

#include <cmath>

#include "batch/model/BatchCaseFile.h"
#include "batch/run/BatchRunFiles.h"
#include "core/model/CaseData.h"

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
  return {};
}

namespace {

RunFileResult OpenFile(seqfile::Reader& reader, const std::string& path) {
  if (!seqfile::FileExists(path)) return {RunFileStatus::Missing, path};
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
  const int line = r.Line();
  const double v = r.Double();
  if (!std::isfinite(v)) throw seqfile::ReadError("a number that is not finite (line " + std::to_string(line) + ")");
  return v;
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
    Batch.Tray_Heat[p] = r.Value(p, 5);
    Batch.Holdup_Mol[p] = r.Value(p, 6);
    Batch.Tray_dM[p] = r.Value(p, 7);
    Batch.Tray_dHL[p] = r.Value(p, 8);
    Batch.Tray_Q_Sum[p] = r.Value(p, 9);
  }
}

RunFileResult HistoryFile::Open(const std::string& path) {
  path_ = path;
  reader_ = seqfile::Reader{};
  return OpenFile(reader_, path);
}

RunFileResult HistoryFile::Next(HistoryRecord& rec) {
  if (reader_.Eof()) return {RunFileStatus::End, {}};
  const int nc = Case.NC, nt = Case.NT;
  if (rec.nc != nc || rec.nt != nt || rec.plate.empty()) rec.Size(nc, nt);
  try {
    rec.time = Number(reader_);
    for (int p = 1; p <= nt; ++p) {
      for (int c = 1; c <= nc; ++c) {
        const std::size_t i = static_cast<std::size_t>(p * (nc + 1) + c);
        rec.x[i] = Number(reader_);
        rec.y[i] = Number(reader_);
      }
      for (int k = 0; k < 10; ++k) rec.plate[static_cast<std::size_t>(p * 10 + k)] = Number(reader_);
    }
  } catch (const seqfile::ReadError& e) {
    return Damaged(path_, e.what());
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
    const double time = Number(reader_);
    for (int c = 1; c <= Case.NC; ++c) Number(reader_);
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
  double time = 0;
  CompVec amounts{};
  TrayVec heat{};
  while (!r.Eof()) {
    try {
      r.Int();
      time = Number(r);
      for (int c = 1; c <= nc; ++c) amounts[c] = Number(r);
      for (int p = 1; p <= nt; ++p) heat[p] = Number(r);
    } catch (const seqfile::ReadError& e) {
      result = Damaged(path, e.what());
      break;
    }
    if (k == kMaxTank) {
      result = Damaged(path, Case.Language == 1 ? "more than five tanks; the first five are shown"
                                                : "タンクが5基を超えています。最初の5基を表示します");
      break;
    }
    ++k;
    Batch_Result.Tank_Time[k] = time;
    for (int c = 1; c <= nc; ++c) Batch_Result.Tank_X[c][k] = amounts[c];
    for (int p = 1; p <= nt; ++p) Batch_Result.Tank_Tray_Val[p][k] = heat[p];
  }
  Batch.Tank_Count = k - 1;
  return result;
}

RunFileResult Read_Final_Ranges(const std::string& path) {
  seqfile::Reader r;
  if (RunFileResult o = OpenFile(r, path); !o.ok()) return o;
  double v[7];
  try {
    for (double& d : v) d = Number(r);
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

RunFileResult Load_Total_Reflux_State() {
  const std::string path = Batch_Result_Path(Batch_Result_Name(2));
  if (!seqfile::FileExists(path)) return {RunFileStatus::Missing, path};
  const std::string keep = Batch.Batch_File;
  Batch.Batch_File = path;
  const BatchReadResult read = Read_Batch_Continue(1);
  Batch.Batch_File = keep;
  if (!read.ok()) return Damaged(path, read.reason);
  for (int p = 1; p <= Case.NT; ++p) {
    for (int c = 1; c <= Case.NC; ++c) {
      Case.Tray_X[c][p] = Batch.Cont_X[c][p];
      Case.Tray_Y[c][p] = Batch.Cont_Y[c][p];
    }
    Case.Tray_T[p] = Batch.Cont_T[p];
    Case.Tray_V[p] = Batch.Cont_V[p];
    Case.Tray_L[p] = Batch.Cont_L[p];
    Batch.Tray_HV[p] = Batch.Cont_HV[p];
    Batch.Tray_HL[p] = Batch.Cont_HL[p];
    Batch.Tray_Heat[p] = Batch.Cont_Heat[p];
    Batch.Holdup_Mol[p] = Batch.Cont_M[p];
    Batch.Tray_dM[p] = Batch.Cont_dM[p];
    Batch.Tray_dHL[p] = Batch.Cont_dHL[p];
    Batch.Tray_Q_Sum[p] = Batch.Cont_Q_Sum[p];
  }
  return {};
}
