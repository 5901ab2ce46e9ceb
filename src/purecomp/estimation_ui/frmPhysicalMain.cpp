#include "purecomp/estimation_ui/frmPhysicalMain.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <type_traits>

#include "core/model/CaseData.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Interaction.h"
#include "platform/ui/Programs.h"
#include "platform/ui/QLanguage.h"
#include "purecomp/estimation/LeastSquares.h"
#include "purecomp/estimation/LiquidProperties.h"
#include "purecomp/estimation/PhysEstimation.h"
#include "purecomp/estimation/VaporPressure.h"
#include "purecomp/estimation_ui/BilingualCaptions.h"
#include "purecomp/estimation_ui/frmPhysicalAmbrose.h"
#include "purecomp/estimation_ui/frmPhysicalEstimateData.h"
#include "purecomp/estimation_ui/frmPhysicalFedors.h"
#include "purecomp/estimation_ui/frmPhysicalGraph.h"
#include "purecomp/estimation_ui/frmPhysicalIdealGasHeat.h"
#include "purecomp/estimation_ui/frmPhysicalJoback.h"
#include "purecomp/estimation_ui/frmPhysicalKlincewicz.h"
#include "purecomp/estimation_ui/frmPhysicalLydersen.h"

VZ_PROGRAM_WINDOW(6, frmPhysicalMain, 1);
VZ_FORM_FACTORY(frmPhysicalMain);

using physprop::Phys;
using physprop::PhysStatus;

namespace {

const char* const kCoefPattern = "#.#000000E+##";

QLabel* ValueLabel(QWidget* parent, const std::string& name) {
  QLabel* l = ui::NewLabel(parent, name.c_str());
  l->setFrameShape(QFrame::Panel);
  l->setFrameShadow(QFrame::Sunken);
  l->setMinimumWidth(120);
  l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return l;
}

struct JaEn {
  const char* ja;
  const char* en;
};

// A frame of option buttons with their captions (an empty caption is still a button).
QGroupBox* OptionFrame(QWidget* parent, BilingualCaptions& caps, const char* frameName, JaEn caption,
                       ui::OptionArray& options, const char* optName, std::initializer_list<JaEn> captions) {
  QGroupBox* frame = ui::NewFrame(parent, frameName);
  caps.Add(frame, caption.ja, caption.en);
  auto* layout = new QVBoxLayout(frame);
  options.Create(frame, optName, static_cast<int>(captions.size()));
  int i = 0;
  for (const JaEn& c : captions) {
    caps.Add(options[i], c.ja, c.en);
    layout->addWidget(options[i]);
    ++i;
  }
  options.SetValue(0);
  return frame;
}

// Shows a group dialog modally from its definition and makes sure it is gone
// afterwards; true when the dialog stored an estimate.
template <typename T>
bool Show_Dialog() {
  T& d = ui::Forms::Get<T>();
  d.ShowModal();
  bool estimated = false;
  if constexpr (std::is_base_of_v<PhysGroupDialog, T>) estimated = d.Estimated();
  ui::Forms::Unload<T>();
  return estimated;
}

}  // namespace

