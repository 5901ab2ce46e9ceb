#include "database/ui/frmDBNRTL.h"

#include <QGridLayout>

#include "core/model/CaseData.h"
#include "platform/text/NumberText.h"
#include "platform/ui/Controls.h"

frmDBNRTL::frmDBNRTL() : DbPairLookup("frmDBNRTL", vzdb::LookupKind::NRTL, 8) {
  lblNRTLAlpha = ui::NewLabel(this, "lblNRTLAlpha", "Alpha=");
  txtNRTLAlpha = ui::NewTextBox(this, "txtNRTLAlpha");
  txtNRTLAlpha->setReadOnly(true);
  txtNRTLAlpha->setMaximumWidth(90);
  auto* g = static_cast<QGridLayout*>(layout());
  auto* row = new QHBoxLayout();
  row->addWidget(lblNRTLAlpha);
  row->addWidget(txtNRTLAlpha);
  row->addStretch(1);
  g->addLayout(row, 2, 0);
}

void frmDBNRTL::Form_Activate() {
  txtNRTLAlpha->setText(ui::Q(txt::Plain(Case.NRTL_Alpha)));
  DbPairLookup::Form_Activate();
}

DbLookupForm::Captions frmDBNRTL::Caption() const {
  return {"NRTL定数DB検索", "Querry NRTL Parameter from Data Base"};
}

DbLookupForm::Captions frmDBNRTL::Not_Found() const {
  return {"NRTL定数がデータベースにありません。", "NRTL定数がデータベースにありません。"};
}

std::vector<vzdb::Record> frmDBNRTL::Pair_Query(vzdb::PropertyDb& db, const std::string& n1,
                                                const std::string& n2) {
  return db.Pair_Search_Alpha(n1, n2, Case.NRTL_Alpha);
}

VZ_FORM_FACTORY(frmDBNRTL);
