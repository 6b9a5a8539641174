#include "race_text_view.h"

#include "bet_type_argument.h"
#include "codes/cp932.h"
#include "screens/cell_colours.h"
#include "screens/result_page.h"
#include "text_grid.h"

namespace cli {
namespace {

std::string U(const std::string& sjis) { return codes::SjisToUtf8Lenient(sjis); }

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// "対象" or "-" for a mark label.
std::string Mark(const screens::MarkLabel& label) {
  return label.text.empty() ? "-" : U(label.text);
}

std::string HeaderText(const screens::RaceScreen& screen) {
  const screens::RaceHeader& h = screen.Header;
  std::string text;
  for (const std::string* line :
       {&h.Label1, &h.Label2, &h.Label3, &h.Label4, &h.Label6, &h.Label7}) {
    text += U(*line) + "\n";
  }
  text += U(h.BashoLabel) + " " + U(h.RaceLabel) + "R  " +
          (h.Panel3 == screens::PanelColour::Green ? "芝 (緑)" : "ダート・障害 (えび茶)") +
          "  ｵｯｽﾞ取得時刻 単複枠朝 " + U(h.TFWtimeAsaLabel) + "\n";
  return text;
}

std::string MarksText(const screens::RaceMarkLabels& m) {
  return "馬券種別対象レース  馬連 " + Mark(m.URTaishoLabel) + "  馬単 " + Mark(m.UTTaishoLabel) +
         "  ３連複・３連単 " + Mark(m.SRTaishoLabel) + "  ロジックＢ " +
         Mark(m.TaishoRaceLogic2Label) + "\n平均ｵｯｽﾞ123 " + Trimmed(U(m.OzAve123Label)) +
         "  馬連1人ｵｯｽﾞ " + Trimmed(U(m.UR1NinOZLabel)) + "\n";
}

std::string RunnerText(const screens::RunnerGrid& grid) {
  std::vector<TextGrid::Column> columns;
  for (int c = 0; c < screens::kRunnerColumnCount; ++c) {
    const auto col = static_cast<screens::RunnerColumn>(c);
    const screens::RunnerHeading& heading = screens::RunnerHeadingOf(col);
    const bool left = col == screens::RunnerColumn::Name || col == screens::RunnerColumn::Jockey;
    columns.push_back({U(heading.line1 + heading.line2),
                       left ? TextGrid::Align::kLeft : TextGrid::Align::kRight});
  }
  TextGrid text(columns);
  for (int row = 1; row < grid.RowCount(); ++row) {
    std::vector<std::string> cells;
    for (const std::string& cell : grid.Row(row)) cells.push_back(U(cell));
    text.AddRow(cells);
  }
  return text.Text("  ");
}

std::string SummaryText(const bets::BetTable& table) {
  const bets::BetSummary& s = table.Summary();
  auto label = [](const bets::SummaryLabel& l) {
    const std::string text = Trimmed(U(l.text));
    return (text.empty() ? "-" : text) + RedMark(text, l.colour == bets::LabelColour::Red);
  };
  return U(bets::BetTypeName(table.Type())) + " " + BetTypeWord(table.Type()) + "  点数 " +
         label(s.count) + "  投票金額(円) " + label(s.total) + "  予想回収率(%) " +
         label(s.expected) + "  回収金額(円) " + label(s.returned) + "\n";
}

std::string BetRowsText(const bets::BetTable& table, const store::RacePayouts& payouts) {
  std::vector<int> shown;
  std::vector<TextGrid::Column> columns;
  for (int col = 0; col < table.ColCount(); ++col) {
    if (table.ColWidth(col) == bets::kHiddenWidth) continue;
    shown.push_back(col);
    const bool left = col == bets::kExclusionCol || col == bets::kCombCol;
    columns.push_back(
        {U(table.Cell(0, col)), left ? TextGrid::Align::kLeft : TextGrid::Align::kRight});
  }
  columns.push_back({"的中", TextGrid::Align::kLeft});
  TextGrid text(columns);
  bool any = false;
  for (int row = 1; row < table.RowCount(); ++row) {
    if (!table.IsLive(row)) continue;
    any = true;
    std::vector<std::string> cells;
    for (int col : shown) cells.push_back(U(table.Cell(row, col)));
    const bool paid =
        screens::CellColour(table, row, bets::kCombCol, payouts) == screens::kPaidCombination;
    cells.push_back(paid ? "的中" : "");
    text.AddRow(cells);
  }
  return any ? text.Text("  ") : "  (買い目なし)\n";
}

std::string ResultsText(const screens::ResultPage& page) {
  TextGrid text({{"券種", TextGrid::Align::kLeft},
                 {"結果", TextGrid::Align::kLeft},
                 {"人気", TextGrid::Align::kRight},
                 {"配当", TextGrid::Align::kRight}});
  bool any = false;
  for (codes::BetType type : screens::kResultBetTypes) {
    for (const screens::ResultColumn& column : page.Columns(type)) {
      if (column.Result.empty()) continue;
      any = true;
      text.AddRow({U(screens::ResultBetName(type)), U(column.Result), U(column.Popularity),
                   U(column.Payout)});
    }
  }
  return any ? text.Text("  ") : "  (まだ結果はありません)\n";
}

}  // namespace

std::string RedMark(const std::string& text, bool red) {
  return red && !text.empty() ? " (赤)" : "";
}

std::string RaceText(const app::Session& session, const std::string& day_utf8,
                     const ShownRace& shown) {
  const screens::RaceScreen& screen = session.Screen;
  const store::RaceDay& day = session.Day();
  const std::string item = U(session.DatList.Items[static_cast<size_t>(session.DatList.ItemIndex)]);
  std::string text = day_utf8 + " " + item + " (slot " + std::to_string(day.CurrentSlot) + ")\n" +
                     ChoicesLine(shown) + "\n\n" + HeaderText(screen) + "\n" +
                     MarksText(screen.Marks) + "\n出走馬\n" + RunnerText(screen.Runners);
  const store::RacePayouts& payouts = day.DayPayouts[day.CurrentSlot];
  for (codes::BetType type : bets::BetTables::kOrder) {
    const bets::BetTable& table = screen.Tables.Table(type);
    text += "\n" + SummaryText(table) + BetRowsText(table, payouts);
  }
  return text + "\n結果\n" + ResultsText(screen.Results);
}

}  // namespace cli
