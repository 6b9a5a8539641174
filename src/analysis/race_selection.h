#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "analysis/logic_b_targets.h"
#include "store/fixed_records.h"
#include "store/race_day.h"

namespace analysis {

/// The race marks from the odds of the day, venue by venue: `OzAve123` (the exact mean
/// of the three favourites' odds), `URTaisho` 1 for the lowest and 2 for the highest mean
/// of the venue, `SRTaisho` by an odds gap of 2.3 among the first three favourites in
/// fields of more than 12, `UTTaisho` 1 and 2 for the weakest favourites (3.5 and up).
/// Runs after the odds import of every race.
void SelectRaces(store::RaceDay& day);

/// The previous day's counts and presence flags of the three venues to 0. Every day
/// load runs it, so a day's Logic B marks never depend on the day loaded before.
void ClearPreviousDay(store::RaceDay& day);

/// The previous race day's favourites at the loaded day's venues: from every SE record
/// of the given runner files, a favourite (popularity "01") sets its venue's presence
/// flag and counts in `PreDayFav1st` when it finished "01", in `PreDayFav2nd` when "02".
/// InputError naming the file when one cannot be read or ends inside a record.
void CountPreviousDay(store::RaceDay& day,
                      const std::vector<std::filesystem::path>& previous_day_runner_files);
/// The same over runner files already read.
void CountPreviousDay(store::RaceDay& day,
                      const std::vector<store::FixedRecordFile>& previous_day_runners);
void CountPreviousDay(store::RaceDay& day,
                      const std::vector<std::string>& previous_day_runner_files);

/// For each venue the previous day was present at: `FavDayRank` of its races (1 = the
/// shortest-priced favourite of the venue), then `Logic2Taisho` and the Logic B axis and
/// partner flags from the Logic B target table. Other venues keep their marks.
void RankFavouritesOfDay(store::RaceDay& day);

}  // namespace analysis
