#include "purecomp/estimation_ui/frmPhysicalIdealGasHeat.h"

VZ_FORM_FACTORY(frmPhysicalIdealGasHeat);
