#include "purecomp/estimation_ui/frmPhysicalLydersen.h"

VZ_FORM_FACTORY(frmPhysicalLydersen);
