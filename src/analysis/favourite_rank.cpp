#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <string>

#include "analysis/race_facts.h"
#include "analysis/race_selection.h"
#include "codes/layouts/ra_layout.h"

namespace analysis {
namespace {

using store::RaceDay;

// "%6.1f" of the favourite's odds, the race number as stored and "%2d" of the slot.
std::string FavouriteEntry(double odds, std::string_view race_number, int slot) {
  char text[48];
  std::snprintf(text, sizeof text, "%6.1f%.*s%2d", odds, static_cast<int>(race_number.size()),
                race_number.data(), slot);
  return text;
}

void ClearLogicBMarks(store::RaceWork& work) {
  work.Logic2Taisho = 0;
  work.FavDayRank = 0;
  work.LogicBAxisFlag.Fill(0);
  work.LogicBPartnerFlag.Fill(0);
}

template <size_t N>
bool Holds(const std::array<int, N>& values, int value) {
  return std::find(values.begin(), values.end(), value) != values.end();
}

void MarkLogicBTarget(RaceDay& day, int slot, const LogicBTarget& row) {
  store::RaceWork& work = day.Work[slot];
  if (!Holds(row.ranks, work.FavDayRank)) return;
  work.Logic2Taisho = 1;
  const int n = store::RegisteredRunners(day, slot);
  for (int k = 0; k < n; ++k) {
    const int rank = work.AsaWinRank[k];
    if (rank == 1) work.LogicBAxisFlag[k] = 1;
    if (Holds(row.partners, rank)) work.LogicBPartnerFlag[k] = 1;
  }
}

void RankVenue(RaceDay& day, int v) {
  const std::string& venue = day.DayVenues[v];
  std::map<std::string, int> order;
  for (int slot = 0; slot < store::kSlotCount; ++slot) {
    if (VenueCodeOf(day, slot) != venue) continue;
    ClearLogicBMarks(day.Work[slot]);
    const std::optional<int> favourite = RunnerOfRank(day, slot, 1);
    if (!favourite) continue;
    order.emplace(FavouriteEntry(day.Work[slot].AsaWinOdds[*favourite],
                                 day.RaRec[slot].Field(codes::ra_layout::kRaceNumber), slot),
                  slot);
  }
  if (order.empty()) return;
  int position = 0;
  for (const auto& entry : order) day.Work[entry.second].FavDayRank = ++position;

  const LogicBTarget* row = FindLogicBTarget(day.PreDayFav2nd[v], day.PreDayFav1st[v]);
  if (row == nullptr) return;
  for (const auto& entry : order) MarkLogicBTarget(day, entry.second, *row);
}

}  // namespace

void RankFavouritesOfDay(RaceDay& day) {
  for (int v = 1; v <= store::kVenueCount; ++v) {
    // A venue the previous day had no favourite at keeps its marks.
    if (day.PreDayPresent[v] != 0 && !day.DayVenues[v].empty()) RankVenue(day, v);
  }
}

}  // namespace analysis
