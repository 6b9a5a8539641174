#include "store/day_loader.h"

namespace store {

std::optional<DayLoadRecords> ReadDayLoadRecords(const RecordStore& store,
                                                 const std::string& day_prefix) {
  std::optional<RacePassRecords> races = ReadRacePassRecords(store, day_prefix, false);
  if (!races) return std::nullopt;
  DayLoadRecords records;
  records.races = std::move(*races);
  records.payouts = ReadHrRecords(store, day_prefix).value_or(std::vector<std::string>{});
  return records;
}

void ResetRaceWork(RaceDay& day) { day.ResetRaceWork(); }

void ApplyDayLoadRecords(RaceDay& day, const DayLoadRecords& records) {
  day.ClearRawRecords();
  ApplyRacePass(day, records.races);
  MatchHrRecords(day, records.payouts);
}

}  // namespace store
