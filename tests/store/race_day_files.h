#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "store/record_store.h"

namespace testsupport {

/// The 16-digit RaceKey of a race: date yyyymmdd, racecourse, meeting 02, day 03, race.
std::string KeyOf(std::string_view ymd, std::string_view course, int race);

/// An RA record with data kind 7, `runners` registered runners and a post time.
std::string RaOf(std::string_view key, int runners, std::string_view post_time = "1000");
/// An SE record of one horse, named so that tests can tell runners apart.
std::string SeOf(std::string_view key, int horse);
/// An HR record whose 単勝 entry pays `horse`.
std::string HrOf(std::string_view key, int horse = 1);

/// An O1 record whose runner k has win odds `win_tenths[k]` (tenths) and place low
/// odds of a third of them (at least 1.0).
std::string O1Of(std::string_view key, const std::vector<int>& win_tenths);

/// A race of a test day.
struct TestRace {
  std::string course;  ///< racecourse code, "05"
  int race = 1;
  int runners = 10;
};

/// Files a day through the store's own writers: each race's RA line, its runners'
/// slots and its HR line, in the order given. `ymd` is the date yyyymmdd.
void StoreDay(store::RecordStore& store, std::string_view ymd, const std::vector<TestRace>& races,
              bool with_payouts = true);

/// Twelve races at each of the racecourses, race r with 6 + r runners.
std::vector<TestRace> TwelveRacesAt(const std::vector<std::string>& courses);

/// Every file under `folder` with its bytes, to show that nothing was changed.
std::map<std::string, std::string> FolderSnapshot(const std::filesystem::path& folder);

}  // namespace testsupport
