#include "race_json.h"

#include "bet_type_argument.h"
#include "codes/cp932.h"
#include "json_writer.h"
#include "screens/result_page.h"

namespace cli {
namespace {

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

}  // namespace

std::string RaceJson(app::Session& session, const std::string& day_utf8, const ShownRace& shown) {
  const store::RaceDay& day = session.Day();
  const screens::RaceScreen& screen = session.Screen;
  const int slot = day.CurrentSlot;
  JsonWriter json;
  json.BeginObject().Key("day").String(day_utf8).Key("slot").Int(slot);
  json.Key("item").Sjis(session.DatList.Items[static_cast<size_t>(session.DatList.ItemIndex)]);
  json.Key("logic").String(shown.logic);
  json.Key("mode").Int(shown.mode);
  json.Key("amount").Int(shown.amount);
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

}  // namespace cli
