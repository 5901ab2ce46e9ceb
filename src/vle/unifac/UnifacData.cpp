#include "vle/unifac/UnifacData.h"

UnifacData Unifac;
