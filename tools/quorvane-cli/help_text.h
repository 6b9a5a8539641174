#pragma once

#include <string>

#include "command_table.h"

namespace cli {

/// `quorvane-cli help`: the usage, the program folder, every command with its first line,
/// and the formats (dates, slots, bet types) and exit statuses.
std::string OverviewHelp();

/// `help COMMAND` and `COMMAND --help`: synopsis, purpose, options, output, an example,
/// the formats the command takes and the exit statuses.
std::string CommandHelp(const Command& command);

/// The usage lines of a command, as printed after a bad argument.
std::string UsageLines(const Command& command);

/// The manual page quorvane-cli(1): the overview and every command's help, as roff.
std::string ManualPage();

/// docs/cli.md: the overview and every command's help, each as a text block.
std::string ReferenceMarkdown();

}  // namespace cli
