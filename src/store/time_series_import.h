#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "codes/checked_array.h"
#include "store/race_day.h"
#include "store/record_store.h"

namespace store {

/// Odds kinds of the time-series companion's files, ".jvO1" … ".jvO6".
inline constexpr int kTimeSeriesKinds = 6;

/// Races whose morning odds of each kind were taken (kind 1 … 6).
using TimeSeriesCounts = codes::CheckedArray<int, 1, kTimeSeriesKinds, "odds kind">;

/// The announcement of a companion file nearest to `target_minutes` (time of day in
/// minutes): only lines announced on the race day itself (positions 28-31 equal to
/// 16-19) of the kind's record length and of the race `race_key` count; ties keep the
/// earlier line; 1000 minutes or more away never counts. Empty when none qualifies.
std::string NearestAnnouncement(const std::vector<std::string>& lines, std::string_view race_key,
                                int kind, int target_minutes);

/// Takes, for every race of the loaded day and every odds kind, the announcement nearest
/// to `first` ("hhmm") from the companion folder (folder/yyyymmdd/JJKKNNRR.jvO<n>) into
/// the day's odds file ".jvO<n>a": it replaces the race's line there, or is added at the
/// end; a missing target file is made of it. Races without a source file or without a
/// qualifying line are left as they were. InputError for files that cannot be read or
/// written; files written before stay written.
TimeSeriesCounts ImportTimeSeriesFiles(const RaceDay& day, RecordStore& store,
                                       const std::filesystem::path& folder, std::string_view first);

/// c1 + "ﾚｰｽ分の単複枠朝ｵｯｽﾞ、" CR LF c2 + "ﾚｰｽ分の馬連朝ｵｯｽﾞ" CR LF "を取りこみました。"
/// (Shift-JIS).
std::string TimeSeriesCountMessage(const TimeSeriesCounts& counts);

}  // namespace store
