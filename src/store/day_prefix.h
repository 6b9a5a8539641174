#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace store {

/// Bytes of a DayPrefix in Shift-JIS: yyyy年mm月dd日.
inline constexpr size_t kDayPrefixLength = 14;

/// The DayPrefix of a date "yyyymmdd" (8 digits of a real date); nullopt for anything else.
std::optional<std::string> DayPrefixOfDate(std::string_view yyyymmdd);

/// The DayPrefix of a record: positions 12-19 as yyyy年mm月dd日; nullopt when they are
/// not a real date (such a record must never name a file).
std::optional<std::string> DayPrefixOfRecord(std::string_view record);

/// True when the text is a DayPrefix: 14 Shift-JIS bytes yyyy年mm月dd日 of a real date.
bool IsDayPrefix(std::string_view text);

/// The DayPrefix that begins a record file's name; nullopt for other names.
std::optional<std::string> DayPrefixOfFileName(const std::filesystem::path& file);

/// True for a day file ".jvRA": the file that puts a day into the date list, so a
/// writer of several files of one day writes it last.
bool IsDayListFile(const std::filesystem::path& file);

/// The date "yyyymmdd" of a DayPrefix; InputError when the text is not one.
std::string DateOfDayPrefix(std::string_view day_prefix);

}  // namespace store
