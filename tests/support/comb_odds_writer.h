#pragma once

#include "codes/bet_numbering.h"
#include "store/race_day.h"

namespace testsupport {

/// Writes the odds and popularity of combination `index` of 馬連, 馬単, ３連複 or ３連単
/// into the slot's odds record in the delivered form: the tenths as zero-led digits,
/// kOddsScratched as dashes and kOddsBlank as blanks over the whole field. Every entry of
/// that kind then counts as checked, as after an import that met no bad text.
void PutCombOdds(store::RaceDay& day, int slot, codes::BetType type, int index, double odds,
                 int popularity);

}  // namespace testsupport
