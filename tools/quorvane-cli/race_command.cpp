#include <charconv>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/show_race.h"
#include "bet_type_argument.h"
#include "bets/bet_table_actions.h"
#include "bets/race_stakes.h"
#include "bets/stake_allocation.h"
#include "cli_session.h"
#include "codes/cp932.h"
#include "commands.h"
#include "json_writer.h"

namespace cli {
namespace {

// What the command line asks for, checked before anything starts.
struct RaceRequest {
  std::string day;
  long long slot = 0;
  std::optional<std::string> logic;  // "A", "B" or "none"
  std::optional<int> mode;
  std::optional<long long> amount;
  struct Exclusion {
    codes::BetType type;
    int row;
    std::string text;
  };
  std::vector<Exclusion> exclusions;
};

RaceRequest::Exclusion ExclusionArgument(const std::string& text) {
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

RaceRequest ParseRequest(const CliArgs& args) {
  args.Expect({"--day", "--slot", "--logic", "--mode", "--amount", "--exclude"}, {"--json"});
  RaceRequest request;
  request.day = args.Require("--day");
  DayPrefixArgument(request.day);
  args.Require("--slot");
  request.slot = *args.GetInt("--slot");
  request.logic = args.Get("--logic");
  if (request.logic && *request.logic != "A" && *request.logic != "B" && *request.logic != "none") {
    throw UsageError("--logic takes A, B or none, not \"" + *request.logic + "\"");
  }
  if (auto mode = args.GetInt("--mode")) {
    if (*mode != 0 && *mode != 1) throw UsageError("--mode takes 0 (均等) or 1 (比例)");
    request.mode = static_cast<int>(*mode);
  }
  request.amount = args.GetInt("--amount");
  if (request.amount && (*request.amount < 0 || *request.amount > 999999)) {
    throw UsageError("--amount takes 0..999999 yen (six digits at most)");
  }
  for (const std::string& text : args.GetAll("--exclude")) {
    request.exclusions.push_back(ExclusionArgument(text));
  }
  return request;
}

// The 資金配分 and menu choices, made before the day is loaded and kept in the settings
// (neither rule book ticked has no setting of its own).
void ApplyChoices(app::Session& session, const RaceRequest& request) {
  if (request.logic) {
    session.Screen.LogicUnticked = *request.logic == "none";
    if (*request.logic == "A") session.Settings().SetKaimeOption(1);
    if (*request.logic == "B") session.Settings().SetKaimeOption(2);
  }
  if (request.mode) session.Settings().SetHaibunSet(*request.mode);
}

// Clicks in column 0 of the named bet rows, in the order given.
void ApplyExclusions(app::Session& session, const RaceRequest& request) {
  const bets::StakeMode mode = bets::StakeModeOf(session.Settings().HaibunSet());
  const int amount = bets::AmountOf(session.Screen.StakeField);
  const store::RacePayouts& payouts = session.Day().DayPayouts[session.Day().CurrentSlot];
  for (const RaceRequest::Exclusion& exclusion : request.exclusions) {
    bets::BetTable& table = session.Screen.Tables.Table(exclusion.type);
    if (exclusion.row >= table.RowCount()) {
      throw UsageError("--exclude " + exclusion.text + ": the table has " +
                       std::to_string(table.RowCount() - 1) + " bet rows");
    }
    bets::ToggleExclusion(table, exclusion.row, mode, amount, payouts);
  }
}

const char* LogicWord(app::Session& session) {
  if (session.Screen.LogicUnticked) return "none";
  return session.Settings().KaimeOption() == 2 ? "B" : "A";
}

const char* ColourWord(bets::LabelColour colour) {
  return colour == bets::LabelColour::Red ? "red" : "black";
}

void WriteHeader(JsonWriter& json, const screens::RaceHeader& h) {
  json.Key("header").BeginObject();
  json.Key("Label1").Sjis(h.Label1).Key("Label2").Sjis(h.Label2);
  json.Key("Label3").Sjis(h.Label3).Key("Label4").Sjis(h.Label4);
  json.Key("Label6").Sjis(h.Label6).Key("Label7").Sjis(h.Label7);
  json.Key("BashoLabel").Sjis(h.BashoLabel).Key("RaceLabel").Sjis(h.RaceLabel);
  json.Key("TFWtimeAsaLabel").Sjis(h.TFWtimeAsaLabel);
  json.Key("Panel3").String(h.Panel3 == screens::PanelColour::Green ? "green" : "maroon");
  json.EndObject();
}

void WriteMarks(JsonWriter& json, const store::RaceWork& w, const screens::RaceMarkLabels& m) {
  json.Key("marks").BeginObject();
  json.Key("URTaisho").Int(w.URTaisho).Key("UTTaisho").Int(w.UTTaisho);
  json.Key("SRTaisho").Int(w.SRTaisho).Key("Logic2Taisho").Int(w.Logic2Taisho);
  json.Key("FavDayRank").Int(w.FavDayRank);
  json.Key("URTaishoLabel").Sjis(m.URTaishoLabel.text);
  json.Key("UTTaishoLabel").Sjis(m.UTTaishoLabel.text);
  json.Key("SRTaishoLabel").Sjis(m.SRTaishoLabel.text);
  json.Key("TaishoRaceLogic2Label").Sjis(m.TaishoRaceLogic2Label.text);
  json.Key("OzAve123Label").Sjis(m.OzAve123Label);
  json.Key("UR1NinOZLabel").Sjis(m.UR1NinOZLabel);
  json.EndObject();
}

void WriteRunners(JsonWriter& json, const store::RaceWork& w) {
  json.Key("runners").BeginArray();
  for (int k = 0; k < store::kRunnerCount; ++k) {
    json.BeginObject();
    json.Key("AsaWinOdds").Double(w.AsaWinOdds[k]).Key("AsaPlaceLow").Double(w.AsaPlaceLow[k]);
    json.Key("AsaWinRank").Int(w.AsaWinRank[k]).Key("AsaPlaceLowRank").Int(w.AsaPlaceLowRank[k]);
    json.Key("LogicBAxisFlag").Int(w.LogicBAxisFlag[k]);
    json.Key("LogicBPartnerFlag").Int(w.LogicBPartnerFlag[k]);
    json.EndObject();
  }
  json.EndArray();
}

void WriteRunnerGrid(JsonWriter& json, const screens::RunnerGrid& grid) {
  json.Key("runnerGrid").BeginArray();
  for (int row = 1; row < grid.RowCount(); ++row) {
    json.BeginArray();
    for (const std::string& cell : grid.Row(row)) json.Sjis(cell);
    json.EndArray();
  }
  json.EndArray();
}

void WriteTable(JsonWriter& json, const bets::BetTable& table) {
  json.Key(BetTypeWord(table.Type())).BeginObject();
  json.Key("rows").BeginArray();
  for (int row = 1; row < table.RowCount(); ++row) {
    json.BeginArray();
    for (const std::string& cell : table.Row(row)) json.Sjis(cell);
    json.EndArray();
  }
  json.EndArray();
  const bets::BetSummary& s = table.Summary();
  json.Key("count").Sjis(s.count.text).Key("total").Sjis(s.total.text);
  json.Key("expected").Sjis(s.expected.text);
  json.Key("expectedColour").String(ColourWord(s.expected.colour));
  json.Key("returned").Sjis(s.returned.text);
  json.Key("returnedColour").String(ColourWord(s.returned.colour));
  json.EndObject();
}

void WriteResults(JsonWriter& json, const screens::ResultPage& page) {
  static const std::string kResult = "結果";
  static const std::string kPopularity = "人気";
  static const std::string kPayout = "配当";
  json.Key("results").BeginObject();
  for (codes::BetType type : screens::kResultBetTypes) {
    json.Key(codes::SjisToUtf8(screens::ResultBetName(type))).BeginArray();
    for (const screens::ResultColumn& column : page.Columns(type)) {
      json.BeginObject();
      json.Key(kResult).Sjis(column.Result);
      json.Key(kPopularity).Sjis(column.Popularity);
      json.Key(kPayout).Sjis(column.Payout);
      json.EndObject();
    }
    json.EndArray();
  }
  json.EndObject();
}

std::string RaceJson(app::Session& session, const std::string& day_utf8) {
  const store::RaceDay& day = session.Day();
  const screens::RaceScreen& screen = session.Screen;
  const int slot = day.CurrentSlot;
  JsonWriter json;
  json.BeginObject().Key("day").String(day_utf8).Key("slot").Int(slot);
  json.Key("item").Sjis(session.DatList.Items[static_cast<size_t>(session.DatList.ItemIndex)]);
  json.Key("logic").String(LogicWord(session));
  json.Key("mode").Int(session.Settings().HaibunSet());
  json.Key("amount").Int(bets::AmountOf(screen.StakeField));
  WriteHeader(json, screen.Header);
  WriteMarks(json, day.Work[slot], screen.Marks);
  WriteRunners(json, day.Work[slot]);
  WriteRunnerGrid(json, screen.Runners);
  json.Key("tables").BeginObject();
  for (codes::BetType type : bets::BetTables::kOrder) WriteTable(json, screen.Tables.Table(type));
  json.EndObject();
  WriteResults(json, screen.Results);
  json.EndObject();
  return json.Text();
}

// Without --json: the header lines and one summary line a table.
void PrintRace(const app::Session& session) {
  const screens::RaceScreen& screen = session.Screen;
  for (const std::string* line : {&screen.Header.Label1, &screen.Header.Label2,
                                  &screen.Header.Label3, &screen.Header.Label4}) {
    std::cout << codes::SjisToUtf8Lenient(*line) << "\n";
  }
  for (codes::BetType type : bets::BetTables::kOrder) {
    const bets::BetSummary& s = screen.Tables.Table(type).Summary();
    std::cout << BetTypeWord(type) << " " << s.count.text << " " << s.total.text << " "
              << s.expected.text << " " << s.returned.text << "\n";
  }
}

}  // namespace

// Loads the day, shows race-list item N with the chosen rule book, then types the amount
// and clicks the exclusions, as a user does in this order.
int RunRace(const CliArgs& args) {
  const RaceRequest request = ParseRequest(args);
  CliSession cli(args);
  app::Session& session = cli.session();
  ApplyChoices(session, request);
  if (cli.ChooseDay(request.day) != app::LoadResult::kLoaded) return 1;
  const int item = RaceItemArgument(request.slot, static_cast<int>(session.DatList.Items.size()));
  session.SelectRace(item);
  if (request.amount) app::ChangeStakeField(session, std::to_string(*request.amount));
  ApplyExclusions(session, request);
  if (args.Has("--json")) {
    std::cout << RaceJson(session, request.day) << "\n";
  } else {
    PrintRace(session);
  }
  return 0;
}

}  // namespace cli
