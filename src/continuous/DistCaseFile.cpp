#include "continuous/DistCaseFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

#include "continuous/DistSolver.h"
#include "core/model/CalcMessages.h"
#include "core/model/CaseFileBlocks.h"
#include "platform/text/SeqFile.h"

namespace {

std::string InLanguage(const std::string& ja, const std::string& en) {
  return Case.Language == 1 ? en : ja;
}

[[noreturn]] void Reject(const seqfile::Reader& r, const std::string& what) {
  throw seqfile::ReadError("line " + std::to_string(r.Line()) + ": " + what);
}

int ReadCount(seqfile::Reader& r, const char* what, int limit) {
  const long long n = r.Int();
  if (n < 0 || n > limit)
    Reject(r, std::string("the number of ") + what + " " + std::to_string(n) + " is outside 0.." +
                  std::to_string(limit));
  return static_cast<int>(n);
}

int32_t ReadLong(seqfile::Reader& r) {
  const long long v = r.Int();
  if (v < INT32_MIN || v > INT32_MAX) Reject(r, "a whole number is out of range");
  return static_cast<int32_t>(v);
}

// A stage number of a feed (on the column, 1..NT) or of a side cut (0..NT: a
// side cut not yet placed is kept, the run refuses it).
int32_t ReadStage(seqfile::Reader& r, const CaseData& c, const char* what, int lowest = 1) {
  const int32_t j = ReadLong(r);
  if (j < lowest || j > c.NT)
    Reject(r, std::string("the ") + what + " stage " + std::to_string(j) + " is outside " + std::to_string(lowest) +
                  ".." + std::to_string(c.NT));
  return j;
}

// Records 3 to 21, after the head.
void ReadBody(seqfile::Reader& r, CaseData& c) {
  c.NC = ReadCount(r, "components", kMaxComp);
  c.NT = ReadCount(r, "stages", kMaxTray);
  c.N_Feed = ReadCount(r, "feeds", kMaxFeed);
  c.N_LiqSC = ReadCount(r, "liquid side cuts", kMaxFeed);
  c.N_VapSC = ReadCount(r, "vapour side cuts", kMaxFeed);
  c.K_Method = ReadLong(r);
  c.H_Method = ReadLong(r);
  c.T_Unit = ReadLong(r);
  c.P_Unit = ReadLong(r);
  c.H_Unit = ReadLong(r);

  c.Max_Iter[1] = ReadLong(r);
  c.Conv_Crit[1] = r.Double();
  c.Max_Iter[2] = ReadLong(r);
  c.Conv_Crit[2] = r.Double();

  c.SC_LK = ReadLong(r);
  c.SC_HK = ReadLong(r);
  c.SC_Calc_Type = ReadLong(r);
  c.SC_Condenser = ReadLong(r);
  c.SC_LK_Spec[1] = r.Double();
  c.SC_LK_Spec[2] = r.Double();
  c.SC_HK_Spec[1] = r.Double();
  c.SC_HK_Spec[2] = r.Double();
  c.SC_Press = r.Double();
  c.SC_Temp = r.Double();

  c.NC_Save = c.NC;
  c.NT_Save = c.NT;

  Read_Component_Block(r, c, false);

  c.Top_Liq_Prod = r.Double();
  c.Top_Vap_Prod = r.Double();
  c.Reflux_Ratio = r.Double();
  c.T_Top_Est = r.Double();
  c.T_Bottom_Est = r.Double();
  c.P_Top = r.Double();
  c.P_Bottom = r.Double();
  for (int j = 1; j <= c.NT; ++j) c.Tray_Press[j] = r.Double();
  // Pressures: top and bottom above zero, a middle stage above zero or 0 (not given).
  if (!(c.P_Top > 0) || !(c.P_Bottom > 0))
    Reject(r, "the top and bottom pressures must be above 0");
  for (int j = 2; j < c.NT; ++j)
    if (c.Tray_Press[j] < 0 || !std::isfinite(c.Tray_Press[j]))
      Reject(r, "the pressure of stage " + std::to_string(j) + " is below 0");
  for (int f = 1; f <= c.N_Feed; ++f) {
    c.Feed_Stage[f] = ReadStage(r, c, "feed");
    c.Feed_T[f] = r.Double();
    c.Feed_P[f] = r.Double();
    c.Feed_VF[f] = r.Double();
    c.Feed_Flow[f] = r.Double();
    for (int i = 1; i <= c.NC; ++i) c.Feed_Z[i][f] = r.Double();
    if (c.Feed_Flow[f] < 0) Reject(r, "the flow of feed " + std::to_string(f) + " is below 0");
  }
  double feed = 0;
  for (int f = 1; f <= c.N_Feed; ++f) feed += c.Feed_Flow[f];
  if (c.N_Feed > 0 && !(feed > 0)) Reject(r, "the feeds sum to 0");
  for (int k = 1; k <= c.N_LiqSC; ++k) {
    c.LiqSC_Stage[k] = ReadStage(r, c, "liquid side cut", 0);
    c.LiqSC_Flow[k] = r.Double();
  }
  for (int k = 1; k <= c.N_VapSC; ++k) {
    c.VapSC_Stage[k] = ReadStage(r, c, "vapour side cut", 0);
    c.VapSC_Flow[k] = r.Double();
  }
  const long long flag = r.Int();
  if (flag < 0 || flag > 255) Reject(r, "the result flag " + std::to_string(flag) + " is not a byte");
  c.Result_Flag = static_cast<uint8_t>(flag);
  if (c.Result_Flag != 1) return;

  for (int f = 1; f <= c.N_Feed; ++f) c.Feed_H[f] = r.Double();
  for (int j = 1; j <= c.NT; ++j) {
    c.Tray_T[j] = r.Double();
    c.Tray_P[j] = r.Double();
    c.Tray_L[j] = r.Double();
    c.Tray_V[j] = r.Double();
    c.Dist_Tray_HV[j] = r.Double();
    c.Dist_Tray_HL[j] = r.Double();
    for (int i = 1; i <= c.NC; ++i) {
      c.Tray_X[i][j] = r.Double();
      c.Tray_Y[i][j] = r.Double();
    }
  }
}

}  // namespace

