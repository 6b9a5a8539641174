#include <iostream>

#include "app/session_vote.h"
#include "bet_type_argument.h"
#include "commands.h"
#include "race_choices.h"

namespace cli {

// Makes the race's tables as `race` does with the same choices, then presses "Velk2投票"
// on the tab of --type. A No to the question is no failure.
int RunVote(const CliArgs& args) {
  std::vector<std::string> options = RaceChoiceOptions();
  options.push_back("--type");
  args.Expect(options, {"--yes"});
  const RaceChoices choices = ParseRaceChoices(args);
  const codes::BetType type = BetTypeArgument("--type", args.Require("--type"));

  CliSession cli(args, args.Has("--yes"));
  const std::optional<ShownRace> shown = ShowChosenRace(cli, choices);
  if (!shown) return 1;
  std::cerr << ChoicesLine(*shown) << "\n";
  switch (app::VoteExport(cli.session(), type)) {
    case output::VoteResult::kLaunched:
    case output::VoteResult::kDeclined:
      return 0;
    default:
      return 1;
  }
}

}  // namespace cli