frmPhysicalMain::frmPhysicalMain() : ui::Form("frmPhysicalMain") {
  auto* top = new QVBoxLayout(this);
  auto* head = new QHBoxLayout();
  lblHeader = ui::NewLabel(this, "lblHeader");
  captions_.Add(lblHeader, "純物質の物性値推算", "Pure Component Property Estimation");
  QFont hf = lblHeader->font();
  hf.setPointSize(hf.pointSize() + 4);
  hf.setBold(true);
  lblHeader->setFont(hf);
  head->addWidget(lblHeader);
  head->addStretch();
  cmdEstimation = ui::NewButton(this, "cmdEstimation");
  cmdDispEstData = ui::NewButton(this, "cmdDispEstData");
  cmdDispGraph = ui::NewButton(this, "cmdDispGraph");
  cmdVersion = ui::NewButton(this, "cmdVersion");
  cmdExit = ui::NewButton(this, "cmdExit");
  captions_.Add(cmdEstimation, "推算(&E)", "&Estimate");
  captions_.Add(cmdDispEstData, "推算値(&D)", "&Data");
  captions_.Add(cmdDispGraph, "ｸﾞﾗﾌ(&G)", "&Graph");
  captions_.Add(cmdVersion, "情報(&A)", "&About");
  captions_.Add(cmdVersion, "情報を表示します。", "Shows the program information.", BilingualCaptions::Kind::ToolTip);
  captions_.Add(cmdExit, "戻る(&X)", "E&xit");
  for (QPushButton* b : {cmdEstimation, cmdDispEstData, cmdDispGraph, cmdVersion, cmdExit}) {
    b->setMinimumHeight(28);
    head->addWidget(b);
  }
  top->addLayout(head);

  auto* body = new QHBoxLayout();
  auto* left = new QVBoxLayout();

  // The component and the range.
  auto* inputs = new QGridLayout();
  txtComponentName = ui::NewTextBox(this, "txtComponentName");
  txtMolWeight = ui::NewTextBox(this, "txtMolWeight");
  txtBubblePointTemp = ui::NewTextBox(this, "txtBubblePointTemp");
  txtTotalAtom = ui::NewTextBox(this, "txtTotalAtom");
  auto label = [this](const char* name, const char* ja, const char* en) {
    return static_cast<QLabel*>(captions_.Add(ui::NewLabel(this, name), ja, en));
  };
  inputs->addWidget(label("lblComponentName", "物質名", "Component"), 0, 0);
  inputs->addWidget(txtComponentName, 0, 1, 1, 3);
  inputs->addWidget(label("lblMolWeight", "分子量", "Molecular weight"), 1, 0);
  inputs->addWidget(txtMolWeight, 1, 1);
  inputs->addWidget(label("lblBubblePointTemp", "標準沸点(ﾟC)", "Normal b.p. (°C)"), 2, 0);
  inputs->addWidget(txtBubblePointTemp, 2, 1);
  inputs->addWidget(label("lblBubblePointNote", "(空白の場合Fedors法で推算)", "(blank: Tc by Fedors)"), 2, 2, 1, 3);
  inputs->addWidget(label("lblTotalAtom", "Total原子数", "Total atoms"), 3, 0);
  inputs->addWidget(txtTotalAtom, 3, 1);
  txtTempLow = ui::NewTextBox(this, "txtTempLow");
  txtTempHigh = ui::NewTextBox(this, "txtTempHigh");
  inputs->addWidget(label("lblTempRange", "推算温度範囲", "Temperature range"), 4, 0);
  inputs->addWidget(txtTempLow, 4, 1);
  inputs->addWidget(ui::NewLabel(this, "lblTempTo", "～"), 4, 2, Qt::AlignCenter);
  inputs->addWidget(txtTempHigh, 4, 3);
  inputs->addWidget(label("lblTempUnit", "(℃)", "(°C)"), 4, 4);
  for (QLineEdit* t : {txtMolWeight, txtBubblePointTemp, txtTotalAtom}) {
    t->setAlignment(Qt::AlignRight);
    t->setMaximumWidth(110);
  }
  // A range end cut to Tc is echoed with all its digits: wide enough for them.
  const int rangeWidth = txtTempHigh->fontMetrics().horizontalAdvance("-0000.00000000000") + 16;
  for (QLineEdit* t : {txtTempLow, txtTempHigh}) {
    t->setAlignment(Qt::AlignRight);
    t->setMinimumWidth(rangeWidth);
  }
  left->addLayout(inputs);

  // The methods.
  auto* methods = new QGridLayout();
  fraTcPcVc = OptionFrame(this, captions_, "fraTcPcVc", {"Tc,Pc,Vcの推算法", "Tc, Pc, Vc method"}, optTcPcVc,
                          "optTcPcVc",
                          {{"Lydersen法", "Lydersen"}, {"Ambrose法", "Ambrose"}, {"Joback法", "Joback"},
                           {"Klincewicz-Reid法", "Klincewicz-Reid"}});
  fraOmg = OptionFrame(this, captions_, "fraOmg", {"偏心因子(ω)の推算法", "Acentric factor (ω) method"}, optOmg,
                       "optOmg", {{"Edmister法", "Edmister"}, {"Lee-Kesler法", "Lee-Kesler"}});
  fraVaporPress = OptionFrame(this, captions_, "fraVaporPress", {"蒸気圧の推算法", "Vapour pressure method"},
                              optVaporPress, "optVaporPress",
                              {{"Riedel-Plank-Miller法", "Riedel-Plank-Miller"}, {"Pitzer法", "Pitzer"},
                               {"Lee-Kesler法", "Lee-Kesler"}});
  fraCpIdeal = OptionFrame(this, captions_, "fraCpIdeal", {"理想気体比熱の推算法", "Ideal-gas Cp method"}, optCpIdeal,
                           "optCpIdeal", {{"Rihani-Doraiswamy法", "Rihani-Doraiswamy"}, {"", ""}});
  captions_.Add(optCpIdeal[1], "理想気体比熱・液比熱を推算しない", "No ideal-gas or liquid Cp",
                BilingualCaptions::Kind::ToolTip);
  fraCpLiquid = OptionFrame(this, captions_, "fraCpLiquid", {"液比熱の推算法", "Liquid Cp method"}, optCpLiquid,
                            "optCpLiquid", {{"Rowlison-Bondi 法", "Rowlinson-Bondi"}, {"Lyman-Danner法", "Lyman-Danner"}});
  {
    auto* l = static_cast<QVBoxLayout*>(fraCpLiquid->layout());
    auto* rk = new QHBoxLayout();
    lblCpL_R = ui::NewLabel(fraCpLiquid, "lblCpL_R", "R");
    txtCpL_R = ui::NewTextBox(fraCpLiquid, "txtCpL_R");
    lblCpL_K = ui::NewLabel(fraCpLiquid, "lblCpL_K", "K");
    txtCpL_K = ui::NewTextBox(fraCpLiquid, "txtCpL_K");
    for (QWidget* w : {static_cast<QWidget*>(lblCpL_R), static_cast<QWidget*>(txtCpL_R),
                       static_cast<QWidget*>(lblCpL_K), static_cast<QWidget*>(txtCpL_K)})
      rk->addWidget(w);
    l->addLayout(rk);
    // The correlation's published constants are not in the data: keep the
    // option in sight, unavailable, and say why.
    optCpLiquid[1]->setEnabled(false);
    lblLymanDanner = ui::NewLabel(fraCpLiquid, "lblLymanDanner");
    captions_.Add(lblLymanDanner, "（X, Kの公表値がないため使用不可）", "(unavailable: no published X, K values)");
    lblLymanDanner->setWordWrap(true);
    l->addWidget(lblLymanDanner);
    for (QWidget* w : {static_cast<QWidget*>(lblCpL_R), static_cast<QWidget*>(txtCpL_R),
                       static_cast<QWidget*>(lblCpL_K), static_cast<QWidget*>(txtCpL_K)})
      w->setEnabled(false);
  }
  fraLiqDensity = OptionFrame(this, captions_, "fraLiqDensity", {"液密度の推算法", "Liquid density method"},
                              optLiqDensity, "optLiqDensity",
                              {{"Gunn-Yammada法", "Gunn-Yamada"}, {"Spencer-Danner法", "Spencer-Danner"}});
  {
    auto* l = static_cast<QVBoxLayout*>(fraLiqDensity->layout());
    auto* rd = new QHBoxLayout();
    lblLiqD_Tref = ui::NewLabel(fraLiqDensity, "lblLiqD_Tref", "Tref");
    txtLiqD_Tref = ui::NewTextBox(fraLiqDensity, "txtLiqD_Tref");
    lblLiqD_Dref = ui::NewLabel(fraLiqDensity, "lblLiqD_Dref", "ρref");
    txtLiqD_Dref = ui::NewTextBox(fraLiqDensity, "txtLiqD_Dref");
    for (QWidget* w : {static_cast<QWidget*>(lblLiqD_Tref), static_cast<QWidget*>(txtLiqD_Tref),
                       static_cast<QWidget*>(lblLiqD_Dref), static_cast<QWidget*>(txtLiqD_Dref)})
      rd->addWidget(w);
    l->addLayout(rd);
  }
  methods->addWidget(fraTcPcVc, 0, 0);
  methods->addWidget(fraOmg, 0, 1);
  methods->addWidget(fraVaporPress, 1, 0);
  methods->addWidget(fraCpIdeal, 1, 1);
  methods->addWidget(fraCpLiquid, 2, 0);
  methods->addWidget(fraLiqDensity, 2, 1);
  left->addLayout(methods);
  left->addStretch();
  body->addLayout(left);

  // The results.
  auto* results = new QGridLayout();
  auto frame = [this](const char* name, JaEn caption, std::initializer_list<const char*> notes) {
    QGroupBox* f = ui::NewFrame(this, name);
    captions_.Add(f, caption.ja, caption.en);
    auto* g = new QGridLayout(f);
    int r = 0;
    for (const char* n : notes) g->addWidget(new QLabel(QString::fromUtf8(n), f), r++, 0, 1, 2);
    return std::make_pair(f, g);
  };
  auto add = [this](QGridLayout* g, QWidget* parent, JaEn title, QLabel* value) {
    const int r = g->rowCount();
    g->addWidget(captions_.Add(new QLabel(parent), title.ja, title.en), r, 0);
    g->addWidget(value, r, 1);
  };
  {
    auto [f, g] = frame("fraCritical", {"臨界定数", "Critical constants"}, {});
    lblTcEst = ValueLabel(f, "lblTcEst");
    lblPcEst = ValueLabel(f, "lblPcEst");
    lblVcEst = ValueLabel(f, "lblVcEst");
    lblTbEst = ValueLabel(f, "lblTbEst");
    lblOmgEst = ValueLabel(f, "lblOmgEst");
    add(g, f, {"臨界温度（ﾟK）", "Tc (K)"}, lblTcEst);
    add(g, f, {"臨界圧力（atm）", "Pc (atm)"}, lblPcEst);
    add(g, f, {"臨界分子容（cc/mol）", "Vc (cc/mol)"}, lblVcEst);
    add(g, f, {"標準沸点(ﾟC)", "Tb (°C)"}, lblTbEst);
    add(g, f, {"偏心因子(ω)", "Acentric factor (ω)"}, lblOmgEst);
    results->addWidget(f, 0, 0);
  }
  {
    auto [f, g] = frame("fraAntoine", {"Antoine定数", "Antoine constants"}, {"logP=A-B/(t+C)"});
    lblAntoineAEst = ValueLabel(f, "lblAntoineAEst");
    lblAntoineBEst = ValueLabel(f, "lblAntoineBEst");
    lblAntoineCEst = ValueLabel(f, "lblAntoineCEst");
    add(g, f, {"A", "A"}, lblAntoineAEst);
    add(g, f, {"B", "B"}, lblAntoineBEst);
    add(g, f, {"C", "C"}, lblAntoineCEst);
    results->addWidget(f, 0, 1);
  }
  const char* letters[4] = {"A", "B", "C", "D"};
  {
    auto [f, g] = frame("fraCpIdealEst", {"理想気体比熱式係数", "Ideal-gas Cp coefficients"},
                        {"Cp0=A+B*T+C*T^2+D*T^3", "(cal/mol/ﾟK)"});
    for (int k = 0; k < 4; ++k) {
      lblCpIdealEst[k] = ValueLabel(f, std::string("lblCpIdeal") + letters[k] + "Est");
      add(g, f, {letters[k], letters[k]}, lblCpIdealEst[k]);
    }
    results->addWidget(f, 1, 0);
  }
  {
    auto [f, g] = frame("fraCpLiqEst", {"液比熱式係数", "Liquid Cp coefficients"}, {"CpL=A+B*T+C*T^2", "(cal/mol/ﾟK)"});
    for (int k = 0; k < 3; ++k) {
      lblCpLiqEst[k] = ValueLabel(f, std::string("lblCpLiq") + letters[k] + "Est");
      add(g, f, {letters[k], letters[k]}, lblCpLiqEst[k]);
    }
    results->addWidget(f, 1, 1);
  }
  {
    auto [f, g] = frame("fraHvEst", {"蒸発潜熱", "Heat of vaporisation"}, {"Hv=A+B*T+C*T^2"});
    for (int k = 0; k < 3; ++k) {
      lblHvEst[k] = ValueLabel(f, std::string("lblHv") + letters[k] + "Est");
      add(g, f, {letters[k], letters[k]}, lblHvEst[k]);
    }
    results->addWidget(f, 2, 0);
  }
  {
    auto [f, g] = frame("fraDenLiqEst", {"液密度式係数", "Liquid density coefficients"}, {"ρL=A+B*T+C*T^2"});
    for (int k = 0; k < 3; ++k) {
      lblDenLiq2Est[k] = ValueLabel(f, std::string("lblDenLiq2") + letters[k] + "Est");
      add(g, f, {letters[k], letters[k]}, lblDenLiq2Est[k]);
    }
    g->addWidget(new QLabel("ρL=A*B^(-(1-Tr)^2/7))", f), g->rowCount(), 0, 1, 2);
    for (int k = 0; k < 2; ++k) {
      lblDenLiq1Est[k] = ValueLabel(f, std::string("lblDenLiq1") + letters[k] + "Est");
      add(g, f, {letters[k], letters[k]}, lblDenLiq1Est[k]);
    }
    results->addWidget(f, 2, 1);
  }
  body->addLayout(results, 1);
  top->addLayout(body, 1);

  optCpIdeal.onClick = [this](int i) { optCpIdeal_Click(i); };
  optCpLiquid.onClick = [this](int i) { optCpLiquid_Click(i); };
  optLiqDensity.onClick = [this](int i) { optLiqDensity_Click(i); };
  connect(cmdEstimation, &QPushButton::clicked, this, [this] { cmdEstimation_Click(); });
  connect(cmdDispEstData, &QPushButton::clicked, this, [this] { cmdDispEstData_Click(); });
  connect(cmdDispGraph, &QPushButton::clicked, this, [this] { cmdDispGraph_Click(); });
  connect(cmdVersion, &QPushButton::clicked, this, [this] { cmdVersion_Click(); });
  connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
  resize(1040, 680);
}

