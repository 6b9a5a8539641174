#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "store/record_store.h"

namespace store {

/// The items of the date list: for every "*.jvRA" file of the data folder, in
/// descending order of the names, the first 14 bytes of its Shift-JIS name (its
/// DayPrefix), so the newest day comes first. Names that do not begin with a
/// DayPrefix, or do not convert to Shift-JIS, are left out: they never become dates
/// and so never become paths. A missing data folder gives an empty list.
std::vector<std::string> BuildDateList(const RecordStore& store);

/// The runner files of a day: the files of the data folder whose Shift-JIS name
/// begins with `day_prefix` and ends in ".jvSEr", in ascending order of the names.
std::vector<std::filesystem::path> DayRunnerFiles(const RecordStore& store,
                                                  const std::string& day_prefix);

}  // namespace store
