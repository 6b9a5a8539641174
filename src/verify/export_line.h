#pragma once

// One line of a verification file: a race, one of its bet tables and the race's two odds
// figures, as sixteen double-quoted fields separated by commas (Shift-JIS, no header).

#include <array>
#include <string>
#include <string_view>

#include "screens/race_screen.h"
#include "bets/bet_table.h"
#include "store/race_day.h"

namespace verify {

inline constexpr int kFieldCount = 16;

/// The sixteen fields of a line, Shift-JIS, in file order.
using ExportFields = std::array<std::string, kFieldCount>;

/// Columns of the grids (and fields of a line) that the statistics read.
enum Column : int {
  kDateCol = 0,       ///< 日付 "yyyy年mm月dd日"
  kCourseCol = 1,     ///< 場所
  kRaceCol = 2,       ///< R
  kRunnersCol = 4,    ///< 頭
  kTrackCol = 5,      ///< Track
  kDistanceCol = 6,   ///< 距離
  kRaceTypeCol = 7,   ///< 世代 (race type code)
  kConditionCol = 8,  ///< 条件 (condition code)
  kWeightCol = 10,    ///< 重量
  kGradeCol = 11,     ///< 重賞
  kStakeCol = 12,     ///< 投資
  kReturnCol = 13,    ///< 回収
  kAve123Col = 14,    ///< 第1指標
  kUr1Col = 15,       ///< 馬連1-5
};

/// The headings of the sixteen grid columns, Shift-JIS ("日付", "場所", … "馬連1-5").
const std::array<std::string, kFieldCount>& FieldHeadings();

/// The fields of a race shown with its bet table: the race conditions from its RA record,
/// the table's stake-total and returned-amount labels and the two odds labels, the label
/// texts without their filler blanks.
ExportFields LineFields(const store::RaRecord& ra, const bets::BetSummary& summary,
                        const screens::RaceMarkLabels& marks);

/// The fields as one line without its line end: "f1","f2",…,"f16". A double quote inside a
/// field is written twice, so that the line reads back field for field.
std::string JoinFields(const ExportFields& fields);

}  // namespace verify
