#include "continuous/shortcut/ui/frmDistShortCut.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "continuous/shortcut/ShortCut.h"
#include "core/dialogs/DialogCommon.h"
#include "core/model/CaseData.h"
#include "core/model/Language.h"
#include "core/model/PhysicalRange.h"
#include "core/thermo/Thermo.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Interaction.h"

VZ_FORM_FACTORY(frmDistShortCut);

namespace {

bool KnownLanguage() { return Case.Language == 0 || In_English(); }

template <typename W>
void SetCap(W* w, const char* japanese, const char* english) {
  if (!KnownLanguage()) return;
  const QString text = QString::fromUtf8(In_English() ? english : japanese);
  if constexpr (std::is_same_v<W, QGroupBox>) w->setTitle(text);
  else w->setText(text);
}

QLabel* ValueLabel(QWidget* parent, const char* name) {
  QLabel* l = ui::NewLabel(parent, name);
  l->setFrameShape(QFrame::Panel);
  l->setFrameShadow(QFrame::Sunken);
  l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return l;
}

constexpr int kGraphW = 4335, kGraphH = 4215;

}  // namespace

frmDistShortCut::frmDistShortCut() : ui::Form("frmDistShortCut") {
  fraInputData = ui::NewFrame(this, "fraInputData", "入力データ");
  ui::Place(fraInputData, 120, 60, 5400, 3900);
  QWidget* in = fraInputData;
  lblCalcType = ui::NewLabel(in, "lblCalcType", "計算タイプ");
  ui::Place(lblCalcType, 120, 300, 1500, 270);
  // Each option array on its own panel: option buttons exclude each other per parent.
  auto* calcTypePanel = new QWidget(in);
  ui::Place(calcTypePanel, 1700, 270, 3600, 300);
  optCalcType.Create(calcTypePanel, "optCalcType", 2);
  optCalcType[0]->setText(QString::fromUtf8("塔頂/塔底ﾓﾙ分率"));
  optCalcType[1]->setText(QString::fromUtf8("塔頂への回収率"));
  ui::Place(optCalcType[0], 0, 0, 1800, 300);
  ui::Place(optCalcType[1], 1800, 0, 1800, 300);
  optCalcType.SetValue(0);
  optCalcType.onClick = [this](int i) { optCalcType_Click(i); };

  lblNameLK = ui::NewLabel(in, "lblNameLK", "低沸点限界成分");
  ui::Place(lblNameLK, 120, 720, 1700, 270);
  cboNamLK = ui::NewComboBox(in, "cboNamLK");
  ui::Place(cboNamLK, 1850, 690, 1350, 330);
  lblMolLK = ui::NewLabel(in, "lblMolLK", "塔底ﾓﾙ分率");
  ui::Place(lblMolLK, 3260, 720, 1280, 270);
  txtMolLK = ui::NewTextBox(in, "txtMolLK");
  ui::Place(txtMolLK, 4560, 690, 740, 330);
  lblNameHK = ui::NewLabel(in, "lblNameHK", "高沸点限界成分");
  ui::Place(lblNameHK, 120, 1170, 1700, 270);
  cboNamHK = ui::NewComboBox(in, "cboNamHK");
  ui::Place(cboNamHK, 1850, 1140, 1350, 330);
  lblMolHK = ui::NewLabel(in, "lblMolHK", "塔頂ﾓﾙ分率");
  ui::Place(lblMolHK, 3260, 1170, 1280, 270);
  txtMolHK = ui::NewTextBox(in, "txtMolHK");
  ui::Place(txtMolHK, 4560, 1140, 740, 330);

  lblCondenserType = ui::NewLabel(in, "lblCondenserType", "コンデンサー型式");
  ui::Place(lblCondenserType, 120, 1650, 1500, 270);
  auto* condenserPanel = new QWidget(in);
  ui::Place(condenserPanel, 1700, 1620, 3200, 300);
  optCondenser.Create(condenserPanel, "optCondenser", 2);
  optCondenser[0]->setText(QString::fromUtf8("全縮器"));
  optCondenser[1]->setText(QString::fromUtf8("分縮器"));
  ui::Place(optCondenser[0], 0, 0, 1500, 300);
  ui::Place(optCondenser[1], 1600, 0, 1500, 300);
  optCondenser.SetValue(0);

  lblPress = ui::NewLabel(in, "lblPress", "圧力");
  ui::Place(lblPress, 120, 2130, 1500, 270);
  txtPress = ui::NewTextBox(in, "txtPress");
  ui::Place(txtPress, 1700, 2100, 1200, 330);
  lblPressUnit = ui::NewLabel(in, "lblPressUnit");
  ui::Place(lblPressUnit, 3000, 2130, 1200, 270);
  lblTemp = ui::NewLabel(in, "lblTemp", "温度");
  ui::Place(lblTemp, 120, 2580, 1500, 270);
  txtTemp = ui::NewTextBox(in, "txtTemp");
  ui::Place(txtTemp, 1700, 2550, 1200, 330);
  lblTempUnit = ui::NewLabel(in, "lblTempUnit");
  ui::Place(lblTempUnit, 3000, 2580, 1200, 270);
  lblTempMemo = ui::NewLabel(in, "lblTempMemo", "(温度空白は沸点計算をする)");
  lblTempMemo->setWordWrap(true);
  ui::Place(lblTempMemo, 120, 3000, 5100, 600);

  fraResult = ui::NewFrame(this, "fraResult", "計算結果");
  ui::Place(fraResult, 120, 4050, 5400, 1800);
  QWidget* out = fraResult;
  struct Row { QLabel** label; const char* name; const char* caption; QLabel** value; const char* valueName; };
  const Row rows[] = {
      {&lblSmin, "lblSmin", "最小理論段数", &lblSminData, "lblSminData"},
      {&lblSminF, "lblSminF", "ﾌｨｰﾄﾞ段(塔頂より)", &lblSminFData, "lblSminFData"},
      {&lblRmin, "lblRmin", "最小還流比", &lblRminData, "lblRminData"},
      {&lblVF, "lblVF", "V/F", &lblVFData, "lblVFData"},
  };
  int top = 300;
  for (const Row& r : rows) {
    *r.label = ui::NewLabel(out, r.name, r.caption);
    ui::Place(*r.label, 120, top + 30, 3000, 270);
    *r.value = ValueLabel(out, r.valueName);
    ui::Place(*r.value, 3300, top, 1900, 330);
    top += 360;
  }

  vaSpread1 = new ui::SpreadGrid("vaSpread1", this);
  vaSpread1->SetMaxCols(3);
  vaSpread1->SetMaxRows(kMaxComp + 1);
  vaSpread1->SetText(1, 0, "ﾌｨｰﾄﾞ組成");
  vaSpread1->SetText(2, 0, "塔頂組成");
  vaSpread1->SetText(3, 0, "塔底組成");
  vaSpread1->setWordWrap(false);
  // The feed column shows fractions as typed (0.120949998) whole.
  vaSpread1->SetColWidth(1, 14);
  for (int c = 2; c <= 3; ++c) vaSpread1->SetColWidth(c, 12);
  vaSpread1->SetColWidth(0, 11);
  vaSpread1->SetLocked(2, 1, 3, kMaxComp + 1);
  vaSpread1->SetNumberFormat(2, 1, 3, kMaxComp + 1, 6);
  ui::Place(vaSpread1, 5640, 60, 5400, 3900);

  picResult = new ui::PictureBox("picResult", this);
  ui::Place(picResult, 5640, 4050, kGraphW, kGraphH);
  picResult->SetSizePixels(ui::Px(kGraphW), ui::Px(kGraphH));
  picResult->SetFontSize(8);
  picResult->onMouseDown = [this](int, int, double, double) { picResult_Click(); };

  cmdCalc = ui::NewButton(this, "cmdCalc", "計算(&G)");
  ui::Place(cmdCalc, 10080, 7560, 1200, 420);
  cmdExit = ui::NewButton(this, "cmdExit", "戻る(&X)");
  ui::Place(cmdExit, 10080, 7860 + 200, 1200, 420);
  connect(cmdCalc, &QPushButton::clicked, this, [this] { cmdCalc_Click(); });
  connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
  setFixedSize(ui::Px(11400), ui::Px(8600));
}

