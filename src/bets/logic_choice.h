#pragma once

#include "bets/bet_table.h"
#include "bets/fill_bet_table.h"
#include "bets/stake_allocation.h"
#include "bets/text_list.h"
#include "store/race_day.h"

namespace bets {

/// The rule book ticked in the menu: ロジックＡ, ロジックＢ, or (in a replay or the
/// command line) neither.
enum class LogicChoice { None, A, B };

/// The choice stored in setting "Kaime"/"Option": 2 is Logic B, any other value Logic A
/// (the default).
LogicChoice LogicChoiceOf(int option);

/// Runs the chosen rule book for the race of `slot` with `tail`; nothing for None (the
/// tables keep what they hold).
void RunLogic(LogicChoice choice, store::RaceDay& day, int slot, BetTables& tables,
              WorkingLists& lists, const FillTail& tail);

/// The step of showing a race: the chosen rule book for the race shown (day.CurrentSlot),
/// each table then allocated with the race's remembered amount (RaceStakeList) in `mode`
/// and checked against the race's payouts.
void RunLogicForShownRace(LogicChoice choice, store::RaceDay& day, BetTables& tables,
                          WorkingLists& lists, StakeMode mode);

}  // namespace bets
