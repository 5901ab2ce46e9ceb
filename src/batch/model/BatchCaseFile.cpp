#include "batch/model/BatchCaseFile.h"

#include <cstdint>
#include <memory>

#include "batch/model/BatchData.h"
#include "core/model/CalcMessages.h"
#include "core/model/CaseFileBlocks.h"
#include "platform/text/NumberText.h"

namespace {

void WriteMatrix(seqfile::Writer& w, const CompMatrix& m, int nc) {
  // Row i of the file holds column i of the matrix: the first index runs fastest.
  for (int i = 1; i <= nc; ++i) {
    for (int j = 1; j <= nc; ++j) w.Num(m[j][i]);
    w.EndRecord();
  }
}

using casecheck::Fraction;
using casecheck::NonNegative;

// Reads one batch case into scratch copies; throws seqfile::ReadError. Zero
// stands for a value not entered yet (the run refuses it); what no case can
// hold (a negative amount, a fraction outside 0..1, a temperature at or below
// absolute zero) is refused with the field and its line.
class CaseReader {
 public:
  CaseReader(seqfile::Reader& r, CaseData& c, BatchData& b) : r_(r), c_(c), b_(b) {}

  void Body() {
    for (int k = 1; k <= kMaxMemo; ++k) c_.Memo[k] = r_.Text();
    Counts();
    c_.NC_Save = c_.NC;
    c_.NT_Save = c_.NT;
    Operation();
    Tanks();
    Plates();
    Components();
    Matrices();
  }

  void State() {
    const int nc = c_.NC, nt = c_.NT;
    b_.Oper_Time = NonNegative(r_, Field("運転時間", "Oper_Time"));
    for (int p = 1; p <= nt; ++p) {
      for (int i = 1; i <= nc; ++i) {
        b_.Cont_X[i][p] = Fraction(r_, Field("液組成", "Cont_X", i, p));
        b_.Cont_Y[i][p] = Fraction(r_, Field("蒸気組成", "Cont_Y", i, p));
      }
      b_.Cont_T[p] = casecheck::Temperature(r_, Field("段温度", "Cont_T", p), 1);  // degC
      b_.Cont_V[p] = NonNegative(r_, Field("蒸気流量", "Cont_V", p));
      b_.Cont_L[p] = NonNegative(r_, Field("液流量", "Cont_L", p));
      b_.Cont_HV[p] = r_.Double();
      b_.Cont_HL[p] = r_.Double();
      b_.Cont_Heat[p] = r_.Double();
      b_.Cont_M[p] = NonNegative(r_, Field("ホールドアップ", "Cont_M", p));
      b_.Cont_dM[p] = r_.Double();
      b_.Cont_dHL[p] = r_.Double();
      b_.Cont_Q_Sum[p] = r_.Double();
    }
    for (int p = 1; p <= nt; ++p)
      for (int i = 1; i <= nc; ++i) b_.RKG_Q[p][i] = r_.Double();
  }

 private:
  int Count(const char* name, long long lo, long long hi) { return casecheck::Code(r_, Field(name, name), lo, hi); }

  void Counts() {
    c_.NC = Count("NC", 0, kMaxComp);
    c_.NT = Count("NT", 0, kMaxTray);
    b_.Ope_Mode = Count("Ope_Mode", 1, 3);
    b_.Holdup_Unit = Count("Holdup_Unit", 1, 3);
    c_.K_Method = Count("K_Method", 0, 5);
    c_.H_Method = Count("H_Method", 0, 3);
    b_.Batch_Opt3 = Count("Batch_Opt3", INT32_MIN, INT32_MAX);
    // Unit code 0 is kept: the conversions treat it as "no conversion".
    c_.T_Unit = Count("T_Unit", 0, 3);
    c_.P_Unit = Count("P_Unit", 0, 6);
    c_.H_Unit = Count("H_Unit", 0, 3);
    b_.N_Change_Tank = Count("N_Change_Tank", 0, kMaxTank - 1);
  }