void frmDistShortCut::Form_Load() {
  previousHandler_ = Set_Calc_Message_Handler([](const std::string& text) { ui::MsgBox(text); });
  handlerInstalled_ = true;
  if (KnownLanguage())
    SetCaption(QString::fromUtf8(In_English() ? "Short Cut Distillation (Fenske-Underwood-Gilliland式)"
                                           : "ＳｈｏｒｔＣｕｔ蒸留計算(Fenske-Underwood-Gilliland式)"));
  SetCap(fraInputData, "入力データ", "Input Data");
  SetCap(lblCalcType, "計算タイプ", "Calc Type");
  SetCap(optCalcType[0], "塔頂/塔底ﾓﾙ分率", "Top/Btm Mol Fr");
  SetCap(optCalcType[1], "塔頂への回収率", "Top Recovry");
  SetCap(lblNameLK, "低沸点限界成分", "Light Key Comp");
  SetCap(lblMolLK, "塔底ﾓﾙ分率", "Btm Mol Fr");
  SetCap(lblNameHK, "高沸点限界成分", "Heavy Key Comp");
  SetCap(lblMolHK, "塔頂ﾓﾙ分率", "Top Mol Fr");
  SetCap(lblCondenserType, "コンデンサー型式", "Condenser Type");
  SetCap(optCondenser[0], "全縮器", "Total");
  SetCap(optCondenser[1], "分縮器", "Partial");
  SetCap(lblPress, "圧力", "Press");
  SetCap(lblTemp, "温度", "Temp");
  SetCap(lblTempMemo, "(温度空白は沸点計算をする)", "(If temp is blank,then calc bubble point temp)");
  SetCap(fraResult, "計算結果", "Calcculation Result");
  SetCap(lblSmin, "最小理論段数", "Minimum Theoretical Plates");
  SetCap(lblSminF, "ﾌｨｰﾄﾞ段(塔頂より)", "Feed Location from top");
  SetCap(lblRmin, "最小還流比", "Minimum Reflux Ratio");
  SetCap(cmdCalc, "計算(&G)", "Go Calc(&G)");
  SetCap(cmdExit, "戻る(&X)", "Exit(&X)");
  if (KnownLanguage()) {
    vaSpread1->SetText(1, 0, In_English() ? "Feed " : "ﾌｨｰﾄﾞ組成");
    vaSpread1->SetText(2, 0, In_English() ? "Top" : "塔頂組成");
    vaSpread1->SetText(3, 0, In_English() ? "Bottom" : "塔底組成");
  }
}

