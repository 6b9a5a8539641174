#pragma once

#include <string>

#include "platform/user_prompts.h"

namespace platform {

/// Prompts that show nothing and answer No: for runs without a user (benchmarks,
/// replays of stored days).
class SilentPrompts : public UserPrompts {
 public:
  void Beep() override {}
  void Inform(const std::string&) override {}
  bool Confirm(const std::string&) override { return false; }
  void SetStatus(const std::string&, const std::string&) override {}
  void SetProgress(const std::string&, int, int) override {}
  void ProcessEvents() override {}
};

}  // namespace platform
