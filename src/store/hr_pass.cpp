#include "store/hr_pass.h"

#include <string_view>

#include "codes/layouts/header_layout.h"
#include "codes/record_field.h"
#include "store/fixed_records.h"

namespace store {
namespace {

// Year, month-day, racecourse and race number: the fields an HR record is matched by
// (meeting and day number are not compared).
std::string MatchKey(std::string_view record) {
  return std::string(codes::Field(record, codes::header_layout::kYear)) +
         std::string(codes::Field(record, codes::header_layout::kMonthDay)) +
         std::string(codes::Field(record, codes::header_layout::kCourse)) +
         std::string(codes::Field(record, codes::header_layout::kRaceNumber));
}

}  // namespace

std::optional<std::vector<std::string>> ReadHrRecords(const RecordStore& store,
                                                      const std::string& day_prefix) {
  std::optional<std::vector<std::string>> records =
      ReadFixedRecords(store.DayFilePath(day_prefix, ".jvHR"), kHrLength);
  if (records && records->size() > static_cast<size_t>(kSlotCount)) {
    records->resize(static_cast<size_t>(kSlotCount));
  }
  return records;
}

void MatchHrRecords(RaceDay& day, const std::vector<std::string>& hr_records) {
  for (const std::string& hr : hr_records) {
    const std::string key = MatchKey(hr);
    if (codes::IsBlank(key)) continue;
    for (int slot = 0; slot < kSlotCount; ++slot) {
      if (MatchKey(day.RaRec[slot].Text()) == key) {
        day.HrRec[slot].Assign(hr);
        break;
      }
    }
  }
}

}  // namespace store
