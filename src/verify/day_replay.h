#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/session.h"
#include "verify/collecting_prompts.h"

namespace verify {

/// What the replay of one race day gave: the lines of each bet type (馬連, 馬単, ３連複,
/// ３連単, in the order of bets::BetTables::kOrder), or why the day was skipped.
struct DayExport {
  std::string day;  ///< the DayPrefix, Shift-JIS
  bool loaded = false;
  std::array<std::vector<std::string>, 4> lines;
  int races = 0;        ///< races shown
  std::string failure;  ///< the message of a day that could not be loaded, Shift-JIS
};

/// Replays one day as the user would in the main window: picks the day in the date list
/// (which loads it), then selects every race of the race list in turn, each shown with the
/// ticked rule book; after each race, every bet table whose stake total is above 0 adds
/// the race's line. A day that does not load, or a race that stops with an error, ends
/// with the message in `failure` and no lines. `session` holds the date list, the
/// settings and the rule-book choice; `prompts` are its prompts.
DayExport ReplayDay(app::Session& session, CollectingPrompts& prompts,
                    const std::string& day_prefix);

}  // namespace verify