void frmDistShortCut::Form_Unload() {
  if (handlerInstalled_) Set_Calc_Message_Handler(std::move(previousHandler_));
  handlerInstalled_ = false;
}

void frmDistShortCut::optCalcType_Click(int index) {
  const int k = index == 0 ? 1 : 2;
  if (index == 0) {
    SetCap(lblMolLK, "塔底ﾓﾙ分率", "Btm Mol Fr");
    SetCap(lblMolHK, "塔頂ﾓﾙ分率", "Top Mol Fr");
  } else {
    SetCap(lblMolLK, "塔頂回収率", "TopRecovery");
    SetCap(lblMolHK, "塔頂回収率", "TopRecovery");
  }
  txtMolLK->setText(ui::Q(txt::Plain(Case.SC_LK_Spec[k])));
  txtMolHK->setText(ui::Q(txt::Plain(Case.SC_HK_Spec[k])));
}

void frmDistShortCut::Form_Activate() {
  CaseData& c = Case;
  const int nc = std::clamp(c.NC, 0, kMaxComp);
  vaSpread1->ClearRange(1, 1, 3, kMaxComp + 1);

  optCalcType.Click(c.SC_Calc_Type != 0 ? 1 : 0);
  optCondenser.SetValue(c.SC_Condenser != 0 ? 1 : 0);
  txtPress->setText(ui::Q(txt::Plain(c.SC_Press)));
  if (c.SC_Temp_Given == 1) txtTemp->setText(ui::Q(txt::Plain(c.SC_Temp)));

  ui::Form* main = ui::Forms::FindByName("frmDistMain");
  lblPressUnit->setText(ui::Q(ui::ControlText(main, "lblMainUnitPressData")));
  lblTempUnit->setText(ui::Q(ui::ControlText(main, "lblMainUnitTempData")));

  for (QComboBox* list : {cboNamLK, cboNamHK}) {
    list->clear();
    for (int i = 1; i <= nc; ++i) list->addItem(ui::Q(c.Comp_Name[i]));
    list->setCurrentIndex(-1);
  }
  if (c.SC_LK > 0 && c.SC_LK <= nc) cboNamLK->setCurrentIndex(c.SC_LK - 1);
  if (c.SC_HK > 0 && c.SC_HK <= nc) cboNamHK->setCurrentIndex(c.SC_HK - 1);

  ShortCut_Feed_set();
  for (int i = 1; i <= nc; ++i) {
    vaSpread1->SetText(0, i + 1, c.Comp_Name[i]);
    vaSpread1->SetValue(1, i + 1, c.SC_Feed_Total > 0 ? c.SC_Feed_Comp_Flow[i] / c.SC_Feed_Total : 0);
  }
  vaSpread1->SetValue(1, 1, c.SC_Feed_Total);
  vaSpread1->SetText(0, 1, "Total");
  for (int r = nc + 2; r <= kMaxComp + 1; ++r) vaSpread1->SetText(0, r, " ");
}

