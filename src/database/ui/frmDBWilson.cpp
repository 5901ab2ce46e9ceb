#include "database/ui/frmDBWilson.h"

frmDBWilson::frmDBWilson() : DbPairLookup("frmDBWilson", vzdb::LookupKind::Wilson, 8) {}

DbLookupForm::Captions frmDBWilson::Caption() const { return {"Wilson定数DB検索", "Querry Wilson Parameter from Data Base"}; }

DbLookupForm::Captions frmDBWilson::Not_Found() const { return {"Wilson定数がデータベースにありません。", "Wilson定数がデータベースにありません。"}; }

VZ_FORM_FACTORY(frmDBWilson);
