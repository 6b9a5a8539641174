#pragma once

#include <string>
#include <vector>

#include "store/race_day.h"
#include "store/record_store.h"

namespace store {

/// A stored TC line: the record without its CR LF.
inline constexpr int kTcLineLength = 43;
/// At most this many notices of a day's change file are applied.
inline constexpr int kMaxChangeNotices = 36;

/// What applying the day's change notices did.
struct ChangeNoticeResult {
  bool ran = false;     ///< both the change file and the day file exist
  int applied = 0;      ///< notices newer than the ".NEW" time that found their race
  int moved_slots = 0;  ///< RaceDay slots that took a new post time
  /// Notices that changed nothing: "RaceKey" of a race the day file does not have, or
  /// "?" + the first bytes of a line that is no TC record. Shift-JIS-free ASCII.
  std::vector<std::string> unmatched;
};

/// Applies the post-time changes of CHG/ + day + ".TC" to the day's ".jvRA" file and the
/// loaded RaceDay. Notices announced at or before the fourth line of the ".NEW" file
/// (when it has exactly five lines) were applied before and are passed over. Every
/// ".jvRA" line of the notice's racecourse and race takes the new post time; unless
/// that time is blank or "0000", so does the RA record of the RaceDay slot of that race,
/// whose morning-odds times go back to `first` + "00" and one minute later. The day file
/// is rewritten only when a line changed. InputError for files that cannot be read or
/// written (the day file then stays as it was).
ChangeNoticeResult ApplyChangeNotices(RaceDay& day, RecordStore& store,
                                      const std::string& day_prefix, const std::string& first);

}  // namespace store
