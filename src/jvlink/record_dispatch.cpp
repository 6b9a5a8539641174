#include "jvlink/record_dispatch.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>

#include "codes/code_tables.h"
#include "codes/course_text.h"
#include "codes/cp932.h"
#include "codes/errors.h"
#include "codes/layouts/header_layout.h"
#include "codes/layouts/ra_layout.h"
#include "codes/layouts/se_layout.h"
#include "codes/record_field.h"
#include "store/comb_slots.h"
#include "store/record_lengths.h"
#include "store/record_lines.h"
#include "store/record_names.h"

namespace jvlink {
namespace {

namespace header_layout = codes::header_layout;
namespace ra_layout = codes::ra_layout;
namespace se_layout = codes::se_layout;

// Conditions a record must meet to be filed; each kind names its own set.
enum Condition : unsigned {
  kNotLocalOrOverseas = 1u << 0,     // data kind neither "A" (local) nor "B" (overseas)
  kDateFilter = 1u << 1,             // day >= start day - 10
  kRaceNumbered = 1u << 2,           // race number >= 1
  kRegisteredUpTo18 = 1u << 3,       // registered runners between 1 and 18
  kHorseUpTo18 = 1u << 4,            // horse number between 1 and 18
  kFinalOddsOption = 1u << 5,        // the final-odds option is ticked
  kNotCancelledOrDeleted = 1u << 6,  // data kind neither "0" (deleted) nor "9" (cancelled)
};

std::string_view DataKind(std::string_view record) {
  return codes::Field(record, header_layout::kDataKind);
}
int RaceNumber(std::string_view record) {
  return codes::FieldInt(record, header_layout::kRaceNumber);
}
bool Between(int value, int lo, int hi) { return value >= lo && value <= hi; }

struct ConditionTest {
  unsigned condition;
  bool (*holds)(std::string_view record, const PullFilter& filter);
};

// clang-format off
constexpr ConditionTest kConditionTests[] = {
  {kNotLocalOrOverseas,    [](std::string_view r, const PullFilter&) { return DataKind(r) != "A" && DataKind(r) != "B"; }},
  {kDateFilter,            [](std::string_view r, const PullFilter& f) { return codes::FieldInt(r, header_layout::kDate) >= f.start_day - 10; }},
  {kRaceNumbered,          [](std::string_view r, const PullFilter&) { return RaceNumber(r) >= 1; }},
  {kRegisteredUpTo18,      [](std::string_view r, const PullFilter&) { return Between(codes::FieldInt(r, ra_layout::kRegisteredRunners), 1, 18); }},
  {kHorseUpTo18,           [](std::string_view r, const PullFilter&) { return Between(codes::FieldInt(r, se_layout::kHorseNumber), 1, 18); }},
  {kFinalOddsOption,       [](std::string_view, const PullFilter& f) { return f.final_odds; }},
  {kNotCancelledOrDeleted, [](std::string_view r, const PullFilter&) { return DataKind(r) != "0" && DataKind(r) != "9"; }},
};
// clang-format on

enum class Filing { kDayFile, kRunnerSlot };
enum class LabelForm { kDayRace, kRunner, kOdds };

struct KindRule {
  std::string_view id;
  int length;
  unsigned conditions;
  bool zero_stamp;
  Filing filing;
  std::string_view suffix;
  store::OrderMode mode;
  LabelForm label;
  std::string_view label_prefix;  // UTF-8 here; converted once below
};

using store::OrderMode;
// clang-format off
constexpr KindRule kKinds[] = {
  {"RA", store::kRaLength, kNotLocalOrOverseas | kDateFilter | kRaceNumbered | kRegisteredUpTo18,
   true,  Filing::kDayFile,    ".jvRA",  OrderMode::kSortAndDrop, LabelForm::kDayRace, "開催:"},
  {"SE", store::kSeLength, kRaceNumbered | kHorseUpTo18 | kNotLocalOrOverseas | kDateFilter,
   false, Filing::kRunnerSlot, "",       OrderMode::kSort,        LabelForm::kRunner,  "馬毎:"},
  {"HR", store::kHrLength, kDateFilter | kRaceNumbered,
   true,  Filing::kDayFile,    ".jvHR",  OrderMode::kSort,        LabelForm::kDayRace, "払戻:"},
  {"O1", store::kO1Length, kFinalOddsOption | kNotCancelledOrDeleted | kRaceNumbered,
   true,  Filing::kDayFile,    ".jvO1a", OrderMode::kSortAndDrop, LabelForm::kOdds,    "単勝確定ｵｯｽﾞ:"},
  {"O2", store::kO2Length, kFinalOddsOption | kNotCancelledOrDeleted | kRaceNumbered,
   true,  Filing::kDayFile,    ".jvO2a", OrderMode::kSortAndDrop, LabelForm::kOdds,    "馬連確定ｵｯｽﾞ:"},
  {"O3", store::kO3Length, kFinalOddsOption | kNotCancelledOrDeleted | kRaceNumbered,
   true,  Filing::kDayFile,    ".jvO3a", OrderMode::kSortAndDrop, LabelForm::kOdds,    "ﾜｲﾄﾞ確定ｵｯｽﾞ:"},
  {"O4", store::kO4Length, kFinalOddsOption | kNotCancelledOrDeleted | kRaceNumbered,
   true,  Filing::kDayFile,    ".jvO4a", OrderMode::kSortAndDrop, LabelForm::kOdds,    "馬単確定ｵｯｽﾞ:"},
  {"O5", store::kO5Length, kFinalOddsOption | kNotCancelledOrDeleted | kRaceNumbered,
   true,  Filing::kDayFile,    ".jvO5a", OrderMode::kSortAndDrop, LabelForm::kOdds,    "3連複確定ｵｯｽﾞ:"},
  {"O6", store::kO6Length, kFinalOddsOption | kNotCancelledOrDeleted | kRaceNumbered,
   true,  Filing::kDayFile,    ".jvO6a", OrderMode::kSortAndDrop, LabelForm::kOdds,    "3連単確定ｵｯｽﾞ:"},
};
// clang-format on
constexpr std::size_t kKindCount = std::size(kKinds);

const std::string& LabelPrefix(std::size_t kind) {
  static const std::array<std::string, kKindCount> kPrefixes = [] {
    std::array<std::string, kKindCount> prefixes;
    for (std::size_t i = 0; i < kKindCount; ++i) prefixes[i] = codes::Sj(kKinds[i].label_prefix);
    return prefixes;
  }();
  codes::CheckIndex(static_cast<long long>(kind), 0, kKindCount - 1, "record kind");
  return kPrefixes[kind];
}

const KindRule* FindKind(std::string_view id, std::size_t& index) {
  for (std::size_t i = 0; i < kKindCount; ++i) {
    if (kKinds[i].id == id) {
      index = i;
      return &kKinds[i];
    }
  }
  return nullptr;
}

// JV-Data record ids are two capital letters or digits; anything else is garbage.
bool LooksLikeRecordId(std::string_view id) {
  return id.size() == 2 && std::all_of(id.begin(), id.end(), [](char c) {
           return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
         });
}

// A record of the wrong length or without its CR LF is bad input, never filed.
bool WellFormed(std::string_view record, const KindRule& kind) {
  return record.size() == static_cast<std::size_t>(kind.length) &&
         record.substr(record.size() - 2) == "\r\n";
}

// A record whose RaceKey would not make a sound file name or slot is dropped with a
// line in the error log. The date and racecourse are checked before the kind's
// conditions (the date filter reads the date); race and horse numbers after them, so
// that a race 00 or a horse 19 stays a record the pull leaves, as before.
bool KeySound(std::string_view record, const KindRule& kind, store::KeyCheck check,
              store::RecordStore& store) {
  if (check != store::KeyCheck::kDayAndVenue && kind.filing == Filing::kRunnerSlot) {
    check = store::KeyCheck::kRunner;
  }
  std::optional<std::string> fault = store::RaceKeyFault(record, check);
  if (fault) store.LogBadRecord(record, *fault);
  return !fault;
}

bool MeetsConditions(std::string_view record, const KindRule& kind, const PullFilter& filter) {
  return std::all_of(std::begin(kConditionTests), std::end(kConditionTests),
                     [&](const ConditionTest& test) {
                       return (kind.conditions & test.condition) == 0 || test.holds(record, filter);
                     });
}

std::string Label(std::string_view record, std::string_view filename, std::size_t kind_index) {
  static const std::string kYear = codes::Sj("年");
  static const std::string kMonth = codes::Sj("月");
  static const std::string kDay = codes::Sj("日");
  static const std::string kRaceSlash = "R/";
  const KindRule& kind = kKinds[kind_index];
  const std::string_view race(codes::Field(record, header_layout::kRaceNumber));
  std::string label = LabelPrefix(kind_index);
  switch (kind.label) {
    case LabelForm::kDayRace:
      label += std::string(codes::Field(record, header_layout::kYear)) + kYear;
      label += std::string(codes::Field(record, header_layout::kMonth)) + kMonth;
      label += std::string(codes::Field(record, header_layout::kDay)) + kDay;
      label += codes::CourseText(codes::Field(record, header_layout::kCourse));
      label += std::string(race) + "R";
      break;
    case LabelForm::kRunner:
      label += codes::CourseText(codes::Field(record, header_layout::kCourse));
      label += std::string(race) + kRaceSlash;
      label += codes::CircledNumber(codes::Field(record, se_layout::kHorseNumber));
      label += codes::Field(record, se_layout::kHorseName);
      break;
    case LabelForm::kOdds:
      label += std::string(race) + kRaceSlash + std::string(filename);
      break;
  }
  return label;
}

bool File(std::string_view record, const KindRule& kind, store::RecordStore& store,
          store::LineFiles& files) {
  if (kind.filing == Filing::kRunnerSlot) return store.StoreRunnerRecord(files, record, true);
  if (!kind.zero_stamp) return store.StoreDayRecord(files, record, kind.suffix, true, kind.mode);
  return store.StoreDayRecord(files, store::ZeroStamp(record), kind.suffix, true, kind.mode);
}

}  // namespace

void PullCounts::Count(RecordFate fate) {
  switch (fate) {
    case RecordFate::kFiled: ++filed; break;
    case RecordFate::kSkipped: ++skipped; break;
    case RecordFate::kBad: ++bad; break;
  }
}

DispatchResult DispatchRecord(std::string_view record, std::string_view filename,
                              const PullFilter& filter, store::RecordStore& store,
                              store::LineFiles& files) {
  const std::string_view id = codes::Field(record, header_layout::kRecordId);
  std::size_t index = 0;
  const KindRule* kind = FindKind(id, index);
  if (kind == nullptr) {
    return {LooksLikeRecordId(id) ? RecordFate::kSkipped : RecordFate::kBad, {}};
  }
  if (!WellFormed(record, *kind)) return {RecordFate::kBad, {}};
  if (!KeySound(record, *kind, store::KeyCheck::kDayAndVenue, store)) return {RecordFate::kBad, {}};
  if (!MeetsConditions(record, *kind, filter)) return {RecordFate::kSkipped, {}};
  if (!KeySound(record, *kind, store::KeyCheck::kRace, store)) return {RecordFate::kBad, {}};
  // Combination odds are read by slot: entries standing elsewhere would be misread.
  if (!store::CombinationsInSlots(record, store)) return {RecordFate::kBad, {}};
  if (!File(record, *kind, store, files)) return {RecordFate::kSkipped, {}};
  return {RecordFate::kFiled, Label(record, filename, index)};
}

std::string PullSummaryText(const PullCounts& counts) {
  static const std::string kFiled = codes::Sj("取込件数:");
  static const std::string kDropped = codes::Sj("件、破棄件数:");
  static const std::string kBad = codes::Sj("件（うち不正なレコード:");
  static const std::string kEnd = codes::Sj("件）");
  static const std::string kRepaired = codes::Sj("、修復したファイル:");
  static const std::string kLines = codes::Sj("件（破棄した行:");
  static const std::string kLinesEnd = codes::Sj("行）");
  std::string text = kFiled + std::to_string(counts.filed) + kDropped +
                     std::to_string(counts.Dropped()) + kBad + std::to_string(counts.bad) + kEnd;
  if (counts.repaired_files > 0) {
    text += kRepaired + std::to_string(counts.repaired_files) + kLines +
            std::to_string(counts.dropped_lines) + kLinesEnd;
  }
  return text;
}

}  // namespace jvlink
