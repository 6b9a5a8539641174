#pragma once

#include "store/race_day.h"

namespace store {

/// Registered runners N of a race (RA 882-883); InputError naming the slot above 18,
/// which a race day cannot hold. Every reader of N takes it from here.
int RegisteredRunners(const RaRecord& ra, int slot);
/// The same for the race of `slot` of the day.
int RegisteredRunners(const RaceDay& day, int slot);

}  // namespace store
