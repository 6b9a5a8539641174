#pragma once

#include <optional>
#include <string>
#include <vector>

#include "store/date_list.h"
#include "store/day_venues.h"
#include "store/hr_pass.h"
#include "store/race_day.h"
#include "store/race_list.h"
#include "store/race_pass.h"
#include "store/record_store.h"

namespace store {

/// Every record a day load takes from the day's files, read and checked before anything
/// in memory changes: each file is read once, each runner file once per racecourse.
struct DayLoadRecords {
  RacePassRecords races;
  std::vector<std::string> payouts;  ///< HR records; empty without a ".jvHR" file
};

/// Reads the day file, its runner files and its ".jvHR" file. nullopt when the day file
/// does not exist (the day has not been pulled completely); InputError naming the file
/// and the fault for bad input (see ReadRacePassRecords, ReadHrRecords).
std::optional<DayLoadRecords> ReadDayLoadRecords(const RecordStore& store,
                                                 const std::string& day_prefix);

/// Sets every RaceWork field of all 36 slots to its empty value.
void ResetRaceWork(RaceDay& day);

/// The raw-record steps of a day load: every raw record of all 36 slots to spaces, the
/// races and their runners into `RaRec`/`SeRec` slot by slot, then each HR record into
/// the `HrRec` of its race.
void ApplyDayLoadRecords(RaceDay& day, const DayLoadRecords& records);

}  // namespace store
