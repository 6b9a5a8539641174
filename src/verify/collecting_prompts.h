#pragma once

#include <string>
#include <vector>

#include "platform/user_prompts.h"

namespace verify {

/// The prompts of a replay worker: nothing is shown; the messages a day load would show
/// are kept (Shift-JIS) for the export's summary, and questions are answered No.
class CollectingPrompts : public platform::UserPrompts {
 public:
  void Beep() override {}
  void Inform(const std::string& text) override { messages.push_back(text); }
  bool Confirm(const std::string& text) override {
    messages.push_back(text);
    return false;
  }
  void SetStatus(const std::string&, const std::string&) override {}
  void SetProgress(const std::string&, int, int) override {}
  void ProcessEvents() override {}

  std::vector<std::string> messages;
};

}  // namespace verify
