#pragma once

#include "cli_args.h"

namespace cli {

// One function a command, each in the file named after it. Each returns the exit
// status: 0 done, 1 the operation stopped with an error (its message printed).
int RunFeed(const CliArgs& args);
int RunPull(const CliArgs& args);
int RunDays(const CliArgs& args);
int RunDay(const CliArgs& args);
int RunRace(const CliArgs& args);
int RunVote(const CliArgs& args);
int RunTimeSeries(const CliArgs& args);
int RunLive(const CliArgs& args);
int RunExport(const CliArgs& args);
int RunStats(const CliArgs& args);

}  // namespace cli
