#include "purecomp/estimation_ui/frmPhysicalAmbrose.h"

VZ_FORM_FACTORY(frmPhysicalAmbrose);
