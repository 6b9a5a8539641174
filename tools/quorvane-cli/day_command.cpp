#include <iostream>

#include "cli_session.h"
#include "commands.h"
#include "codes/cp932.h"
#include "json_writer.h"

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
      .Key("slot").Int(slot)
      .Key("OzAve123").Double(w.OzAve123)
      .Key("AsaURFavOdds").Double(w.AsaURFavOdds)
      .Key("URTaisho").Int(w.URTaisho)
      .Key("UTTaisho").Int(w.UTTaisho)
      .Key("SRTaisho").Int(w.SRTaisho)
      .Key("Logic2Taisho").Int(w.Logic2Taisho)
      .Key("FavDayRank").Int(w.FavDayRank)
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

}  // namespace

// Loads the day as the date-list choice does; the race list and the marks as JSON
// (with --json), else the race list one item a line.
int RunDay(const CliArgs& args) {
  args.Expect({"--day"}, {"--json"});
  const std::string day = args.Require("--day");
  DayPrefixArgument(day);  // a bad date is a usage error before anything starts
  CliSession cli(args);
  if (cli.ChooseDay(day) != app::LoadResult::kLoaded) return 1;
  if (args.Has("--json")) {
    std::cout << DayJson(cli.session(), day) << "\n";
  } else {
    for (const std::string& item : cli.session().DatList.Items) {
      std::cout << codes::SjisToUtf8Lenient(item) << "\n";
    }
  }
  return 0;
}

}  // namespace cli
