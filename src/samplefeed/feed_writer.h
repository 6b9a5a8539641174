#pragma once

#include <cstdint>
#include <filesystem>

namespace samplefeed {

/// What to generate: the race days of `days` dates from `from` (yyyymmdd).
struct FeedOptions {
  std::filesystem::path out;
  int from = 0;
  int days = 0;
  std::uint64_t seed = 1;
  /// The last date of the range is "today": it always has races, its odds are announced
  /// through the day and its results come out after each race.
  bool today = false;
};

/// What was written.
struct FeedSummary {
  int race_days = 0;
  int races = 0;
  long long files = 0;
  long long bytes = 0;
};

/// Writes the sample feed folder: feed.txt, the accumulated data files of stored/, the
/// real-time data of realtime/ (0B30 odds, 0B12 results, 0B14 change notices) and the
/// time-series companion's folder timeseries/. The same options always give the same
/// bytes, and a race day holds the same data in every range that contains it.
/// Bad options and file errors raise codes::InputError.
FeedSummary WriteFeed(const FeedOptions& options);

}  // namespace samplefeed