  void Operation() {
    c_.P_Top = NonNegative(r_, Field("塔頂圧力", "P_Top"));
    c_.P_Bottom = NonNegative(r_, Field("塔底圧力", "P_Bottom"));
    b_.Init_Temp = casecheck::Temperature(r_, Field("初期温度", "Init_Temp"), c_.T_Unit);
    b_.Conv_Limit = NonNegative(r_, Field("収束判定値", "Conv_Limit"));
    b_.Diff_Time = NonNegative(r_, Field("積分時間刻み", "Diff_Time"));
    b_.Max_Ope_Time = NonNegative(r_, Field("最大運転時間", "Max_Ope_Time"));
    b_.QReb_TR = NonNegative(r_, Field("リボイラー熱量", "QReb_TR"));
    b_.Save_Interval = NonNegative(r_, Field("保存間隔", "Save_Interval"));
  }

  void Tanks() {
    for (int k = 1; k <= b_.N_Change_Tank + 1; ++k) {
      const long long cond = r_.Int();
      const bool amount = cond == -1 || cond == -2 || cond == 0;
      const bool mole = cond >= 1 && cond <= c_.NC;
      const bool mass = cond >= 101 && cond <= 100 + c_.NC;
      if (!amount && !mole && !mass)
        casecheck::Refuse(r_.FieldLine(), Field("タンク切替条件", "Tank_Cond", k), std::to_string(cond),
                          "は切替条件ではありません", "is not a tank condition");
      b_.Tank_Cond[k] = static_cast<int32_t>(cond);
      // A fraction carries its direction in the sign: -1..1; an amount is 0 or more.
      const FieldName value = Field("タンク切替値", "Tank_Value", k);
      b_.Tank_Value[k] = amount ? NonNegative(r_, value) : r_.Double();
      if (!amount && !(b_.Tank_Value[k] >= -1 && b_.Tank_Value[k] <= 1))
        casecheck::Refuse(r_.FieldLine(), value, txt::Plain(b_.Tank_Value[k]), "は -1～1 の範囲外です",
                          "is outside -1..1");
      b_.Prod_Spec[1][k] = NonNegative(r_, Field("還流比", "Prod_Spec", 1, k));
      b_.Prod_Spec[2][k] = NonNegative(r_, Field("留出量", "Prod_Spec", 2, k));
      b_.Prod_Spec[3][k] = NonNegative(r_, Field("リボイラー熱量", "Prod_Spec", 3, k));
    }
  }

  void Plates() {
    for (int p = 1; p <= c_.NT; ++p) {
      c_.Tray_Press[p] = NonNegative(r_, Field("段圧力", "Tray_Press", p));
      b_.Tray_Holdup[1][p] = NonNegative(r_, Field("ホールドアップ", "Tray_Holdup", 1, p));
      b_.Tray_Holdup[2][p] = NonNegative(r_, Field("ホールドアップ", "Tray_Holdup", 2, p));
      b_.Tray_Holdup[3][p] = NonNegative(r_, Field("ホールドアップ", "Tray_Holdup", 3, p));
      b_.Tray_Heat[p] = r_.Double();
    }
  }

  void Components() {
    const int nc = c_.NC;
    for (int i = 1; i <= nc; ++i) c_.Comp_Name[i] = r_.Text();
    for (int i = 1; i <= nc; ++i) {
      c_.Mol_Wt[i] = NonNegative(r_, Field("分子量", "molecular weight", i));
      c_.Antoine_A[i] = r_.Double();
      c_.Antoine_B[i] = r_.Double();
      c_.Antoine_C[i] = r_.Double();
      c_.Comp_Tc[i] = NonNegative(r_, Field("臨界温度", "critical temperature", i));
      c_.Comp_Pc[i] = NonNegative(r_, Field("臨界圧力", "critical pressure", i));
      // the critical pressure is written twice; the second wins
      c_.Comp_Pc[i] = NonNegative(r_, Field("臨界圧力", "critical pressure", i));
      c_.Comp_Vc[i] = NonNegative(r_, Field("臨界容積", "critical volume", i));
      c_.Comp_Omega[i] = r_.Double();
    }
    for (int i = 1; i <= nc; ++i) {
      c_.HV_A[i] = r_.Double();
      c_.HV_B[i] = r_.Double();
      c_.HV_C[i] = r_.Double();
      c_.HL_A[i] = r_.Double();
      c_.HL_B[i] = r_.Double();
      c_.HL_C[i] = r_.Double();
    }
    for (int i = 1; i <= nc; ++i) {
      c_.Cp_A[i] = r_.Double();
      c_.Cp_B[i] = r_.Double();
      c_.Cp_C[i] = r_.Double();
      c_.Cp_D[i] = r_.Double();
    }
  }

