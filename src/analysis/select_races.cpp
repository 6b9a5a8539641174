#include <cmath>
#include <cstdio>
#include <map>
#include <string>

#include "analysis/odds_gap.h"
#include "analysis/race_facts.h"
#include "analysis/race_selection.h"

namespace analysis {
namespace {

using store::RaceDay;
using store::RaceWork;

// Races ordered by a fixed-width text of their figures; text order is numeric order
// for the values that occur, ties ordered by the further figures and the slot.
using RaceOrder = std::map<std::string, int>;

constexpr int kLargeField = 12;  // the odds-gap marks need more runners than this
constexpr double kWeakFavourite = 3.5;

std::string MeanEntry(double mean, int slot) {
  char text[48];
  std::snprintf(text, sizeof text, "%8.1f%2d", mean, slot);
  return text;
}

std::string FavouriteEntry(double odds, int runners, int slot) {
  char text[48];
  std::snprintf(text, sizeof text, "%8.1f%2d%2d", odds, runners, slot);
  return text;
}

// The mean of the delivered tenths: (t1 + t2 + t3) / 30 is the double nearest the exact
// mean, so 3.3, 5.1, 5.1 gives 4.5 and not the 4.4999… of adding the odds themselves.
double MeanOfOdds(double o1, double o2, double o3) {
  const long tenths = std::lround(o1 * 10) + std::lround(o2 * 10) + std::lround(o3 * 10);
  return static_cast<double>(tenths) / 30;
}

int GapMark(double o1, double o2, double o3) {
  if (ReachesOddsGap(o2, o1)) return 1;
  if (ReachesOddsGap(o3, o2)) return 2;
  return 0;
}

// First pass of a venue: the mean odds and the gap mark of each race, the quinella
// marks for the lowest and the highest mean.
void MarkByMeanOdds(RaceDay& day, std::string_view venue) {
  RaceOrder order;
  for (int slot = 0; slot < store::kSlotCount; ++slot) {
    if (VenueCodeOf(day, slot) != venue) continue;
    const double o1 = OddsOfRank(day, slot, 1);
    const double o2 = OddsOfRank(day, slot, 2);
    const double o3 = OddsOfRank(day, slot, 3);
    if (!(o1 > 0 && o2 > 0 && o3 > 0)) continue;  // keeps its previous mean
    RaceWork& work = day.Work[slot];
    work.OzAve123 = MeanOfOdds(o1, o2, o3);
    order.emplace(MeanEntry(work.OzAve123, slot), slot);
    if (store::RegisteredRunners(day, slot) > kLargeField) work.SRTaisho = GapMark(o1, o2, o3);
  }
  if (order.size() > 1) {
    day.Work[order.begin()->second].URTaisho = 1;
    day.Work[order.rbegin()->second].URTaisho = 2;
  }
}

// Second pass of a venue: the exacta marks for the weakest favourites.
void MarkWeakFavourites(RaceDay& day, std::string_view venue) {
  RaceOrder order;
  for (int slot = 0; slot < store::kSlotCount; ++slot) {
    if (VenueCodeOf(day, slot) != venue) continue;
    const double favourite = OddsOfRank(day, slot, 1);
    if (favourite >= kWeakFavourite) {
      order.emplace(FavouriteEntry(favourite, store::RegisteredRunners(day, slot), slot), slot);
    }
  }
  auto last = order.rbegin();
  if (last == order.rend()) return;
  day.Work[last->second].UTTaisho = 1;
  if (++last != order.rend()) day.Work[last->second].UTTaisho = 2;
}

}  // namespace

void SelectRaces(RaceDay& day) {
  for (int slot = 0; slot < store::kSlotCount; ++slot) {
    if (!IsListedRace(day, slot)) continue;
    RaceWork& work = day.Work[slot];
    work.URTaisho = 0;
    work.UTTaisho = 0;
    work.SRTaisho = 0;
  }
  for (int v = 1; v <= store::kVenueCount; ++v) {
    if (!day.DayVenues[v].empty()) MarkByMeanOdds(day, day.DayVenues[v]);
  }
  for (int v = 1; v <= store::kVenueCount; ++v) {
    if (!day.DayVenues[v].empty()) MarkWeakFavourites(day, day.DayVenues[v]);
  }
}

}  // namespace analysis
