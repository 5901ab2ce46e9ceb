// Wilson-parameter lookup: Lambda12 and Lambda21 of a pair into the Wilson matrix or the VLE estimation's pair.
#pragma once

#include "database/ui/DbPairLookup.h"

class frmDBWilson : public DbPairLookup {
  Q_OBJECT

 public:
  frmDBWilson();

 protected:
  Captions Caption() const override;
  Captions Not_Found() const override;
};
