#pragma once

#include <span>
#include <string_view>

#include "cli_args.h"

namespace cli {

/// One command of the CLI: how it runs and what `help` says of it. A new command is one
/// more row of the table (command_table.cpp); `help`, `COMMAND --help`, the usage lines of
/// errors and docs/cli.md all come from these rows.
struct Command {
  const char* name;
  int (*run)(const CliArgs& args);
  /// True when the command may run on a program folder that does not exist yet (it makes
  /// the folder or writes elsewhere); every other command needs an existing --home.
  bool makes_home;
  const char* summary;   ///< one line for the list of commands
  const char* synopsis;  ///< the words after "quorvane-cli [--home DIR] "
  const char* purpose;   ///< what it does, a few lines
  const char* options;   ///< one line an option, "  --name VALUE  what it means"
  const char* example;   ///< one command line, shell-quoted
  const char* output;    ///< what it prints, and where
};

/// Every command, in the order `help` lists them.
std::span<const Command> Commands();

/// The command of that name; nullptr when there is none.
const Command* FindCommand(std::string_view name);

}  // namespace cli
