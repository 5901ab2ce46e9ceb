#include "core/model/CaseData.h"

#include <memory>

CaseData Case;

void Reset_Case_Data() {
  // The store is too large for the stack: build the fresh copy on the heap.
  auto fresh = std::make_unique<CaseData>();
  Case = *fresh;
}
