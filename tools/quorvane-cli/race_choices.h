#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli_args.h"
#include "cli_session.h"
#include "codes/bet_numbering.h"
#include "day_argument.h"

namespace cli {

/// The race and the choices that `race` and `vote` share, checked before anything starts.
struct RaceChoices {
  DayArgument day;
  long long slot = 0;
  std::optional<std::string> logic;  ///< "A", "B" or "none"
  std::optional<int> mode;           ///< 0 均等, 1 比例
  std::optional<long long> amount;
  struct Exclusion {
    codes::BetType type;
    int row;
    std::string text;
  };
  std::vector<Exclusion> exclusions;
};

/// The options of the race and its choices (--day --slot --logic --mode --amount
/// --exclude); UsageError for a bad value. The caller has checked the words with Expect.
RaceChoices ParseRaceChoices(const CliArgs& args);

/// The option names of ParseRaceChoices, for CliArgs::Expect.
std::vector<std::string> RaceChoiceOptions();

/// What the race shown was made with.
struct ShownRace {
  std::string logic;  ///< "A", "B" or "none"
  int mode = 0;       ///< 0 均等, 1 比例
  int amount = 0;     ///< the amount the stakes were allocated with
};

/// Makes the choices as a user does, in this order: logic and mode (kept in the settings),
/// the day loaded, race-list item N shown, the amount typed into the stake field, the
/// exclusions clicked in the order given. nullopt when the day did not load (message
/// shown); UsageError for a slot or a row that the day or the table does not have. An
/// amount below 100 reallocates nothing: a line on standard error says so, and `amount`
/// stays the one in force.
std::optional<ShownRace> ShowChosenRace(CliSession& cli, const RaceChoices& choices);

/// The rule book and stake split ticked now, and the amount of the stake field.
ShownRace ChoicesInForce(app::Session& session);

/// "logic A, mode 0 (均等), amount 3000 yen": the choices a view was made with.
std::string ChoicesLine(const ShownRace& shown);

}  // namespace cli
