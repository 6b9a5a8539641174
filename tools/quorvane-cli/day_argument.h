#pragma once

#include <optional>
#include <string>
#include <vector>

namespace cli {

/// What --day names: a date, today, or the newest finished day.
struct DayArgument {
  enum class Kind { kDate, kToday, kLatest };
  Kind kind = Kind::kDate;
  int ymd = 0;  ///< yyyymmdd of kDate
};

/// Reads --day: "2024年05月18日", "2024-05-18", "20240518", "today" or "latest" (UTF-8).
/// UsageError for any other text and for a date that does not exist (2024-02-30).
DayArgument ParseDayArgument(const std::string& utf8);

/// The DayPrefix of a date yyyymmdd, UTF-8: "2024年05月18日".
std::string DayPrefixUtf8(int ymd);

/// The stored day that --day names, given the stored days as yyyymmdd (any order) and
/// today's date; nullopt when that day is not stored (or, for latest, none is before today).
std::optional<int> ResolveDay(const DayArgument& day, const std::vector<int>& stored, int today);

/// The date --day means before it is looked up: the date itself, or today (0 for latest).
int WantedDay(const DayArgument& day, int today);

/// The stored days nearest to `ymd`: the latest before it and the earliest after it, 0
/// where there is none.
struct NearestDays {
  int before = 0;
  int after = 0;
};
NearestDays NearestStoredDays(const std::vector<int>& stored, int ymd);

}  // namespace cli
