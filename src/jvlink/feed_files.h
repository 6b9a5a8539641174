#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/clock.h"

namespace jvlink {

/// One file of the accumulated "RACE" data: stored/<yyyymmddhhnnss>_<NAME>.jvd.
struct StoredFile {
  std::string stamp;  ///< the 14-digit time stamp that begins the file name
  std::filesystem::path path;
};

/// True for 14 digits that make a real date and time (yyyymmddhhnnss).
bool IsValidStamp(const std::string& text);

/// The stored files whose stamp is > `fromtime` and <= `until` (both 14 digits), in
/// ascending name order. Files not named as stored files are not JV-Link's and are
/// passed over. False when the stored folder exists but cannot be listed; a feed
/// without a stored folder has no files.
bool ListStoredFiles(const std::filesystem::path& feed, const std::string& fromtime,
                     const std::string& until, std::vector<StoredFile>& out);

/// The odds announcement of race `race_key` that is out at `now`: the latest one
/// announced by now when the race's day is today, else the latest one. Empty when
/// none is out; false when the race's folder cannot be listed.
bool ReleasedOdds(const std::filesystem::path& feed, const std::string& race_key,
                  const platform::LocalTime& now, std::vector<std::filesystem::path>& out);

/// The files of `dataspec` ("0B12", "0B14") for day `day` (yyyymmdd) released by
/// `now`, in ascending name order: all of a past day, none of a future day, those
/// released at or before now's hhmm today. False when the day's folder cannot be listed.
bool ReleasedDayFiles(const std::filesystem::path& feed, const std::string& dataspec,
                      const std::string& day, const platform::LocalTime& now,
                      std::vector<std::filesystem::path>& out);

}  // namespace jvlink
