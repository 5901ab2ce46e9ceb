// Gallery pictures of the property-estimation windows after an estimation run
// for n-hexane (Lydersen groups, Rihani-Doraiswamy Cp0, 0..200 degC).
#include "core/model/CaseData.h"
#include "platform/ui/Gallery.h"
#include "platform/ui/Interaction.h"
#include "purecomp/estimation_ui/frmPhysicalAmbrose.h"
#include "purecomp/estimation_ui/frmPhysicalEstimateData.h"
#include "purecomp/estimation_ui/frmPhysicalFedors.h"
#include "purecomp/estimation_ui/frmPhysicalGraph.h"
#include "purecomp/estimation_ui/frmPhysicalIdealGasHeat.h"
#include "purecomp/estimation_ui/frmPhysicalJoback.h"
#include "purecomp/estimation_ui/frmPhysicalLydersen.h"
#include "purecomp/estimation_ui/frmPhysicalMain.h"

namespace {

void Count(ui::Form& dialog, int row, const char* count) {
  static_cast<PhysGroupDialog&>(dialog).vaSpread1->TypeText(2, row, count);
}

void Press_Estimate_And_Close(ui::Form& dialog) {
  auto& d = static_cast<PhysGroupDialog&>(dialog);
  d.cmdEstimation_Click();
  d.cmdExit_Click();
}

frmPhysicalMain& Hexane_Run(int language = 0, const char* highC = "200") {
  Case.Language = static_cast<int16_t>(language);
  auto& form = ui::Forms::Get<frmPhysicalMain>();
  form.Show();
  form.txtComponentName->setText("n-Hexane");
  form.txtMolWeight->setText("86.178");
  form.txtBubblePointTemp->setText("68.73");
  form.txtTotalAtom->setText("20");
  form.txtTempLow->setText("0");
  form.txtTempHigh->setText(highC);
  ui::ScriptedInteraction script;
  script.OnModal("frmPhysicalLydersen", [](ui::Form& f) {
    Count(f, 1, "6");
    Press_Estimate_And_Close(f);
  });
  script.OnModal("frmPhysicalIdealGasHeat", [](ui::Form& f) {
    Count(f, 2, "2");
    Count(f, 3, "4");
    Press_Estimate_And_Close(f);
  });
  // The range message of a high end cut to Tc is answered like any other.
  script.Answer(ui::vbOK, "");
  ui::Interaction* previous = ui::SetInteraction(&script);
  form.cmdEstimation_Click();
  ui::SetInteraction(previous);
  return form;
}

}  // namespace

VZ_GALLERY_SHOT("physprop_main", [] { return static_cast<QWidget*>(&Hexane_Run()); });

VZ_GALLERY_SHOT("physprop_main_lyman_spencer", [] {
  auto& form = Hexane_Run();
  form.optCpLiquid.Click(1);
  form.optLiqDensity.Click(1);
  return static_cast<QWidget*>(&form);
});

VZ_GALLERY_SHOT("physprop_lydersen", [] {
  Hexane_Run();
  ui::Forms::Unload<frmPhysicalLydersen>();
  auto& d = ui::Forms::Get<frmPhysicalLydersen>();
  d.cmdEstimation_Click();
  return static_cast<QWidget*>(&d);
});

VZ_GALLERY_SHOT("physprop_ideal_gas_heat", [] {
  Hexane_Run();
  ui::Forms::Unload<frmPhysicalIdealGasHeat>();
  auto& d = ui::Forms::Get<frmPhysicalIdealGasHeat>();
  d.cmdEstimation_Click();
  return static_cast<QWidget*>(&d);
});

VZ_GALLERY_SHOT("physprop_estimate_data", [] {
  Hexane_Run();
  ui::Forms::Unload<frmPhysicalEstimateData>();
  return static_cast<QWidget*>(&ui::Forms::Get<frmPhysicalEstimateData>());
});

VZ_GALLERY_SHOT("physprop_graph", [] {
  Hexane_Run();
  ui::Forms::Unload<frmPhysicalGraph>();
  return static_cast<QWidget*>(&ui::Forms::Get<frmPhysicalGraph>());
});

VZ_GALLERY_SHOT("physprop_main_english", [] { return static_cast<QWidget*>(&Hexane_Run(1)); });

// The high end cut to Tc is echoed with all its digits.
VZ_GALLERY_SHOT("physprop_main_cut_to_tc", [] { return static_cast<QWidget*>(&Hexane_Run(0, "300")); });

VZ_GALLERY_SHOT("physprop_graph_english", [] {
  Hexane_Run(1);
  ui::Forms::Unload<frmPhysicalGraph>();
  return static_cast<QWidget*>(&ui::Forms::Get<frmPhysicalGraph>());
});

VZ_GALLERY_SHOT("physprop_estimate_data_english", [] {
  Hexane_Run(1);
  ui::Forms::Unload<frmPhysicalEstimateData>();
  return static_cast<QWidget*>(&ui::Forms::Get<frmPhysicalEstimateData>());
});

// Rows without a published contribution are greyed and locked from the opening on.
VZ_GALLERY_SHOT("physprop_ambrose", [] {
  Case.Language = 0;
  ui::Forms::Get<frmPhysicalMain>();
  return static_cast<QWidget*>(&ui::Forms::Get<frmPhysicalAmbrose>());
});

VZ_GALLERY_SHOT("physprop_joback_english", [] {
  Case.Language = 1;
  ui::Forms::Get<frmPhysicalMain>();
  return static_cast<QWidget*>(&ui::Forms::Get<frmPhysicalJoback>());
});

// The lower rows, whose long names ("=O    (except as above)") are read whole.
VZ_GALLERY_SHOT("physprop_joback_english_lower_rows", [] {
  Case.Language = 1;
  ui::Forms::Get<frmPhysicalMain>();
  auto& d = ui::Forms::Get<frmPhysicalJoback>();
  d.resize(d.sizeHint().width(), 560);
  d.vaSpread1->scrollToBottom();
  return static_cast<QWidget*>(&d);
});

VZ_GALLERY_SHOT("physprop_ideal_gas_heat_english", [] {
  Case.Language = 1;
  ui::Forms::Get<frmPhysicalMain>();
  return static_cast<QWidget*>(&ui::Forms::Get<frmPhysicalIdealGasHeat>());
});

// The alcohol -OH row: its Tc and Pc follow the carbon number.
VZ_GALLERY_SHOT("physprop_ambrose_english", [] {
  Case.Language = 1;
  ui::Forms::Get<frmPhysicalMain>();
  auto& d = ui::Forms::Get<frmPhysicalAmbrose>();
  d.resize(d.sizeHint().width(), 560);
  d.vaSpread1->scrollToBottom();
  return static_cast<QWidget*>(&d);
});

VZ_GALLERY_SHOT("physprop_fedors", [] {
  Case.Language = 0;
  ui::Forms::Get<frmPhysicalMain>();
  return static_cast<QWidget*>(&ui::Forms::Get<frmPhysicalFedors>());
});