void frmPhysicalMain::Apply_Language() {
  SetCaption(QInLanguage("純物質の物性値推算", "Pure Component Property Estimation"));
  captions_.Apply();
  optCpLiquid[1]->setToolTip(ui::Q(physprop::Lyman_Danner_Unavailable_Message()));
}

void frmPhysicalMain::Form_Activate() { Apply_Language(); }

void frmPhysicalMain::Form_Load() {
  Apply_Language();
  physprop::Clear_Group_Counts();
  fraCpLiquid->setVisible(true);
  optCpLiquid_Click(0);
  optLiqDensity_Click(0);
  previousHandler_ = Set_Calc_Message_Handler([](const std::string& text) { ui::MsgBox(text); });
  handlerInstalled_ = true;
}

void frmPhysicalMain::Form_Unload() {
  if (handlerInstalled_) Set_Calc_Message_Handler(std::move(previousHandler_));
  handlerInstalled_ = false;
}

void frmPhysicalMain::optCpIdeal_Click(int index) { fraCpLiquid->setVisible(index == 0); }

void frmPhysicalMain::optCpLiquid_Click(int index) {
  for (QWidget* w : {static_cast<QWidget*>(lblCpL_R), static_cast<QWidget*>(lblCpL_K),
                     static_cast<QWidget*>(txtCpL_R), static_cast<QWidget*>(txtCpL_K)})
    w->setVisible(index != 0);
}

