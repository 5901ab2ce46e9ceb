#include "batch/ui_run/frmBatchChangeSaveInterval.h"

VZ_FORM_FACTORY(frmBatchChangeSaveInterval);

namespace {

const BatchChangeSpec kSpec = {
    "frmBatchChangeSaveInterval",
    {"保存周期", "Calc Data Save Interval"},
    {"保存周期 Ｏｌｄ (Hr)=", "Interver Old (Hr)="},
    {"保存周期 Ｎｅｗ (Hr)=", "Interver New (Hr)="},
    {" データ保存周期変更　Old=", " Change Data Save Interval Old="},
    {"lblSaveTime", "lblSaveTimeValue", "lblSaveTimeNew", "txtSaveTimeNew"},
    {nullptr, nullptr},
    &BatchData::Run_Save_Interval,
    false,
    false,
};

}  // namespace

frmBatchChangeSaveInterval::frmBatchChangeSaveInterval() : BatchChangeDialog(kSpec) {}
