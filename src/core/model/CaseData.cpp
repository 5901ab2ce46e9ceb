#include "core/model/CaseData.h"

#include <memory>

#include "platform/text/NumberText.h"

CaseData Case;

// The shared readers and grid cells word their refusals in the case's language.
[[maybe_unused]] static const bool kTextLanguageHooked = (txt::SetMessageLanguage([] { return Case.Language == 1; }), true);

void Reset_Case_Data() {
  // The store is too large for the stack: build the fresh copy on the heap.
  auto fresh = std::make_unique<CaseData>();
  Case = *fresh;
}