void frmPhysicalMain::optLiqDensity_Click(int index) {
  for (QWidget* w : {static_cast<QWidget*>(lblLiqD_Tref), static_cast<QWidget*>(lblLiqD_Dref),
                     static_cast<QWidget*>(txtLiqD_Tref), static_cast<QWidget*>(txtLiqD_Dref)})
    w->setVisible(index != 0);
}

bool frmPhysicalMain::Step_Ok(PhysStatus status, const char* stepJa, const char* stepEn) {
  switch (status) {
    case PhysStatus::Ok: return true;
    case PhysStatus::PivotVanished: ui::MsgBox(physprop::Least_Square_Pivot_Message()); break;
    case PhysStatus::NoPointBelowTc: ui::MsgBox(physprop::No_Point_Below_Tc_Message()); break;
    case PhysStatus::TooFewPointsBelowTc: ui::MsgBox(physprop::Too_Few_Points_Below_Tc_Message()); break;
    case PhysStatus::NotFinite:
    case PhysStatus::OutOfRange: ui::MsgBox(physprop::Step_Fault_Message(stepJa, stepEn)); break;
  }
  return false;
}

void frmPhysicalMain::Clear_Result_Labels() {
  for (QLabel* l : {lblTcEst, lblPcEst, lblVcEst, lblTbEst, lblOmgEst, lblAntoineAEst, lblAntoineBEst,
                    lblAntoineCEst})
    l->clear();
  for (QLabel* l : lblCpIdealEst) l->clear();
  for (QLabel* l : lblCpLiqEst) l->clear();
  for (QLabel* l : lblHvEst) l->clear();
  for (QLabel* l : lblDenLiq2Est) l->clear();
  for (QLabel* l : lblDenLiq1Est) l->clear();
}

