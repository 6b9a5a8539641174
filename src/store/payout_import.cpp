#include "store/payout_import.h"

#include <optional>
#include <string>
#include <vector>

#include "codes/bet_numbering.h"
#include "codes/errors.h"
#include "codes/layouts/header_layout.h"
#include "codes/layouts/hr_layout.h"
#include "codes/layouts/se_layout.h"
#include "codes/record_field.h"
#include "store/hr_pass.h"
#include "store/odds_import.h"
#include "store/race_pass.h"
#include "store/record_store.h"

namespace store {
namespace {

// One bet type's block of entries in the HR record. Offsets are from the start of an
// entry; `numbers` horse or bracket numbers of `number_width` digits each begin it.
using PayoutLayout = codes::hr_layout::PayoutRun;
using codes::hr_layout::kPayoutWidth;

constexpr PayoutLayout kTanLayout = codes::hr_layout::kWin;
constexpr PayoutLayout kFukLayout = codes::hr_layout::kPlace;
constexpr PayoutLayout kWRLayout = codes::hr_layout::kBracketQuinella;
constexpr PayoutLayout kURLayout = codes::hr_layout::kQuinella;
constexpr PayoutLayout kWDLayout = codes::hr_layout::kWide;
constexpr PayoutLayout kUTLayout = codes::hr_layout::kExacta;
constexpr PayoutLayout kSRFLayout = codes::hr_layout::kTrio;
constexpr PayoutLayout kSRTLayout = codes::hr_layout::kTrifecta;

int EntryStart(const PayoutLayout& layout, int entry) {
  return layout.start + layout.entry_length * entry;
}

int NumberOf(const HrRecord& hr, const PayoutLayout& layout, int entry, int n) {
  return hr.Int(EntryStart(layout, entry) + layout.number_width * n, layout.number_width);
}

int PayoutOf(const HrRecord& hr, const PayoutLayout& layout, int entry) {
  return hr.Int(EntryStart(layout, entry) + layout.payout_offset, kPayoutWidth);
}

int PopularityOf(const HrRecord& hr, const PayoutLayout& layout, int entry) {
  return hr.Int(EntryStart(layout, entry) + layout.popularity_offset, layout.popularity_width);
}

template <typename Entries>
void ReadHorsePayouts(const HrRecord& hr, const PayoutLayout& layout, Entries& entries) {
  for (int e = Entries::kFirst; e <= Entries::kLast; ++e) {
    entries[e] = HorsePayout{NumberOf(hr, layout, e, 0), PopularityOf(hr, layout, e),
                             PayoutOf(hr, layout, e)};
  }
}

// The CombText of the entry's numbers, or "" unless every one of them is above 0.
std::string CombTextOf(const HrRecord& hr, const PayoutLayout& layout, int entry) {
  int n[3] = {0, 0, 0};
  for (int i = 0; i < layout.numbers; ++i) {
    n[i] = NumberOf(hr, layout, entry, i);
    if (n[i] <= 0) return {};
  }
  return layout.numbers == 2 ? codes::PairText(n[0], n[1]) : codes::TripleText(n[0], n[1], n[2]);
}

template <typename Entries>
void ReadCombPayouts(const HrRecord& hr, const PayoutLayout& layout, Entries& entries) {
  for (int e = Entries::kFirst; e <= Entries::kLast; ++e) {
    entries[e] = CombPayout{CombTextOf(hr, layout, e), PopularityOf(hr, layout, e),
                            PayoutOf(hr, layout, e)};
  }
}

RacePayouts PayoutsOf(const HrRecord& hr) {
  RacePayouts p;
  ReadHorsePayouts(hr, kTanLayout, p.Tan);
  ReadHorsePayouts(hr, kFukLayout, p.Fuk);
  ReadCombPayouts(hr, kWRLayout, p.WR);
  ReadCombPayouts(hr, kURLayout, p.UR);
  ReadCombPayouts(hr, kWDLayout, p.WD);
  ReadCombPayouts(hr, kUTLayout, p.UT);
  ReadCombPayouts(hr, kSRFLayout, p.SRF);
  ReadCombPayouts(hr, kSRTLayout, p.SRT);
  return p;
}

// The full RaceKey: year, month-day, racecourse, meeting, day, race number.
std::string_view FullRaceKey(std::string_view record) {
  return codes::Field(record, codes::header_layout::kRaceKey);
}

// Each HR record into the first slot with its full RaceKey. Returns whether the shown
// race got its first HR record.
bool MatchPayouts(RaceDay& day, const std::vector<std::string>& hr_records,
                  const std::string& shown_key) {
  bool newly_paid = false;
  for (const std::string& record : hr_records) {
    const std::string_view key = FullRaceKey(record);
    // A blank key would match every empty slot; it names no race.
    if (codes::IsBlank(key)) continue;
    for (int slot = 0; slot < kSlotCount; ++slot) {
      if (FullRaceKey(day.RaRec[slot].Text()) != key) continue;
      day.HrRec[slot].Assign(record);
      if (RaceNumberKey(record) == shown_key && day.Work[slot].HrSeen == 0) newly_paid = true;
      day.Work[slot].HrSeen = 1;
      break;
    }
  }
  return newly_paid;
}

// The finishing position "01" … "05" of each horse paid for a place.
void MarkPlacedRunners(RaceDay& day) {
  static const std::string kPositions[] = {"01", "02", "03", "04", "05"};
  for (int slot = 0; slot < kSlotCount; ++slot) {
    for (int e = 0; e < 5; ++e) {
      const int horse = NumberOf(day.HrRec[slot], kFukLayout, e, 0);
      if (horse <= 0) continue;
      if (horse > kRunnerCount) {
        throw codes::InputError("payouts of slot " + std::to_string(slot) + ": place entry " +
                                std::to_string(e + 1) + " names horse " + std::to_string(horse) +
                                "; a race holds at most " + std::to_string(kRunnerCount));
      }
      day.SeRec[slot][horse - 1].Put(codes::se_layout::kFinalPlacing.pos, kPositions[e]);
    }
  }
}

}  // namespace

void Calc(RaceDay& day) {
  for (int slot = 0; slot < kSlotCount; ++slot) day.DayPayouts[slot] = PayoutsOf(day.HrRec[slot]);
}

bool ImportPayouts(RaceDay& day, const RecordStore& store, const std::string& day_prefix) {
  const std::string shown_key = RaceNumberKey(day.RaRec[day.CurrentSlot].Text());
  bool newly_paid = false;
  ReadRacePass(day, store, day_prefix, /*skip_blank_year=*/true);
  if (std::optional<std::vector<std::string>> hr = ReadHrRecords(store, day_prefix)) {
    for (HrRecord& r : day.HrRec) r.Clear();
    newly_paid = MatchPayouts(day, *hr, shown_key);
    MarkPlacedRunners(day);
  }
  Calc(day);
  return newly_paid;
}

}  // namespace store
