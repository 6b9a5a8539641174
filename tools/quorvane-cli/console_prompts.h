#pragma once

#include <iosfwd>
#include <string>

#include "platform/user_prompts.h"

namespace cli {

/// The program's dialogs on a terminal: every message, question and status line goes
/// to standard error in UTF-8 (the core's texts are Shift-JIS). A confirmation is
/// answered Yes when constructed with `yes` (the --yes switch); otherwise, when standard
/// input is a terminal, the user types y or n, and when it is not (a script, a pipe) the
/// answer is No, said on the line. Progress is a bar on one line of standard error,
/// redrawn in place and ended when it reaches its maximum. The beep makes no sound:
/// the message that follows it says everything.
class ConsolePrompts : public platform::UserPrompts {
 public:
  explicit ConsolePrompts(bool yes = false);
  /// Writes to `err` instead of standard error and never asks (for tests).
  ConsolePrompts(bool yes, std::ostream& err);
  /// Asks on `in` when `interactive` (a terminal), else answers No (for tests).
  ConsolePrompts(bool yes, std::istream& in, bool interactive, std::ostream& err);

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
  std::istream* in_;
  bool interactive_;
  std::ostream& err_;
  int informs_ = 0;
  bool progress_open_ = false;
  std::string last_status_;
};

}  // namespace cli
