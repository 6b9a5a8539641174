#include "bets/payout_check.h"

#include "codes/cell_format.h"
#include "codes/errors.h"
#include "codes/record_field.h"

namespace bets {
namespace {

// Calls `visit` with every paid entry of the type, in the order of the HR record.
template <typename Visit>
void ForEachPaid(const store::RacePayouts& payouts, codes::BetType type, Visit visit) {
  auto each = [&visit](const auto& entries) {
    for (const store::CombPayout& entry : entries) visit(entry);
  };
  switch (type) {
    case codes::BetType::UR:
      return each(payouts.UR);
    case codes::BetType::UT:
      return each(payouts.UT);
    case codes::BetType::SRF:
      return each(payouts.SRF);
    case codes::BetType::SRT:
      return each(payouts.SRT);
    default:
      throw codes::LogicError("the payout check knows only 馬連, 馬単, ３連複 and ３連単");
  }
}

// An unpaid entry has an empty text, and a blank key never hits.
bool Hits(const store::CombPayout& entry, std::string_view key) {
  return !codes::IsBlank(key) && entry.text == key;
}

// Writes the result cells of one hit and gives the amount returned.
long long WriteHit(BetTable& table, int row, const store::CombPayout& entry) {
  const long long stake = codes::CellInt(table.Cell(row, kStakeCol));
  // 64-bit: a trifecta payout of nine digits times a six-digit stake exceeds int.
  const long long returned = static_cast<long long>(entry.payout) * stake / 100;
  table.SetCell(row, table.PayoutCol(), codes::FormatInt(entry.payout, 7));
  table.SetCell(row, table.ResultReturnCol(), codes::FormatInt(returned, 7));
  table.SetCell(row, table.ResultPopularityCol(), codes::FormatInt(entry.popularity, 3));
  return returned;
}

}  // namespace

bool IsPaidCombination(const store::RacePayouts& payouts, codes::BetType type,
                       std::string_view comb_text) {
  bool paid = false;
  ForEachPaid(payouts, type, [&](const store::CombPayout& entry) {
    if (Hits(entry, comb_text)) paid = true;
  });
  return paid;
}

void PayoutCheck(BetTable& table, const store::RacePayouts& payouts) {
  if (table.RowCount() < 2) return;
  long long total = 0;
  for (int row = 1; row < table.RowCount(); ++row) {
    const std::string key = table.Cell(row, kCombCol);
    ForEachPaid(payouts, table.Type(), [&](const store::CombPayout& entry) {
      if (Hits(entry, key)) total += WriteHit(table, row, entry);
    });
  }
  SummaryLabel& label = table.Summary().returned;
  if (total < 1) {
    label.text.clear();
    return;
  }
  label.text = codes::FormatInt(total, 8);
  label.colour =
      total < codes::CellInt(table.Summary().total.text) ? LabelColour::Red : LabelColour::Black;
}

void PayoutCheck(BetTable& table, const store::RaceDay& day) {
  PayoutCheck(table, day.DayPayouts[day.CurrentSlot]);
}

}  // namespace bets
