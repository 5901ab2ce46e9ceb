#include "batch/ui_run/frmBatchChangeConvLimit.h"

VZ_FORM_FACTORY(frmBatchChangeConvLimit);

namespace {

const BatchChangeSpec kSpec = {
    "frmBatchChangeConvLimit",
    {"収束許容誤差", "Convergence Criteria"},
    {"収束許容誤差 Ｏｌｄ =", "Conv Limit(Old) ="},
    {"収束許容誤差 Ｎｅｗ =", "Conv Limit(New) ="},
    {" 収束許容誤差変更　　Old=", " Change Conv Limit  Old="},
    {"lblConvLimit", "lblConvLimitValue", "lblConvLimitNew", "txtConvLimitNew"},
    {nullptr, nullptr},
    &BatchData::Run_Conv_Limit,
    false,
    true,
    0.0,
    true,
    {"収束許容誤差は0以上の値を入力してください。", "Enter a convergence limit of 0 or more."},
};

}  // namespace

frmBatchChangeConvLimit::frmBatchChangeConvLimit() : BatchChangeDialog(kSpec) {}
