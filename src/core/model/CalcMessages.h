// Messages of the calculation libraries. The libraries never show a window:
// they hand each message to the handler the running window installs (the
// platform's message box), or tests install a recorder.
#pragma once

#include <functional>
#include <string>
#include <vector>

using CalcMessageHandler = std::function<void(const std::string& text)>;

// Installs the handler; returns the previous one. Without a handler messages are dropped.
CalcMessageHandler Set_Calc_Message_Handler(CalcMessageHandler handler);

// Shows a message through the handler, once per text while a CalcMessageScope is open.
void Calc_Message(const std::string& text);

// One user action (a button's calculation, a column run, a curve of 201 points):
// while it is open, a message already shown in it is not shown again.
class CalcMessageScope {
 public:
  CalcMessageScope();
  ~CalcMessageScope();
  CalcMessageScope(const CalcMessageScope&) = delete;
  CalcMessageScope& operator=(const CalcMessageScope&) = delete;

 private:
  bool outer_;
};

// Collects the messages shown while it lives (tests).
class CalcMessageRecorder {
 public:
  CalcMessageRecorder();
  ~CalcMessageRecorder();
  const std::vector<std::string>& Messages() const { return messages_; }

 private:
  std::vector<std::string> messages_;
  CalcMessageHandler previous_;
};