void frmPhysicalMain::Show_Critical() {
  lblTcEst->setText(ui::Q(txt::Format(Phys.Phys_Tc, "####.000")));
  // A Pc or Vc that its dialog held back (no atom count, no published increment) is 0: shown empty.
  lblPcEst->setText(Phys.Phys_Pc > 0 ? ui::Q(txt::Format(Phys.Phys_Pc, "###.000")) : QString());
  lblVcEst->setText(Phys.Phys_Vc > 0 ? ui::Q(txt::Format(Phys.Phys_Vc, "###.000")) : QString());
  lblTbEst->setText(ui::Q(txt::Format(Phys.Phys_Tb_C, "####.000")));
  lblOmgEst->setText(ui::Q(txt::Format(Phys.Phys_Omega, "##.000000")));
}

void frmPhysicalMain::Show_Density() {
  const double d2[3] = {Phys.Phys_DenL2_A, Phys.Phys_DenL2_B, Phys.Phys_DenL2_C};
  for (int k = 0; k < 3; ++k) lblDenLiq2Est[k]->setText(ui::Q(txt::Format(d2[k], kCoefPattern)));
  lblDenLiq1Est[0]->setText(ui::Q(txt::Format(Phys.Phys_DenL1_A, kCoefPattern)));
  lblDenLiq1Est[1]->setText(ui::Q(txt::Format(Phys.Phys_DenL1_B, kCoefPattern)));
}

