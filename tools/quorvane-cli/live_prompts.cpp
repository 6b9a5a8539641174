#include "live_prompts.h"

#include <cstdio>
#include <ostream>

#include "codes/cp932.h"

namespace cli {

LivePrompts::LivePrompts(const platform::Clock& clock, std::ostream& err) : clock_(clock), err_(err) {}

bool LivePrompts::Confirm(const std::string& text) {
  Line(text + " [y/N] N");
  return false;
}

void LivePrompts::SetStatus(const std::string&, const std::string& text) {
  if (!text.empty()) Line(text);
}

void LivePrompts::Line(const std::string& sjis) {
  const platform::LocalTime now = clock_.Now();
  char time[16];
  std::snprintf(time, sizeof time, "%02d:%02d:%02d ", now.hour, now.minute, now.second);
  std::string text = codes::SjisToUtf8Lenient(sjis);
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  err_ << time << text << "\n" << std::flush;
}

}  // namespace cli
