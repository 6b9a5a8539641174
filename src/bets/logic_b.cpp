#include "bets/logic_b.h"

#include <vector>

#include "analysis/race_facts.h"
#include "bets/logic_candidates.h"
#include "codes/bet_numbering.h"

namespace bets {
namespace {

using codes::BetType;

// The flagged runners of the race, in horse-number order.
struct AxisAndPartners {
  std::vector<int> axes;
  std::vector<int> partners;
};

AxisAndPartners FlaggedRunners(const store::RaceWork& work, int runners) {
  return {HorsesWhere(runners, [&](int k) { return work.LogicBAxisFlag[k] >= 1; }),
          HorsesWhere(runners, [&](int k) { return work.LogicBPartnerFlag[k] > 0; })};
}

void AddTrios(SortedTextList& list, const AxisAndPartners& race) {
  for (const int a : race.axes) {
    for (const int b : race.partners) {
      for (const int c : race.partners) {
        if (b == a || c == a || c == b) continue;
        const std::string trio = codes::SRFTextOf(a, b, c);
        if (codes::SRFIndexOf(trio) > 0) list.Add(trio);
      }
    }
  }
}

void AddTrifecta(SortedTextList& list, int first, int second, int third) {
  const std::string text = codes::TripleText(first, second, third);
  if (codes::SRTIndexOf(text) > 0) list.Add(text);
}

// The axis first, second and third; the list orders and deduplicates them, so the
// three passes can run as one.
void AddTrifectas(SortedTextList& list, const AxisAndPartners& race) {
  for (const int a : race.axes) {
    for (const int b : race.partners) {
      for (const int c : race.partners) {
        if (b == a || c == a || c == b) continue;
        AddTrifecta(list, a, b, c);
        AddTrifecta(list, b, a, c);
        AddTrifecta(list, b, c, a);
      }
    }
  }
}

// A table is filled only when its candidate list holds something; otherwise it stays as
// cleared.
void FillWhenAny(BetTable& table, const SortedTextList& candidates, const store::RaceCombOdds& odds,
                 SortedTextList& entries, const FillTail& tail) {
  if (!candidates.Empty()) FillBetTable(table, candidates, odds, entries, tail);
}

}  // namespace

void LogicB(const store::RaceDay& day, int slot, BetTables& tables, WorkingLists& lists,
            const FillTail& tail) {
  const store::RaceWork& work = day.Work[slot];
  const AxisAndPartners race = FlaggedRunners(work, store::RegisteredRunners(day, slot));
  const store::RaceCombOdds odds(day, slot);

  BetTable& quinellas = tables.Table(BetType::UR);
  ClearBetTable(quinellas);
  lists.CombList.Clear();
  AddQuinellas(lists.CombList, race.axes, race.partners);
  FillWhenAny(quinellas, lists.CombList, odds, lists.EntryList, tail);

  BetTable& exactas = tables.Table(BetType::UT);
  ClearBetTable(exactas);
  lists.CombList.Clear();
  AddExactas(lists.CombList, race.partners, race.axes);
  FillWhenAny(exactas, lists.CombList, odds, lists.EntryList, tail);

  BetTable& trios = tables.Table(BetType::SRF);
  ClearBetTable(trios);
  lists.TrioCombList.Clear();
  AddTrios(lists.TrioCombList, race);
  FillWhenAny(trios, lists.TrioCombList, odds, lists.EntryList, tail);

  BetTable& trifectas = tables.Table(BetType::SRT);
  ClearBetTable(trifectas);
  lists.TrioCombList.Clear();
  lists.EntryList.Clear();
  AddTrifectas(lists.TrioCombList, race);
  FillWhenAny(trifectas, lists.TrioCombList, odds, lists.EntryList, tail);
}

}  // namespace bets
