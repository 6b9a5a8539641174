#include "race_day_files.h"

#include <algorithm>
#include <cstdio>

#include "store/record_lengths.h"
#include "support/record_builder.h"
#include "support/temp_dir.h"

namespace testsupport {

std::string KeyOf(std::string_view ymd, std::string_view course, int race) {
  char number[3];
  std::snprintf(number, sizeof number, "%02d", race);
  return std::string(ymd) + std::string(course) + "0203" + number;
}

std::string RaOf(std::string_view key, int runners, std::string_view post_time) {
  std::string ra = RecordWithKey("RA", store::kRaLength, '7', key);
  Put(ra, 874, post_time);
  PutNumber(ra, 882, 2, runners);
  return ra;
}

std::string SeOf(std::string_view key, int horse) {
  std::string se = RecordWithKey("SE", store::kSeLength, '7', key);
  PutNumber(se, 29, 2, horse);
  Put(se, 41, "HORSE" + std::string(key.substr(8, 2)) + std::string(key.substr(14, 2)) + "-" +
                  std::to_string(horse));
  return se;
}

std::string HrOf(std::string_view key, int horse) {
  std::string hr = RecordWithKey("HR", store::kHrLength, '2', key);
  PutNumber(hr, 103, 2, horse);
  PutNumber(hr, 105, 9, 560);
  PutNumber(hr, 114, 2, 3);
  return hr;
}

std::string O1Of(std::string_view key, const std::vector<int>& win_tenths) {
  std::string o1 = RecordWithKey("O1", store::kO1Length, '1', key);
  for (size_t k = 0; k < win_tenths.size(); ++k) {
    const int pos = static_cast<int>(k);
    PutNumber(o1, 44 + 8 * pos, 2, pos + 1);
    PutNumber(o1, 46 + 8 * pos, 4, win_tenths[k]);
    PutNumber(o1, 268 + 12 * pos, 2, pos + 1);
    PutNumber(o1, 270 + 12 * pos, 4, std::max(10, win_tenths[k] / 3));
    PutNumber(o1, 274 + 12 * pos, 4, std::max(10, win_tenths[k] / 2));
  }
  return o1;
}

void StoreDay(store::RecordStore& store, std::string_view ymd, const std::vector<TestRace>& races,
              bool with_payouts) {
  for (const TestRace& race : races) {
    const std::string key = KeyOf(ymd, race.course, race.race);
    store.StoreDayRecord(store.Disk(), RaOf(key, race.runners), ".jvRA", true,
                         store::OrderMode::kSortAndDrop);
    for (int h = 1; h <= race.runners; ++h) store.StoreRunnerRecord(store.Disk(), SeOf(key, h), true);
    if (with_payouts) {
      store.StoreDayRecord(store.Disk(), HrOf(key, race.race), ".jvHR", true,
                           store::OrderMode::kSort);
    }
  }
}

std::vector<TestRace> TwelveRacesAt(const std::vector<std::string>& courses) {
  std::vector<TestRace> races;
  for (const std::string& course : courses) {
    for (int r = 1; r <= 12; ++r) races.push_back({course, r, 6 + r});
  }
  return races;
}

std::map<std::string, std::string> FolderSnapshot(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) files[entry.path().string()] = ReadFileBytes(entry.path());
  }
  return files;
}

}  // namespace testsupport
