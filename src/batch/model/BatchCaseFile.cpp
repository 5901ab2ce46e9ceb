#include "batch/model/BatchCaseFile.h"

#include <memory>

#include "batch/model/BatchData.h"
#include "core/model/CalcMessages.h"

namespace {

void WriteMatrix(seqfile::Writer& w, const CompMatrix& m, int nc) {
  // Row i of the file holds column i of the matrix: the first index runs fastest.
  for (int i = 1; i <= nc; ++i) {
    for (int j = 1; j <= nc; ++j) w.Num(m[j][i]);
    w.EndRecord();
  }
}

// Reads one batch case into scratch copies; throws seqfile::ReadError.
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
    b_.Oper_Time = r_.Double();
    for (int p = 1; p <= nt; ++p) {
      for (int i = 1; i <= nc; ++i) {
        b_.Cont_X[i][p] = r_.Double();
        b_.Cont_Y[i][p] = r_.Double();
      }
      b_.Cont_T[p] = r_.Double();
      b_.Cont_V[p] = r_.Double();
      b_.Cont_L[p] = r_.Double();
      b_.Cont_HV[p] = r_.Double();
      b_.Cont_HL[p] = r_.Double();
      b_.Cont_Heat[p] = r_.Double();
      b_.Cont_M[p] = r_.Double();
      b_.Cont_dM[p] = r_.Double();
      b_.Cont_dHL[p] = r_.Double();
      b_.Cont_Q_Sum[p] = r_.Double();
    }
    for (int p = 1; p <= nt; ++p)
      for (int i = 1; i <= nc; ++i) b_.RKG_Q[p][i] = r_.Double();
  }

 private:
  int Count(const char* name, long long lo, long long hi) {
    const int line = r_.Line();
    const long long v = r_.Int();
    if (v < lo || v > hi)
      throw seqfile::ReadError(std::string(name) + " = " + std::to_string(v) + " is outside " +
                               std::to_string(lo) + ".." + std::to_string(hi) + " (line " +
                               std::to_string(line) + ")");
    return static_cast<int>(v);
  }

  void Counts() {
    c_.NC = Count("NC", 0, kMaxComp);
    c_.NT = Count("NT", 0, kMaxTray);
    b_.Ope_Mode = Count("Ope_Mode", 1, 3);
    b_.Holdup_Unit = Count("Holdup_Unit", 1, 3);
    c_.K_Method = Count("K_Method", 0, 5);
    c_.H_Method = Count("H_Method", 0, 3);
    b_.Batch_Opt3 = static_cast<int32_t>(r_.Int());
    // Unit code 0 is kept: the conversions treat it as "no conversion".
    c_.T_Unit = Count("T_Unit", 0, 3);
    c_.P_Unit = Count("P_Unit", 0, 6);
    c_.H_Unit = Count("H_Unit", 0, 3);
    b_.N_Change_Tank = Count("N_Change_Tank", 0, kMaxTank - 1);
  }

  void Operation() {
    c_.P_Top = r_.Double();
    c_.P_Bottom = r_.Double();
    b_.Init_Temp = r_.Double();
    b_.Conv_Limit = r_.Double();
    b_.Diff_Time = r_.Double();
    b_.Max_Ope_Time = r_.Double();
    b_.QReb_TR = r_.Double();
    b_.Save_Interval = r_.Double();
  }

  void Tanks() {
    for (int k = 1; k <= b_.N_Change_Tank + 1; ++k) {
      const int line = r_.Line();
      const long long cond = r_.Int();
      const bool amount = cond == -1 || cond == -2 || cond == 0;
      const bool mole = cond >= 1 && cond <= c_.NC;
      const bool mass = cond >= 101 && cond <= 100 + c_.NC;
      if (!amount && !mole && !mass)
        throw seqfile::ReadError("Tank_Cond(" + std::to_string(k) + ") = " + std::to_string(cond) +
                                 " is not a tank condition (line " + std::to_string(line) + ")");
      b_.Tank_Cond[k] = static_cast<int32_t>(cond);
      b_.Tank_Value[k] = r_.Double();
      b_.Prod_Spec[1][k] = r_.Double();
      b_.Prod_Spec[2][k] = r_.Double();
      b_.Prod_Spec[3][k] = r_.Double();
    }
  }

  void Plates() {
    for (int p = 1; p <= c_.NT; ++p) {
      c_.Tray_Press[p] = r_.Double();
      b_.Tray_Holdup[1][p] = r_.Double();
      b_.Tray_Holdup[2][p] = r_.Double();
      b_.Tray_Holdup[3][p] = r_.Double();
      b_.Tray_Heat[p] = r_.Double();
    }
  }

  void Components() {
    const int nc = c_.NC;
    for (int i = 1; i <= nc; ++i) c_.Comp_Name[i] = r_.Text();
    for (int i = 1; i <= nc; ++i) {
      c_.Mol_Wt[i] = r_.Double();
      c_.Antoine_A[i] = r_.Double();
      c_.Antoine_B[i] = r_.Double();
      c_.Antoine_C[i] = r_.Double();
      c_.Comp_Tc[i] = r_.Double();
      c_.Comp_Pc[i] = r_.Double();
      c_.Comp_Pc[i] = r_.Double();  // the critical pressure is written twice; the second wins
      c_.Comp_Vc[i] = r_.Double();
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

  void Matrix(CompMatrix& m) {
    for (int i = 1; i <= c_.NC; ++i)
      for (int j = 1; j <= c_.NC; ++j) m[j][i] = r_.Double();
  }

  void Matrices() {
    Matrix(c_.Wilson_Lambda);
    Matrix(c_.NRTL_Tau);
    c_.NRTL_Alpha = r_.Double();
    Matrix(c_.EOS_Kij);
    b_.Total_Feed = r_.Double();
    for (int i = 1; i <= c_.NC; ++i) b_.Feed_Comp[i] = r_.Double();
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

bool Save_Batch_Data(std::string* error) {
  seqfile::Writer w;
  Write_Batch_Case(w);
  return w.Save(Batch.Batch_File, error);
}

BatchReadResult Read_Batch_Continue(int32_t withState) {
  seqfile::Reader r;
  std::string error;
  if (!r.Open(Batch.Batch_File, &error)) return Refuse(BatchReadStatus::OpenFailed, error);

  auto c = std::make_unique<CaseData>(Case);
  auto b = std::make_unique<BatchData>(Batch);
  try {
    if (r.Eof() || r.Text() != kBatchFileHeader) {
      Case.Read_Error = 1;
      Calc_Message(Case.Language == 1 ? "not Batch Distillation Data"
                                      : "バッチ蒸留計算のデータファイルではありません");
      return {BatchReadStatus::WrongHeader, "header is not \"" + std::string(kBatchFileHeader) + "\""};
    }
    CaseReader reader(r, *c, *b);
    reader.Body();
    if (withState != 0) reader.State();
  } catch (const seqfile::ReadError& e) {
    return Refuse(BatchReadStatus::Malformed, e.what());
  }

  c->Read_Error = 0;
  Case = *c;
  Batch = *b;
  return {};
}

BatchReadResult Read_Batch_Data() { return Read_Batch_Continue(0); }
