#include "vle/estimation/VLEFile.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string_view>

#include "core/model/CaseData.h"
#include "platform/text/SeqFile.h"
#include "vle/estimation/VLEData.h"

namespace vlefit {

namespace {

constexpr const char* kHeader = "V_L Equibrium Data";

struct Point {
  double t = 0, p = 0, x1 = 0, y1 = 0;
};

// Everything the file holds, read before any of it reaches the case.
struct FileCase {
  std::string memo[kMaxMemo + 1];
  std::string name[3];
  double A[3]{}, B[3]{}, C[3]{};
  int tpType = 0, tUnit = 0, pUnit = 0, nData = 0, calcType = 0, objType = 0;
  double temp = 0, press = 0;
  Point points[kMaxData + 1];
  double l12 = 0, l21 = 0, t12 = 0, t21 = 0, alpha = 0;
};

// 1-based line of byte `pos` of `text`.
int LineAt(const std::string& text, std::size_t pos) {
  return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(pos), '\n'));
}

// Reads one record through `fields` and checks that it filled exactly one line:
// with a count that does not match the file (too many or too few points) the
// numbers would otherwise run on into the wrong variables without a read error.
template <typename ReadFields>
void Record(seqfile::Reader& in, const std::string& text, const char* what, ReadFields fields) {
  const std::size_t from = in.Loc();
  fields();
  std::string_view span(text.data() + from, in.Loc() - from);
  const std::size_t first = span.find_first_not_of(" \t\r\n");
  span.remove_prefix(first == std::string_view::npos ? span.size() : first);
  const std::size_t lineEnd = span.find('\n');
  const bool lastLine = lineEnd == std::string_view::npos && in.Loc() == text.size();
  if (!lastLine && lineEnd != span.size() - 1)
    throw seqfile::ReadError("line " + std::to_string(LineAt(text, in.Loc() - span.size())) +
                             ": wrong number of fields for " + what);
}

// A number field that must be finite.
double Num(seqfile::Reader& in) {
  const int line = in.Line();
  const double v = in.Double();
  if (!std::isfinite(v)) throw seqfile::ReadError("line " + std::to_string(line) + ": a number is out of range");
  return v;
}

// A whole-number field that must lie in lo..hi.
int IntIn(seqfile::Reader& in, const char* what, long long lo, long long hi) {
  const int line = in.Line();
  const long long v = in.Int();
  if (v < lo || v > hi)
    throw seqfile::ReadError("line " + std::to_string(line) + ": " + what + " " + std::to_string(v) +
                             " is outside " + std::to_string(lo) + ".." + std::to_string(hi));
  return static_cast<int>(v);
}

void ReadBody(seqfile::Reader& in, const std::string& text, FileCase& fc) {
  for (int i = 1; i <= kMaxMemo; ++i) Record(in, text, "a memo line", [&] { fc.memo[i] = in.Text(); });
  Record(in, text, "a component name", [&] { fc.name[1] = in.Text(); });
  Record(in, text, "a component name", [&] { fc.name[2] = in.Text(); });
  for (int c = 1; c <= 2; ++c) {
    Record(in, text, "the Antoine constants", [&] {
      fc.A[c] = Num(in);
      fc.B[c] = Num(in);
      fc.C[c] = Num(in);
    });
  }
  Record(in, text, "the conditions and codes", [&] {
    fc.tpType = IntIn(in, "the T-P type", 0, 1);
    fc.tUnit = IntIn(in, "the temperature unit", 1, 3);
    fc.pUnit = IntIn(in, "the pressure unit", 1, 6);
    fc.temp = Num(in);
    fc.press = Num(in);
    fc.nData = IntIn(in, "the number of data points", 0, kMaxData);
    fc.calcType = IntIn(in, "the calculation type", 1, 4);
    fc.objType = IntIn(in, "the objective function", 0, 5);
  });
  for (int i = 1; i <= fc.nData; ++i) {
    Record(in, text, "a data point", [&] {
      fc.points[i].t = Num(in);
      fc.points[i].p = Num(in);
      fc.points[i].x1 = Num(in);
      fc.points[i].y1 = Num(in);
    });
  }
  Record(in, text, "the parameters", [&] {
    fc.l12 = Num(in);
    fc.l21 = Num(in);
    fc.t12 = Num(in);
    fc.t21 = Num(in);
    fc.alpha = Num(in);
  });
  if (!in.Eof())
    throw seqfile::ReadError("line " + std::to_string(in.Line()) + ": the file goes on after the parameters");
}

