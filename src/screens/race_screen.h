#pragma once

// The race header panel and the mark labels of the main window as plain texts: what the
// screen shows of the race in the list, and what the CLI prints.

#include <string>

#include "bets/bet_table.h"
#include "bets/text_list.h"
#include "screens/cell_colours.h"
#include "screens/result_page.h"
#include "screens/runner_grid.h"
#include "store/race_day.h"

namespace screens {

/// The colour of the header panel `Panel3`: green for turf courses, maroon otherwise.
enum class PanelColour { Green, Maroon };

/// The header panel: four lines, two prize lines, the racecourse and race number shown
/// large, and the time of the morning odds. Texts are Shift-JIS.
struct RaceHeader {
  std::string Label1;  ///< date, weekday, racecourse, meeting, day, race, post time, weather, going
  std::string Label2;  ///< edition and race name
  std::string Label3;  ///< runners, distance, track, grade, race type, symbol
  std::string Label4;  ///< weight rule and class
  std::string Label6;  ///< 本賞金 of places 1..5
  std::string Label7;  ///< 付加賞金 of places 1..3
  std::string BashoLabel;
  std::string RaceLabel;
  std::string TFWtimeAsaLabel;  ///< "hh:nn" of the morning O1 record
  PanelColour Panel3 = PanelColour::Green;
  friend bool operator==(const RaceHeader&, const RaceHeader&) = default;
};

/// A mark label: "対象" on yellow, or empty on the information background.
struct MarkLabel {
  std::string text;
  Rgb background = kInfoBackground;
  friend bool operator==(const MarkLabel&, const MarkLabel&) = default;
};

/// The label panel above the runner grid: the target marks and the two odds values.
struct RaceMarkLabels {
  MarkLabel URTaishoLabel;          ///< 馬連
  MarkLabel UTTaishoLabel;          ///< 馬単
  MarkLabel SRTaishoLabel;          ///< ３連複・３連単
  MarkLabel TaishoRaceLogic2Label;  ///< ロジックＢ
  std::string OzAve123Label;        ///< 平均ｵｯｽﾞ123, "%6.2f"
  std::string UR1NinOZLabel;        ///< 馬連1人ｵｯｽﾞ, "%4.1f"
  friend bool operator==(const RaceMarkLabels&, const RaceMarkLabels&) = default;
};

/// The header lines of a race from its RA record (every line but TFWtimeAsaLabel).
RaceHeader RaceHeaderOf(const store::RaRecord& ra);

/// Green when the track code is a turf course (10..22), maroon for dirt, sand and obstacle.
PanelColour PanelColourOf(const store::RaRecord& ra);

/// "hh:nn" of the odds announcement of a morning O1 record; "  :  " when there is none.
std::string OddsTimeText(const store::O1Record& o1);

/// "対象" on yellow when the mark is above 0, else empty on the information background.
MarkLabel TargetMark(int mark);

/// 平均ｵｯｽﾞ123 and 馬連1人ｵｯｽﾞ of a race.
std::string OzAve123Text(double oz_ave123);
std::string UR1NinOZText(double ur_fav_odds);

/// Everything the main window shows of the race chosen in the race list: header, marks,
/// result page, runner grid, the four bet tables with the working lists of the rule
/// books, and the stake field (`SaNumEditExC1`, decimal text).
struct RaceScreen {
  RaceHeader Header;
  RaceMarkLabels Marks;
  ResultPage Results;
  RunnerGrid Runners;
  bets::BetTables Tables;
  bets::WorkingLists Lists;
  std::string StakeField;
  bool LabelPanelVisible = false;  ///< the mark panel above the runner grid
  /// Neither rule book ticked (the command line's "--logic none"); otherwise the one the
  /// settings name is ticked.
  bool LogicUnticked = false;
};

}  // namespace screens
