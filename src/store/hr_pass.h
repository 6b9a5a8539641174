#pragma once

#include <optional>
#include <string>
#include <vector>

#include "store/race_day.h"
#include "store/record_store.h"

namespace store {

/// The HR records of the day's ".jvHR" file in file order, at most 36 (a day has no
/// more races). nullopt when the file does not exist; InputError naming the file when
/// it ends inside a record or holds a record of the wrong length.
std::optional<std::vector<std::string>> ReadHrRecords(const RecordStore& store,
                                                      const std::string& day_prefix);

/// Copies each HR record into `HrRec` of the first slot whose RA record has the same
/// year, month-day, racecourse and race number (positions 12-19, 20-21, 26-27). A record
/// with a blank key, or one that matches no race, is dropped. The order of the HR file
/// does not matter.
void MatchHrRecords(RaceDay& day, const std::vector<std::string>& hr_records);

}  // namespace store