void Commit(const FileCase& fc) {
  VLE_Initial_set();
  for (int i = 1; i <= kMaxMemo; ++i) Case.Memo[i] = fc.memo[i];
  for (int c = 1; c <= 2; ++c) {
    Case.Comp_Name[c] = fc.name[c];
    Case.Antoine_A[c] = fc.A[c];
    Case.Antoine_B[c] = fc.B[c];
    Case.Antoine_C[c] = fc.C[c];
  }
  VLE.VLE_TP_Type = fc.tpType;
  Case.T_Unit = fc.tUnit;
  Case.P_Unit = fc.pUnit;
  VLE.VLE_Temp = fc.temp;
  VLE.VLE_Press = fc.press;
  VLE.VLE_NData = fc.nData;
  VLE.VLE_Calc_Type = fc.calcType;
  VLE.VLE_Obj_Type = fc.objType;
  for (int i = 1; i <= fc.nData; ++i) {
    VLE.VLE_T_Data[i] = fc.points[i].t;
    VLE.VLE_P_Data[i] = fc.points[i].p;
    VLE.VLE_X1_Data[i] = fc.points[i].x1;
    VLE.VLE_Y1_Data[i] = fc.points[i].y1;
  }
  Case.Wilson_L12 = fc.l12;
  Case.Wilson_L21 = fc.l21;
  Case.NRTL_Tau12 = fc.t12;
  Case.NRTL_Tau21 = fc.t21;
  Case.NRTL_Alpha = fc.alpha;
}

}  // namespace

VLEFileResult Write_VLE_File(const std::string& path) {
  seqfile::Writer w;
  w.Record(kHeader);
  for (int i = 1; i <= kMaxMemo; ++i) w.Record(Case.Memo[i]);
  w.Record(Case.Comp_Name[1]);
  w.Record(Case.Comp_Name[2]);
  for (int c = 1; c <= 2; ++c) w.Record(Case.Antoine_A[c], Case.Antoine_B[c], Case.Antoine_C[c]);
  const int n = VLE.VLE_NData < 0 ? 0 : (VLE.VLE_NData > kMaxData ? kMaxData : VLE.VLE_NData);
  w.Int(VLE.VLE_TP_Type).Int(Case.T_Unit).Int(Case.P_Unit).Num(VLE.VLE_Temp).Num(VLE.VLE_Press);
  w.Int(n).Int(VLE.VLE_Calc_Type).Int(VLE.VLE_Obj_Type).EndRecord();
  for (int i = 1; i <= n; ++i)
    w.Record(VLE.VLE_T_Data[i], VLE.VLE_P_Data[i], VLE.VLE_X1_Data[i], VLE.VLE_Y1_Data[i]);
  w.Record(Case.Wilson_L12, Case.Wilson_L21, Case.NRTL_Tau12, Case.NRTL_Tau21, Case.NRTL_Alpha);
  std::string error;
  if (!w.Save(path, &error))
    return {VLEFileStatus::CannotWrite,
            Lang_Text("ファイルに保存できません: ", "Cannot save the file: ") + error};
  return {};
}

VLEFileResult Read_VLE_File(const std::string& path) {
  auto cannotOpen = [](const std::string& why) {
    return VLEFileResult{VLEFileStatus::CannotOpen, Lang_Text("ファイルを開けません: ", "Cannot open the file: ") + why};
  };
  // The shared reader refuses, before reading, what is no case file: a folder,
  // a FIFO or device (which would block or never end) and a file far larger than
  // any case; and after reading, binary content.
  std::string text, error;
  if (!seqfile::ReadFileText(path, &text, &error)) return cannotOpen(error);
  seqfile::Reader in;
  try {
    in.OpenText(text);
  } catch (const seqfile::ReadError& e) {
    return cannotOpen(path + ": " + e.what());
  }
  std::string header;
  try {
    header = in.Text();
  } catch (const seqfile::ReadError&) {
    header.clear();  // an empty file: no header at all
  }
  if (header != kHeader)
    return {VLEFileStatus::WrongHeader,
            Lang_Text("気液平衡のデータファイルではありません。", "not Vapor-Liquid Equibrium Data")};
  // The file case is large for the stack (50 points and strings); build it on the heap.
  auto fc = std::make_unique<FileCase>();
  try {
    ReadBody(in, text, *fc);
  } catch (const seqfile::ReadError& e) {
    return {VLEFileStatus::BadData,
            Lang_Text("データファイルが読み込めません: ", "Cannot read the data file: ") + e.what()};
  }
  Commit(*fc);
  return {};
}

}  // namespace vlefit
