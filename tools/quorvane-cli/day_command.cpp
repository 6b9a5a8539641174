#include <iostream>

#include "cli_session.h"
#include "codes/cp932.h"
#include "commands.h"
#include "json_writer.h"
#include "race_choices.h"
#include "screens/race_screen.h"
#include "text_grid.h"

namespace cli {
namespace {

template <typename Array>
void IntArray(JsonWriter& json, const Array& values) {
  json.BeginArray();
  for (int v : values) json.Int(v);
  json.EndArray();
}

void WriteRaceMarks(JsonWriter& json, int slot, const store::RaceWork& w) {
  json.BeginObject()
      .Key("slot")
      .Int(slot)
      .Key("OzAve123")
      .Double(w.OzAve123)
      .Key("AsaURFavOdds")
      .Double(w.AsaURFavOdds)
      .Key("URTaisho")
      .Int(w.URTaisho)
      .Key("UTTaisho")
      .Int(w.UTTaisho)
      .Key("SRTaisho")
      .Int(w.SRTaisho)
      .Key("Logic2Taisho")
      .Int(w.Logic2Taisho)
      .Key("FavDayRank")
      .Int(w.FavDayRank)
      .EndObject();
}

// The loaded day: race list, venues, previous-day counts and the marks of every listed race.
std::string DayJson(const app::Session& session, const std::string& day_utf8) {
  const store::RaceDay& day = session.Day();
  JsonWriter json;
  json.BeginObject().Key("day").String(day_utf8);
  json.Key("items").BeginArray();
  for (const std::string& item : session.DatList.Items) json.Sjis(item);
  json.EndArray();
  json.Key("DayVenues").BeginArray();
  for (const std::string& venue : day.DayVenues) json.Sjis(venue);
  json.EndArray();
  json.Key("preDay").BeginObject();
  json.Key("PreDayFav1st");
  IntArray(json, day.PreDayFav1st);
  json.Key("PreDayFav2nd");
  IntArray(json, day.PreDayFav2nd);
  json.Key("present");
  IntArray(json, day.PreDayPresent);
  json.EndObject();
  json.Key("races").BeginArray();
  for (size_t slot = 0; slot < session.DatList.Items.size(); ++slot) {
    const int s = static_cast<int>(slot);
    WriteRaceMarks(json, s, day.Work[s]);
  }
  json.EndArray().EndObject();
  return json.Text();
}

// The race list with the slot and marks of every race, under the choices in force.
std::string DayText(app::Session& session, const std::string& day_utf8) {
  const ShownRace in_force = ChoicesInForce(session);
  TextGrid grid({{"slot", TextGrid::Align::kRight},
                 {"レース", TextGrid::Align::kLeft},
                 {"馬連", TextGrid::Align::kLeft},
                 {"馬単", TextGrid::Align::kLeft},
                 {"３連複・３連単", TextGrid::Align::kLeft},
                 {"ロジックＢ", TextGrid::Align::kLeft},
                 {"平均ｵｯｽﾞ123", TextGrid::Align::kRight},
                 {"馬連1人ｵｯｽﾞ", TextGrid::Align::kRight},
                 {"日順位", TextGrid::Align::kRight}});
  const store::RaceDay& day = session.Day();
  for (size_t slot = 0; slot < session.DatList.Items.size(); ++slot) {
    const store::RaceWork& w = day.Work[static_cast<int>(slot)];
    auto mark = [](int value) { return std::string(value > 0 ? "対象" : "-"); };
    grid.AddRow({std::to_string(slot), codes::SjisToUtf8Lenient(session.DatList.Items[slot]),
                 mark(w.URTaisho), mark(w.UTTaisho), mark(w.SRTaisho), mark(w.Logic2Taisho),
                 codes::SjisToUtf8Lenient(screens::OzAve123Text(w.OzAve123)),
                 codes::SjisToUtf8Lenient(screens::UR1NinOZText(w.AsaURFavOdds)),
                 std::to_string(w.FavDayRank)});
  }
  return day_utf8 + ": " + std::to_string(session.DatList.Items.size()) + " races\n" +
         ChoicesLine(in_force) + " (the default amount of each race)\n\n" + grid.Text();
}

}  // namespace

// Loads the day as the date-list choice does; the race list and the marks as JSON
// (with --json), else as a table.
int RunDay(const CliArgs& args) {
  args.Expect({"--day"}, {"--json"});
  const DayArgument day = ParseDayArgument(args.Require("--day"));
  CliSession cli(args);
  if (cli.ChooseDay(day) != app::LoadResult::kLoaded) return 1;
  if (args.Has("--json")) {
    std::cout << DayJson(cli.session(), cli.DayUtf8()) << "\n";
  } else {
    std::cout << DayText(cli.session(), cli.DayUtf8());
  }
  return 0;
}

}  // namespace cli
