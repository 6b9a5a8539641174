#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <string>

#include "platform/user_prompts.h"

namespace uitest {

/// Prompts that show nothing and remember everything (texts in UTF-8 QStrings),
/// answer questions from a script (Yes once it runs out), and let Qt's events run
/// when asked, as the program's prompts do.
class ScriptedPrompts : public platform::UserPrompts {
 public:
  void Beep() override { ++beeps; }
  void Inform(const std::string& text) override;
  bool Confirm(const std::string& text) override;
  void SetStatus(const std::string& where, const std::string& text) override;
  void SetProgress(const std::string&, int, int) override {}
  void ProcessEvents() override;

  void Answer(bool yes) { answers_.push_back(yes); }

  int beeps = 0;
  QStringList informs;
  QStringList confirms;
  QStringList statuses;

 private:
  std::deque<bool> answers_;
};

}  // namespace uitest
