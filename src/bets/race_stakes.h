#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "bets/bet_table.h"
#include "bets/stake_allocation.h"
#include "store/race_day.h"

namespace bets {

/// The amount of an amount text (the stake field, a RaceStakeList entry, the default
/// amount setting): its numeric value, 0 when it has no digits.
int AmountOf(std::string_view amount_text);

/// On a day load: every race's amount becomes the default amount (setting "DefaultAmount").
void ResetRaceStakeList(store::RaceDay& day, std::string_view default_amount_text);

/// The amount text remembered for a race; the stake field is set from it when the race is
/// selected.
const std::string& RaceStake(const store::RaceDay& day, int slot);

/// Allocates the four tables 馬連, 馬単, ３連複, ３連単 in this order, then runs the payout
/// check on all four in the same order.
void ReallocateAll(BetTables& tables, StakeMode mode, int amount,
                   const store::RacePayouts& payouts);

/// The stake field changed: the text is stored as the amount of the race shown
/// (day.CurrentSlot), then ReallocateAll with its amount and the race's payouts.
void ChangeAmount(store::RaceDay& day, BetTables& tables, std::string_view amount_text,
                  StakeMode mode);

/// The 資金配分 choice changed: `store_mode` writes the mode to the settings file first,
/// then ReallocateAll with the amount of the race shown and its payouts.
void ChangeMode(const store::RaceDay& day, BetTables& tables, StakeMode mode,
                const std::function<void(StakeMode)>& store_mode);

}  // namespace bets
