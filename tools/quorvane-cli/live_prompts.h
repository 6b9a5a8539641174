#pragma once

#include <iosfwd>
#include <string>

#include "platform/clock.h"
#include "platform/user_prompts.h"

namespace cli {

/// The race day's window on a terminal: every status text and message becomes one line
/// of standard error in UTF-8, led by the time of the clock ("09:15:00 東京 1R ｵｯｽﾞ取得中").
/// A cleared status label prints nothing; confirmations are answered No.
class LivePrompts : public platform::UserPrompts {
 public:
  LivePrompts(const platform::Clock& clock, std::ostream& err);

  void Beep() override {}
  void Inform(const std::string& text) override { Line(text); }
  bool Confirm(const std::string& text) override;
  void SetStatus(const std::string& where, const std::string& text) override;
  void SetProgress(const std::string&, int, int) override {}
  void ProcessEvents() override {}

  /// One line: the time, a blank, the Shift-JIS text in UTF-8.
  void Line(const std::string& sjis);

 private:
  const platform::Clock& clock_;
  std::ostream& err_;
};

}  // namespace cli
