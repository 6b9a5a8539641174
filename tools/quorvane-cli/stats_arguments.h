#pragma once

#include <optional>
#include <string>

#include "cli_args.h"
#include "verify/stats_conditions.h"

namespace cli {

/// What `stats` is asked for: the file, the conditions of the tab, and the table to add.
struct StatsRequest {
  std::string file;                    ///< Shift-JIS name under csv/
  verify::StatsConditions conditions;  ///< every date unless --from/--to
  std::optional<std::string> by;       ///< "month" or "course"
};

/// Reads the options of `stats`; UsageError (status 2) for an unknown option, a list item
/// the tab does not have, or a value outside its control's range.
StatsRequest ParseStatsRequest(const CliArgs& args);

}  // namespace cli