std::string Dist_Case_Text(const CaseData& c) {
  seqfile::Writer w;
  Write_Case_Head(w, kDistillationHeader, c);
  w.Record(c.NC, c.NT, c.N_Feed, c.N_LiqSC, c.N_VapSC, c.K_Method, c.H_Method, c.T_Unit, c.P_Unit,
           c.H_Unit);
  w.Record(c.Max_Iter[1], c.Conv_Crit[1], c.Max_Iter[2], c.Conv_Crit[2]);
  w.Record(c.SC_LK, c.SC_HK, c.SC_Calc_Type, c.SC_Condenser, c.SC_LK_Spec[1], c.SC_LK_Spec[2],
           c.SC_HK_Spec[1], c.SC_HK_Spec[2], c.SC_Press, c.SC_Temp);
  Write_Component_Block(w, false, c);
  w.Record(c.Top_Liq_Prod, c.Top_Vap_Prod, c.Reflux_Ratio, c.T_Top_Est, c.T_Bottom_Est, c.P_Top,
           c.P_Bottom);
  // Counts in memory may come from anywhere; the arrays bound every loop.
  const int nc = std::min<int>(std::max(c.NC, 0), kMaxComp);
  const int nt = std::min<int>(std::max(c.NT, 0), kMaxTray);
  const int nf = std::min<int>(std::max(c.N_Feed, 0), kMaxFeed);
  for (int j = 1; j <= nt; ++j) w.Record(c.Tray_Press[j]);
  for (int f = 1; f <= nf; ++f) {
    w.Record(c.Feed_Stage[f], c.Feed_T[f], c.Feed_P[f], c.Feed_VF[f], c.Feed_Flow[f]);
    for (int i = 1; i <= nc; ++i) w.Num(c.Feed_Z[i][f]);
    w.EndRecord();
  }
  for (int k = 1; k <= std::min<int>(std::max(c.N_LiqSC, 0), kMaxFeed); ++k)
    w.Record(c.LiqSC_Stage[k], c.LiqSC_Flow[k]);
  for (int k = 1; k <= std::min<int>(std::max(c.N_VapSC, 0), kMaxFeed); ++k)
    w.Record(c.VapSC_Stage[k], c.VapSC_Flow[k]);
  w.Record(c.Result_Flag);
  if (c.Result_Flag == 1) {
    for (int f = 1; f <= nf; ++f) w.Record(c.Feed_H[f]);
    for (int j = 1; j <= nt; ++j) {
      w.Num(c.Tray_T[j]).Num(c.Tray_P[j]).Num(c.Tray_L[j]).Num(c.Tray_V[j]);
      w.Num(c.Dist_Tray_HV[j]).Num(c.Dist_Tray_HL[j]);
      for (int i = 1; i <= nc; ++i) w.Num(c.Tray_X[i][j]).Num(c.Tray_Y[i][j]);
      w.EndRecord();
    }
  }
  return w.Content();
}

bool Save_Dist_Data() {
  std::string error;
  if (seqfile::SaveAtomic(Case.Data_File, Dist_Case_Text(Case), &error)) return true;
  Calc_Message(InLanguage("ファイルを保存できません。 [ " + Case.Data_File + " ] " + error,
                          "Cannot save [ " + Case.Data_File + " ] " + error));
  return false;
}

bool Read_Dist_Data() {
  Case.Read_Error = 0;
  seqfile::Reader r;
  std::string error;
  seqfile::FileFault fault = seqfile::FileFault::None;
  if (!r.Open(Case.Data_File, &error, &fault)) {
    Case.Read_Error = 1;
    Calc_Message(fault == seqfile::FileFault::Missing ? seqfile::FaultText(fault) : error);
    return false;
  }
  // Read into a copy of the case; the case itself changes only when the whole file was read.
  auto scratch = std::make_unique<CaseData>(Case);
  try {
    if (!Read_Case_Head(r, kDistillationHeader, *scratch)) {
      Case.Read_Error = 1;
      Calc_Message("蒸留計算のデータファイルではありません。");
      return false;
    }
    ReadBody(r, *scratch);
  } catch (const seqfile::ReadError& e) {
    Case.Read_Error = 1;
    Calc_Message(InLanguage("データファイルを読み込めません。（" + std::string(e.what()) + "）",
                            "The data file cannot be read (" + std::string(e.what()) + ")"));
    return false;
  }
  scratch->Read_Error = 0;
  Case = *scratch;
  Dist_Clear_Result_Note();
  return true;
}
