// NRTL-parameter lookup: only the data sets whose alpha is the case's alpha;
// Tau12 and Tau21 of a pair into the tau matrix or the VLE estimation's pair.
#pragma once

#include <QLabel>
#include <QLineEdit>

#include "database/ui/DbPairLookup.h"

class frmDBNRTL : public DbPairLookup {
  Q_OBJECT

 public:
  frmDBNRTL();
  void Form_Activate() override;

  QLabel* lblNRTLAlpha;
  QLineEdit* txtNRTLAlpha;  // shows the alpha searched for; not read back

 protected:
  Captions Caption() const override;
  Captions Not_Found() const override;
  std::vector<vzdb::Record> Pair_Query(vzdb::PropertyDb& db, const std::string& n1,
                                       const std::string& n2) override;
};
