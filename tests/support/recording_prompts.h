#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/user_prompts.h"

namespace testsupport {

/// UserPrompts that remember every call, in order, for tests to check. Texts are kept
/// as given (Shift-JIS); `Log` holds one line per call in UTF-8 ("beep", "inform: …",
/// "confirm: …", "status[where]: …", "progress[where]: 3/10") to check the order of calls.
/// Confirm answers from a script of answers, then No.
class RecordingPrompts : public platform::UserPrompts {
 public:
  void Beep() override;
  void Inform(const std::string& text) override;
  bool Confirm(const std::string& text) override;
  void SetStatus(const std::string& where, const std::string& text) override;
  void SetProgress(const std::string& where, int position, int maximum) override;
  void ProcessEvents() override;

  /// The answers of the next confirmations, in order; once used up, Confirm answers No.
  void ScriptAnswers(std::vector<bool> answers);

  /// The informations shown, in UTF-8.
  std::vector<std::string> InformsUtf8() const;
  /// Forgets every call made so far.
  void Clear();

  struct Progress {
    std::string where;
    int position = 0;
    int maximum = 0;
  };

  int beeps = 0;
  int process_events = 0;
  std::vector<std::string> informs;   ///< Shift-JIS
  std::vector<std::string> confirms;  ///< Shift-JIS questions asked
  std::vector<std::pair<std::string, std::string>> statuses;  ///< (where, Shift-JIS text)
  std::vector<Progress> progress;
  std::vector<std::string> Log;  ///< every call in order, UTF-8

 private:
  std::deque<bool> answers_;
};

}  // namespace testsupport
