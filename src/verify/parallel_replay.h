#pragma once

// Replays race days on several threads. A day's figures depend only on the stored files
// (its own and the previous day's runner files), never on the day replayed before it, so
// each worker has a Session of its own (its own RaceDay, bet tables and screen state) and
// the results are kept in the order of the days: the outcome is the same for any number
// of workers.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/ini_file.h"
#include "platform/clock.h"
#include "platform/companion_locator.h"
#include "platform/launcher.h"
#include "verify/day_replay.h"

namespace verify {

/// What every worker's Session is made of: the main window's program folder, date list,
/// rule-book choice and settings as they were when the replay started, and its ports
/// (used read-only; they must outlive the replay).
struct ReplaySetup {
  std::filesystem::path program_folder;
  std::vector<std::string> date_items;  ///< the date list, newest first, Shift-JIS
  bool logic_unticked = false;
  /// The settings file holding the lines it had at the start (IniFile::HoldContents):
  /// every worker reads the rule book, the stake split, the amount and the odds time
  /// from these lines, so a setting changed during the replay changes none of its races.
  app::IniFile settings{std::filesystem::path{}};
  platform::Clock* clock = nullptr;
  platform::Launcher* launcher = nullptr;
  platform::CompanionLocator* companions = nullptr;
};

/// Where a replay stands: `done` of `total` days finished; `day` the day most recently
/// started; `finished` the days newly finished in date order since the last report: each
/// day once, after every day before it has finished (a day the workers finished early
/// waits for those), so a list of them reads oldest first (DayPrefixes, Shift-JIS).
struct ReplayProgress {
  int done = 0;
  int total = 0;
  std::string day;
  std::vector<std::string> finished;
};

/// Calls made on the caller's thread while the workers run: `progress` whenever a day
/// finishes and at least every 50 ms, `cancelled` as often; either may be empty. The
/// desktop lets window messages run in `progress`, so its cancel button can answer.
struct ReplayCallbacks {
  std::function<void(const ReplayProgress&)> progress;
  std::function<bool()> cancelled;
};

/// The number of workers for `jobs`: the number given, or every core when 0 or less.
int WorkerCount(int jobs);

/// Replays `days` (DayPrefixes, Shift-JIS) on WorkerCount(jobs) threads, but never more
/// threads than days. The results are in the order of `days`; nullopt when cancelled
/// (the workers stop after their current day). An error that is not a day's own (a worker
/// that cannot start) is raised here once every worker has stopped.
std::optional<std::vector<DayExport>> ReplayDays(const ReplaySetup& setup,
                                                 const std::vector<std::string>& days, int jobs,
                                                 const ReplayCallbacks& callbacks);

}  // namespace verify
