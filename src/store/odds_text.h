#pragma once

#include <string_view>

#include "store/race_day.h"

namespace store {

/// The value of an odds field of an O1 … O6 record. The field trimmed of blanks:
/// all "-" or all "*" over the full width (cancelled before or after sale) gives
/// kOddsScratched (−1), empty gives kOddsBlank (−2), digits give the delivered tenths
/// divided by 10 ("0123" gives 12.3). Any other text raises InputError quoting it.
double OddsValue(std::string_view field);

/// True when the odds text gave a number rather than one of the two sentinels.
inline bool IsOddsNumber(double value) { return value != kOddsScratched && value != kOddsBlank; }

}  // namespace store
