#include <optional>
#include <string>
#include <vector>

#include "analysis/race_selection.h"
#include "codes/layouts/se_layout.h"
#include "codes/record_field.h"
#include "store/fixed_records.h"
#include "store/record_lengths.h"

namespace analysis {
namespace {

// The loaded day's venue position 1..3 of a racecourse code; nullopt when the day has
// no race there.
std::optional<int> VenuePositionOf(const store::RaceDay& day, std::string_view code) {
  for (int v = 1; v <= store::kVenueCount; ++v) {
    if (!day.DayVenues[v].empty() && day.DayVenues[v] == code) return v;
  }
  return std::nullopt;
}

void CountFavourite(store::RaceDay& day, std::string_view se) {
  if (codes::Field(se, codes::se_layout::kWinPopularity) != "01") return;
  const std::optional<int> v = VenuePositionOf(day, codes::Field(se, codes::se_layout::kCourse));
  if (!v) return;
  day.PreDayPresent[*v] = 1;
  const std::string_view finished = codes::Field(se, codes::se_layout::kFinalPlacing);
  if (finished == "01") {
    ++day.PreDayFav1st[*v];
  } else if (finished == "02") {
    ++day.PreDayFav2nd[*v];
  }
}

}  // namespace

void ClearPreviousDay(store::RaceDay& day) {
  day.PreDayFav1st.Fill(0);
  day.PreDayFav2nd.Fill(0);
  day.PreDayPresent.Fill(0);
}

void CountPreviousDay(store::RaceDay& day,
                      const std::vector<store::FixedRecordFile>& previous_day_runners) {
  ClearPreviousDay(day);
  for (const store::FixedRecordFile& file : previous_day_runners) {
    for (size_t i = 0; i < file.Size(); ++i) CountFavourite(day, file.Record(i));
  }
}

void CountPreviousDay(store::RaceDay& day,
                      const std::vector<std::filesystem::path>& previous_day_runner_files) {
  std::vector<store::FixedRecordFile> runners;
  for (const std::filesystem::path& file : previous_day_runner_files) {
    // A file gone since it was listed has nothing to count.
    if (auto records = store::FixedRecordFile::Read(file, store::kSeLength)) {
      runners.push_back(std::move(*records));
    }
  }
  CountPreviousDay(day, runners);
}

void CountPreviousDay(store::RaceDay& day,
                      const std::vector<std::string>& previous_day_runner_files) {
  CountPreviousDay(day, std::vector<std::filesystem::path>(previous_day_runner_files.begin(),
                                                           previous_day_runner_files.end()));
}

}  // namespace analysis
