#include "batch/ui/frmBatchProduct.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "batch/model/BatchData.h"
#include "core/dialogs/frmUnit.h"
#include "core/model/CaseData.h"
#include "core/thermo/Thermo.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Interaction.h"
#include "platform/ui/QLanguage.h"

using batchui::General;

namespace {

QString Indexed(const char* name, int i) { return QString("%1(%2)").arg(name).arg(i); }

QLineEdit* TankBox(QWidget* parent, const char* name, int i, int width) {
  QLineEdit* t = ui::NewTextBox(parent, name);
  t->setObjectName(Indexed(name, i));
  t->setAlignment(Qt::AlignRight);
  t->setFixedWidth(width);
  return t;
}

QLabel* TankLabel(QWidget* parent, const char* name, int i) {
  QLabel* l = ui::NewLabel(parent, name);
  l->setObjectName(Indexed(name, i));
  return l;
}

QComboBox* TankList(QWidget* parent, const char* name, int i, const QStringList& items) {
  QComboBox* c = ui::NewComboBox(parent, name);
  c->setObjectName(Indexed(name, i));
  c->addItems(items);
  c->setCurrentIndex(-1);  // no choice made until the user or the case makes one
  return c;
}

std::string TrimRight(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

}  // namespace

frmBatchProduct::frmBatchProduct() : batchui::BatchDialog("frmBatchProduct") {
  auto* layout = new QVBoxLayout(this);
  auto* head = new QHBoxLayout();
  fraProdType = ui::NewFrame(this, "fraProdType");
  auto* type = new QVBoxLayout(fraProdType);
  optOpeType.Create(fraProdType, "optOpeType", 2);
  type->addWidget(optOpeType[0]);
  type->addWidget(optOpeType[1]);
  optOpeType.SetValue(0);
  head->addWidget(fraProdType);
  lblProdChange = ui::NewLabel(this, "lblProdChange");
  txtProdChange = ui::NewTextBox(this, "txtProdChange");
  txtProdChange->setFixedWidth(50);
  txtProdChange->setAlignment(Qt::AlignRight);
  lblProdChange->setBuddy(txtProdChange);
  lblOpeMax = ui::NewLabel(this, "lblOpeMax");
  head->addSpacing(20);
  head->addWidget(lblProdChange);
  head->addWidget(txtProdChange);
  head->addWidget(lblOpeMax);
  head->addStretch();
  layout->addLayout(head);

  // The option buttons of all tanks form one array; each pair lives in its tank's frame.
  QWidget holder;
  optCond.Create(&holder, "optCond", 2 * kTanks);
  auto* tanks = new QGridLayout();
  for (int i = 0; i < kTanks; ++i) {
    QGroupBox* tank = ui::NewFrame(this, "fraTank");
    tank->setObjectName(Indexed("fraTank", i));
    tank->setTitle(QString("TANK-%1").arg(i + 1));
    fraTank[i] = tank;
    auto* g = new QGridLayout(tank);
    lblReflux[i] = TankLabel(tank, "lblReflux", i);
    txtReflux[i] = TankBox(tank, "txtReflux", i, 90);
    g->addWidget(lblReflux[i], 0, 0);
    g->addWidget(txtReflux[i], 0, 1);
    lblProd_Qreb[i] = TankLabel(tank, "lblProd_Qreb", i);
    txtProd_Qreb[i] = TankBox(tank, "txtProd_Qreb", i, 90);
    lblUnitProd_Qreb[i] = TankLabel(tank, "lblUnitProd_Qreb", i);
    g->addWidget(lblProd_Qreb[i], 1, 0);
    g->addWidget(txtProd_Qreb[i], 1, 1);
    g->addWidget(lblUnitProd_Qreb[i], 1, 2);

    QGroupBox* cond = ui::NewFrame(tank, "fraOpeType");
    cond->setObjectName(Indexed("fraOpeType", i));
    fraOpeType[i] = cond;
    auto* c = new QGridLayout(cond);
    QRadioButton* amount = optCond[2 * i];
    QRadioButton* component = optCond[2 * i + 1];
    amount->setParent(cond);
    component->setParent(cond);
    txtWeight[i] = TankBox(cond, "txtWeight", i, 80);
    txtWeight[i]->setToolTip("ﾀﾝｸ貯留量を入力する。");
    cboMolWt[i] = TankList(cond, "cboMolWt", i, {"Kgmol", "Kg"});
    c->addWidget(amount, 0, 0, 1, 2);
    c->addWidget(txtWeight[i], 0, 2);
    c->addWidget(cboMolWt[i], 0, 3);
    txtCompNo[i] = TankBox(cond, "txtCompNo", i, 40);
    txtCompNo[i]->setToolTip("成分番号を入力する");
    txtFr[i] = TankBox(cond, "txtFr", i, 80);
    txtFr[i]->setToolTip("ﾓﾙ分率/重量分率を入力する。");
    cboMolWtFr[i] = TankList(cond, "cboMolWtFr", i, {"molFr", "WtFr"});
    cboUpDown[i] = TankList(cond, "cboUpDown", i, {});
    c->addWidget(component, 1, 0);
    c->addWidget(txtCompNo[i], 1, 1);
    c->addWidget(txtFr[i], 1, 2);
    c->addWidget(cboMolWtFr[i], 1, 3);
    c->addWidget(cboUpDown[i], 1, 4);
    c->setColumnStretch(5, 1);
    g->addWidget(cond, 2, 0, 1, 4);
    component->setChecked(true);
    tanks->addWidget(tank, i / 3, i % 3, Qt::AlignTop);
  }
  layout->addLayout(tanks, 1);

  auto* buttons = new QHBoxLayout();
  buttons->addStretch();
  cmdOK = ui::NewButton(this, "cmdOK");
  cmdCancel = ui::NewButton(this, "cmdCancel");
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  layout->addLayout(buttons);

  optOpeType.onClick = [this](int i) { optOpeType_Click(i); };
  optCond.onClick = [this](int m) { optCond_Click(m); };
  connect(txtProdChange, &QLineEdit::textChanged, this, [this] { txtProdChange_Change(); });
  connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void frmBatchProduct::Form_Load() {
  setWindowTitle(batchui::Caption("製品抜出操作条件", "Product Operation"));
  fraProdType->setTitle(QInLanguage("製品抜出のタイプ", "Operation Type"));
  optOpeType[0]->setText(QInLanguage("還流比、抜出量(Kgmol/H)指定", "Set R/D、Distillate(Kgmol/H)"));
  optOpeType[1]->setText(QInLanguage("還流比、ﾘﾎﾞｲﾗ熱量(Kcal/H)指定", "Set R/D、QReb(Kcal/H)"));
  lblProdChange->setText(QInLanguage("製品抜出切替回数", "No of TANK -1"));
  for (int i = 0; i < kTanks; ++i) {
    lblReflux[i]->setText(QInLanguage("還流比", "Reflux Ratio"));
    fraOpeType[i]->setTitle(QInLanguage("TANK 切替条件", "Tank Change Condition"));
    optCond[2 * i]->setText(QInLanguage("TANK Total量指定", "Tank Total Quantity"));
    optCond[2 * i + 1]->setText(QInLanguage("TANK 組成指定 成分No", "Tank Component No"));
    cboUpDown[i]->clear();
    cboUpDown[i]->addItems(In_English() ? QStringList{">", "<"} : QStringList{"以上", "以下"});
    cboUpDown[i]->setCurrentIndex(-1);
  }
  cmdOK->setText(QInLanguage("ＯＫ(&O)", "OK (&O)"));
  cmdCancel->setText(QInLanguage("取消(&C)", "Cancel(&C)"));
}

void frmBatchProduct::Show_Condition_Row(int i, bool amount) {
  txtWeight[i]->setVisible(amount);
  cboMolWt[i]->setVisible(amount);
  txtCompNo[i]->setVisible(!amount);
  txtFr[i]->setVisible(!amount);
  cboMolWtFr[i]->setVisible(!amount);
  cboUpDown[i]->setVisible(!amount);
}

void frmBatchProduct::Form_Activate() {
  CalcMessageScope scope;
  const int type = Batch.Ope_Mode == 2 ? 0 : 1;
  if (optOpeType.Value() != type) optOpeType.Click(type);

  txtProdChange->setText(ui::Q(txt::Plain(Batch.N_Change_Tank)));
  txtProdChange_Change();
  lblOpeMax->setText(ui::Q("(Max." + txt::Plain(kMaxChanges) + ")"));

  const int planned = std::clamp(Batch.N_Change_Tank + 1, 0, kTanks);
  for (int k = 1; k <= planned; ++k) {
    const int i = k - 1;
    txtReflux[i]->setText(ui::Q(General(Batch.Prod_Spec[1][k])));
    if (Batch.Ope_Mode == 2) {
      txtProd_Qreb[i]->setText(ui::Q(General(Batch.Prod_Spec[2][k])));
      lblProd_Qreb[i]->setText(QInLanguage("流出量", "Distillate"));
      lblUnitProd_Qreb[i]->setText("(Kgmol/H)");
    } else {
      txtProd_Qreb[i]->setText(ui::Q(General(Unit_Heat_Out(Batch.Prod_Spec[3][k]))));
      lblProd_Qreb[i]->setText(QInLanguage("ﾘﾎﾞｲﾗ", "Reboiler"));
      lblUnitProd_Qreb[i]->setText(ui::Q("(" + TrimRight(Unit_Heat_Text()) + "/H)"));
    }
    const int cond = Batch.Tank_Cond[k];
    const double value = Batch.Tank_Value[k];
    if (cond == -2 || cond == -1) {
      optCond.SetValue(2 * i);
      Show_Condition_Row(i, true);
      cboMolWt[i]->setCurrentIndex(cond == -1 ? 0 : 1);
      txtWeight[i]->setText(ui::Q(General(value)));
    } else if (cond >= 1) {
      optCond.SetValue(2 * i + 1);
      Show_Condition_Row(i, false);
      const bool weight = cond > 100;
      cboMolWtFr[i]->setCurrentIndex(weight ? 1 : 0);
      cboUpDown[i]->setCurrentIndex(value > 0 ? 0 : 1);
      txtCompNo[i]->setText(ui::Q(txt::Plain(weight ? cond - 100 : cond)));
      txtFr[i]->setText(ui::Q(General(std::fabs(value))));
    }
  }
  for (int i = planned; i < kTanks; ++i) {
    optCond.SetValue(2 * i);
    Show_Condition_Row(i, true);
    cboMolWt[i]->setCurrentIndex(0);
  }
}

void frmBatchProduct::optOpeType_Click(int index) {
  CalcMessageScope scope;
  for (int i = 0; i < kTanks; ++i) {
    if (index == 0) {
      lblProd_Qreb[i]->setText(QInLanguage("流出量", "Distillate"));
      lblUnitProd_Qreb[i]->setText("(Kgmol/H)");
      txtProd_Qreb[i]->setText(ui::Q(General(Batch.Prod_Spec[2][i + 1])));
    } else {
      lblProd_Qreb[i]->setText(QInLanguage("ﾘﾎﾞｲﾗ", "Reboiler"));
      lblUnitProd_Qreb[i]->setText(ui::Q(Unit_Heat_Text() + "/H"));
      txtProd_Qreb[i]->setText(ui::Q(General(Unit_Heat_Out(Batch.Prod_Spec[3][i + 1]))));
    }
  }
}

void frmBatchProduct::optCond_Click(int index) { Show_Condition_Row(index / 2, index % 2 == 0); }

long long frmBatchProduct::Typed_Count() const { return txt::ValCount(ui::S(txtProdChange->text())); }

void frmBatchProduct::txtProdChange_Change() {
  const long long n = Typed_Count();
  if (n > kMaxChanges) return;
  // A negative count shows no tank at all.
  for (int i = 0; i < kTanks; ++i) fraTank[i]->setVisible(i <= n);
}

void frmBatchProduct::Refuse(const std::string& japanese, const std::string& english) {
  ui::MsgBox(In_English() ? english : japanese, ui::vbOKOnly);
}

void frmBatchProduct::cmdOK_Click() {
  CalcMessageScope scope;
  Batch.Ope_Mode = optOpeType[0]->isChecked() ? 2 : 3;
  long long n;
  if (!batchui::Read_Count(ui::S(txtProdChange->text()), InLanguage("製品抜出切替回数", "No of TANK -1"),
                           -1000000000LL, 1000000000LL, n))
    return;
  if (n > kMaxChanges) {
    const std::string max = txt::Plain(kMaxChanges);
    Refuse("タンク切替回数がMax" + max + " を越えています。", "Over Max(" + max + ") Tank Change");
    return;
  }
  // A plan without a tank can be neither run nor read back from a case file.
  if (n < 0) {
    Refuse("タンク切替回数が 0未満です。", "Tank Change < 0");
    return;
  }
  Batch.N_Change_Tank = static_cast<int32_t>(n);
  for (int k = 1; k <= n + 1; ++k) {
    const int i = k - 1;
    // Each box of the tank must hold a number as a whole; the field names the tank.
    const std::string tank = " (TANK " + std::to_string(k) + ")";
    auto number = [&](QLineEdit* box, const char* ja, const char* en, double& v) {
      return batchui::Read_Number(ui::S(box->text()), InLanguage(ja, en) + tank, v);
    };
    double r, d;
    if (!number(txtReflux[i], "還流比", "Reflux Ratio", r)) return;
    if (r <= 0) return Refuse("還流比が 0以下です。", "Reflux Ration < 0");
    Batch.Prod_Spec[1][k] = r;
    if (!number(txtProd_Qreb[i], Batch.Ope_Mode == 2 ? "流出量" : "ﾘﾎﾞｲﾗ",
                Batch.Ope_Mode == 2 ? "Distillate" : "Reboiler", d))
      return;
    if (Batch.Ope_Mode == 2) {
      if (d < 0) return Refuse("抜き出し量が 0以下です。", "Distillate < 0");
      Batch.Prod_Spec[2][k] = d;
    } else {
      // Without heat nothing rises to the drum: the tank would never fill.
      if (!(d > 0)) return Refuse("リボイラー熱量が 0以下です。", "Reboiler Heat Duty <= 0");
      Batch.Prod_Spec[3][k] = Unit_Heat_In(d);
    }
    if (optCond[2 * i]->isChecked()) {
      const bool kmol = cboMolWt[i]->currentIndex() == 0;
      double limit = Batch.Total_Feed;
      if (!kmol) {
        double mw = 0;
        for (int c = 1; c <= std::clamp<int>(Case.NC, 0, kMaxComp); ++c) mw += Batch.Feed_Comp[c] * Case.Mol_Wt[c];
        limit = Batch.Total_Feed * mw;
      }
      double a;
      if (!number(txtWeight[i], "TANK Total量指定", "Tank Total Quantity", a)) return;
      if (a <= 0 || a >= limit) {
        const std::string l = General(limit);
        return Refuse("抜き出し量が 0以下またはフィード量" + l + "より多い。",
                      "Distillate is negative or >= Feed rate(" + l + ")");
      }
      Batch.Tank_Value[k] = a;
      Batch.Tank_Cond[k] = kmol ? -1 : -2;
    } else {
      double c, f;
      if (!number(txtCompNo[i], "TANK 組成指定 成分No", "Tank Component No", c)) return;
      // A number that rounds to no component (0.4) names none either.
      const long long comp = txt::RoundHalfEven(c);
      if (c <= 0 || c > Case.NC || comp < 1)
        return Refuse("タンク切替の成分番号が 0以下または最大成分数を越えています。", "Component No =<0 or Max Component");
      if (!number(txtFr[i], "TANK 組成", "Tank Composition", f)) return;
      if (f <= 0 || f >= 1) return Refuse("タンク切替の組成が 0以下または1以上です。", "Composition =< 0 or >=1 ");
      Batch.Tank_Cond[k] = static_cast<int32_t>(cboMolWtFr[i]->currentIndex() == 0 ? comp : comp + 100);
      Batch.Tank_Value[k] = cboUpDown[i]->currentIndex() == 0 ? f : -f;
    }
  }
  batchui::Write_Main_Label("lblProdChangeData", General(static_cast<double>(n)));
  ui::Forms::Unload(this);
}
