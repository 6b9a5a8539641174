#include "jvlink/feed_files.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

namespace jvlink {
namespace fs = std::filesystem;
namespace {

bool AllDigits(const std::string& text, size_t from, size_t count) {
  if (from + count > text.size()) return false;
  return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(from),
                     text.begin() + static_cast<std::ptrdiff_t>(from + count),
                     [](char c) { return c >= '0' && c <= '9'; });
}

int DigitsAt(const std::string& text, size_t from, size_t count) {
  return std::stoi(text.substr(from, count));
}

/// The names of the regular files directly in `folder`, sorted. A missing folder
/// has none; false when the folder exists but cannot be listed.
bool FileNames(const fs::path& folder, std::vector<std::string>& names) {
  names.clear();
  std::error_code ec;
  if (!fs::exists(folder, ec)) return !ec;
  fs::directory_iterator it(folder, ec);
  if (ec) return false;
  for (const fs::directory_entry& entry : it) {
    if (entry.is_regular_file(ec)) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return true;
}

bool EndsWithJvd(const std::string& name) { return name.ends_with(".jvd"); }

/// yyyymmddhhmm of an odds announcement MMDDhhmm for a race of `race_day`. An
/// announcement of a later month than the race is of the year before (the day
/// before a race on the 1st of January).
long long AnnouncementMinute(const std::string& mmddhhmm, const std::string& race_day) {
  int year = DigitsAt(race_day, 0, 4);
  if (DigitsAt(mmddhhmm, 0, 2) > DigitsAt(race_day, 4, 2)) --year;
  return static_cast<long long>(year) * 100000000LL + std::stoll(mmddhhmm);
}

long long MinuteOf(const platform::LocalTime& t) {
  return static_cast<long long>(t.Ymd()) * 10000LL + t.hour * 100 + t.minute;
}

}  // namespace

bool IsValidStamp(const std::string& text) {
  if (text.size() != 14 || !AllDigits(text, 0, 14)) return false;
  const std::string formatted = text.substr(0, 4) + "/" + text.substr(4, 2) + "/" +
                                text.substr(6, 2) + " " + text.substr(8, 2) + ":" +
                                text.substr(10, 2) + ":" + text.substr(12, 2);
  platform::LocalTime parsed;
  return platform::ParseLocalTime(formatted.c_str(), parsed);
}

bool ListStoredFiles(const fs::path& feed, const std::string& fromtime, const std::string& until,
                     std::vector<StoredFile>& out) {
  out.clear();
  std::vector<std::string> names;
  if (!FileNames(feed / "stored", names)) return false;
  for (const std::string& name : names) {
    if (name.size() < 19 || !AllDigits(name, 0, 14) || name[14] != '_' || !EndsWithJvd(name)) {
      continue;
    }
    std::string stamp = name.substr(0, 14);
    if (stamp > fromtime && stamp <= until) out.push_back({stamp, feed / "stored" / name});
  }
  return true;
}

bool ReleasedOdds(const fs::path& feed, const std::string& race_key, const platform::LocalTime& now,
                  std::vector<fs::path>& out) {
  out.clear();
  std::vector<std::string> names;
  const fs::path folder = feed / "realtime" / "0B30" / race_key;
  if (!FileNames(folder, names)) return false;
  const std::string race_day = race_key.substr(0, 8);
  // Only what is announced by now, whatever the race's day: the evening before a race
  // day its final odds are not out yet.
  const long long now_minute = MinuteOf(now);
  long long best = -1;
  std::string best_name;
  for (const std::string& name : names) {
    if (name.size() != 12 || !AllDigits(name, 0, 8) || !EndsWithJvd(name)) continue;
    const long long minute = AnnouncementMinute(name.substr(0, 8), race_day);
    if (minute > now_minute) continue;
    if (minute > best) {
      best = minute;
      best_name = name;
    }
  }
  if (best >= 0) out.push_back(folder / best_name);
  return true;
}

bool ReleasedDayFiles(const fs::path& feed, const std::string& dataspec, const std::string& day,
                      const platform::LocalTime& now, std::vector<fs::path>& out) {
  out.clear();
  std::vector<std::string> names;
  const fs::path folder = feed / "realtime" / dataspec / day;
  if (!FileNames(folder, names)) return false;
  const int ymd = std::stoi(day);
  if (ymd > now.Ymd()) return true;
  const int now_hhmm = now.hour * 100 + now.minute;
  for (const std::string& name : names) {
    if (name.size() != 25 || !AllDigits(name, 0, 4) || name[4] != '_' ||
        !AllDigits(name, 5, 16) || !EndsWithJvd(name)) {
      continue;
    }
    if (ymd == now.Ymd() && DigitsAt(name, 0, 4) > now_hhmm) continue;
    out.push_back(folder / name);
  }
  return true;
}

}  // namespace jvlink
