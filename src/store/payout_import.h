#pragma once

#include <string>

#include "store/race_day.h"

namespace store {

class RecordStore;

/// The payout tables: `DayPayouts` of all 36 slots from their `HrRec`, from scratch.
/// Every entry is cleared before it is read, so an unpaid entry never keeps an older
/// text; a combination text is set only when every number of the entry is above 0.
void Calc(RaceDay& day);

/// The payout import of the whole day, after a results fetch has stored new RA, SE and
/// HR records: the races and runners re-read with the RA pass of the day load; each HR
/// record into the `HrRec` of the race with its full RaceKey (positions 12-27), that
/// race marked `HrSeen`; the finishing positions "01" … "05" of the paid place horses
/// written into their runner records; then `Calc`.
/// Returns true when the race shown (`CurrentSlot`, as it was on entry) received its
/// first payouts: the caller then shows it again, when the race list has a selection.
/// InputError for bad files (nothing of that file is applied) and for a place entry
/// whose horse number is above 18.
bool ImportPayouts(RaceDay& day, const RecordStore& store, const std::string& day_prefix);

}  // namespace store
