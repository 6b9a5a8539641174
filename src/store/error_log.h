#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"

namespace store {

/// Lines of earlier runs that the error log keeps at start.
inline constexpr size_t kErrorLogKeptLines = 100;

/// "【エラー】hh:nn:ss：message" (Shift-JIS; the message is Shift-JIS too).
std::string ErrorLogLine(const platform::LocalTime& now, std::string_view message);

/// The start of a run in the log: the oldest lines go while more than 100 remain,
/// then "ソフト起動：yyyy/mm/dd hh:nn:ss" and the program folder are appended.
void StartErrorLogLines(std::vector<std::string>& lines, const platform::LocalTime& now,
                        std::string_view program_folder_text);

}  // namespace store
