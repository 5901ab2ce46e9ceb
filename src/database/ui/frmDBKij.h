// Equation-of-state kij lookup: one value of a pair into both elements of the kij matrix.
#pragma once

#include "database/ui/DbPairLookup.h"

class frmDBKij : public DbPairLookup {
  Q_OBJECT

 public:
  frmDBKij();

 protected:
  Captions Caption() const override;
  Captions Not_Found() const override;
  bool Message_With_App_Title() const override { return true; }
};
