#include "core/model/CalcMessages.h"

#include <algorithm>

namespace {
CalcMessageHandler g_handler;
int g_scopeDepth = 0;
std::vector<std::string> g_shown;  // texts shown in the open scope
}  // namespace

CalcMessageHandler Set_Calc_Message_Handler(CalcMessageHandler handler) {
  auto previous = std::move(g_handler);
  g_handler = std::move(handler);
  return previous;
}

void Calc_Message(const std::string& text) {
  if (g_scopeDepth > 0) {
    if (std::find(g_shown.begin(), g_shown.end(), text) != g_shown.end()) return;
    g_shown.push_back(text);
  }
  if (g_handler) g_handler(text);
}

CalcMessageScope::CalcMessageScope() : outer_(g_scopeDepth == 0) {
  if (outer_) g_shown.clear();
  ++g_scopeDepth;
}

CalcMessageScope::~CalcMessageScope() {
  --g_scopeDepth;
  if (outer_) g_shown.clear();
}

CalcMessageRecorder::CalcMessageRecorder()
    : previous_(Set_Calc_Message_Handler([this](const std::string& t) { messages_.push_back(t); })) {}

CalcMessageRecorder::~CalcMessageRecorder() { Set_Calc_Message_Handler(std::move(previous_)); }
