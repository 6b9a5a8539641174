#pragma once

#include <string>
#include <string_view>

#include "store/line_files.h"
#include "store/record_store.h"

namespace jvlink {

/// What the stored pull files and what it leaves.
struct PullFilter {
  /// The first 8 digits of the start moment, yyyymmdd; RA, SE and HR records dated
  /// before start_day - 10 (integer arithmetic) are left.
  int start_day = 0;
  /// "確定オッズも合わせて取得する": odds records are filed only when set.
  bool final_odds = false;
};

/// What became of one record.
enum class RecordFate {
  kFiled,    ///< stored in its record file
  kSkipped,  ///< a kind or a record the pull does not file (read and dropped)
  kBad,      ///< malformed: wrong length, no CR LF, garbled date or key; dropped
};

struct DispatchResult {
  RecordFate fate = RecordFate::kSkipped;
  /// For a filed record: what it was filed as (the record label), Shift-JIS.
  std::string label;
};

/// Counts of the records read by one pull.
struct PullCounts {
  long long filed = 0;
  long long skipped = 0;
  long long bad = 0;
  /// Record files found damaged when the pull merged into them, and their lines dropped.
  long long repaired_files = 0;
  long long dropped_lines = 0;
  long long Dropped() const { return skipped + bad; }
  void Count(RecordFate fate);
};

/// Files one record of the stored pull (Shift-JIS, CR LF included, as JVRead gave
/// it) by the table of record kinds: RA race details, SE runners, HR payouts and,
/// with the final-odds option, the six odds kinds. `filename` is the JV-Link file
/// the record came from (shown in the odds label). File errors raise InputError.
DispatchResult DispatchRecord(std::string_view record, std::string_view filename,
                              const PullFilter& filter, store::RecordStore& store,
                              store::LineFiles& files);

/// "取込件数:" filed "件、破棄件数:" dropped "件（うち不正なレコード:" bad "件）", Shift-JIS:
/// the line that follows the pull's own status texts; when files were mended, followed
/// by "、修復したファイル:" files "件（破棄した行:" lines "行）".
std::string PullSummaryText(const PullCounts& counts);

}  // namespace jvlink
