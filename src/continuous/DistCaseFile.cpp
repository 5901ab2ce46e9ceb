#include "continuous/DistCaseFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

#include "continuous/DistSolver.h"
#include "core/model/CalcMessages.h"
#include "core/model/CaseFileBlocks.h"
#include "core/model/Language.h"
#include "platform/text/NumberText.h"
#include "platform/text/SeqFile.h"

namespace {

using casecheck::Code;
using casecheck::Fraction;
using casecheck::NonNegative;
using casecheck::Positive;
using casecheck::Temperature;

// A stage number of a feed (on the column, 1..NT) or of a side cut (0..NT: a
// side cut not yet placed is kept, the run refuses it).
int32_t ReadStage(seqfile::Reader& r, const CaseData& c, const FieldName& f, int lowest = 1) {
  return Code(r, f, lowest, c.NT);
}

void ReadCounts(seqfile::Reader& r, CaseData& c) {
  c.NC = Code(r, Field("成分数", "the number of components"), 0, kMaxComp);
  c.NT = Code(r, Field("理論段数", "the number of stages"), 0, kMaxTray);
  c.N_Feed = Code(r, Field("フィード数", "the number of feeds"), 0, kMaxFeed);
  c.N_LiqSC = Code(r, Field("液サイドカット数", "the number of liquid side cuts"), 0, kMaxFeed);
  c.N_VapSC = Code(r, Field("蒸気サイドカット数", "the number of vapour side cuts"), 0, kMaxFeed);
  // 0 is the code of a model or unit not chosen yet: the run refuses it, the file keeps it.
  c.K_Method = Code(r, Field("K値推算法", "K_Method"), 0, 5);
  c.H_Method = Code(r, Field("エンタルピー推算法", "H_Method"), 0, 3);
  c.T_Unit = Code(r, Field("温度単位", "T_Unit"), 0, 3);
  c.P_Unit = Code(r, Field("圧力単位", "P_Unit"), 0, 6);
  c.H_Unit = Code(r, Field("熱量単位", "H_Unit"), 0, 3);

  c.Max_Iter[1] = Code(r, Field("最大繰返し回数", "Max_Iter", 1), 1, INT32_MAX);
  c.Conv_Crit[1] = Positive(r, Field("収束判定値", "Conv_Crit", 1));
  c.Max_Iter[2] = Code(r, Field("最大繰返し回数", "Max_Iter", 2), 1, INT32_MAX);
  c.Conv_Crit[2] = Positive(r, Field("収束判定値", "Conv_Crit", 2));
}

void ReadShortcut(seqfile::Reader& r, CaseData& c) {
  c.SC_LK = Code(r, Field("軽キー成分", "SC_LK"), 0, c.NC);
  c.SC_HK = Code(r, Field("重キー成分", "SC_HK"), 0, c.NC);
  c.SC_Calc_Type = Code(r, Field("キー成分の指定", "SC_Calc_Type"), 0, 1);
  c.SC_Condenser = Code(r, Field("コンデンサー", "SC_Condenser"), 0, 1);
  c.SC_LK_Spec[1] = Fraction(r, Field("軽キー成分の指定", "SC_LK_Spec", 1));
  c.SC_LK_Spec[2] = Fraction(r, Field("軽キー成分の指定", "SC_LK_Spec", 2));
  c.SC_HK_Spec[1] = Fraction(r, Field("重キー成分の指定", "SC_HK_Spec", 1));
  c.SC_HK_Spec[2] = Fraction(r, Field("重キー成分の指定", "SC_HK_Spec", 2));
  c.SC_Press = NonNegative(r, Field("ショートカット圧力", "SC_Press"));
  c.SC_Temp = r.Double();
  // 0 is a temperature not entered yet, whatever the unit.
  if (c.SC_Temp != 0 && !casecheck::AboveAbsoluteZero(c.SC_Temp, c.T_Unit))
    casecheck::Refuse(r.FieldLine(), Field("ショートカット温度", "SC_Temp"), txt::Plain(c.SC_Temp),
                      "は絶対零度以下です", "is at or below absolute zero");
}

void ReadColumn(seqfile::Reader& r, CaseData& c) {
  c.Top_Liq_Prod = NonNegative(r, Field("塔頂液製品量", "Top_Liq_Prod"));
  c.Top_Vap_Prod = NonNegative(r, Field("塔頂蒸気製品量", "Top_Vap_Prod"));
  c.Reflux_Ratio = NonNegative(r, Field("還流比", "Reflux_Ratio"));
  c.T_Top_Est = Temperature(r, Field("塔頂推定温度", "T_Top_Est"), c.T_Unit);
  c.T_Bottom_Est = Temperature(r, Field("塔底推定温度", "T_Bottom_Est"), c.T_Unit);
  c.P_Top = Positive(r, Field("塔頂圧力", "P_Top"));
  c.P_Bottom = Positive(r, Field("塔底圧力", "P_Bottom"));
  // A stage pressure is above zero or 0 (interpolated).
  for (int j = 1; j <= c.NT; ++j) c.Tray_Press[j] = NonNegative(r, Field("段圧力", "Tray_Press", j));
  for (int f = 1; f <= c.N_Feed; ++f) {
    c.Feed_Stage[f] = ReadStage(r, c, Field("フィード段", "Feed_Stage", f));
    c.Feed_T[f] = Temperature(r, Field("フィード温度", "Feed_T", f), c.T_Unit);
    // No calculation reads the feed pressure; 0 is one not entered.
    c.Feed_P[f] = NonNegative(r, Field("フィード圧力", "Feed_P", f));
    c.Feed_VF[f] = Fraction(r, Field("フィードV/F", "Feed_VF", f));
    c.Feed_Flow[f] = NonNegative(r, Field("フィード量", "Feed_Flow", f));
    for (int i = 1; i <= c.NC; ++i) c.Feed_Z[i][f] = Fraction(r, Field("フィード組成", "Feed_Z", i, f));
  }
  double feed = 0;
  for (int f = 1; f <= c.N_Feed; ++f) feed += c.Feed_Flow[f];
  if (c.N_Feed > 0 && !(feed > 0))
    casecheck::Refuse(r.FieldLine(), Field("フィード量の合計", "the sum of the feed flows"), "0", "です",
                      "is no feed");
  for (int k = 1; k <= c.N_LiqSC; ++k) {
    c.LiqSC_Stage[k] = ReadStage(r, c, Field("液サイドカット段", "LiqSC_Stage", k), 0);
    c.LiqSC_Flow[k] = NonNegative(r, Field("液抜出量", "LiqSC_Flow", k));
  }
  for (int k = 1; k <= c.N_VapSC; ++k) {
    c.VapSC_Stage[k] = ReadStage(r, c, Field("蒸気サイドカット段", "VapSC_Stage", k), 0);
    c.VapSC_Flow[k] = NonNegative(r, Field("蒸気抜出量", "VapSC_Flow", k));
  }
}

// The results of a run: degC, MPa, kmol/h and mole fractions as the solver left them.
void ReadResults(seqfile::Reader& r, CaseData& c) {
  for (int f = 1; f <= c.N_Feed; ++f) c.Feed_H[f] = r.Double();
  for (int j = 1; j <= c.NT; ++j) {
    c.Tray_T[j] = Temperature(r, Field("段温度", "Tray_T", j), 1);
    c.Tray_P[j] = Positive(r, Field("段圧力", "Tray_P", j));
    c.Tray_L[j] = NonNegative(r, Field("液流量", "Tray_L", j));
    c.Tray_V[j] = NonNegative(r, Field("蒸気流量", "Tray_V", j));
    c.Dist_Tray_HV[j] = r.Double();
    c.Dist_Tray_HL[j] = r.Double();
    for (int i = 1; i <= c.NC; ++i) {
      c.Tray_X[i][j] = Fraction(r, Field("液組成", "Tray_X", i, j));
      c.Tray_Y[i][j] = Fraction(r, Field("蒸気組成", "Tray_Y", i, j));
    }
  }
}

// Records 3 to 21, after the head.
void ReadBody(seqfile::Reader& r, CaseData& c) {
  ReadCounts(r, c);
  ReadShortcut(r, c);
  c.NC_Save = c.NC;
  c.NT_Save = c.NT;
  Read_Component_Block(r, c, false);
  ReadColumn(r, c);
  const long long flag = r.Int();
  if (flag < 0 || flag > 255)
    casecheck::Refuse(r.FieldLine(), Field("結果フラグ", "Result_Flag"), std::to_string(flag),
                      "は1バイトの値ではありません", "is not a byte");
  c.Result_Flag = static_cast<uint8_t>(flag);
  if (c.Result_Flag == 1) {
    try {
      ReadResults(r, c);
    } catch (const seqfile::ReadError& e) {
      // The case is sound; its results are not.
      throw seqfile::ReadError(std::string(txt::EnglishMessages() ? "the results are damaged: "
                                                                 : "計算結果が壊れています: ") +
                               e.what());
    }
  }
  casecheck::End(r);
}

// Why `text` would not be read back as a column case; empty when it would.
std::string Refusal(const std::string& text) {
  // Every run writes Result.dat: the check reads into one kept scratch case
  // (the reader sets every field it checks from the file), not a fresh copy.
  static CaseData scratch;
  try {
    seqfile::Reader r;
    r.OpenText(text);
    if (!Read_Case_Head(r, kDistillationHeader, scratch)) return "header";
    ReadBody(r, scratch);
  } catch (const seqfile::ReadError& e) {
    return e.what();
  }
  return {};
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
  const std::string text = Dist_Case_Text(Case);
  // A value the reader refuses is not written: every file saved reads back.
  if (const std::string why = Refusal(text); !why.empty()) {
    Calc_Message(InLanguage("ファイルを保存できません。 [ " + Case.Data_File + " ] 読み戻せない値があります（" + why + "）",
                            "Cannot save [ " + Case.Data_File + " ]: a value would not read back (" + why + ")"));
    return false;
  }
  std::string error;
  if (seqfile::SaveAtomic(Case.Data_File, text, &error)) return true;
  Calc_Message(InLanguage("ファイルを保存できません。 [ " + Case.Data_File + " ] " + error,
                          "Cannot save [ " + Case.Data_File + " ] " + error));
  return false;
}

bool Read_Dist_Data() {
  Case.Read_Error = 0;
  seqfile::Reader r;
  std::string error, notice;
  seqfile::FileFault fault = seqfile::FileFault::None;
  if (!r.Open(Case.Data_File, &error, &fault, &notice)) {
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
  if (!notice.empty()) Calc_Message(Case.Data_File + ": " + notice);
  return true;
}
