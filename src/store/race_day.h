#pragma once

#include <cstdint>
#include <string>

#include "codes/checked_array.h"
#include "store/raw_record.h"
#include "store/record_lengths.h"
#include "store/shared_record.h"

namespace store {

/// Arrays of the race day, each indexed as the system numbers it.
template <typename T>
using SlotArray = codes::CheckedArray<T, 0, kSlotCount - 1, "slot">;
template <typename T>
using RunnerArray = codes::CheckedArray<T, 0, kRunnerCount - 1, "runner">;
template <typename T>
using VenueArray = codes::CheckedArray<T, 1, kVenueCount, "venue position">;

using RaRecord = RawRecord<kRaLength>;
using SeRecord = RawRecord<kSeLength>;
using HrRecord = RawRecord<kHrLength>;
using O1Record = RawRecord<kO1Length>;
// The combination odds records stay in the day's odds files, which they keep alive.
using O2Record = SharedRecord<kO2Length>;
using O4Record = SharedRecord<kO4Length>;
using O5Record = SharedRecord<kO5Length>;
using O6Record = SharedRecord<kO6Length>;

/// Odds values are the delivered tenths divided by 10. These two never take part in an
/// ordering; every consumer treats values <= 0 as missing odds.
inline constexpr double kOddsScratched = -1.0;  // all "-" or all "*"
inline constexpr double kOddsBlank = -2.0;      // blank text

/// How many entries of each combination odds record (O2 馬連, O4 馬単, O5 ３連複, O6
/// ３連単) the odds import checked: the odds of those are read from the record when a bet
/// table asks (RaceCombOdds); the entries after them count as missing.
struct CheckedCombOdds {
  int UR = 0;
  int UT = 0;
  int SRF = 0;
  int SRT = 0;
  friend bool operator==(const CheckedCombOdds&, const CheckedCombOdds&) = default;
};

/// The working block of one race: win and place odds, ranks and the marks of the analysis.
struct RaceWork {
  std::string AsaFetchTime1;  // "hhmmss", first morning-odds fetch
  std::string AsaFetchTime2;  // "hhmmss", second morning-odds fetch
  int URTaisho = 0;           // quinella target mark 0, 1, 2, 4
  double OzAve123 = 0;        // mean win odds of the three favourites
  double AsaURFavOdds = 0;    // odds of the quinella of popularity 1
  int UTTaisho = 0;           // exacta target mark 0, 1, 2
  int SRTaisho = 0;           // trio/trifecta target mark 0, 1, 2
  int Logic2Taisho = 0;       // Logic B target 0, 1
  int FavDayRank = 0;         // the favourite's odds among its racecourse's races
  RunnerArray<double> AsaWinOdds;
  RunnerArray<double> AsaPlaceLow;
  CheckedCombOdds CombOddsChecked;
  RunnerArray<int> LogicBAxisFlag;
  RunnerArray<int> LogicBPartnerFlag;
  RunnerArray<int> AsaWinRank;       // 1-based place in win-odds order; 0 = no odds
  RunnerArray<int> AsaPlaceLowRank;  // 1-based place in place-low-odds order; 0 = no odds
  std::uint8_t HrSeen = 0;  // an HR record has been imported for the race

  /// Every field to 0, texts empty, flags cleared.
  void Reset();

  friend bool operator==(const RaceWork&, const RaceWork&) = default;
};

/// A paid horse of 単勝 or 複勝.
struct HorsePayout {
  int horse = 0;
  int popularity = 0;
  int payout = 0;  // yen per 100-yen stake
  friend bool operator==(const HorsePayout&, const HorsePayout&) = default;
};

/// A paid combination; `text` is its CombText (" 3-12", " 1- 5-11"), empty when unpaid.
struct CombPayout {
  std::string text;
  int popularity = 0;
  int payout = 0;
  friend bool operator==(const CombPayout&, const CombPayout&) = default;
};

/// The payouts of one race in the order of its HR record (entries counted from 0).
struct RacePayouts {
  codes::CheckedArray<HorsePayout, 0, 2, "win payout"> Tan;
  codes::CheckedArray<HorsePayout, 0, 4, "place payout"> Fuk;
  codes::CheckedArray<CombPayout, 0, 2, "bracket quinella payout"> WR;
  codes::CheckedArray<CombPayout, 0, 2, "quinella payout"> UR;
  codes::CheckedArray<CombPayout, 0, 6, "wide payout"> WD;
  codes::CheckedArray<CombPayout, 0, 5, "exacta payout"> UT;
  codes::CheckedArray<CombPayout, 0, 2, "trio payout"> SRF;
  codes::CheckedArray<CombPayout, 0, 5, "trifecta payout"> SRT;
  friend bool operator==(const RacePayouts&, const RacePayouts&) = default;
};

/// Everything held in memory of the one loaded race day. Allocated once for the whole
/// run (about half a megabyte: hold it by pointer); a day load only overwrites it.
struct RaceDay {
  int CurrentSlot = 0;   // the race shown on the screens
  int OzTargetSlot = 0;  // the race the next odds import works on
  VenueArray<std::string> DayVenues;  // racecourse codes ascending; "" where none
  int RdataIntervalMin = 0;
  SlotArray<std::uint8_t> AsaFetched1;
  SlotArray<std::string> RaceStakeList;  // stake amount per race, decimal text
  SlotArray<RacePayouts> DayPayouts;

  // Previous race day per venue position, reset at each day load.
  VenueArray<int> PreDayFav1st;
  VenueArray<int> PreDayFav2nd;
  VenueArray<int> PreDayPresent;

  // Raw records, byte for byte as stored plus CR LF.
  SlotArray<RaRecord> RaRec;
  SlotArray<RunnerArray<SeRecord>> SeRec;
  SlotArray<HrRecord> HrRec;
  SlotArray<O1Record> O1aRec;
  SlotArray<O2Record> O2aRec;
  SlotArray<O4Record> O4aRec;
  SlotArray<O5Record> O5aRec;
  SlotArray<O6Record> O6aRec;

  SlotArray<RaceWork> Work;

  /// Every RaceWork field of all 36 slots to its empty value.
  void ResetRaceWork();
  /// Every raw record of all 36 slots to half-width spaces.
  void ClearRawRecords();

  friend bool operator==(const RaceDay&, const RaceDay&) = default;
};

}  // namespace store
