#pragma once

#include <optional>
#include <string>
#include <vector>

#include "store/race_day.h"

namespace store {

/// The race-list item of an RA record: the racecourse name (4 bytes), the race number
/// right-aligned in two places and "R" ("東京 1R"). nullopt when the record holds no
/// race (year blank or "0000").
std::optional<std::string> RaceListItem(const RaRecord& ra);

/// The items of the race list, slot by slot; item i is slot i while the day file
/// holds no blank record.
std::vector<std::string> BuildRaceList(const RaceDay& day);

}  // namespace store