  void Matrix(CompMatrix& m, bool nonNegative = false) {
    for (int i = 1; i <= c_.NC; ++i)
      for (int j = 1; j <= c_.NC; ++j)
        m[j][i] = nonNegative ? NonNegative(r_, Field("Wilson Lambda", "Wilson Lambda", j, i)) : r_.Double();
  }

  void Matrices() {
    Matrix(c_.Wilson_Lambda, true);  // a ratio of volumes times an exponential: never below 0
    Matrix(c_.NRTL_Tau);
    c_.NRTL_Alpha = NonNegative(r_, Field("NRTL α", "NRTL alpha"));
    Matrix(c_.EOS_Kij);
    b_.Total_Feed = NonNegative(r_, Field("仕込量", "Total_Feed"));
    // Amounts or fractions, as the charge dialog's basis says: 0 or more either way.
    for (int i = 1; i <= c_.NC; ++i) b_.Feed_Comp[i] = NonNegative(r_, Field("仕込組成", "Feed_Comp", i));
  }

  seqfile::Reader& r_;
  CaseData& c_;
  BatchData& b_;
};

BatchReadResult Refuse(BatchReadStatus status, const std::string& reason) {
  Case.Read_Error = 1;
  const bool english = Case.Language == 1;
  if (status == BatchReadStatus::OpenFailed)
    Calc_Message((english ? "Cannot open the data file: " : "データファイルを開けません: ") + reason);
  else if (status == BatchReadStatus::Malformed)
    Calc_Message((english ? "Cannot read the data file: " : "データファイルを読み込めません: ") + reason);
  return {status, reason};
}

}  // namespace

void Write_Batch_Case(seqfile::Writer& w) {
  const int nc = Case.NC, nt = Case.NT;
  w.Record(kBatchFileHeader);
  for (int k = 1; k <= kMaxMemo; ++k) w.Record(Case.Memo[k]);
  w.Record(Case.NC, Case.NT, Batch.Ope_Mode, Batch.Holdup_Unit, Case.K_Method, Case.H_Method,
           Batch.Batch_Opt3, Case.T_Unit, Case.P_Unit, Case.H_Unit, Batch.N_Change_Tank);
  w.Record(Case.P_Top, Case.P_Bottom, Batch.Init_Temp, Batch.Conv_Limit, Batch.Diff_Time,
           Batch.Max_Ope_Time, Batch.QReb_TR, Batch.Save_Interval);
  for (int k = 1; k <= Batch.N_Change_Tank + 1 && k <= kMaxTank; ++k)
    w.Record(Batch.Tank_Cond[k], Batch.Tank_Value[k], Batch.Prod_Spec[1][k], Batch.Prod_Spec[2][k],
             Batch.Prod_Spec[3][k]);
  for (int p = 1; p <= nt; ++p)
    w.Record(Case.Tray_Press[p], Batch.Tray_Holdup[1][p], Batch.Tray_Holdup[2][p],
             Batch.Tray_Holdup[3][p], Batch.Tray_Heat[p]);
  for (int i = 1; i <= nc; ++i) w.Record(Case.Comp_Name[i]);
  for (int i = 1; i <= nc; ++i)
    w.Record(Case.Mol_Wt[i], Case.Antoine_A[i], Case.Antoine_B[i], Case.Antoine_C[i], Case.Comp_Tc[i],
             Case.Comp_Pc[i], Case.Comp_Pc[i], Case.Comp_Vc[i], Case.Comp_Omega[i]);
  for (int i = 1; i <= nc; ++i)
    w.Record(Case.HV_A[i], Case.HV_B[i], Case.HV_C[i], Case.HL_A[i], Case.HL_B[i], Case.HL_C[i]);
  for (int i = 1; i <= nc; ++i) w.Record(Case.Cp_A[i], Case.Cp_B[i], Case.Cp_C[i], Case.Cp_D[i]);
  WriteMatrix(w, Case.Wilson_Lambda, nc);
  WriteMatrix(w, Case.NRTL_Tau, nc);
  w.Record(Case.NRTL_Alpha);
  WriteMatrix(w, Case.EOS_Kij, nc);
  w.Record(Batch.Total_Feed);
  for (int i = 1; i <= nc; ++i) w.Record(Batch.Feed_Comp[i]);
}

