#include "batch/run/BatchRunFiles.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <string_view>

#include "batch/model/BatchCaseFile.h"
#include "batch/model/BatchData.h"
#include "platform/text/NumberText.h"
#include "platform/text/SeqFile.h"

namespace {

BatchLogClock& LogClock() {
  static BatchLogClock clock;
  return clock;
}

std::string SystemStamp() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char buf[32];
  std::strftime(buf, sizeof buf, "%Y/%m/%d %H:%M:%S", &local);
  return buf;
}

void WritePlateFractions(seqfile::Writer& w, int p) {
  for (int i = 1; i <= Case.NC; ++i) w.Num(Case.Tray_X[i][p]).Num(Case.Tray_Y[i][p]);
  w.EndRecord();
}

// Characters (not bytes) of a UTF-8 text, as a print zone counts them.
std::size_t CharCount(std::string_view s) {
  std::size_t n = 0;
  for (unsigned char ch : s)
    if ((ch & 0xC0) != 0x80) ++n;
  return n;
}

}  // namespace

namespace {

struct RunFilesOwner {
  bool runSeen = false;  // a run has started in this process
  bool complete = false;
  bool written[6] = {};
};

RunFilesOwner& Owner() {
  static RunFilesOwner owner;
  return owner;
}

}  // namespace

void Batch_Run_Files_Begin(bool continued) {
  RunFilesOwner& o = Owner();
  o = RunFilesOwner{};
  o.runSeen = true;
  o.written[1] = o.written[2] = continued;
}

void Batch_Run_File_Written(int n) {
  if (n >= 1 && n <= 5) Owner().written[n] = true;
}

void Batch_Run_Files_End(bool complete) { Owner().complete = complete; }

bool Batch_Run_Files_Complete() { return Owner().runSeen && Owner().complete; }

bool Batch_Run_File_Of_Other_Run(int n) {
  const RunFilesOwner& o = Owner();
  if (!o.runSeen || n < 1 || n > 5 || o.written[n]) return false;
  return seqfile::FileExists(Batch_Run_File(n));
}

double Batch_Run_Files_Estimate() {
  const double nc = Case.NC, nt = Case.NT;
  // A number takes at most 24 characters with its comma; each plate has two
  // lines of 2 NC and ten numbers, a record one line of time more.
  const double record = 24.0 * (1 + nt * (2 * nc + 10)) + 2 * (1 + 2 * nt);
  const double interval = std::max(Batch.Save_Interval, Batch.Diff_Time);
  if (!(Batch.Save_Interval > 0) || !(interval > 0)) return 0;
  const double phases = Batch.Ope_Mode > 1 ? 2 : 1;
  return phases * (std::floor(Batch.Max_Ope_Time / interval) + 2) * record;
}

std::string Batch_Run_File(int n) {
  return seqfile::JoinPath(Case.Data_Dir, "\\B_Calc_" + std::to_string(n) + ".dat");
}

std::string Batch_Log_Path() { return seqfile::JoinPath(Case.Data_Dir, "\\B_Calc_Log.dat"); }

void Write_State_Record(seqfile::Writer& w) {
  w.Record(Batch.Oper_Time);
  for (int p = 1; p <= Case.NT; ++p) {
    WritePlateFractions(w, p);
    w.Record(Case.Tray_T[p], Case.Tray_V[p], Case.Tray_L[p], Batch.Tray_HV[p], Batch.Tray_HL[p],
             Batch.Tray_Heat[p], Batch.Holdup_Mol[p], Batch.Tray_dM[p], Batch.Tray_dHL[p],
             Batch.Tray_Q_Sum[p]);
  }
}

bool Append_State_Record(const std::string& path) {
  seqfile::Writer w;
  Write_State_Record(w);
  return w.Append(path);
}

bool Write_Total_Reflux_File(const std::string& path) {
  seqfile::Writer w;
  Write_Batch_Case(w);
  Write_State_Record(w);
  for (int p = 1; p <= Case.NT; ++p) {
    for (int i = 1; i <= Case.NC; ++i) w.Num(Batch.RKG_Q[p][i]);
    w.EndRecord();
  }
  return w.Save(path);
}

bool Write_Final_State_File(const std::string& path, const BatchFinalState& s) {
  seqfile::Writer w;
  w.Record(s.totalDistillate, Batch.Scale_T_Max, Batch.Scale_T_Min, Batch.Scale_V_Max, Batch.Scale_V_Min,
           Batch.Scale_L_Max, Batch.Scale_L_Min, Batch.Oper_Time, Batch.Oper_Time + s.calTime);
  for (int p = 1; p <= Case.NT; ++p) w.Num(Batch.Tray_Q_Sum[p]);
  if (s.normalEnd) w.Text("");
  w.EndRecord();
  w.Record(Batch.Prod_Phase, Batch.Restart_Time, s.calTime, s.fourthValue);
  for (int p = 1; p <= Case.NT; ++p) {
    WritePlateFractions(w, p);
    w.Record(Case.Tray_T[p], Case.Tray_V[p], Case.Tray_L[p], Batch.Tray_HV[p], Batch.Tray_HL[p],
             Batch.Tray_Heat[p], Batch.Holdup_Mol[p]);
  }
  return w.Save(path);
}

bool Append_Tank_Block(const std::string& path, double calTime) {
  seqfile::Writer w;
  w.Record(Batch.Tank_Count, calTime);
  for (int i = 1; i <= Case.NC; ++i) w.Num(Batch.Tank_Amount[i]);
  w.EndRecord();
  for (int p = 1; p <= Case.NT; ++p) w.Num(Batch.Tray_Q_Sum_Prev[p]);
  w.EndRecord();
  return w.Append(path);
}

BatchLogClock Set_Batch_Log_Clock(BatchLogClock clock) {
  BatchLogClock previous = std::move(LogClock());
  LogClock() = std::move(clock);
  return previous;
}

std::string Batch_Log_Stamp() { return LogClock() ? LogClock()() : SystemStamp(); }

std::string Batch_Log_Time(double hours) { return " Cal_time=" + txt::Format(hours, "###0.0000"); }

std::string Batch_Log_Number(double value) { return txt::Signed(value) + " "; }

bool Batch_Log_Create(const std::string& path, const std::string& text) {
  seqfile::Writer w;
  w.Line(Batch_Log_Stamp() + text);
  return w.Save(path);
}

bool Batch_Log_Append(const std::string& path, const std::string& text) {
  return Batch_Log_Append_Line(path, Batch_Log_Stamp() + text);
}

bool Batch_Log_Append_Line(const std::string& path, const std::string& line) {
  seqfile::Writer w;
  w.Line(line);
  return w.Append(path);
}

std::string Batch_Log_Negative_Line(double calTime, int component, int plate) {
  std::string line = Batch_Log_Stamp() + Batch_Log_Time(calTime) + " i=" + Batch_Log_Number(component);
  // The next print zone: blanks up to the next multiple of 14 characters.
  const std::size_t used = CharCount(line);
  line.append((used / 14 + 1) * 14 - used, ' ');
  line += " j =" + Batch_Log_Number(plate) + ": Runge - Kutta - Gillの計算で組成がマイナス";
  return line;
}

std::string Batch_Log_Change_Text(double operTime, const std::string& eventText, double oldValue,
                                  const std::string& newText) {
  return Batch_Log_Time(operTime) + eventText + Batch_Log_Number(oldValue) + " New=" + newText;
}
