#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/race_day.h"

namespace store {

/// The sorted, duplicate-free racecourse codes (RA 20-21) of the RA records whose race
/// number (RA 26-27) is above 0. Records are whole RA records.
std::vector<std::string> VenueCodesOf(const std::vector<std::string_view>& ra_records);

/// `DayVenues` 1..3 := the venue codes of the day's RaRec, ascending; "" where none.
/// A fourth racecourse cannot be held: InputError, and `DayVenues` is left as it was.
void SetDayVenues(RaceDay& day);

}  // namespace store
