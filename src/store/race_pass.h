#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/fixed_records.h"
#include "store/race_day.h"
#include "store/record_store.h"

namespace store {

/// The races of a day as the race pass reads them: the day file's RA records in slot
/// order, each with the runner records of its race, read and checked but not yet put
/// into a RaceDay. Holding them apart lets a load fail on bad input without touching
/// what is in memory.
struct RacePassRecords {
  struct Race {
    std::string ra;  ///< the RA record, CR LF included
    /// runner k = horse number k + 1, a record of one of `runner_files`; empty without a
    /// runner file
    std::vector<std::string_view> runners;
  };
  std::vector<Race> races;  ///< race i goes to RaceSlot i
  /// The runner files the races' runners are read from, held whole (a file serves a
  /// dozen races, so its records are not copied out for each).
  std::vector<std::shared_ptr<const FixedRecordFile>> runner_files;
  /// RA records left out because their RaceKey names no race of this day (a date that
  /// is no real date or another day, a racecourse not in the table, a race number
  /// outside 01..12): one error-log message each, Shift-JIS.
  std::vector<std::string> dropped;
};

/// Reads the day's ".jvRA" file and, once per racecourse, its ".jvSEr" runner file.
/// Race i of the result is the i-th RA record of the file; with `skip_blank_year`
/// records whose year (positions 12-15) is blank are left out and take no slot. Records
/// whose RaceKey names no race of the day are left out too (`dropped`): none of their
/// fields becomes a path or a racecourse of the day.
/// For a race with a runner file, runner k is record (r - 1) * 18 + k of that file,
/// r = race number (RA 26-27), k = 0 .. registered runners (RA 882-883) - 1.
/// nullopt when the day file does not exist. InputError naming the file when a file
/// ends inside a record or holds a record of the wrong length, when the day has more
/// than 36 races or races at more than three racecourses, when a race has more than
/// 18 registered runners, or when a race's runner records lie outside its runner file.
std::optional<RacePassRecords> ReadRacePassRecords(const RecordStore& store,
                                                   const std::string& day_prefix,
                                                   bool skip_blank_year);

/// Puts race i into `RaRec` of slot i and its runners into `SeRec` of slot i, runner k.
/// Slots beyond the races and runner records the races do not have stay as they were.
void ApplyRacePass(RaceDay& day, const RacePassRecords& records);

/// The RA pass of a day load, also run by the payout import to re-read the races and
/// runners of the day: ReadRacePassRecords, then ApplyRacePass. Returns false, changing
/// nothing, when the day file does not exist. On InputError nothing has changed either.
bool ReadRacePass(RaceDay& day, const RecordStore& store, const std::string& day_prefix,
                  bool skip_blank_year);

}  // namespace store
