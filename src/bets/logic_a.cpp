#include "bets/logic_a.h"

#include "analysis/race_facts.h"
#include "bets/logic_a_rules.h"
#include "bets/logic_candidates.h"
#include "codes/bet_numbering.h"

namespace bets {
namespace {

using codes::BetType;

constexpr double kStrongFavouriteOdds = 1.9;

// What the rules of one race are keyed on.
struct RaceFacts {
  int runners;
  VenueSide side;
  int strong_favourite;
};

void AddPairRules(SortedTextList& list, const store::RaceWork& work, int runners,
                  const std::array<PairRule, 2>& rules) {
  for (const PairRule& rule : rules) {
    if (rule.rank == kNoRule) continue;
    AddQuinellas(list, HorsesOfRanks(work, runners, NumberSet{rule.rank}),
                 HorsesOfRanks(work, runners, rule.partners));
  }
}

// The quinella candidates of the band, else of the fallback, then the mark of a race they
// make a target.
void BuildQuinellas(store::RaceWork& work, const RaceFacts& race, SortedTextList& list) {
  list.Clear();
  if (const QuinellaRow* row = FindQuinellaRow(work.URTaisho, race.side, work.OzAve123)) {
    AddPairRules(list, work, race.runners, row->rules);
  }
  // Only an empty list counts: pairs of the band that later drop out for lack of odds
  // still keep the fallback away.
  if (race.strong_favourite != 0 && list.Empty()) {
    if (const FallbackRow* row = FindFallbackRow(race.side, race.runners)) {
      AddPairRules(list, work, race.runners, row->rules);
    }
  }
  if (work.URTaisho == 0 && !list.Empty()) work.URTaisho = 4;
}

void BuildExactas(const store::RaceWork& work, const RaceFacts& race, SortedTextList& list) {
  list.Clear();
  if (const ExactaRow* row = FindExactaRow(race.side, race.runners)) {
    AddExactas(list, HorsesOfRanks(work, race.runners, row->first),
               HorsesOfRanks(work, race.runners, row->second));
  }
}

// Each trifecta in `trifectas`, its trio in `trios`.
void BuildTriples(const store::RaceWork& work, const RaceFacts& race, SortedTextList& trifectas,
                  SortedTextList& trios) {
  trifectas.Clear();
  trios.Clear();
  for (const TrifectaRow& row : TrifectaRows()) {
    if (row.mark != work.SRTaisho) continue;
    const std::vector<int> firsts = HorsesOfRanks(work, race.runners, row.roles[0]);
    const std::vector<int> seconds = HorsesOfRanks(work, race.runners, row.roles[1]);
    const std::vector<int> thirds = HorsesOfRanks(work, race.runners, row.roles[2]);
    for (const int a : firsts) {
      for (const int b : seconds) {
        for (const int c : thirds) {
          if (a == b || a == c || b == c) continue;
          trifectas.Add(codes::TripleText(a, b, c));
          trios.Add(codes::SRFTextOf(a, b, c));
        }
      }
    }
  }
}

}  // namespace

int StrongFavourite(const store::RaceDay& day, int slot) {
  const store::RaceWork& work = day.Work[slot];
  const int runners = store::RegisteredRunners(day, slot);
  for (int k = 0; k < runners; ++k) {
    const double odds = work.AsaWinOdds[k];
    if (work.AsaWinRank[k] == 1 && odds > 0 && odds <= kStrongFavouriteOdds) return k + 1;
  }
  return 0;
}

void LogicA(store::RaceDay& day, int slot, BetTables& tables, WorkingLists& lists,
            const FillTail& tail) {
  // What can fail (a field too large to hold) is read before any table is touched.
  const RaceFacts race{store::RegisteredRunners(day, slot),
                       VenueSideOf(analysis::VenueCodeOf(day, slot)), StrongFavourite(day, slot)};
  store::RaceWork& work = day.Work[slot];
  const store::RaceCombOdds odds(day, slot);

  BetTable& quinellas = tables.Table(BetType::UR);
  ClearBetTable(quinellas);
  BuildQuinellas(work, race, lists.CombList);
  FillBetTable(quinellas, lists.CombList, odds, lists.EntryList, tail);
  lists.CombList.Clear();

  BetTable& exactas = tables.Table(BetType::UT);
  ClearBetTable(exactas);
  if (work.UTTaisho >= 1) {
    BuildExactas(work, race, lists.CombList);
    FillBetTable(exactas, lists.CombList, odds, lists.EntryList, tail);
  }
  lists.CombList.Clear();
  lists.TrioCombList.Clear();

  BetTable& trifectas = tables.Table(BetType::SRT);
  BetTable& trios = tables.Table(BetType::SRF);
  ClearBetTable(trifectas);
  ClearBetTable(trios);
  BuildTriples(work, race, lists.CombList, lists.TrioCombList);
  FillBetTable(trifectas, lists.CombList, odds, lists.EntryList, tail);
  FillBetTable(trios, lists.TrioCombList, odds, lists.EntryList, tail);
}

}  // namespace bets
