#include "batch/ui_run/frmBatchChangeDiffTime.h"

VZ_FORM_FACTORY(frmBatchChangeDiffTime);

namespace {

const BatchChangeSpec kSpec = {
    "frmBatchChangeDiffTime",
    {"微分時間", "Differential Time"},
    {"微分時間 Ｏｌｄ (Hr)=", "Diff Time Old (Hr)="},
    {"微分時間 Ｎｅｗ (Hr)=", "Diff Time New (Hr)="},
    {" 微分時間変更　　　　Old=", " Change Diff Time  Old="},
    {"lblDiffTime", "lblDiffTimeValue", "lblDiffTimeNew", "txtDiffTimeNew"},
    {nullptr, nullptr},
    &BatchData::Run_Diff_Time,
    false,
    false,
    0.0,
    false,
    {"微分時間は0より大きい値を入力してください。", "Enter a time step greater than 0."},
};

}  // namespace

frmBatchChangeDiffTime::frmBatchChangeDiffTime() : BatchChangeDialog(kSpec) {}
