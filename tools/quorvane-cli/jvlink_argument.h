#pragma once

#include <cstdlib>
#include <filesystem>

#include "app/jvlink_choice.h"
#include "app/session.h"
#include "cli_args.h"
#include "platform/clock.h"

namespace cli {

/// The JV-Link of `pull` and `live`: [JVLink] of DIR/Quorvane.ini, its source replaced
/// by --jvlink feed|host|tcp; the feed source serves `feed`. UsageError for another
/// --jvlink word.
app::ChosenJVLink ChooseJVLink(const CliArgs& args, const std::filesystem::path& feed,
                               const platform::Clock& clock);

/// The reasons the chosen JV-Link could not be made, on standard error; always 1.
int ReportMissingJVLink(const app::ChosenJVLink& chosen, const std::filesystem::path& feed);

/// A host's failures go to the session's error log and to standard error.
void LogHostFailures(app::ChosenJVLink& chosen, app::Session& session);

}  // namespace cli