void frmPhysicalMain::cmdEstimation_Click() {
  CalcMessageScope scope;
  // Every box is read before anything changes: a refused text leaves the last run in place.
  const std::string refused = physprop::Estimation_Read_Inputs(
      ui::S(txtComponentName->text()), ui::S(txtMolWeight->text()), ui::S(txtBubblePointTemp->text()),
      ui::S(txtTotalAtom->text()));
  if (!refused.empty()) return void(ui::MsgBox(refused));
  double lowC = 0, highC = 0;
  if (const std::string r = physprop::Estimation_Read_Range(ui::S(txtTempLow->text()), ui::S(txtTempHigh->text()),
                                                           lowC, highC);
      !r.empty())
    return void(ui::MsgBox(r));
  // Nothing of an earlier run may stand in for a step of this one.
  physprop::Clear_Results();
  Clear_Result_Labels();
  if (ui::S(txtBubblePointTemp->text()).find_first_not_of(" \t") == std::string::npos &&
      !Show_Dialog<frmPhysicalFedors>()) {
    ui::MsgBox(physprop::Fedors_Not_Estimated_Message());
    return;
  }
  switch (optTcPcVc.Value()) {
    case 0: Show_Dialog<frmPhysicalLydersen>(); break;
    case 1: Show_Dialog<frmPhysicalAmbrose>(); break;
    case 2: Show_Dialog<frmPhysicalJoback>(); break;
    case 3: Show_Dialog<frmPhysicalKlincewicz>(); break;
    default: break;
  }
  double rejectedOmega = 0;
  const PhysStatus omegaStatus = physprop::Acentric_Factor(optOmg.Value(), &rejectedOmega);
  const bool omegaOk = omegaStatus == PhysStatus::OutOfRange
                           ? (ui::MsgBox(physprop::Omega_Out_Of_Range_Message(rejectedOmega)), false)
                           : Step_Ok(omegaStatus, "偏心因子", "acentric factor");
  // Without a Tc no critical constant of this run exists to show.
  if (Phys.Phys_Tc > 0) Show_Critical();
  if (!omegaOk) return lblOmgEst->clear();

  const physprop::RangeCut cut = physprop::Estimation_Range(lowC, highC);
  // Above Tc there is no liquid: with no point below it nothing is computed over the range, and
  // the range stays as typed (a cut that leaves no point would only turn it round).
  if (physprop::Points_Below_Tc() == 0) return void(ui::MsgBox(physprop::No_Point_Below_Tc_Message()));
  if (cut.highCut) {
    txtTempHigh->setText(ui::Q(txt::Plain(Phys.Phys_Temp_High)));
    txtTempHigh->setCursorPosition(0);
  }

  if (!Step_Ok(physprop::Vapor_Press_Antoine_Fit(optVaporPress.Value()), "蒸気圧", "vapour pressure")) return;
  lblAntoineAEst->setText(ui::Q(txt::Format(Phys.Phys_Antoine_A, "####.00000")));
  lblAntoineBEst->setText(ui::Q(txt::Format(Phys.Phys_Antoine_B, "####.00000")));
  lblAntoineCEst->setText(ui::Q(txt::Format(Phys.Phys_Antoine_C, "####.00000")));

  if (optCpIdeal.Value() == 0) {
    if (Show_Dialog<frmPhysicalIdealGasHeat>()) {
      for (int k = 0; k < 4; ++k)
        lblCpIdealEst[k]->setText(ui::Q(txt::Format(Phys.Phys_Cp0[k + 1], kCoefPattern)));
      if (!Run_Liquid_Cp()) return;
    } else {
      // A refused or failed dialog leaves no Cp0, and the liquid Cp is built on it.
      for (double& c : Phys.Phys_Cp0) c = 0;
      ui::MsgBox(physprop::Cp0_Not_Estimated_Message());
    }
  }

  if (!Step_Ok(physprop::Heat_Of_Vaporization(Fit), "蒸発潜熱", "heat of vaporisation")) return;
  const double hv[3] = {Phys.Phys_Hv_A, Phys.Phys_Hv_B, Phys.Phys_Hv_C};
  for (int k = 0; k < 3; ++k) lblHvEst[k]->setText(ui::Q(txt::Format(hv[k], kCoefPattern)));

  Run_Density();
}

