#include "batch/ui_run/frmBatchChangeReflux.h"

VZ_FORM_FACTORY(frmBatchChangeReflux);

namespace {

const BatchChangeSpec kSpec = {
    "frmBatchChangeReflux",
    {"還流比", "Reflux Ratio"},
    {"還流比 Ｏｌｄ =", "Reflux Ratio Old="},
    {"還流比 Ｎｅｗ =", "Reflux Ratio New="},
    {" 還流比変更　　　　　Old=", " Change Reflux Ratio Old="},
    {"lblReflux", "lblRefluxValue", "lblRefluxNew", "txtRefluxNew"},
    {nullptr, nullptr},
    &BatchData::Run_Reflux,
    false,
    false,
    0.0,
    false,
    {"還流比は0より大きい値を入力してください。", "Enter a reflux ratio greater than 0."},
};

}  // namespace

frmBatchChangeReflux::frmBatchChangeReflux() : BatchChangeDialog(kSpec) {}
