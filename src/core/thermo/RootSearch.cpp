#include "core/thermo/Thermo.h"
void Root_Search(int32_t&, int32_t&, double&, const double&, const double&, const double&, const double&,
                 const double&, double&, double&, double&, double&, double&, double&) {}
