#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace store {

class RecordStore;

/// The combination odds records O2 … O6 keep every combination of a full field of 18 in
/// a fixed slot (馬連 1-2 first, then 1-3 …), whatever the race's number of runners, and
/// the odds are read by slot. An entry whose combination number is blank (or all zeros)
/// is not filled; a filled one must carry its slot's number, or the record's odds would
/// be read as another combination's.
///
struct CombinationSlotMismatch {
  const char* kind;      ///< the bet type's name, UTF-8 ("馬連")
  int entry;             ///< the slot, from 1
  std::string found;     ///< the number the entry holds
  std::string expected;  ///< the slot's number
};

/// The first filled entry that is not in its slot, or nullopt when every one is. Records
/// of other kinds, and those too short for their entries, give nullopt: their length is
/// checked elsewhere.
std::optional<CombinationSlotMismatch> FindCombinationSlotMismatch(std::string_view record);

/// The error-log text (Shift-JIS) for a combination odds record dropped for `mismatch`.
std::string CombinationFaultLogText(std::string_view record, const CombinationSlotMismatch& mismatch);

/// True when every filled entry stands in its slot. Otherwise the record is to be dropped
/// rather than filed, and the error log of `store` gets a line naming it: the pull and the
/// real-time fetches file through this.
bool CombinationsInSlots(std::string_view record, RecordStore& store);

}  // namespace store
