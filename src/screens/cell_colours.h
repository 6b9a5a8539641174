#pragma once

#include <string_view>

#include "bets/bet_table.h"
#include "store/race_day.h"

namespace screens {

/// A colour of the screens as red, green, blue.
struct Rgb {
  int r = 0;
  int g = 0;
  int b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The standard window palette as the screens use it.
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kGrey{128, 128, 128};
inline constexpr Rgb kYellow{255, 255, 0};
inline constexpr Rgb kLime{0, 255, 0};
inline constexpr Rgb kAqua{0, 255, 255};
inline constexpr Rgb kFuchsia{255, 0, 255};
inline constexpr Rgb kOrange{255, 128, 0};
inline constexpr Rgb kWindow = kWhite;                ///< a grid's normal cell colour
inline constexpr Rgb kInfoBackground{255, 255, 225};  ///< the information background

// Bet page.
inline constexpr Rgb kBetHeader{201, 146, 146};
inline constexpr Rgb kBetNoColumn{193, 255, 193};
inline constexpr Rgb kPaidCombination{255, 0, 255};
inline constexpr Rgb kLabelBackground{255, 251, 240};
inline constexpr Rgb kActiveLabelBackground{155, 252, 122};

/// Background of a bet-table cell: header row, column 0 white, "No." light green, 買い目
/// magenta when the row's combination is paid in the race (so the colour follows the text
/// through sorting), everything else white.
Rgb CellColour(const bets::BetTable& table, int row, int col, const store::RacePayouts& payouts);

/// Background of a summary label of `label_type` while the tab of `active_type` is shown.
Rgb SummaryLabelBackground(codes::BetType label_type, codes::BetType active_type);

/// The text colour of a summary label.
Rgb LabelTextColour(bets::LabelColour colour);

/// Columns of the runner grid.
enum class RunnerColumn {
  Bracket,      ///< 枠番
  HorseNumber,  ///< 馬番
  Name,         ///< 馬名
  Jockey,       ///< 騎手
  SexAge,       ///< 性齢
  WinOdds,      ///< 単勝 朝ｵｯｽﾞ
  WinOrder,     ///< 順位 of the win odds
  PlaceOdds,    ///< 複勝 朝ｵｯｽﾞ
  PlaceOrder,   ///< 順位 of the place odds
  Finish,       ///< 着順
  Popularity,   ///< 人気
};
inline constexpr int kRunnerColumnCount = 11;

enum class Alignment { Left, Centre };

/// How one cell of a grid is drawn.
struct CellStyle {
  Rgb background = kWindow;
  Rgb text = kBlack;
  bool bold = false;
  Alignment alignment = Alignment::Centre;
  friend bool operator==(const CellStyle&, const CellStyle&) = default;
};

inline constexpr Rgb kRunnerHeading{152, 243, 164};
inline constexpr Rgb kRunnerResult{162, 255, 255};

/// The drawing of runner-grid cell (row, col) holding `text`: the heading row light green;
/// brackets in their colours; horse numbers by the race's trio/trifecta mark and the
/// runner's win order (`work.SRTaisho`, `work.AsaWinRank`); order, finishing and popularity
/// numbers bold, 1 red, 2 and 3 blue; the name left-aligned, the rest centred.
CellStyle RunnerCellStyle(int row, RunnerColumn col, std::string_view text,
                          const store::RaceWork& work);

}  // namespace screens
