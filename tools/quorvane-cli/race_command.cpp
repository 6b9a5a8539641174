#include <iostream>

#include "commands.h"
#include "race_choices.h"
#include "race_json.h"
#include "race_text_view.h"

namespace cli {

// Loads the day, shows race-list item N with the chosen rule book, then types the amount
// and clicks the exclusions, as a user does in this order.
int RunRace(const CliArgs& args) {
  args.Expect(RaceChoiceOptions(), {"--json"});
  const RaceChoices choices = ParseRaceChoices(args);
  CliSession cli(args);
  const std::optional<ShownRace> shown = ShowChosenRace(cli, choices);
  if (!shown) return 1;
  if (args.Has("--json")) {
    std::cout << RaceJson(cli.session(), cli.DayUtf8(), *shown) << "\n";
  } else {
    std::cout << RaceText(cli.session(), cli.DayUtf8(), *shown);
  }
  return 0;
}

}  // namespace cli