namespace {

// Reads a batch case (and, when withState is not 0, the state after it) from
// `text` into `c` and `b`. False for another header; throws seqfile::ReadError.
// Read as a case alone, a total-reflux file (a case followed by its state) is
// still a case: its state is read to check it and dropped. Anything else after
// the last record is refused.
bool ReadText(const std::string& text, int32_t withState, CaseData& c, BatchData& b) {
  seqfile::Reader r;
  r.OpenText(text);
  if (r.Eof() || r.Text() != kBatchFileHeader) return false;
  CaseReader reader(r, c, b);
  reader.Body();
  if (withState != 0) {
    reader.State();
  } else if (!r.Eof()) {
    const auto kept = std::make_unique<BatchData>(b);
    const std::size_t after = r.Loc();
    try {
      reader.State();
    } catch (const seqfile::ReadError&) {
      r.Seek(after);  // no state: what follows the case is left over
      casecheck::End(r);
    }
    b = *kept;
  }
  casecheck::End(r);
  return true;
}

}  // namespace

std::string Batch_Case_Refusal() {
  seqfile::Writer w;
  Write_Batch_Case(w);
  auto c = std::make_unique<CaseData>(Case);
  auto b = std::make_unique<BatchData>(Batch);
  try {
    ReadText(w.Content(), 0, *c, *b);
  } catch (const seqfile::ReadError& e) {
    return e.what();
  }
  return {};
}

bool Save_Batch_Data(std::string* error) {
  // A value the reader refuses is not written: every file saved reads back.
  if (const std::string why = Batch_Case_Refusal(); !why.empty()) {
    if (error)
      *error = Case.Language == 1 ? "a value would not read back (" + why + ")" : "読み戻せない値があります（" + why + "）";
    return false;
  }
  seqfile::Writer w;
  Write_Batch_Case(w);
  return w.Save(Batch.Batch_File, error);
}

BatchReadResult Read_Batch_Continue(int32_t withState) {
  std::string text, error, notice;
  if (!seqfile::ReadFileText(Batch.Batch_File, &text, &error, nullptr, &notice))
    return Refuse(BatchReadStatus::OpenFailed, error);

  auto c = std::make_unique<CaseData>(Case);
  auto b = std::make_unique<BatchData>(Batch);
  try {
    if (!ReadText(text, withState, *c, *b)) {
      Case.Read_Error = 1;
      Calc_Message(Case.Language == 1 ? "not Batch Distillation Data"
                                      : "バッチ蒸留計算のデータファイルではありません");
      return {BatchReadStatus::WrongHeader, "header is not \"" + std::string(kBatchFileHeader) + "\""};
    }
  } catch (const seqfile::ReadError& e) {
    return Refuse(BatchReadStatus::Malformed, e.what());
  }

  c->Read_Error = 0;
  Case = *c;
  Batch = *b;
  if (!notice.empty()) Calc_Message(Batch.Batch_File + ": " + notice);
  return {};
}

BatchReadResult Read_Batch_Data() { return Read_Batch_Continue(0); }
