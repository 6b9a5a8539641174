#include "bets/stake_allocation.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "codes/cell_format.h"
#include "codes/rate_text.h"
#include "codes/record_field.h"

namespace bets {
namespace {

// The table of a fill never has more than 307 rows; a larger one gets no stakes at all.
constexpr int kMaxAllocatedRows = kMaxBetRows + 1;

// A counted bet's odds: those of a live, not excluded row whose odds cell shows a number
// above 0; nullopt for any other row.
std::optional<double> CountedOdds(const BetTable& table, int row) {
  if (!table.IsLive(row) || table.IsExcluded(row)) return std::nullopt;
  const std::string& odds = table.Cell(row, kOddsCol);
  if (codes::IsBlank(odds)) return std::nullopt;
  const double value = codes::CellNumber(odds);
  if (!(value > 0)) return std::nullopt;
  return value;
}

bool IsCounted(const BetTable& table, int row) { return CountedOdds(table, row).has_value(); }

struct CountedBet {
  int row;
  double odds;
};

std::vector<CountedBet> CountedBets(const BetTable& table) {
  std::vector<CountedBet> bets;
  for (int row = 1; row < table.RowCount(); ++row) {
    if (const std::optional<double> odds = CountedOdds(table, row)) bets.push_back({row, *odds});
  }
  return bets;
}

void ClearStakeCells(BetTable& table) {
  for (int row = 1; row < table.RowCount(); ++row) {
    table.SetCell(row, kStakeCol, "");
    table.SetCell(row, kReturnCol, "");
    table.SetCell(row, kRateCol, "");
  }
}

// Odds cells carry one decimal, so stake × odds is computed in tenths: every stake is a
// multiple of 100 and the product is then a whole number of yen, free of rounding error.
long long ReturnOf(long long stake, double odds) {
  const auto tenths = std::llround(odds * 10);
  return stake * tenths / 10;
}

// Writes the return and rate cells of one bet and gives its return, truncated to yen. The
// rate is the exact quotient return × 100 / total, a half rounded up.
long long WriteReturn(BetTable& table, int row, long long stake, long long total, double odds) {
  const long long ret = ReturnOf(stake, odds);
  table.SetCell(row, kReturnCol, codes::FormatInt(ret, 7));
  table.SetCell(row, kRateCol, codes::RateText(ret * 100, total, 7, 1));
  return ret;
}

// R: the mean return of the counted bets as a percentage of the total stake, the exact
// quotient sum × 100 / (n × total). Its colour is decided on that quotient too: R > 100
// exactly when sum > n × total, R > 0 exactly when sum > 0.
void WriteExpected(BetSummary& labels, long long sum, int n, long long total) {
  const long long stakes = n * total;
  labels.expected.text = codes::RateText(sum * 100, stakes, 7, 1);
  if (sum > stakes) {
    labels.expected.colour = LabelColour::Black;
  } else if (sum > 0) {
    labels.expected.colour = LabelColour::Red;
  }
}

// Trunc(amount / n / 100 + 0.9) in exact integer arithmetic: the share in units of 100 yen
// is rounded up unless its fraction is below 0.1 (a double sum could land just below a
// whole number and lose 100 yen).
long long EqualStake(int amount, int n) {
  const long long units = (static_cast<long long>(amount) + 90LL * n) / (100LL * n);
  return std::max(units * 100, 100LL);
}

void AllocateEqually(int amount, BetTable& table) {
  ClearStakeCells(table);
  const std::vector<CountedBet> bets = CountedBets(table);
  const int n = static_cast<int>(bets.size());
  if (n == 0) return;
  const long long stake = EqualStake(amount, n);
  const long long total = n * stake;
  BetSummary& labels = table.Summary();
  labels.count.text = codes::FormatInt(n, 3);
  labels.total.text = codes::FormatInt(total, 6);
  long long sum = 0;
  for (const CountedBet& bet : bets) {
    table.SetCell(bet.row, kStakeCol, codes::FormatInt(stake, 6));
    sum += WriteReturn(table, bet.row, stake, total, bet.odds);
  }
  WriteExpected(labels, sum, n, total);
}

// The stake of a share (percent): Trunc(amount × share / 10000 + 0.95) × 100, at least 100.
long long ProportionalStake(int amount, double share) {
  const auto stake = static_cast<long long>(std::trunc(amount * share / 10000 + 0.95)) * 100;
  return std::max(stake, 100LL);
}

void AllocateProportionally(int amount, BetTable& table) {
  if (codes::IsBlank(table.Cell(1, kOddsCol))) return;
  // The base factor cancels out of the shares; it only scales the weights.
  const double base = 100 * codes::CellNumber(table.Cell(1, kOddsCol));
  ClearStakeCells(table);
  std::vector<double> weight(static_cast<std::size_t>(table.RowCount()), 0.0);
  double weights = 0;
  int n = 0;
  for (int row = 1; row < table.RowCount(); ++row) {
    if (!IsCounted(table, row)) continue;
    weight[static_cast<std::size_t>(row)] = base / codes::CellNumber(table.Cell(row, kOddsCol));
    weights += weight[static_cast<std::size_t>(row)];
    ++n;
  }
  long long total = 0;
  for (int row = 1; row < table.RowCount() && weights > 0; ++row) {
    if (!table.IsLive(row) || table.IsExcluded(row)) continue;
    const double share = weight[static_cast<std::size_t>(row)] / weights * 100;
    if (share > 0) table.SetCell(row, kStakeCol, codes::FormatFixed(share, 6, 2));
    if (codes::IsBlank(table.Cell(row, kOddsCol))) continue;
    const long long stake = ProportionalStake(amount, share);
    // A stake below 100 has become "   100".
    table.SetCell(row, kStakeCol, codes::FormatInt(stake, 6));
    total += stake;
  }
  BetSummary& labels = table.Summary();
  labels.count.text = codes::FormatInt(n, 3);
  labels.total.text = codes::FormatInt(total, 6);
  if (total < 1) return;
  long long sum = 0;
  for (int row = 1; row < table.RowCount(); ++row) {
    if (!table.IsLive(row) || table.IsExcluded(row)) continue;
    sum += WriteReturn(table, row, codes::CellInt(table.Cell(row, kStakeCol)), total,
                       codes::CellNumber(table.Cell(row, kOddsCol)));
  }
  WriteExpected(labels, sum, n, total);
}

}  // namespace

StakeMode StakeModeOf(int setting_value) {
  return setting_value == 1 ? StakeMode::Proportional : StakeMode::Equal;
}

int SettingValueOf(StakeMode mode) { return mode == StakeMode::Proportional ? 1 : 0; }

void AllocateStakes(StakeMode mode, int amount, BetTable& table) {
  if (amount < kMinAmount || table.RowCount() > kMaxAllocatedRows) return;
  if (mode == StakeMode::Equal) {
    AllocateEqually(amount, table);
  } else {
    AllocateProportionally(amount, table);
  }
}

}  // namespace bets
