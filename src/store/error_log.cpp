#include "store/error_log.h"

#include <cstdio>

#include "codes/cp932.h"

namespace store {

std::string ErrorLogLine(const platform::LocalTime& now, std::string_view message) {
  static const std::string kError = codes::Sj("【エラー】");
  static const std::string kColon = codes::Sj("：");
  char time[16];
  std::snprintf(time, sizeof time, "%02d:%02d:%02d", now.hour, now.minute, now.second);
  std::string line = kError;
  line.append(time).append(kColon);
  // A line break inside a message would split it into lines of no known form.
  for (char c : message) line.push_back(c == '\r' || c == '\n' ? ' ' : c);
  return line;
}


void StartErrorLogLines(std::vector<std::string>& lines, const platform::LocalTime& now,
                        std::string_view program_folder_text) {
  static const std::string kStart = codes::Sj("ソフト起動：");
  if (lines.size() > kErrorLogKeptLines) {
    lines.erase(lines.begin(), lines.end() - static_cast<std::ptrdiff_t>(kErrorLogKeptLines));
  }
  lines.push_back(kStart + platform::FormatLocalTime(now));
  lines.emplace_back(program_folder_text);
}

}  // namespace store
