// The chosen language's text as a QString, for windows. The choice itself is
// the core's (core/model/Language.h); this only converts.
#pragma once

#include <QString>

#include <string_view>

#include "core/model/Language.h"

inline QString QInLanguage(std::string_view ja, std::string_view en) {
  const std::string text = InLanguage(ja, en);
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
