#include "purecomp/estimation_ui/frmPhysicalKlincewicz.h"

VZ_FORM_FACTORY(frmPhysicalKlincewicz);
