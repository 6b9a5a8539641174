#pragma once

#include <optional>
#include <string_view>

#include "store/race_day.h"
#include "store/registered_runners.h"

namespace analysis {

/// True when the slot's race is in the race list (its RA year is neither blank nor "0000").
bool IsListedRace(const store::RaceDay& day, int slot);

/// The racecourse code of the slot's race (RA 20-21).
std::string_view VenueCodeOf(const store::RaceDay& day, int slot);

/// The runner index k of the first of the N runners whose win rank is `rank`.
std::optional<int> RunnerOfRank(const store::RaceDay& day, int slot, int rank);

/// The win odds of the runner of `rank`; 0 when the race has no such runner.
double OddsOfRank(const store::RaceDay& day, int slot, int rank);

}  // namespace analysis
