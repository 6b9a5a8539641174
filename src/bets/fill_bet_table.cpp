#include "bets/fill_bet_table.h"

#include <algorithm>

#include "bets/payout_check.h"
#include "codes/cell_format.h"
#include "codes/errors.h"

namespace bets {
namespace {

// Widths of the three parts of a packed entry.
struct EntryShape {
  int comb;
  int odds;
  int popularity;
};

EntryShape ShapeOf(BetLayout layout) {
  return layout == BetLayout::Pair ? EntryShape{5, 7, 3} : EntryShape{8, 9, 4};
}

int IndexOf(codes::BetType type, std::string_view text) {
  switch (type) {
    case codes::BetType::UR:
      return codes::URIndexOf(text);
    case codes::BetType::UT:
      return codes::UTIndexOf(text);
    case codes::BetType::SRF:
      return codes::SRFIndexOf(text);
    case codes::BetType::SRT:
      return codes::SRTIndexOf(text);
    default:
      throw codes::LogicError("no bet table for this bet type");
  }
}

void BuildEntries(const BetTable& table, const SortedTextList& candidates,
                  const store::RaceCombOdds& odds, SortedTextList& entries) {
  entries.Clear();
  for (const std::string& text : candidates) {
    const int index = IndexOf(table.Type(), text);
    if (index < 1 || index > codes::CombCount(table.Type())) continue;
    const store::CombOdds market = odds.Of(table.Type(), index);
    if (!(market.odds > 0)) continue;
    entries.Add(BetEntryText(table.Layout(), text, market.odds, market.popularity));
  }
}

void WriteRows(BetTable& table, const SortedTextList& entries) {
  const int shown =
      table.Layout() == BetLayout::Triple ? std::min(entries.Size(), kMaxBetRows) : entries.Size();
  table.SetRowCount(std::max(shown + 1, 2));
  const EntryShape shape = ShapeOf(table.Layout());
  for (int k = 0; k < shown; ++k) {
    const std::string_view entry = entries[k];
    const auto odds_at = static_cast<std::size_t>(shape.comb);
    const auto pop_at = odds_at + static_cast<std::size_t>(shape.odds);
    table.SetCell(k + 1, kNoCol, codes::FormatInt(k + 1, table.NoWidth()));
    table.SetCell(k + 1, kCombCol, std::string(entry.substr(0, odds_at)));
    table.SetCell(k + 1, kOddsCol,
                  std::string(entry.substr(odds_at, static_cast<std::size_t>(shape.odds))));
    table.SetCell(k + 1, kPopularityCol, std::string(entry.substr(pop_at)));
  }
}

}  // namespace

FillTail StakeAndCheckTail(StakeMode mode, int amount, const store::RacePayouts& payouts) {
  return FillTail{
      [mode, amount](BetTable& table) { AllocateStakes(mode, amount, table); },
      [&payouts](BetTable& table) { PayoutCheck(table, payouts); },
  };
}

void ClearBetTable(BetTable& table) {
  // Rows past the first go with the row count; only the first is left to empty.
  table.SetRowCount(2);
  for (int col = 0; col < table.ColCount(); ++col) table.SetCell(1, col, "");
  table.Summary().ClearTexts();
}

std::string BetEntryText(BetLayout layout, std::string_view comb_text, double odds,
                         int popularity) {
  const EntryShape shape = ShapeOf(layout);
  if (static_cast<int>(comb_text.size()) != shape.comb) {
    throw codes::LogicError("a bet entry needs a combination text of " +
                            std::to_string(shape.comb) + " characters, not \"" +
                            std::string(comb_text) + "\"");
  }
  std::string entry(comb_text);
  entry += codes::FormatFixed(odds, shape.odds, 1);
  entry += codes::FormatInt(popularity, shape.popularity);
  // An odds or popularity wider than its part would shift the parts the table cuts out.
  if (static_cast<int>(entry.size()) != shape.comb + shape.odds + shape.popularity) {
    throw codes::LogicError("odds " + std::to_string(odds) + " or popularity " +
                            std::to_string(popularity) + " too wide for a bet entry");
  }
  return entry;
}

void FillBetTable(BetTable& table, const SortedTextList& candidates,
                  const store::RaceCombOdds& odds, SortedTextList& entries, const FillTail& tail) {
  ClearBetTable(table);
  BuildEntries(table, candidates, odds, entries);
  WriteRows(table, entries);
  if (tail.Allocate) tail.Allocate(table);
  if (tail.Check) tail.Check(table);
}

}  // namespace bets
