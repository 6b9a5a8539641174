#include <chrono>
#include <iostream>

#include "commands.h"
#include "samplefeed/civil_date.h"
#include "samplefeed/feed_writer.h"

namespace cli {

int RunFeed(const CliArgs& args) {
  args.Expect({"--out", "--from", "--days", "--seed"}, {"--today"});
  samplefeed::FeedOptions options;
  options.out = args.Require("--out");
  const std::string from = args.Require("--from");
  if (from.size() != 8 || from.find_first_not_of("0123456789") != std::string::npos) {
    throw UsageError("--from takes a date YYYYMMDD, not \"" + from + "\"");
  }
  options.from = std::stoi(from);
  if (!samplefeed::IsValidYmd(options.from)) throw UsageError("--from " + from + " is not a date");
  const auto days = args.GetInt("--days");
  if (!days) throw UsageError("--days is required");
  if (*days < 1 || *days > 3660) throw UsageError("--days takes 1 to 3660 days");
  options.days = static_cast<int>(*days);
  if (const auto seed = args.GetInt("--seed")) {
    if (*seed < 0) throw UsageError("--seed takes a whole number of 0 or more");
    options.seed = static_cast<std::uint64_t>(*seed);
  }
  options.today = args.Has("--today");

  const auto started = std::chrono::steady_clock::now();
  const samplefeed::FeedSummary summary = samplefeed::WriteFeed(options);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::cerr << "feed: " << summary.race_days << " race days, " << summary.races << " races, "
            << summary.files << " files, " << summary.bytes / (1024 * 1024) << " MB in " << seconds
            << " s\n";
  return 0;
}

}  // namespace cli
