#pragma once

#include <string>

#include "app/session.h"
#include "cli_args.h"
#include "console_prompts.h"
#include "platform/clock.h"
#include "platform/companion_locator.h"
#include "platform/launcher.h"

namespace jvlink {
class JVLink;
}

namespace cli {

/// What one CLI command works with: the console prompts, the machine's clock (or the
/// moment in QUORVANE_NOW), the process launcher, no companion look-up, and the Session
/// over the ProgramFolder of --home, started as the desktop program starts (companion
/// folders, Data/CHG/Kaime, the error log's start lines, the date list).
///
///   CliSession cli(args);                  // or CliSession cli(args, args.Has("--yes"), &link)
///   if (cli.ChooseDay(args.Require("--day")) != app::LoadResult::kLoaded) return 1;
///   ... cli.session().Day() ...
class CliSession {
 public:
  /// `yes` answers every confirmation Yes; `jv_link` (may be null) is the caller's.
  explicit CliSession(const CliArgs& args, bool yes = false, jvlink::JVLink* jv_link = nullptr);

  app::Session& session() { return session_; }
  ConsolePrompts& prompts() { return prompts_; }
  platform::Clock& clock() { return clock_; }

  /// Picks the day given on the command line (UTF-8) in the date list and loads it, as
  /// the user's choice does. UsageError when the text is not a date yyyy年mm月dd日.
  app::LoadResult ChooseDay(const std::string& day_utf8);

 private:
  ConsolePrompts prompts_;
  platform::SystemClock clock_;
  platform::ProcessLauncher launcher_;
  platform::NoCompanionLocator companions_;
  app::Session session_;
};

/// The text of --day as a DayPrefix in Shift-JIS; UsageError when it is not one.
std::string DayPrefixArgument(const std::string& day_utf8);

}  // namespace cli
