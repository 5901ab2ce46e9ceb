#include "vle/estimation/VLEFile.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string_view>

#include "core/model/CaseData.h"
#include "core/model/CaseFileBlocks.h"
#include "core/model/Language.h"
#include "platform/text/NumberText.h"
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
void Record(seqfile::Reader& in, const std::string& text, const FieldName& what, ReadFields fields) {
  const std::size_t from = in.Loc();
  fields();
  std::string_view span(text.data() + from, in.Loc() - from);
  const std::size_t first = span.find_first_not_of(" \t\r\n");
  span.remove_prefix(first == std::string_view::npos ? span.size() : first);
  const std::size_t lineEnd = span.find('\n');
  const bool lastLine = lineEnd == std::string_view::npos && in.Loc() == text.size();
  if (!lastLine && lineEnd != span.size() - 1)
  {
    const std::string line = std::to_string(LineAt(text, in.Loc() - span.size()));
    throw seqfile::ReadError(txt::EnglishMessages() ? "line " + line + ": wrong number of fields for " + what.En()
                                                    : line + " 行目: " + what.Ja() + "の項目数が違います");
  }
}

// A number field that must be finite.
double Num(seqfile::Reader& in) {
  const int line = in.Line();
  const double v = in.Double();
  if (!std::isfinite(v))
    throw seqfile::ReadError(txt::EnglishMessages() ? "line " + std::to_string(line) + ": a number is out of range"
                                                    : std::to_string(line) + " 行目: 数値が範囲外です");
  return v;
}

void ReadBody(seqfile::Reader& in, const std::string& text, FileCase& fc) {
  for (int i = 1; i <= kMaxMemo; ++i) Record(in, text, Field("メモ", "a memo line"), [&] { fc.memo[i] = in.Text(); });
  Record(in, text, Field("成分名", "a component name"), [&] { fc.name[1] = in.Text(); });
  Record(in, text, Field("成分名", "a component name"), [&] { fc.name[2] = in.Text(); });
  for (int c = 1; c <= 2; ++c) {
    Record(in, text, Field("Antoine定数", "the Antoine constants"), [&] {
      fc.A[c] = Num(in);
      fc.B[c] = Num(in);
      fc.C[c] = Num(in);
    });
  }
  Record(in, text, Field("条件とコード", "the conditions and codes"), [&] {
    fc.tpType = casecheck::Code(in, Field("T-P指定", "VLE_TP_Type"), 0, 1);
    fc.tUnit = casecheck::Code(in, Field("温度単位", "T_Unit"), 1, 3);
    fc.pUnit = casecheck::Code(in, Field("圧力単位", "P_Unit"), 1, 6);
    // Degrees Celsius and mmHg. The condition the case type holds fixed must
    // be a state; the other is what the box last held.
    fc.temp = casecheck::Temperature(in, Field("温度", "VLE_Temp"), 1);
    fc.press = fc.tpType == 0 ? casecheck::Positive(in, Field("圧力", "VLE_Press"))
                              : casecheck::NonNegative(in, Field("圧力", "VLE_Press"));
    fc.nData = casecheck::Code(in, Field("データ数", "VLE_NData"), 0, kMaxData);
    fc.calcType = casecheck::Code(in, Field("計算の種類", "VLE_Calc_Type"), 1, 4);
    fc.objType = casecheck::Code(in, Field("目的関数", "VLE_Obj_Type"), 0, 5);
  });
  for (int i = 1; i <= fc.nData; ++i) {
    Record(in, text, Field("データ点", "a data point"), [&] {
      // The measured one of T and P is a state; the other holds 0 or a state.
      fc.points[i].t = casecheck::Temperature(in, Field("温度", "VLE_T_Data", i), 1);
      fc.points[i].p = fc.tpType == 1 ? casecheck::Positive(in, Field("圧力", "VLE_P_Data", i))
                                      : casecheck::NonNegative(in, Field("圧力", "VLE_P_Data", i));
      fc.points[i].x1 = casecheck::Fraction(in, Field("x1", "x1", i));
      fc.points[i].y1 = casecheck::Fraction(in, Field("y1", "y1", i));
    });
  }
  Record(in, text, Field("パラメータ", "the parameters"), [&] {
    // Lambda is a ratio of volumes times an exponential: 0 (not entered) or more.
    fc.l12 = casecheck::NonNegative(in, Field("Wilson Λ12", "Wilson_L12"));
    fc.l21 = casecheck::NonNegative(in, Field("Wilson Λ21", "Wilson_L21"));
    fc.t12 = Num(in);
    fc.t21 = Num(in);
    fc.alpha = casecheck::NonNegative(in, Field("NRTL α", "NRTL_Alpha"));
  });
  casecheck::End(in);
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
  // A value the reader refuses is not written: every file saved reads back.
  try {
    seqfile::Reader in;
    in.OpenText(w.Content());
    in.Text();  // the header
    auto fc = std::make_unique<FileCase>();
    ReadBody(in, w.Content(), *fc);
  } catch (const seqfile::ReadError& e) {
    return {VLEFileStatus::CannotWrite,
            InLanguage("ファイルに保存できません。読み戻せない値があります: ",
                      "Cannot save the file: a value would not read back: ") + e.what()};
  }
  std::string error;
  if (!w.Save(path, &error))
    return {VLEFileStatus::CannotWrite,
            InLanguage("ファイルに保存できません: ", "Cannot save the file: ") + error};
  return {};
}

VLEFileResult Read_VLE_File(const std::string& path) {
  auto cannotOpen = [](const std::string& why) {
    return VLEFileResult{VLEFileStatus::CannotOpen, InLanguage("ファイルを開けません: ", "Cannot open the file: ") + why};
  };
  // The shared reader refuses, before reading, what is no case file: a folder,
  // a FIFO or device (which would block or never end) and a file far larger than
  // any case; and after reading, binary content.
  std::string text, error, notice;
  if (!seqfile::ReadFileText(path, &text, &error, nullptr, &notice)) return cannotOpen(error);
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
            InLanguage("気液平衡のデータファイルではありません。", "not Vapor-Liquid Equibrium Data")};
  // The file case is large for the stack (50 points and strings); build it on the heap.
  auto fc = std::make_unique<FileCase>();
  try {
    ReadBody(in, text, *fc);
  } catch (const seqfile::ReadError& e) {
    return {VLEFileStatus::BadData,
            InLanguage("データファイルが読み込めません: ", "Cannot read the data file: ") + e.what()};
  }
  Commit(*fc);
  return {VLEFileStatus::Ok, notice.empty() ? std::string() : path + ": " + notice};
}

}  // namespace vlefit
