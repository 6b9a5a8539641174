#include "store/odds_import.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "codes/cell_format.h"
#include "codes/errors.h"
#include "codes/layouts/odds_layout.h"
#include "codes/layouts/ra_layout.h"
#include "codes/record_field.h"
#include "store/comb_slots.h"
#include "store/line_files.h"
#include "store/odds_text.h"
#include "store/registered_runners.h"

namespace store {
namespace {

// Where a kind's entries lie in its record, and what messages call one of them.
struct CombOddsLayout {
  const char* entry_name;
  codes::odds_layout::OddsRun run;
};

constexpr CombOddsLayout kQuinellaLayout{"quinella entry", codes::odds_layout::kQuinella};
constexpr CombOddsLayout kExactaLayout{"exacta entry", codes::odds_layout::kExacta};
constexpr CombOddsLayout kTrioLayout{"trio entry", codes::odds_layout::kTrio};
constexpr CombOddsLayout kTrifectaLayout{"trifecta entry", codes::odds_layout::kTrifecta};

// The conversion of one odds text, with the file and the entry ("quinella entry 12")
// named when it fails.
double ConvertOdds(std::string_view text, const DayOddsFiles& odds, OddsKind kind,
                   const char* entry_kind, int entry) {
  try {
    return OddsValue(text);
  } catch (const codes::InputError& e) {
    throw codes::InputError(PathText(odds.File(kind)) + ": " + entry_kind + " " +
                            std::to_string(entry) + ": " + e.what());
  }
}

// The record of the race in the kind's file, or nullopt (the target is then left as it was).
std::optional<std::string_view> RecordOfRace(const RaRecord& ra, const DayOddsFiles& odds,
                                             OddsKind kind) {
  if (!odds.Exists(kind) || ra.Int(codes::ra_layout::kRaceNumber) <= 0) return std::nullopt;
  const std::string key = RaceNumberKey(ra.Text());
  if (codes::IsBlank(key)) return std::nullopt;
  return odds.Find(kind, key);
}

template <int N>
void MatchRecord(const RaRecord& ra, const DayOddsFiles& odds, OddsKind kind,
                 RawRecord<N>& target) {
  if (const std::optional<std::string_view> record = RecordOfRace(ra, odds, kind)) {
    target.Assign(*record);
  }
}

// A combination record is not copied: it stays in the file's bytes, which it keeps.
template <int N>
void MatchRecord(const RaRecord& ra, const DayOddsFiles& odds, OddsKind kind,
                 SharedRecord<N>& target) {
  if (const std::optional<std::string_view> record = RecordOfRace(ra, odds, kind)) {
    target.Assign(*record, odds.Holder(kind));
  }
}

// "%6.1f%6.1f%2d" of the two odds and the horse number, without printf (a day load makes
// hundreds of these).
std::string OrderKey(double first, double second, int horse) {
  return codes::FormatFixed(first, 6, 1) + codes::FormatFixed(second, 6, 1) +
         codes::FormatInt(horse, 2);
}

// Positions 1.. in ascending text order of the keys; runners outside stay 0.
void RankByKeys(std::vector<std::pair<std::string, int>>& keyed, RunnerArray<int>& rank) {
  std::sort(keyed.begin(), keyed.end());
  for (size_t i = 0; i < keyed.size(); ++i) rank[keyed[i].second] = static_cast<int>(i) + 1;
}

void ImportWinAndPlace(RaceWork& work, const O1Record& o1, int runners, const DayOddsFiles& odds) {
  std::vector<std::pair<std::string, int>> win_order;
  std::vector<std::pair<std::string, int>> place_order;
  for (int k = 0; k < runners; ++k) {
    work.AsaWinOdds[k] = ConvertOdds(
        o1.Field(codes::odds_layout::kWinOdds.At(codes::odds_layout::kWinEntryLength * k)), odds,
        OddsKind::O1, "win odds of horse", k + 1);
    const double place = ConvertOdds(
        o1.Field(codes::odds_layout::kPlaceLowOdds.At(codes::odds_layout::kPlaceEntryLength * k)),
        odds, OddsKind::O1, "place odds of horse", k + 1);
    work.AsaPlaceLow[k] = place;
    // Without place odds the runner is in neither order, whatever its win odds.
    if (!IsOddsNumber(place)) continue;
    const double win = work.AsaWinOdds[k];
    if (win > 0) win_order.emplace_back(OrderKey(win, place, k + 1), k);
    if (place > 0) place_order.emplace_back(OrderKey(place, win, k + 1), k);
  }
  RankByKeys(win_order, work.AsaWinRank);
  RankByKeys(place_order, work.AsaPlaceLowRank);
}

// Checks the odds text of every entry of a combination run and counts the entries found
// readable in `checked`; their values are read when a bet table asks for them. At a bad
// text the count stops before that entry and InputError names the file and the entry.
template <typename Record>
void CheckCombinations(const Record& record, const CombOddsLayout& layout, const DayOddsFiles& odds,
                       OddsKind kind, int& checked) {
  const codes::odds_layout::OddsRun& run = layout.run;
  // Entries out of their slots would be read as other combinations: none is read.
  if (const auto mismatch = FindCombinationSlotMismatch(record.Text())) {
    checked = 0;
    throw codes::InputError(PathText(odds.File(kind)) + ": " + layout.entry_name + " " +
                            std::to_string(mismatch->entry) + ": combination " + mismatch->found +
                            " where " + mismatch->expected + " belongs");
  }
  for (int i = NextOtherOddsText(record.Text(), run, 1); i <= run.count;
       i = NextOtherOddsText(record.Text(), run, i + 1)) {
    try {
      ConvertOdds(record.Field(run.OddsPos(i), run.odds_width), odds, kind, layout.entry_name, i);
    } catch (const codes::InputError&) {
      checked = i - 1;
      throw;
    }
  }
  checked = run.count;
}

// The odds of the quinella of popularity 1 among the checked entries; where several have
// it, the last one. An entry whose odds are no number has no popularity.
double FavouriteQuinellaOdds(const RaceDay& day, int slot) {
  const codes::odds_layout::OddsRun& run = kQuinellaLayout.run;
  const O2Record& record = day.O2aRec[slot];
  double favourite = 0;
  for (int i = 1; i <= day.Work[slot].CombOddsChecked.UR; ++i) {
    if (record.Int(run.PopularityPos(i), run.popularity_width) != 1) continue;
    const double odds = OddsValue(record.Field(run.OddsPos(i), run.odds_width));
    if (IsOddsNumber(odds)) favourite = odds;
  }
  return favourite;
}

// The quinella entries, and the favourite's odds from those before any bad text.
void ImportQuinellas(RaceDay& day, int slot, const DayOddsFiles& odds) {
  RaceWork& work = day.Work[slot];
  try {
    CheckCombinations(day.O2aRec[slot], kQuinellaLayout, odds, OddsKind::O2,
                      work.CombOddsChecked.UR);
  } catch (const codes::InputError&) {
    work.AsaURFavOdds = FavouriteQuinellaOdds(day, slot);
    throw;
  }
  work.AsaURFavOdds = FavouriteQuinellaOdds(day, slot);
}

void ResetOdds(RaceWork& work) {
  work.AsaWinOdds.Fill(0);
  work.AsaPlaceLow.Fill(0);
  work.AsaWinRank.Fill(0);
  work.AsaPlaceLowRank.Fill(0);
  work.AsaURFavOdds = 0;
  work.CombOddsChecked = {};
}

}  // namespace

void ImportOdds(RaceDay& day, const DayOddsFiles& odds) {
  const int s = day.OzTargetSlot;
  RaceWork& work = day.Work[s];
  const RaRecord& ra = day.RaRec[s];
  ResetOdds(work);

  MatchRecord(ra, odds, OddsKind::O1, day.O1aRec[s]);
  MatchRecord(ra, odds, OddsKind::O2, day.O2aRec[s]);
  if (day.O1aRec[s].Int(codes::odds_layout::kRaceNumber) > 0) {
    ImportWinAndPlace(work, day.O1aRec[s], RegisteredRunners(ra, s), odds);
  }
  ImportQuinellas(day, s, odds);

  MatchRecord(ra, odds, OddsKind::O4, day.O4aRec[s]);
  MatchRecord(ra, odds, OddsKind::O5, day.O5aRec[s]);
  MatchRecord(ra, odds, OddsKind::O6, day.O6aRec[s]);
  CheckCombinations(day.O4aRec[s], kExactaLayout, odds, OddsKind::O4, work.CombOddsChecked.UT);
  CheckCombinations(day.O5aRec[s], kTrioLayout, odds, OddsKind::O5, work.CombOddsChecked.SRF);
  CheckCombinations(day.O6aRec[s], kTrifectaLayout, odds, OddsKind::O6, work.CombOddsChecked.SRT);
}

}  // namespace store
