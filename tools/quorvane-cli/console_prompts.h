#pragma once

#include <iosfwd>
#include <string>

#include "platform/user_prompts.h"

namespace cli {

/// The program's dialogs on a terminal: every message, question and status line goes
/// to standard error in UTF-8 (the core's texts are Shift-JIS). A confirmation is
/// answered No, or Yes when constructed with `yes` (the --yes switch); the question and
/// the answer are both printed. Progress is a bar on one line of standard error,
/// redrawn in place and ended when it reaches its maximum. The beep makes no sound:
/// the message that follows it says everything.
class ConsolePrompts : public platform::UserPrompts {
 public:
  explicit ConsolePrompts(bool yes = false);
  /// Writes to `err` instead of standard error (for tests).
  ConsolePrompts(bool yes, std::ostream& err);

  void Beep() override;
  void Inform(const std::string& text) override;
  bool Confirm(const std::string& text) override;
  void SetStatus(const std::string& where, const std::string& text) override;
  void SetProgress(const std::string& where, int position, int maximum) override;
  void ProcessEvents() override {}

  /// Messages shown so far (a command that showed one usually ends with status 1).
  int InformCount() const { return informs_; }

 private:
  void EndProgressLine();

  bool yes_;
  std::ostream& err_;
  int informs_ = 0;
  bool progress_open_ = false;
  std::string last_status_;
};

}  // namespace cli
