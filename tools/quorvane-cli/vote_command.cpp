#include <iostream>

#include "app/session_vote.h"
#include "bet_type_argument.h"
#include "cli_session.h"
#include "commands.h"
#include "output/vote_export.h"

namespace cli {

// Loads the day, shows race-list item N (which makes its bets with the ticked rule book)
// and presses "Velk2投票" on the tab of --type. A No to the question is no failure.
int RunVote(const CliArgs& args) {
  args.Expect({"--day", "--slot", "--type"}, {"--yes"});
  const std::string day = args.Require("--day");
  DayPrefixArgument(day);
  args.Require("--slot");
  const long long slot = *args.GetInt("--slot");
  const codes::BetType type = BetTypeArgument("--type", args.Require("--type"));

  CliSession cli(args, args.Has("--yes"));
  app::Session& session = cli.session();
  if (cli.ChooseDay(day) != app::LoadResult::kLoaded) return 1;
  session.SelectRace(RaceItemArgument(slot, static_cast<int>(session.DatList.Items.size())));
  switch (app::VoteExport(session, type)) {
    case output::VoteResult::kLaunched:
    case output::VoteResult::kDeclined:
      return 0;
    default:
      return 1;
  }
}

}  // namespace cli
