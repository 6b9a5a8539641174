#pragma once

#include <string>

#include "app/session.h"
#include "cli_args.h"
#include "console_prompts.h"
#include "day_argument.h"

namespace jvlink {
class JVLink;
}

namespace cli {

/// What one CLI command works with: the console prompts, the machine's clock (or the
/// moment in QUORVANE_NOW), the process launcher, no companion look-up, and the Session
/// over the ProgramFolder of --home, started as the desktop program starts (companion
/// folders, Data/CHG/Kaime, the error log's start lines, the date list).
///
///   const DayArgument day = ParseDayArgument(args.Require("--day"));   // usage first
///   CliSession cli(args);                  // or CliSession cli(args, args.Has("--yes"), &link)
///   if (cli.ChooseDay(day) != app::LoadResult::kLoaded) return 1;
///   ... cli.session().Day() ... cli.DayUtf8() ...
class CliSession {
 public:
  /// `yes` answers every confirmation Yes; `jv_link` (may be null) is the caller's.
  explicit CliSession(const CliArgs& args, bool yes = false, jvlink::JVLink* jv_link = nullptr);

  app::Session& session() { return session_; }
  ConsolePrompts& prompts() { return prompts_; }
  platform::Clock& clock() { return clock_; }

  /// Finds the day of --day in the date list, echoes it ("day: 2024年05月18日" on standard
  /// error) and loads it as the user's choice does. A day that is not in the list is not
  /// loaded: the message names the nearest stored days (kNoDayFile).
  app::LoadResult ChooseDay(const DayArgument& day);

  /// The DayPrefix chosen last, UTF-8.
  const std::string& DayUtf8() const { return day_utf8_; }

  /// The stored days of the date list as yyyymmdd, newest first.
  std::vector<int> StoredDays() const;

  /// How to fill an empty store: the pull, and the sample feed it can read.
  std::string FillHint() const;

 private:
  void ReportMissingDay(const DayArgument& day, int today) const;

  std::string home_;
  ConsolePrompts prompts_;
  platform::SystemClock clock_;
  platform::ProcessLauncher launcher_;
  platform::NoCompanionLocator companions_;
  app::Session session_;
  std::string day_utf8_;
};

}  // namespace cli
