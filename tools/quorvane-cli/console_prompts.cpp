#include "console_prompts.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <iostream>

#include "codes/cp932.h"

namespace cli {
namespace {

constexpr int kBarWidth = 30;

std::string Utf8(const std::string& sjis) { return codes::SjisToUtf8Lenient(sjis); }

// "y" or "yes" in any case, blanks around allowed; everything else is No.
bool IsYes(const std::string& answer) {
  std::string word;
  for (char c : answer) {
    if (c != ' ' && c != '\t' && c != '\r') {
      word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
  }
  return word == "y" || word == "yes";
}

}  // namespace

ConsolePrompts::ConsolePrompts(bool yes)
    : ConsolePrompts(yes, std::cin, isatty(STDIN_FILENO) == 1, std::cerr) {}

ConsolePrompts::ConsolePrompts(bool yes, std::ostream& err)
    : yes_(yes), in_(nullptr), interactive_(false), err_(err) {}

ConsolePrompts::ConsolePrompts(bool yes, std::istream& in, bool interactive, std::ostream& err)
    : yes_(yes), in_(&in), interactive_(interactive), err_(err) {}

void ConsolePrompts::Beep() {}

void ConsolePrompts::Inform(const std::string& text) {
  EndProgressLine();
  ++informs_;
  err_ << Utf8(text) << "\n" << std::flush;
}

bool ConsolePrompts::Confirm(const std::string& text) {
  EndProgressLine();
  err_ << Utf8(text) << " [y/N] ";
  if (yes_ || !interactive_ || in_ == nullptr) {
    err_ << (yes_ ? "y" : "N");
    if (!yes_ && in_ != nullptr) err_ << " (standard input is no terminal; --yes answers Yes)";
    err_ << "\n" << std::flush;
    return yes_;
  }
  err_ << std::flush;
  std::string answer;
  if (!std::getline(*in_, answer)) {
    err_ << "N\n" << std::flush;  // end of input: no answer is No
    return false;
  }
  return IsYes(answer);
}

void ConsolePrompts::SetStatus(const std::string& where, const std::string& text) {
  // A status label is redrawn often with the same text; print only changes.
  const std::string line = where + "\t" + text;
  if (text.empty() || line == last_status_) return;
  last_status_ = line;
  EndProgressLine();
  err_ << Utf8(text) << "\n" << std::flush;
}

void ConsolePrompts::SetProgress(const std::string& where, int position, int maximum) {
  const int shown = maximum > 0 ? std::clamp(position, 0, maximum) : 0;
  const int filled = maximum > 0 ? shown * kBarWidth / maximum : 0;
  err_ << "\r" << where << " [" << std::string(static_cast<size_t>(filled), '#')
       << std::string(static_cast<size_t>(kBarWidth - filled), ' ') << "] " << shown << "/"
       << maximum << std::flush;
  progress_open_ = true;
  if (maximum > 0 && position >= maximum) EndProgressLine();
}

void ConsolePrompts::EndProgressLine() {
  if (!progress_open_) return;
  err_ << "\n";
  progress_open_ = false;
}

}  // namespace cli