void frmDistShortCut::Stop(const char* japanese, const char* english) {
  ui::MsgBox(In_English() ? english : japanese, ui::vbOKOnly);
}

void frmDistShortCut::cmdCalc_Click() {
  CaseData& c = Case;
  if (!ShortCut_Check_Case()) return;
  const int nc = std::clamp(c.NC, 0, kMaxComp);

  // Every number box and feed cell is read before anything is stored: a text
  // that is not wholly a number is refused, naming its field, and the case stays
  // as it was.
  const int k = optCalcType.Value() == 1 ? 2 : 1;
  double lkSpec = 0, hkSpec = 0, press = 0, temp = 0;
  const auto field = [](const QLabel* a, const QLabel* b) {
    return dlg::Field_Name(a->text()) + " " + dlg::Field_Name(b->text());
  };
  if (!dlg::Read_Number(txtMolLK->text(), field(lblNameLK, lblMolLK), lkSpec) ||
      !dlg::Read_Number(txtMolHK->text(), field(lblNameHK, lblMolHK), hkSpec) ||
      !dlg::Read_Number(txtPress->text(), dlg::Field_Name(lblPress->text()), press))
    return;
  const bool tempBlank = txtTemp->text().trimmed().isEmpty();
  if (!tempBlank && !dlg::Read_Number(txtTemp->text(), dlg::Field_Name(lblTemp->text()), temp)) return;
  double feed[kMaxComp + 2] = {};
  for (int row = 1; row <= nc + 1; ++row) {
    const std::string name = vaSpread1->Text(1, 0).append(" ").append(vaSpread1->Text(0, row));
    if (!dlg::Read_Number(ui::Q(vaSpread1->Text(1, row)), name, feed[row])) return;
  }

  c.SC_Calc_Type = k - 1;
  c.SC_LK_Spec[k] = lkSpec;
  c.SC_HK_Spec[k] = hkSpec;
  const std::string lkName = ui::S(cboNamLK->currentText()), hkName = ui::S(cboNamHK->currentText());
  for (int i = 1; i <= nc; ++i) {
    if (lkName == c.Comp_Name[i]) c.SC_LK = i;
    if (hkName == c.Comp_Name[i]) c.SC_HK = i;
  }
  c.SC_Condenser = optCondenser.Value() == 0 ? 0 : 1;

  if (c.SC_LK == 0 || c.SC_HK == 0)
    return Stop("低沸点／高沸点限界成分が入力されていません。", "Light Key or Heavey Key is not input");
  const auto inside = [](double v) { return v > 0 && v < 1; };
  if (!inside(c.SC_LK_Spec[k]) || !inside(c.SC_HK_Spec[k]))
    return Stop("低沸点／高沸点限界成分のモル分率／回収率データが間違っています。",
                "Invalid  Mol Fr or Recovery Rate in Light key/Heavey Key");

  c.SC_Press = press;
  const double P = Unit_Press_In(c.SC_Press);
  if (!(P > 0)) return Stop("圧力が0以下です。", "Pressure is 0 or less");
  // The suite's range of temperatures and pressures, naming the box.
  const std::string pressField = dlg::Field_Name(lblPress->text()), tempField = dlg::Field_Name(lblTemp->text());
  std::string range = Press_Range_Problem(P, pressField, pressField);
  if (range.empty() && !tempBlank) range = Temp_Range_Problem(Unit_Temp_In(temp), tempField, tempField);
  if (!range.empty()) {
    ui::MsgBox(range, ui::vbOKOnly);
    return;
  }

  double T = 0;
  if (tempBlank) {
    c.SC_Temp_Given = 0;
  } else {
    c.SC_Temp_Given = 1;
    c.SC_Temp = temp;
    T = Unit_Temp_In(c.SC_Temp);
  }

  // The feed as the grid holds it (the user may have changed it).
  c.SC_Feed_Total = feed[1];
  if (c.SC_Feed_Total <= 0) return Stop("フィード量が入力されていません。", "No Feed");
  for (int i = 1; i <= nc; ++i) c.SC_Feed_Comp_Flow[i] = feed[i + 1] * c.SC_Feed_Total;
  for (int i = 1; i <= nc; ++i) {
    c.SC_Z[i] = c.SC_Feed_Comp_Flow[i] / c.SC_Feed_Total;
    if (c.SC_Z[i] <= 0 || c.SC_Z[i] > 1) return Stop("フィード組成が入力されていません。", "No Feed Composition");
  }

  ShortCutResult r;
  {
    CalcMessageScope scope;
    r = ShortCut_Design(P, c.SC_Temp_Given == 1, T);
  }
  // The bubble point is shown in the display unit, as the next calculation reads it.
  if (c.SC_Temp_Given == 0) txtTemp->setText(ui::Q(txt::Format(Unit_Temp_Out(r.T), "####.##")));
  if (!r.done) return;

  Smin = r.Smin;
  SminF = r.SminF;
  Rmin = r.Rmin;
  hasResult_ = true;
  condenser_ = c.SC_Condenser;
  lblVFData->setText(ui::Q(txt::Format(r.VF, "#0.000")));
  lblSminData->setText(ui::Q(txt::Format(Smin, "##0.#####")));
  lblSminFData->setText(ui::Q(txt::Format(SminF, "##0.#####")));
  lblRminData->setText(ui::Q(txt::Format(Rmin, "##0.#####")));
  for (int i = 1; i <= nc; ++i) {
    vaSpread1->SetValue(2, i + 1, r.xD[i]);
    vaSpread1->SetValue(3, i + 1, r.xB[i]);
  }
  vaSpread1->SetValue(2, 1, c.SC_Feed_Total * r.DF);
  vaSpread1->SetValue(3, 1, c.SC_Feed_Total * r.BF);
  Draw_Gilliland_Graph();
}

