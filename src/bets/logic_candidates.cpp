#include "bets/logic_candidates.h"

#include <algorithm>

#include "codes/bet_numbering.h"

namespace bets {

std::vector<int> HorsesWhere(int runners, const std::function<bool(int k)>& chosen) {
  std::vector<int> horses;
  for (int k = 0; k < runners; ++k) {
    if (chosen(k)) horses.push_back(k + 1);
  }
  return horses;
}

std::vector<int> HorsesOfRanks(const store::RaceWork& work, int runners, NumberSet ranks) {
  // Rank 0 (no odds) is in no rule's set, so runners without odds are never chosen.
  return HorsesWhere(runners, [&](int k) {
    const int rank = work.AsaWinRank[k];
    return rank > 0 && ranks.Contains(rank);
  });
}

void AddQuinellas(SortedTextList& list, const std::vector<int>& as, const std::vector<int>& bs) {
  for (const int a : as) {
    for (const int b : bs) {
      if (a != b) list.Add(codes::PairText(std::min(a, b), std::max(a, b)));
    }
  }
}

void AddExactas(SortedTextList& list, const std::vector<int>& firsts,
                const std::vector<int>& seconds) {
  for (const int first : firsts) {
    for (const int second : seconds) {
      if (first != second) list.Add(codes::PairText(first, second));
    }
  }
}

}  // namespace bets
