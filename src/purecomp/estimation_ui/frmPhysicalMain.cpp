#include "purecomp/estimation_ui/frmPhysicalMain.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <type_traits>

#include "core/model/CaseData.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Interaction.h"
#include "platform/ui/Programs.h"
#include "purecomp/estimation/LeastSquares.h"
#include "purecomp/estimation/LiquidProperties.h"
#include "purecomp/estimation/PhysEstimation.h"
#include "purecomp/estimation/VaporPressure.h"
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

// A frame of option buttons with their captions (an empty caption is still a button).
QGroupBox* OptionFrame(QWidget* parent, const char* frameName, const char* caption,
                       ui::OptionArray& options, const char* optName,
                       std::initializer_list<const char*> captions) {
  QGroupBox* frame = ui::NewFrame(parent, frameName, caption);
  auto* layout = new QVBoxLayout(frame);
  options.Create(frame, optName, static_cast<int>(captions.size()));
  int i = 0;
  for (const char* c : captions) {
    options[i]->setText(QString::fromUtf8(c));
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
  SetCaption("純物質の物性値推算");
  auto* top = new QVBoxLayout(this);
  auto* head = new QHBoxLayout();
  lblHeader = ui::NewLabel(this, "lblHeader", "純物質の物性値推算");
  QFont hf = lblHeader->font();
  hf.setPointSize(hf.pointSize() + 4);
  hf.setBold(true);
  lblHeader->setFont(hf);
  head->addWidget(lblHeader);
  head->addStretch();
  cmdEstimation = ui::NewButton(this, "cmdEstimation", "推算(&E)");
  cmdDispEstData = ui::NewButton(this, "cmdDispEstData", "推算値(&D)");
  cmdDispGraph = ui::NewButton(this, "cmdDispGraph", "ｸﾞﾗﾌ(&G)");
  cmdVersion = ui::NewButton(this, "cmdVersion", "情報(&A)");
  cmdVersion->setToolTip("情報を表示します。");
  cmdExit = ui::NewButton(this, "cmdExit", "戻る(&X)");
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
  inputs->addWidget(ui::NewLabel(this, "lblComponentName", "物質名"), 0, 0);
  inputs->addWidget(txtComponentName, 0, 1, 1, 3);
  inputs->addWidget(ui::NewLabel(this, "lblMolWeight", "分子量"), 1, 0);
  inputs->addWidget(txtMolWeight, 1, 1);
  inputs->addWidget(ui::NewLabel(this, "lblBubblePointTemp", "標準沸点(ﾟC)"), 2, 0);
  inputs->addWidget(txtBubblePointTemp, 2, 1);
  inputs->addWidget(ui::NewLabel(this, "lblBubblePointNote", "(空白の場合Fedors法で推算)"), 2, 2, 1, 2);
  inputs->addWidget(ui::NewLabel(this, "lblTotalAtom", "Total原子数"), 3, 0);
  inputs->addWidget(txtTotalAtom, 3, 1);
  txtTempLow = ui::NewTextBox(this, "txtTempLow");
  txtTempHigh = ui::NewTextBox(this, "txtTempHigh");
  inputs->addWidget(ui::NewLabel(this, "lblTempRange", "推算温度範囲"), 4, 0);
  inputs->addWidget(txtTempLow, 4, 1);
  inputs->addWidget(ui::NewLabel(this, "lblTempTo", "～"), 4, 2, Qt::AlignCenter);
  inputs->addWidget(txtTempHigh, 4, 3);
  inputs->addWidget(ui::NewLabel(this, "lblTempUnit", "(℃)"), 4, 4);
  for (QLineEdit* t : {txtMolWeight, txtBubblePointTemp, txtTotalAtom, txtTempLow, txtTempHigh}) {
    t->setAlignment(Qt::AlignRight);
    t->setMaximumWidth(110);
  }
  left->addLayout(inputs);

  // The methods.
  auto* methods = new QGridLayout();
  fraTcPcVc = OptionFrame(this, "fraTcPcVc", "Tc,Pc,Vcの推算法", optTcPcVc, "optTcPcVc",
                          {"Lydersen法", "Ambrose法", "Joback法", "Klincewicz-Reid法"});
  fraOmg = OptionFrame(this, "fraOmg", "偏心因子(ω)の推算法", optOmg, "optOmg",
                       {"Edmister法", "Lee-Kesler法"});
  fraVaporPress = OptionFrame(this, "fraVaporPress", "蒸気圧の推算法", optVaporPress, "optVaporPress",
                              {"Riedel-Plank-Miller法", "Pitzer法", "Lee-Kesler法"});
  fraCpIdeal = OptionFrame(this, "fraCpIdeal", "理想気体比熱の推算法", optCpIdeal, "optCpIdeal",
                           {"Rihani-Doraiswamy法", ""});
  optCpIdeal[1]->setToolTip("理想気体比熱・液比熱を推算しない");
  fraCpLiquid = OptionFrame(this, "fraCpLiquid", "液比熱の推算法", optCpLiquid, "optCpLiquid",
                            {"Rowlison-Bondi 法", "Lyman-Danner法"});
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
    optCpLiquid[1]->setToolTip(ui::Q(physprop::Lyman_Danner_Unavailable_Message()));
    lblLymanDanner = ui::NewLabel(fraCpLiquid, "lblLymanDanner",
                                  Case.Language == 1 ? "(unavailable: no published X, K values)"
                                                     : "（X, Kの公表値がないため使用不可）");
    lblLymanDanner->setWordWrap(true);
    l->addWidget(lblLymanDanner);
    for (QWidget* w : {static_cast<QWidget*>(lblCpL_R), static_cast<QWidget*>(txtCpL_R),
                       static_cast<QWidget*>(lblCpL_K), static_cast<QWidget*>(txtCpL_K)})
      w->setEnabled(false);
  }
  fraLiqDensity = OptionFrame(this, "fraLiqDensity", "液密度の推算法", optLiqDensity, "optLiqDensity",
                              {"Gunn-Yammada法", "Spencer-Danner法"});
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
  auto frame = [this](const char* name, const char* caption, std::initializer_list<const char*> notes) {
    QGroupBox* f = ui::NewFrame(this, name, caption);
    auto* g = new QGridLayout(f);
    int r = 0;
    for (const char* n : notes) g->addWidget(new QLabel(QString::fromUtf8(n), f), r++, 0, 1, 2);
    return std::make_pair(f, g);
  };
  auto add = [](QGridLayout* g, QWidget* parent, const char* title, QLabel* value) {
    const int r = g->rowCount();
    g->addWidget(new QLabel(QString::fromUtf8(title), parent), r, 0);
    g->addWidget(value, r, 1);
  };
  {
    auto [f, g] = frame("fraCritical", "臨界定数", {});
    lblTcEst = ValueLabel(f, "lblTcEst");
    lblPcEst = ValueLabel(f, "lblPcEst");
    lblVcEst = ValueLabel(f, "lblVcEst");
    lblTbEst = ValueLabel(f, "lblTbEst");
    lblOmgEst = ValueLabel(f, "lblOmgEst");
    add(g, f, "臨界温度（ﾟK）", lblTcEst);
    add(g, f, "臨界圧力（atm）", lblPcEst);
    add(g, f, "臨界分子容（cc/mol）", lblVcEst);
    add(g, f, "標準沸点(ﾟC)", lblTbEst);
    add(g, f, "偏心因子(ω)", lblOmgEst);
    results->addWidget(f, 0, 0);
  }
  {
    auto [f, g] = frame("fraAntoine", "Antoine定数", {"logP=A-B/(t+C)"});
    lblAntoineAEst = ValueLabel(f, "lblAntoineAEst");
    lblAntoineBEst = ValueLabel(f, "lblAntoineBEst");
    lblAntoineCEst = ValueLabel(f, "lblAntoineCEst");
    add(g, f, "A", lblAntoineAEst);
    add(g, f, "B", lblAntoineBEst);
    add(g, f, "C", lblAntoineCEst);
    results->addWidget(f, 0, 1);
  }
  const char* letters[4] = {"A", "B", "C", "D"};
  {
    auto [f, g] = frame("fraCpIdealEst", "理想気体比熱式係数", {"Cp0=A+B*T+C*T^2+D*T^3", "(cal/mol/ﾟK)"});
    for (int k = 0; k < 4; ++k) {
      lblCpIdealEst[k] = ValueLabel(f, std::string("lblCpIdeal") + letters[k] + "Est");
      add(g, f, letters[k], lblCpIdealEst[k]);
    }
    results->addWidget(f, 1, 0);
  }
  {
    auto [f, g] = frame("fraCpLiqEst", "液比熱式係数", {"CpL=A+B*T+C*T^2", "(cal/mol/ﾟK)"});
    for (int k = 0; k < 3; ++k) {
      lblCpLiqEst[k] = ValueLabel(f, std::string("lblCpLiq") + letters[k] + "Est");
      add(g, f, letters[k], lblCpLiqEst[k]);
    }
    results->addWidget(f, 1, 1);
  }
  {
    auto [f, g] = frame("fraHvEst", "蒸発潜熱", {"Hv=A+B*T+C*T^2"});
    for (int k = 0; k < 3; ++k) {
      lblHvEst[k] = ValueLabel(f, std::string("lblHv") + letters[k] + "Est");
      add(g, f, letters[k], lblHvEst[k]);
    }
    results->addWidget(f, 2, 0);
  }
  {
    auto [f, g] = frame("fraDenLiqEst", "液密度式係数", {"ρL=A+B*T+C*T^2"});
    for (int k = 0; k < 3; ++k) {
      lblDenLiq2Est[k] = ValueLabel(f, std::string("lblDenLiq2") + letters[k] + "Est");
      add(g, f, letters[k], lblDenLiq2Est[k]);
    }
    g->addWidget(new QLabel("ρL=A*B^(-(1-Tr)^2/7))", f), g->rowCount(), 0, 1, 2);
    for (int k = 0; k < 2; ++k) {
      lblDenLiq1Est[k] = ValueLabel(f, std::string("lblDenLiq1") + letters[k] + "Est");
      add(g, f, letters[k], lblDenLiq1Est[k]);
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

void frmPhysicalMain::Form_Load() {
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

bool frmPhysicalMain::Step_Ok(PhysStatus status, const char* step) {
  if (status == PhysStatus::Ok) return true;
  if (status == PhysStatus::PivotVanished) {
    ui::MsgBox(physprop::Least_Square_Pivot_Message());
    return false;
  }
  ui::MsgBox(physprop::Step_Fault_Message(step));
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
  lblPcEst->setText(ui::Q(txt::Format(Phys.Phys_Pc, "###.000")));
  lblVcEst->setText(ui::Q(txt::Format(Phys.Phys_Vc, "###.000")));
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
  physprop::Estimation_Read_Inputs(ui::S(txtComponentName->text()), ui::S(txtMolWeight->text()),
                                   ui::S(txtBubblePointTemp->text()), ui::S(txtTotalAtom->text()));
  // Nothing of an earlier run may stand in for a step of this one.
  physprop::Clear_Results();
  Clear_Result_Labels();
  if (txtBubblePointTemp->text().isEmpty() && !Show_Dialog<frmPhysicalFedors>()) {
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
  if (!Step_Ok(physprop::Acentric_Factor(optOmg.Value()), "偏心因子")) return;
  // Without a Tc no critical constant of this run exists to show.
  if (Phys.Phys_Tc > 0) Show_Critical();

  const physprop::RangeCut cut =
      physprop::Estimation_Range(txt::Val(ui::S(txtTempLow->text())), txt::Val(ui::S(txtTempHigh->text())));
  if (cut.highCut) txtTempHigh->setText(ui::Q(txt::Plain(Phys.Phys_Temp_High)));
  if (cut.lowCut) txtTempLow->setText("-273.15");

  if (!Step_Ok(physprop::Vapor_Press_Antoine_Fit(optVaporPress.Value()), "蒸気圧")) return;
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

  if (!Step_Ok(physprop::Heat_Of_Vaporization(Fit), "蒸発潜熱")) return;
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
  if (!Step_Ok(physprop::CpLiq_Rowlinson_Bondi(Fit), "液比熱")) return false;
  const double c[3] = {Phys.Phys_CpL_A, Phys.Phys_CpL_B, Phys.Phys_CpL_C};
  for (int k = 0; k < 3; ++k) lblCpLiqEst[k]->setText(ui::Q(txt::Format(c[k], kCoefPattern)));
  return true;
}

bool frmPhysicalMain::Run_Density() {
  if (optLiqDensity.Value() == 0) {
    if (!Step_Ok(physprop::LiqDensity_Gunn_Yamada(Fit), "液密度")) return false;
    Show_Density();
  } else if (txtLiqD_Tref->text().isEmpty() || txtLiqD_Dref->text().isEmpty()) {
    ui::MsgBox(physprop::Spencer_Danner_Missing_Message());
  } else {
    const double rhoRef = txt::Val(ui::S(txtLiqD_Dref->text()));
    const double TrefC = txt::Val(ui::S(txtLiqD_Tref->text()));
    if (!Step_Ok(physprop::LiqDensity_Spencer_Danner(Fit, rhoRef, TrefC), "液密度")) return false;
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
