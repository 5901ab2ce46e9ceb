#include "purecomp/estimation_ui/frmPhysicalFedors.h"

VZ_FORM_FACTORY(frmPhysicalFedors);
