#include "store/change_notices.h"

#include <algorithm>

#include "codes/record_field.h"
#include "store/add_minutes.h"

namespace store {
namespace {

constexpr int kPostTimePos = 874;

// Racecourse code (20-21) and race number (26-27): how a notice finds its race.
std::string CourseAndRace(std::string_view record) {
  return std::string(codes::Field(record, 20, 2)) + std::string(codes::Field(record, 26, 2));
}

bool IsTcLine(std::string_view line) {
  return line.size() == static_cast<size_t>(kTcLineLength) && codes::Field(line, 1, 2) == "TC";
}

// The ".jvRA" lines of the notice's race take the new post time; true when one matched.
bool MoveDayFileLines(std::vector<std::string>& ra_lines, std::string_view notice,
                      std::string_view new_time, bool& changed) {
  bool matched = false;
  for (std::string& line : ra_lines) {
    if (line.size() < static_cast<size_t>(kPostTimePos + 3)) continue;
    if (CourseAndRace(line) != CourseAndRace(notice)) continue;
    matched = true;
    if (codes::Field(line, kPostTimePos, 4) == new_time) continue;
    line.replace(kPostTimePos - 1, 4, new_time);
    changed = true;
  }
  return matched;
}

// The loaded races of the notice's race take the new post time and the morning times.
int MoveLoadedRaces(RaceDay& day, std::string_view notice, std::string_view new_time,
                    const std::string& first) {
  int moved = 0;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    if (CourseAndRace(day.RaRec[slot].Text()) != CourseAndRace(notice)) continue;
    day.RaRec[slot].Put(kPostTimePos, new_time);
    day.Work[slot].AsaFetchTime1 = first + "00";
    day.Work[slot].AsaFetchTime2 = AddMinutes(first, 1) + "00";
    ++moved;
  }
  return moved;
}

}  // namespace

ChangeNoticeResult ApplyChangeNotices(RaceDay& day, RecordStore& store,
                                      const std::string& day_prefix, const std::string& first) {
  ChangeNoticeResult result;
  const std::string applied = store.NewFileTime(day_prefix);
  const auto tc_file = store.ChangeFilePath(day_prefix);
  const auto ra_file = store.DayFilePath(day_prefix, ".jvRA");
  LineFiles& disk = store.Disk();
  if (!disk.Exists(tc_file) || !disk.Exists(ra_file)) return result;
  // From the read of the day file to its write, so a record filed meanwhile stays.
  FolderLockHold hold(&store.WriteLock());
  std::vector<std::string> ra_lines = disk.Load(ra_file).value_or(std::vector<std::string>{});
  const std::vector<std::string> notices = disk.Load(tc_file).value_or(std::vector<std::string>{});
  result.ran = true;

  bool changed = false;
  const size_t count = std::min(notices.size(), static_cast<size_t>(kMaxChangeNotices));
  for (size_t i = 0; i < count; ++i) {
    const std::string& notice = notices[i];
    if (!IsTcLine(notice)) {
      if (!codes::IsBlank(notice)) result.unmatched.push_back("?" + notice.substr(0, 27));
      continue;
    }
    if (!(std::string(codes::Field(notice, 28, 8)) > applied)) continue;
    const std::string_view new_time = codes::Field(notice, 36, 4);
    if (!MoveDayFileLines(ra_lines, notice, new_time, changed)) {
      result.unmatched.push_back(std::string(codes::Field(notice, 12, 16)));
      continue;
    }
    ++result.applied;
    if (!codes::IsBlank(new_time) && new_time != "0000") {
      result.moved_slots += MoveLoadedRaces(day, notice, new_time, first);
    }
  }
  if (changed) disk.Save(ra_file, ra_lines);
  return result;
}

}  // namespace store
