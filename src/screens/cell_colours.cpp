#include "screens/cell_colours.h"

#include <array>

#include "bets/payout_check.h"
#include "codes/bet_numbering.h"
#include "codes/errors.h"
#include "codes/record_field.h"

namespace screens {
namespace {

// Bracket colours 1..8; other numbers keep the grid's normal colour.
constexpr std::array<Rgb, 8> kBracketColours{kWhite,  kGrey, kRed,    kBlue,
                                             kYellow, kLime, kOrange, kFuchsia};

int CellValue(std::string_view text) { return static_cast<int>(codes::NumericValue(text)); }

Rgb BracketColour(int bracket) {
  if (bracket < 1 || bracket > static_cast<int>(kBracketColours.size())) return kWindow;
  return kBracketColours[static_cast<std::size_t>(bracket - 1)];
}

// Which win orders the race's trio/trifecta mark singles out: the key horse in red, its
// partners in aqua (under mark 2 the third favourite is left out).
Rgb MarkedOrderColour(int mark, int win_order) {
  if (mark == 1) {
    if (win_order == 1) return kRed;
    if (win_order >= 2 && win_order <= 9) return kAqua;
  } else {
    if (win_order == 2) return kRed;
    if (win_order == 1 || (win_order >= 4 && win_order <= 10)) return kAqua;
  }
  return kInfoBackground;
}

Rgb HorseNumberColour(int horse, const store::RaceWork& work) {
  if (work.SRTaisho != 1 && work.SRTaisho != 2) return kInfoBackground;
  if (horse <= 0) return kWindow;
  // A horse number beyond the field read from a damaged record has no win order.
  if (horse > codes::kMaxHorse) return kInfoBackground;
  return MarkedOrderColour(work.SRTaisho, work.AsaWinRank[horse - 1]);
}

Rgb OrderTextColour(int value) {
  if (value == 1) return kRed;
  if (value == 2 || value == 3) return kBlue;
  return kBlack;
}

}  // namespace

Rgb CellColour(const bets::BetTable& table, int row, int col, const store::RacePayouts& payouts) {
  if (row == 0) return kBetHeader;
  if (col == bets::kNoCol) return kBetNoColumn;
  if (col == bets::kCombCol &&
      bets::IsPaidCombination(payouts, table.Type(), table.Cell(row, col))) {
    return kPaidCombination;
  }
  return kWhite;
}

Rgb SummaryLabelBackground(codes::BetType label_type, codes::BetType active_type) {
  return label_type == active_type ? kActiveLabelBackground : kLabelBackground;
}

Rgb LabelTextColour(bets::LabelColour colour) {
  return colour == bets::LabelColour::Red ? kRed : kBlack;
}

CellStyle RunnerCellStyle(int row, RunnerColumn col, std::string_view text,
                          const store::RaceWork& work) {
  CellStyle style;
  if (col == RunnerColumn::Name) style.alignment = Alignment::Left;
  if (row == 0) {
    style.background = kRunnerHeading;
    return style;
  }
  switch (col) {
    case RunnerColumn::Bracket:
      style.background = BracketColour(CellValue(text));
      break;
    case RunnerColumn::HorseNumber:
      style.background = HorseNumberColour(CellValue(text), work);
      break;
    case RunnerColumn::WinOrder:
    case RunnerColumn::PlaceOrder:
      style.bold = true;
      style.text = OrderTextColour(CellValue(text));
      break;
    case RunnerColumn::Finish:
    case RunnerColumn::Popularity:
      style.bold = true;
      style.text = OrderTextColour(CellValue(text));
      style.background = kRunnerResult;
      break;
    default:
      break;
  }
  return style;
}

}  // namespace screens
