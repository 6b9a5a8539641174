#pragma once

// The result page "結果": for each bet type three rows, "結果：", "人気：" and "配当：",
// and one column per paid entry of the race's payout record.

#include <array>
#include <string>
#include <vector>

#include "codes/bet_numbering.h"
#include "store/race_day.h"

namespace screens {

/// One column of a bet type: the paid horse or combination, its popularity and payout.
/// All three empty when the entry is not paid. Shift-JIS.
struct ResultColumn {
  std::string Result;      ///< 結果: "%2d" horse or the CombText
  std::string Popularity;  ///< 人気: "%2d"
  std::string Payout;      ///< 配当: "%8d", yen per 100 yen
  friend bool operator==(const ResultColumn&, const ResultColumn&) = default;
};

/// The eight bet types of the page, in its order: 単勝, 複勝, 枠連, 馬連, ﾜｲﾄﾞ, 馬単,
/// 三連複, 三連単.
inline constexpr std::array<codes::BetType, 8> kResultBetTypes = {
    codes::BetType::Tan, codes::BetType::Fuk, codes::BetType::WR,  codes::BetType::UR,
    codes::BetType::WD,  codes::BetType::UT,  codes::BetType::SRF, codes::BetType::SRT};

/// The page's caption of a bet type ("単勝", "ﾜｲﾄﾞ", "三連複" …), Shift-JIS.
const std::string& ResultBetName(codes::BetType type);

/// The number of columns a bet type has: 3, 5, 3, 3, 7, 6, 3, 6 in page order.
int ResultColumnCount(codes::BetType type);

/// The cells of the page; every cell empty at first.
class ResultPage {
 public:
  ResultPage();
  /// The columns of a bet type; LogicError for a type the page does not show.
  const std::vector<ResultColumn>& Columns(codes::BetType type) const;
  std::vector<ResultColumn>& Columns(codes::BetType type);
  /// Empties every cell.
  void Clear();
  friend bool operator==(const ResultPage&, const ResultPage&) = default;

 private:
  std::array<std::vector<ResultColumn>, kResultBetTypes.size()> columns_;
};

/// Fills the page from the race's payouts, entry by entry in record order: a horse entry
/// shows when its horse number is not 0, a combination when its text is neither blank
/// nor all zeros (" 0- 0", " 0- 0- 0"); every other column is emptied.
void FillResultPage(const store::RacePayouts& payouts, ResultPage& page);

}  // namespace screens
