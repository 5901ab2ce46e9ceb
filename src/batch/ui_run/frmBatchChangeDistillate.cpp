#include "batch/ui_run/frmBatchChangeDistillate.h"

VZ_FORM_FACTORY(frmBatchChangeDistillate);

namespace {

const BatchChangeSpec kSpec = {
    "frmBatchChangeDistillate",
    {"製品抜き出し量", "Distillate"},
    {"抜き出し量Ｏｌｄ =", "Distillate Flow Old ="},
    {"抜き出し量Ｎｅｗ=", "Distillate Flow New ="},
    {" 抜き出し量変更　　　Old=", " Change Distillate　Old="},
    {"lblDistillate", "lblDistillateValue", "lblDistillateNew", "txtDistillateNew"},
    {"lblDistillateUnit1", "lblDistillateUnit2"},
    &BatchData::Run_Distillate,
    false,
    false,
    0.0,
    true,
    {"抜き出し量は0以上の値を入力してください。", "Enter a distillate flow of 0 or more."},
};

}  // namespace

frmBatchChangeDistillate::frmBatchChangeDistillate() : BatchChangeDialog(kSpec) {}