bool frmPhysicalMain::Run_Liquid_Cp() {
  if (optCpLiquid.Value() != 0) {
    // Lyman-Danner cannot be chosen from the window; should it be set, it still gives no value.
    ui::MsgBox(physprop::Lyman_Danner_Unavailable_Message());
    return true;
  }
  if (!Step_Ok(physprop::CpLiq_Rowlinson_Bondi(Fit), "液比熱", "liquid heat capacity")) return false;
  const double c[3] = {Phys.Phys_CpL_A, Phys.Phys_CpL_B, Phys.Phys_CpL_C};
  for (int k = 0; k < 3; ++k) lblCpLiqEst[k]->setText(ui::Q(txt::Format(c[k], kCoefPattern)));
  return true;
}

bool frmPhysicalMain::Run_Density() {
  if (optLiqDensity.Value() == 0) {
    if (!Step_Ok(physprop::LiqDensity_Gunn_Yamada(Fit), "液密度", "liquid density")) return false;
    Show_Density();
  } else if (txtLiqD_Tref->text().isEmpty() || txtLiqD_Dref->text().isEmpty()) {
    ui::MsgBox(physprop::Spencer_Danner_Missing_Message());
  } else {
    double rhoRef = 0, TrefC = 0;
    const std::string refused = physprop::Estimation_Read_Reference(ui::S(txtLiqD_Tref->text()),
                                                                     ui::S(txtLiqD_Dref->text()), TrefC, rhoRef);
    if (!refused.empty()) {
      ui::MsgBox(refused);
      return false;
    }
    if (!Step_Ok(physprop::LiqDensity_Spencer_Danner(Fit, rhoRef, TrefC), "液密度", "liquid density")) return false;
    Show_Density();
  }
  return true;
}

void frmPhysicalMain::cmdDispEstData_Click() { Show_Dialog<frmPhysicalEstimateData>(); }

void frmPhysicalMain::cmdDispGraph_Click() { Show_Dialog<frmPhysicalGraph>(); }

void frmPhysicalMain::cmdVersion_Click() {
  if (ui::Form* about = ui::Forms::LoadByName("frmAbout")) about->ShowModal();
}

void frmPhysicalMain::cmdExit_Click() {
  ui::Forms::Unload(this);
  ui::ReturnToMenu();
}
