#pragma once

#include "bets/bet_table.h"
#include "bets/fill_bet_table.h"
#include "bets/text_list.h"
#include "store/race_day.h"

namespace bets {

/// The horse number of the favourite (rank 1) of the slot's race when its win odds are
/// above 0 and at most 1.9; 0 when the race has none.
int StrongFavourite(const store::RaceDay& day, int slot);

/// Logic A ("買い目Lgc1") for the race of `slot`: from the race marks, the venue side, the
/// mean favourite odds OzAve123 and the field size it lists the candidates of each bet
/// type and fills, in this order, the 馬連, 馬単, ３連単 and ３連複 tables through
/// FillBetTable with `tail` (the stake allocation and payout check of the bet page, or
/// none in a replay). Tables of the types the race is no target for are left empty.
///
/// Its one lasting effect on the race day: a race without a quinella mark (URTaisho 0)
/// that gets quinella candidates from the strong-favourite rules becomes a quinella
/// target, URTaisho 4, until race selection recomputes the marks.
/// InputError when the race has more than 18 registered runners.
void LogicA(store::RaceDay& day, int slot, BetTables& tables, WorkingLists& lists,
            const FillTail& tail);

}  // namespace bets
