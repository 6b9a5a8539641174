#include "store/odds_import.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "codes/errors.h"
#include "codes/layouts/odds_layout.h"
#include "codes/layouts/ra_layout.h"
#include "codes/record_field.h"
#include "store/line_files.h"
#include "store/odds_text.h"
#include "store/registered_runners.h"

namespace store {
namespace {

// Where the odds and popularity of combination i lie in a record:
// entry i starts at first + entry_length * (i - 1).
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

template <int N>
void MatchRecord(const RaRecord& ra, const DayOddsFiles& odds, OddsKind kind,
                 RawRecord<N>& target) {
  if (!odds.Exists(kind) || ra.Int(codes::ra_layout::kRaceNumber) <= 0) return;
  const std::string key = RaceNumberKey(ra.Text());
  if (codes::IsBlank(key)) return;
  if (const std::optional<std::string_view> record = odds.Find(kind, key)) target.Assign(*record);
}

std::string OrderKey(double first, double second, int horse) {
  char text[40];
  std::snprintf(text, sizeof text, "%6.1f%6.1f%2d", first, second, horse);
  return text;
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

// Every combination of the array from its record; the popularity only where the text
// gave a number. `favourite`, when given, takes the odds of each combination of
// popularity 1 as it is met, so the last one wins.
template <int N, typename OddsArray, typename PopularityArray>
void ImportCombinations(const RawRecord<N>& record, const CombOddsLayout& layout,
                        const DayOddsFiles& odds, OddsKind kind, OddsArray& values,
                        PopularityArray& popularity, double* favourite = nullptr) {
  for (int i = OddsArray::kFirst; i <= OddsArray::kLast; ++i) {
    const codes::odds_layout::OddsRun& run = layout.run;
    const int entry = run.start + run.entry_length * (i - 1);
    values[i] = ConvertOdds(record.Field(entry + run.odds_offset, run.odds_width), odds, kind,
                            layout.entry_name, i);
    if (!IsOddsNumber(values[i])) continue;
    popularity[i] = record.Int(entry + run.popularity_offset, run.popularity_width);
    if (popularity[i] == 1 && favourite != nullptr) *favourite = values[i];
  }
}

void ResetOdds(RaceWork& work) {
  work.AsaWinOdds.Fill(0);
  work.AsaPlaceLow.Fill(0);
  work.AsaWinRank.Fill(0);
  work.AsaPlaceLowRank.Fill(0);
  work.AsaURFavOdds = 0;
  work.AsaUROdds.Fill(0);
  work.AsaURPop.Fill(0);
  work.AsaUTOdds.Fill(0);
  work.AsaUTPop.Fill(0);
  work.AsaSRFOdds.Fill(0);
  work.AsaSRFPop.Fill(0);
  work.AsaSRTOdds.Fill(0);
  work.AsaSRTPop.Fill(0);
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
  ImportCombinations(day.O2aRec[s], kQuinellaLayout, odds, OddsKind::O2, work.AsaUROdds,
                     work.AsaURPop, &work.AsaURFavOdds);

  MatchRecord(ra, odds, OddsKind::O4, day.O4aRec[s]);
  MatchRecord(ra, odds, OddsKind::O5, day.O5aRec[s]);
  MatchRecord(ra, odds, OddsKind::O6, day.O6aRec[s]);
  ImportCombinations(day.O4aRec[s], kExactaLayout, odds, OddsKind::O4, work.AsaUTOdds,
                     work.AsaUTPop);
  ImportCombinations(day.O5aRec[s], kTrioLayout, odds, OddsKind::O5, work.AsaSRFOdds,
                     work.AsaSRFPop);
  ImportCombinations(day.O6aRec[s], kTrifectaLayout, odds, OddsKind::O6, work.AsaSRTOdds,
                     work.AsaSRTPop);
}

}  // namespace store