void frmDistShortCut::cmdExit_Click() { ui::Forms::Unload(this); }

void frmDistShortCut::picResult_Click() { Draw_Gilliland_Graph(); }

namespace {

// A graph axis whose grid lines stand at round values (1, 2 or 5 times a power
// of ten apart), wide enough to hold lo..hi: each line's label is the exact
// value at it, so what is read off the graph between two lines is right.
struct RoundAxis {
  double first = 0, step = 1;
  int intervals = 1;
  int decimals = 0;
  double Value(int i) const { return first + i * step; }
  double Last() const { return Value(intervals); }
  // Where v lies between the first (0) and the last line (1).
  double Fraction(double v) const { return (v - first) / (Last() - first); }
  std::string Label(int i) const { return txt::Format(Value(i), decimals > 0 ? "#0." + std::string(decimals, '0') : "#0"); }
};

RoundAxis Round_Axis(double lo, double hi) {
  // About five intervals over the range, as many as the graph has room for.
  const double raw = (hi - lo) / 5;
  const int power = static_cast<int>(std::floor(std::log10(raw)));
  const double unit = std::pow(10.0, power);
  RoundAxis a;
  a.step = 10 * unit;
  for (double m : {1.0, 2.0, 5.0})
    if (m * unit >= raw * (1 - 1e-12)) {
      a.step = m * unit;
      break;
    }
  a.decimals = std::max(0, -static_cast<int>(std::floor(std::log10(a.step) + 1e-9)));
  // Line values as whole multiples of the step, so that they print exactly.
  const double k0 = std::floor(lo / a.step + 1e-9), k1 = std::ceil(hi / a.step - 1e-9);
  a.intervals = std::max(1, static_cast<int>(k1 - k0));
  a.first = k0 * a.step;
  return a;
}

}  // namespace

