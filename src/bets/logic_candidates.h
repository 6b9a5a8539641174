#pragma once

// The loops the two rule books share: the runners a rule names, and the combination texts
// made of them, added to a working list.

#include <functional>
#include <vector>

#include "bets/logic_number_set.h"
#include "bets/text_list.h"
#include "store/race_day.h"

namespace bets {

/// Horse numbers 1..runners (runner k is horse k + 1) for which `chosen(k)` holds, in
/// horse-number order.
std::vector<int> HorsesWhere(int runners, const std::function<bool(int k)>& chosen);

/// Horse numbers of the runners whose win rank is in `ranks` (every runner of such a rank,
/// so a shared rank names all its runners), in horse-number order.
std::vector<int> HorsesOfRanks(const store::RaceWork& work, int runners, NumberSet ranks);

/// The quinella of every a and every other b, smaller horse number first (" 3-12").
void AddQuinellas(SortedTextList& list, const std::vector<int>& as, const std::vector<int>& bs);

/// The exacta first-second of every first and every other second (" 5- 2").
void AddExactas(SortedTextList& list, const std::vector<int>& firsts,
                const std::vector<int>& seconds);

}  // namespace bets
