#pragma once

#include <string_view>

#include "codes/layouts/odds_layout.h"
#include "store/race_day.h"

namespace store {

/// The value of an odds field of an O1 … O6 record. The field trimmed of blanks:
/// all "-" or all "*" over the full width (cancelled before or after sale) gives
/// kOddsScratched (−1), empty gives kOddsBlank (−2), digits give the delivered tenths
/// divided by 10 ("0123" gives 12.3). Any other text raises InputError quoting it.
double OddsValue(std::string_view field);

/// True when the field is all digits or all blanks, the two forms nearly every odds field
/// has: such a field converts without fault and needs no closer look. Any other text
/// gives false, whether OddsValue would take it or not.
bool IsDigitsOrBlank(std::string_view field);

/// The first entry from `from` on of a run of combination odds in `record` whose odds text
/// is not IsDigitsOrBlank, or run.count + 1 when there is none. Each field is read in one
/// word where the record allows, for an O6 record has 4,896 of them.
int NextOtherOddsText(std::string_view record, const codes::odds_layout::OddsRun& run, int from);

/// True when the odds text gave a number rather than one of the two sentinels.
inline bool IsOddsNumber(double value) { return value != kOddsScratched && value != kOddsBlank; }

}  // namespace store