void frmDistShortCut::Draw_Gilliland_Graph() {
  ui::PictureBox& pic = *picResult;
  const bool en = In_English();
  const std::string title = en ? "《Gilliland Correlation》" : "《Gilliland 相関関係》";
  const std::string stageCaption = en ? "T.Plates" : "理論段";
  const std::string refluxCaption = en ? "Reflux" : "還流比";

  pic.Cls();
  const int W = static_cast<int>(txt::RoundHalfEven(pic.ScaleWidth()));
  const int H = static_cast<int>(txt::RoundHalfEven(pic.ScaleHeight()));
  double left = 400;
  const double right = W - 150, top = 300, bottom = H - 300;
  const QColor grid = ui::QBColor(8);
  auto print = [&pic](double x, double y, const std::string& text) {
    pic.CurrentX = x;
    pic.CurrentY = y;
    pic.Print(text);
  };
  auto captions = [&] {
    pic.SetForeColor(ui::QBColor(15));
    print(750, 0, title);
    print(0, 0, refluxCaption);
    // The stage caption ends inside the picture ("T.Plates" is wider than 550).
    print(std::min(W - 550.0, W - pic.TextWidth(stageCaption) - 40), H - 500, stageCaption);
  };
  const GillilandCurve g = hasResult_ ? Gilliland_Curve(Smin, SminF, Rmin, condenser_) : GillilandCurve{};
  // Before a first result, and for results that span no range, the frame alone.
  if (!g.drawable) {
    const int dy = static_cast<int>(txt::RoundHalfEven((H - 600) / 5.0));
    auto colX = [W](int i) { return static_cast<int>(txt::RoundHalfEven(400 + (i - 1) * (W - 550) / 5.0)); };
    for (int i = 1; i <= 6; ++i) {
      pic.Line(colX(i), top, colX(i), bottom, grid);
      pic.Line(left, top + (i - 1) * dy, right, top + (i - 1) * dy, grid);
    }
    captions();
    return;
  }
  constexpr int n = GillilandCurve::kPoints;
  // Reflux ratio grows downwards, stages to the right.
  const RoundAxis reflux = Round_Axis(g.R[1], g.R[n]);
  const RoundAxis stages = Round_Axis(g.NF[n], g.N[1]);
  // Labels with many places ("0.015", "2500") push the plot right rather than into it.
  for (int i = 0; i <= reflux.intervals; ++i) left = std::max(left, pic.TextWidth(reflux.Label(i)) + 60);
  auto px = [&](double v) { return static_cast<double>(txt::RoundHalfEven(left + stages.Fraction(v) * (right - left))); };
  auto py = [&](double r) { return static_cast<double>(txt::RoundHalfEven(top + reflux.Fraction(r) * (bottom - top))); };
  for (int i = 0; i <= stages.intervals; ++i) pic.Line(px(stages.Value(i)), top, px(stages.Value(i)), bottom, grid);
  for (int i = 0; i <= reflux.intervals; ++i) pic.Line(left, py(reflux.Value(i)), right, py(reflux.Value(i)), grid);
  captions();
  for (int i = 0; i <= reflux.intervals; ++i) {
    const std::string label = reflux.Label(i);
    print(std::max(0.0, left - 20 - pic.TextWidth(label)), py(reflux.Value(i)) - 100, label);
  }
  for (int i = 0; i <= stages.intervals; ++i) {
    const std::string label = stages.Label(i);
    const double x = px(stages.Value(i)) - pic.TextWidth(label) / 2;
    print(std::clamp(x, 0.0, W - pic.TextWidth(label)), H - 260, label);
  }
  for (int k = 2; k <= n; ++k) {
    pic.Line(px(g.N[k]), py(g.R[k]), px(g.N[k - 1]), py(g.R[k - 1]), ui::QBColor(10));
    pic.Line(px(g.NF[k]), py(g.R[k]), px(g.NF[k - 1]), py(g.R[k - 1]), ui::QBColor(11));
  }
}
