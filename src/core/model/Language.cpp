#include "core/model/Language.h"

#include "core/model/CaseData.h"

bool In_English() { return Case.Language == 1; }

std::string InLanguage(std::string_view ja, std::string_view en) { return std::string(In_English() ? en : ja); }
