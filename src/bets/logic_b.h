#pragma once

#include "bets/bet_table.h"
#include "bets/fill_bet_table.h"
#include "bets/text_list.h"
#include "store/race_day.h"

namespace bets {

/// Logic B ("買い目Lgc2") for the race of `slot`: the axis runners (LogicBAxisFlag) and
/// the partners (LogicBPartnerFlag) that the day-wide favourite ranking flagged make the
/// 馬連 (axis-partner), 馬単 (partner first, axis second), ３連複 (axis and two partners)
/// and ３連単 (the axis in each of the three places) bets; each table is filled through
/// FillBetTable with `tail`. A race that is not a Logic B target has no flagged runners
/// and gets four empty tables. InputError when the race has more than 18 registered
/// runners.
void LogicB(const store::RaceDay& day, int slot, BetTables& tables, WorkingLists& lists,
            const FillTail& tail);

}  // namespace bets
