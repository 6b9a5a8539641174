#include "support/recording_prompts.h"

#include "codes/cp932.h"

namespace testsupport {

void RecordingPrompts::Beep() {
  ++beeps;
  Log.push_back("beep");
}

void RecordingPrompts::Inform(const std::string& text) {
  informs.push_back(text);
  Log.push_back("inform: " + codes::SjisToUtf8Lenient(text));
}

bool RecordingPrompts::Confirm(const std::string& text) {
  confirms.push_back(text);
  bool answer = false;
  if (!answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
  }
  Log.push_back("confirm: " + codes::SjisToUtf8Lenient(text) + (answer ? " -> yes" : " -> no"));
  return answer;
}

void RecordingPrompts::SetStatus(const std::string& where, const std::string& text) {
  statuses.emplace_back(where, text);
  Log.push_back("status[" + where + "]: " + codes::SjisToUtf8Lenient(text));
}

void RecordingPrompts::SetProgress(const std::string& where, int position, int maximum) {
  progress.push_back({where, position, maximum});
  Log.push_back("progress[" + where + "]: " + std::to_string(position) + "/" +
                std::to_string(maximum));
}

void RecordingPrompts::ProcessEvents() { ++process_events; }

void RecordingPrompts::ScriptAnswers(std::vector<bool> answers) {
  answers_.assign(answers.begin(), answers.end());
}

std::vector<std::string> RecordingPrompts::InformsUtf8() const {
  std::vector<std::string> out;
  for (const std::string& text : informs) out.push_back(codes::SjisToUtf8Lenient(text));
  return out;
}

void RecordingPrompts::Clear() {
  beeps = 0;
  process_events = 0;
  informs.clear();
  confirms.clear();
  statuses.clear();
  progress.clear();
  Log.clear();
}

}  // namespace testsupport
