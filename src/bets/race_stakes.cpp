#include "bets/race_stakes.h"

#include <limits>

#include "bets/payout_check.h"
#include "codes/record_field.h"

namespace bets {

int AmountOf(std::string_view amount_text) {
  const long long value = codes::NumericValue(amount_text);
  // The stake field takes six digits; a longer stored text must not wrap around.
  if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (value < 0) return 0;
  return static_cast<int>(value);
}

void ResetRaceStakeList(store::RaceDay& day, std::string_view default_amount_text) {
  day.RaceStakeList.Fill(std::string(default_amount_text));
}

const std::string& RaceStake(const store::RaceDay& day, int slot) {
  return day.RaceStakeList[slot];
}

void ReallocateAll(BetTables& tables, StakeMode mode, int amount,
                   const store::RacePayouts& payouts) {
  for (codes::BetType type : BetTables::kOrder) AllocateStakes(mode, amount, tables.Table(type));
  for (codes::BetType type : BetTables::kOrder) PayoutCheck(tables.Table(type), payouts);
}

void ChangeAmount(store::RaceDay& day, BetTables& tables, std::string_view amount_text,
                  StakeMode mode) {
  day.RaceStakeList[day.CurrentSlot] = std::string(amount_text);
  ReallocateAll(tables, mode, AmountOf(amount_text), day.DayPayouts[day.CurrentSlot]);
}

void ChangeMode(const store::RaceDay& day, BetTables& tables, StakeMode mode,
                const std::function<void(StakeMode)>& store_mode) {
  if (store_mode) store_mode(mode);
  ReallocateAll(tables, mode, AmountOf(day.RaceStakeList[day.CurrentSlot]),
                day.DayPayouts[day.CurrentSlot]);
}

}  // namespace bets
