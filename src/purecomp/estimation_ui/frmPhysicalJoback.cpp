#include "purecomp/estimation_ui/frmPhysicalJoback.h"

VZ_FORM_FACTORY(frmPhysicalJoback);
