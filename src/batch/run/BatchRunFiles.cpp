#include "batch/run/BatchRunFiles.h"

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
