#include "database/ui/frmDBKij.h"

frmDBKij::frmDBKij() : DbPairLookup("frmDBKij", vzdb::LookupKind::Kij, 7) {}

DbLookupForm::Captions frmDBKij::Caption() const { return {"Kij 定数DB検索", "Querry Kij Parameter from Data Base"}; }

DbLookupForm::Captions frmDBKij::Not_Found() const { return {"SRK/PRのKij Parameterがデータベースにありません。", "SRK/PRのKij Parameterがデータベースにありません。"}; }

VZ_FORM_FACTORY(frmDBKij);
