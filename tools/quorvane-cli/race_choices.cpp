#include "race_choices.h"

#include <charconv>
#include <iostream>

#include "app/show_race.h"
#include "bet_type_argument.h"
#include "bets/bet_table_actions.h"
#include "bets/race_stakes.h"
#include "bets/stake_allocation.h"

namespace cli {
namespace {

// The smallest amount the stake allocation works with.
constexpr long long kMinimumAmount = 100;

RaceChoices::Exclusion ExclusionArgument(const std::string& text) {
  const size_t colon = text.find(':');
  if (colon == std::string::npos) {
    throw UsageError("--exclude takes TYPE:ROW (UR:3), not \"" + text + "\"");
  }
  const codes::BetType type = BetTypeArgument("--exclude", text.substr(0, colon));
  const std::string row_text = text.substr(colon + 1);
  int row = 0;
  auto [p, ec] = std::from_chars(row_text.data(), row_text.data() + row_text.size(), row);
  if (ec != std::errc() || p != row_text.data() + row_text.size() || row < 1) {
    throw UsageError("--exclude takes a bet row from 1, not \"" + text + "\"");
  }
  return {type, row, text};
}

int LiveRows(const bets::BetTable& table) {
  int live = 0;
  for (int row = 1; row < table.RowCount(); ++row) live += table.IsLive(row) ? 1 : 0;
  return live;
}

// The 資金配分 and menu choices, made before the day is loaded and kept in the settings
// (neither rule book ticked has no setting of its own).
void ApplyChoices(app::Session& session, const RaceChoices& choices) {
  if (choices.logic) {
    session.Screen.LogicUnticked = *choices.logic == "none";
    if (*choices.logic == "A") session.Settings().SetKaimeOption(1);
    if (*choices.logic == "B") session.Settings().SetKaimeOption(2);
  }
  if (choices.mode) session.Settings().SetHaibunSet(*choices.mode);
}

// Clicks in column 0 of the named bet rows, in the order given.
void ApplyExclusions(app::Session& session, const RaceChoices& choices) {
  const bets::StakeMode mode = bets::StakeModeOf(session.Settings().HaibunSet());
  const int amount = bets::AmountOf(session.Screen.StakeField);
  const store::RacePayouts& payouts = session.Day().DayPayouts[session.Day().CurrentSlot];
  for (const RaceChoices::Exclusion& exclusion : choices.exclusions) {
    bets::BetTable& table = session.Screen.Tables.Table(exclusion.type);
    if (exclusion.row >= table.RowCount() || !table.IsLive(exclusion.row)) {
      throw UsageError("--exclude " + exclusion.text + ": the " + BetTypeWord(exclusion.type) +
                       " table has " + std::to_string(LiveRows(table)) + " bet rows");
    }
    bets::ToggleExclusion(table, exclusion.row, mode, amount, payouts);
  }
}

}  // namespace

std::vector<std::string> RaceChoiceOptions() {
  return {"--day", "--slot", "--logic", "--mode", "--amount", "--exclude"};
}

RaceChoices ParseRaceChoices(const CliArgs& args) {
  RaceChoices choices;
  choices.day = ParseDayArgument(args.Require("--day"));
  args.Require("--slot");
  choices.slot = *args.GetInt("--slot");
  choices.logic = args.Get("--logic");
  if (choices.logic && *choices.logic != "A" && *choices.logic != "B" && *choices.logic != "none") {
    throw UsageError("--logic takes A, B or none, not \"" + *choices.logic + "\"");
  }
  if (auto mode = args.GetInt("--mode")) {
    if (*mode != 0 && *mode != 1) throw UsageError("--mode takes 0 (均等) or 1 (比例)");
    choices.mode = static_cast<int>(*mode);
  }
  choices.amount = args.GetInt("--amount");
  if (choices.amount && (*choices.amount < 0 || *choices.amount > 999999)) {
    throw UsageError("--amount takes 0..999999 yen (six digits at most)");
  }
  for (const std::string& text : args.GetAll("--exclude")) {
    choices.exclusions.push_back(ExclusionArgument(text));
  }
  return choices;
}

std::optional<ShownRace> ShowChosenRace(CliSession& cli, const RaceChoices& choices) {
  app::Session& session = cli.session();
  ApplyChoices(session, choices);
  if (cli.ChooseDay(choices.day) != app::LoadResult::kLoaded) return std::nullopt;
  const int items = static_cast<int>(session.DatList.Items.size());
  session.SelectRace(RaceItemArgument(choices.slot, items));
  ShownRace shown = ChoicesInForce(session);
  if (choices.amount) {
    app::ChangeStakeField(session, std::to_string(*choices.amount));
    if (*choices.amount >= kMinimumAmount) {
      shown.amount = static_cast<int>(*choices.amount);
    } else {
      std::cerr << "--amount " << *choices.amount
                << " is below 100 yen, the smallest stake: nothing was reallocated, the "
                   "tables keep the stakes of "
                << shown.amount << " yen.\n";
    }
  }
  ApplyExclusions(session, choices);
  return shown;
}

ShownRace ChoicesInForce(app::Session& session) {
  ShownRace in_force;
  in_force.logic = session.Screen.LogicUnticked            ? "none"
                   : session.Settings().KaimeOption() == 2 ? "B"
                                                           : "A";
  in_force.mode = session.Settings().HaibunSet();
  in_force.amount = bets::AmountOf(session.Screen.StakeField);
  return in_force;
}

std::string ChoicesLine(const ShownRace& shown) {
  return "logic " + shown.logic + ", mode " + std::to_string(shown.mode) +
         (shown.mode == 1 ? " (比例)" : " (均等)") + ", amount " + std::to_string(shown.amount) +
         " yen";
}

}  // namespace cli
