#include "batch/ui_run/frmBatchChangeQReb.h"

VZ_FORM_FACTORY(frmBatchChangeQReb);

namespace {

const BatchChangeSpec kSpec = {
    "frmBatchChangeQReb",
    {"リボイラー熱量", "Reboiler Heat Duty"},
    {"リボイラー熱量Ｏｌｄ =", "Reb Heat Duty Old ="},
    {"リボイラー熱量Ｎｅｗ =", "Reb Heat Duty New ="},
    {" リボイラ熱量変更　　Old=", " Change Reboiler Heat Duty Old="},
    {"lblQreb", "lblQrebValue", "lblQrebNew", "txtQrebNew"},
    {"lblQrebUnit1", "lblQrebUnit2"},
    &BatchData::Run_QReb,
    true,
    false,
    0.0,
    false,
    {"リボイラー熱量は0より大きい値を入力してください。", "Enter a reboiler heat duty greater than 0."},
};

}  // namespace

frmBatchChangeQReb::frmBatchChangeQReb() : BatchChangeDialog(kSpec) {}
