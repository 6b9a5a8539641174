#include "jvlink/realtime_filing.h"

#include <iterator>

#include "codes/record_field.h"
#include "store/day_prefix.h"
#include "store/comb_slots.h"
#include "store/record_lengths.h"
#include "store/record_lines.h"

namespace jvlink {
namespace {

enum class Filing { kDayFile, kRunnerSlot, kChangeFile };

struct RealtimeRule {
  RealtimeLoop loop;
  std::string_view id;
  int length;
  bool skip_cancelled;  // data kind "0" (deleted) or "9" (race cancelled) is not filed
  bool horse_up_to_18;
  bool zero_stamp;
  Filing filing;
  std::string_view suffix;
  bool may_create;
  store::OrderMode mode;
};

using store::OrderMode;
using L = RealtimeLoop;
// clang-format off
constexpr RealtimeRule kRules[] = {
  {L::kOdds,    "O1", store::kO1Length, true,  false, true,  Filing::kDayFile,    ".jvO1a", true,  OrderMode::kSortAndDrop},
  {L::kOdds,    "O2", store::kO2Length, true,  false, true,  Filing::kDayFile,    ".jvO2a", true,  OrderMode::kSortAndDrop},
  {L::kOdds,    "O3", store::kO3Length, true,  false, true,  Filing::kDayFile,    ".jvO3a", true,  OrderMode::kSortAndDrop},
  {L::kOdds,    "O4", store::kO4Length, true,  false, true,  Filing::kDayFile,    ".jvO4a", true,  OrderMode::kSortAndDrop},
  {L::kOdds,    "O5", store::kO5Length, true,  false, true,  Filing::kDayFile,    ".jvO5a", true,  OrderMode::kSortAndDrop},
  {L::kOdds,    "O6", store::kO6Length, true,  false, true,  Filing::kDayFile,    ".jvO6a", true,  OrderMode::kSortAndDrop},
  {L::kResults, "RA", store::kRaLength, false, false, true,  Filing::kDayFile,    ".jvRA",  false, OrderMode::kSortAndDrop},
  {L::kResults, "SE", store::kSeLength, false, true,  false, Filing::kRunnerSlot, "",       false, OrderMode::kSort},
  {L::kResults, "HR", store::kHrLength, false, false, false, Filing::kDayFile,    ".jvHR",  true,  OrderMode::kSort},
  {L::kChangeNotices, "TC", store::kTcLength, false, false, false, Filing::kChangeFile, "", true, OrderMode::kInsertInOrder},
};
// clang-format on

const RealtimeRule* FindRule(RealtimeLoop loop, std::string_view id) {
  for (const RealtimeRule& rule : kRules) {
    if (rule.loop == loop && rule.id == id) return &rule;
  }
  return nullptr;
}

bool WellFormed(std::string_view record, const RealtimeRule& rule) {
  return record.size() == static_cast<size_t>(rule.length) &&
         record.substr(record.size() - 2) == "\r\n";
}

bool MeetsConditions(std::string_view record, const RealtimeRule& rule) {
  const std::string_view kind = codes::Field(record, 3, 1);
  if (rule.skip_cancelled && (kind == "0" || kind == "9")) return false;
  if (rule.filing == Filing::kChangeFile) return true;
  if (codes::FieldInt(record, 26, 2) < 1) return false;
  const int horse = codes::FieldInt(record, 29, 2);
  return !rule.horse_up_to_18 || (horse >= 1 && horse <= 18);
}

bool File(std::string_view record, const RealtimeRule& rule, store::RecordStore& store,
          store::LineFiles& files) {
  switch (rule.filing) {
    case Filing::kRunnerSlot:
      return store.StoreRunnerRecord(files, record, rule.may_create);
    case Filing::kChangeFile:
      return store.StoreChangeRecord(files, record, rule.may_create);
    case Filing::kDayFile:
      break;
  }
  if (!rule.zero_stamp) {
    return store.StoreDayRecord(files, record, rule.suffix, rule.may_create, rule.mode);
  }
  return store.StoreDayRecord(files, store::ZeroStamp(record), rule.suffix, rule.may_create,
                              rule.mode);
}

}  // namespace

RecordFate FileRealtimeRecord(std::string_view record, RealtimeLoop loop, store::RecordStore& store,
                              store::LineFiles& files) {
  const RealtimeRule* rule = FindRule(loop, codes::Field(record, 1, 2));
  if (rule == nullptr) return RecordFate::kSkipped;
  if (!WellFormed(record, *rule)) return RecordFate::kBad;
  if (!MeetsConditions(record, *rule)) return RecordFate::kSkipped;
  // Combination odds are read by slot: entries standing elsewhere would be misread.
  if (!store::CombinationsInSlots(record, store)) return RecordFate::kBad;
  // A name the store refuses (date, race or horse not digits) is dropped and logged there.
  const bool named = store::DayPrefixOfRecord(record).has_value();
  const bool filed = File(record, *rule, store, files);
  if (!named) return RecordFate::kBad;
  return filed ? RecordFate::kFiled : RecordFate::kSkipped;
}

}  // namespace jvlink
