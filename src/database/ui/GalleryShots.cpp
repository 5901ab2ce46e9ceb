// Gallery shots of the database windows, filled from the shipped database.
#include <QComboBox>
#include <QCoreApplication>
#include <QVBoxLayout>

#include "core/model/CaseData.h"
#include "database/PropertyDb.h"
#include "database/ui/frmDBAntoine.h"
#include "database/ui/frmDBComponent.h"
#include "database/ui/frmDBCriticalConstant.h"
#include "database/ui/frmDBEnthalpyCoeff.h"
#include "database/ui/frmDBKij.h"
#include "database/ui/frmDBNRTL.h"
#include "database/ui/frmDBWilson.h"
#include "database/ui/frmPhysicalDatabase.h"
#include "database/ui/frmPhysicalDatabase2.h"
#include "platform/ui/Gallery.h"
#include "platform/ui/Programs.h"

namespace {

void Use_Shipped_Database() {
  Case.DB_Path = vzdb::Database_Path(QCoreApplication::applicationDirPath().toStdString());
  Case.Prog_Title = "逐次段蒸留計算";
  Case.NC = 3;
  Case.Comp_Name[1] = "Methanol";
  Case.Comp_Name[2] = "Water";
  Case.Comp_Name[3] = "Ethanol";
}

// The window a lookup reads its key from: the real one when it is built,
// else a stand-in with the grid (and list) the lookup reaches into.
struct OpenerSpec {
  const char* form;
  const char* grid;
  int rows, cols, programNo;
};
constexpr OpenerSpec kOpeners[] = {
    {"frmK_Value", "vaSpreadWilson", kMaxComp, kMaxComp, -1},
    {"frmEnthalpy", "vaSpreadEnthalpy", kMaxComp, 7, -1},
    {"frmVLE_Estimation", "vaSpreadAntoine", 2, 4, 4},
    {"frmAntoineVaporPress", "vaSpreadAntoine", 5, 8, 3},
};

template <int N>
class OpenerStandIn : public ui::Form {
 public:
  OpenerStandIn() : ui::Form(kOpeners[N].form) {
    auto* v = new QVBoxLayout(this);
    auto* grid = new ui::SpreadGrid(kOpeners[N].grid, this);
    grid->SetMaxRows(kOpeners[N].rows);
    grid->SetMaxCols(kOpeners[N].cols);
    v->addWidget(grid);
    if (N == 1) {
      auto* cbo = new QComboBox(this);
      cbo->setObjectName("cboEnthalpy");
      cbo->addItems({"0", "1", "2", "3"});
      v->addWidget(cbo);
    }
  }
};

template <int N>
ui::SpreadGrid* Opener() {
  ui::Form* f = nullptr;
  if (const ui::ProgramWindow* w = ui::FindProgramWindow(kOpeners[N].programNo)) f = w->load();
  if (!f) f = ui::Forms::LoadByName(kOpeners[N].form);
  if (!f) f = &ui::Forms::Get<OpenerStandIn<N>>();
  return f->template Ctl<ui::SpreadGrid>(kOpeners[N].grid);
}

template <typename T>
QWidget* Activated() {
  auto& f = ui::Forms::Get<T>();
  f.Form_Activate();
  return &f;
}

}  // namespace

VZ_GALLERY_SHOT("db_browser_pure", [] {
  Use_Shipped_Database();
  return static_cast<QWidget*>(&ui::Forms::Get<frmPhysicalDatabase>());
});

// The critical-constant columns to the right, each heading whole (the first four set aside:
// the picture is taken before the window can scroll).
VZ_GALLERY_SHOT("db_browser_pure_critical_columns", [] {
  Use_Shipped_Database();
  auto& f = ui::Forms::Get<frmPhysicalDatabase>();
  for (int c = 0; c < 4; ++c) f.Grid(0)->setColumnHidden(c, true);
  return static_cast<QWidget*>(&f);
});

VZ_GALLERY_SHOT("db_browser_pairs", [] {
  Use_Shipped_Database();
  Case.Language = 1;
  auto& f = ui::Forms::Get<frmPhysicalDatabase2>();
  f.txtName1->setText("Methanol");
  f.cmdKensaku_Click();
  return static_cast<QWidget*>(&f);
});

VZ_GALLERY_SHOT("db_lookup_antoine", [] {
  Use_Shipped_Database();
  Case.Program_No = 4;
  ui::Caller_Grid = Opener<2>();
  ui::Caller_Grid->SetText(1, 2, "Water");
  ui::Caller_Grid->SetActiveCell(1, 2);
  return Activated<frmDBAntoine>();
});

VZ_GALLERY_SHOT("db_lookup_component", [] {
  Use_Shipped_Database();
  Case.Program_No = 3;
  ui::SpreadGrid* grid = Opener<3>();
  grid->SetText(2, 1, "*propanol");
  grid->SetActiveCell(2, 1);
  return Activated<frmDBComponent>();
});

VZ_GALLERY_SHOT("db_lookup_wilson", [] {
  Use_Shipped_Database();
  Opener<0>()->SetActiveCell(2, 1);
  return Activated<frmDBWilson>();
});

VZ_GALLERY_SHOT("db_lookup_nrtl", [] {
  Use_Shipped_Database();
  Case.Program_No = 4;
  Case.NRTL_Alpha = 0.2999;
  return Activated<frmDBNRTL>();
});

VZ_GALLERY_SHOT("db_lookup_kij", [] {
  Use_Shipped_Database();
  Case.Comp_Name[1] = "Nitrogen";
  Case.Comp_Name[2] = "Methane";
  Opener<0>()->SetActiveCell(1, 2);
  return Activated<frmDBKij>();
});

VZ_GALLERY_SHOT("db_lookup_enthalpy", [] {
  Use_Shipped_Database();
  ui::SpreadGrid* grid = Opener<1>();
  grid->window()->findChild<QComboBox*>("cboEnthalpy")->setCurrentIndex(1);
  grid->SetActiveCell(1, 1);
  return Activated<frmDBEnthalpyCoeff>();
});

VZ_GALLERY_SHOT("db_lookup_not_found", [] {
  Use_Shipped_Database();
  Case.Program_No = 4;
  Case.NRTL_Alpha = 0.4;
  return Activated<frmDBNRTL>();
});

VZ_GALLERY_SHOT("db_add_component", [] {
  auto& f = ui::Forms::Get<frmDBCriticalConstant>();
  f.vaSpread1->SetText(1, 1, "C7H8");
  f.vaSpread1->SetText(1, 2, "Toluene");
  return static_cast<QWidget*>(&f);
});
