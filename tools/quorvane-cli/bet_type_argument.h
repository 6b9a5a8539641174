#pragma once

#include <string>

#include "codes/bet_numbering.h"

namespace cli {

/// The bet table named on the command line: UR, UT, SRF or SRT; UsageError otherwise.
codes::BetType BetTypeArgument(const std::string& option, const std::string& text);

/// The name the command line and the JSON use for a table's type ("UR", "UT", "SRF", "SRT").
const char* BetTypeWord(codes::BetType type);

/// Race-list item `slot` of the loaded day; UsageError when the list has no such item.
int RaceItemArgument(long long slot, int item_count);

}  // namespace cli
