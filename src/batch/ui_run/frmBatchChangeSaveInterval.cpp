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
    0.0,
    true,
    {"保存周期は0以上の値を入力してください。", "Enter a save interval of 0 or more."},
};

}  // namespace

frmBatchChangeSaveInterval::frmBatchChangeSaveInterval() : BatchChangeDialog(kSpec) {}
