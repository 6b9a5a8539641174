#include "bets/logic_choice.h"

#include "bets/logic_a.h"
#include "bets/logic_b.h"
#include "bets/race_stakes.h"

namespace bets {

LogicChoice LogicChoiceOf(int option) { return option == 2 ? LogicChoice::B : LogicChoice::A; }

void RunLogic(LogicChoice choice, store::RaceDay& day, int slot, BetTables& tables,
              WorkingLists& lists, const FillTail& tail) {
  switch (choice) {
    case LogicChoice::A:
      LogicA(day, slot, tables, lists, tail);
      return;
    case LogicChoice::B:
      LogicB(day, slot, tables, lists, tail);
      return;
    case LogicChoice::None:
      return;
  }
}

void RunLogicForShownRace(LogicChoice choice, store::RaceDay& day, BetTables& tables,
                          WorkingLists& lists, StakeMode mode) {
  const int slot = day.CurrentSlot;
  const int amount = AmountOf(RaceStake(day, slot));
  const FillTail tail = StakeAndCheckTail(mode, amount, day.DayPayouts[slot]);
  RunLogic(choice, day, slot, tables, lists, tail);
}

}  // namespace bets
