#include "samplefeed/feed_writer.h"

#include <string>

#include "codes/errors.h"
#include "samplefeed/civil_date.h"
#include "samplefeed/feed_output.h"
#include "samplefeed/name_book.h"
#include "samplefeed/race_calendar.h"
#include "samplefeed/race_day_writer.h"

namespace samplefeed {

namespace {

constexpr int kMaxDays = 3660;

void CheckOptions(const FeedOptions& o) {
  if (o.out.empty()) throw codes::InputError("feed: no output folder given");
  if (!IsValidYmd(o.from)) {
    throw codes::InputError("feed: the first day " + std::to_string(o.from) +
                            " is not a date yyyymmdd");
  }
  if (o.days < 1 || o.days > kMaxDays) {
    throw codes::InputError("feed: the number of days must be 1.." + std::to_string(kMaxDays) +
                            ", not " + std::to_string(o.days));
  }
}

std::string FeedText(const FeedOptions& o, int last) {
  return "quorvane-feed 1\nseed=" + std::to_string(o.seed) + "\nfrom=" + std::to_string(o.from) +
         "\ndays=" + std::to_string(o.days) + "\ntoday=" + (o.today ? std::to_string(last) : "") +
         "\n";
}

}  // namespace

FeedSummary WriteFeed(const FeedOptions& options) {
  CheckOptions(options);
  const int last = AddDays(options.from, options.days - 1);
  FeedOutput output(options.out);
  output.Write("feed.txt", FeedText(options, last));

  const RaceCalendar calendar(options.seed, options.from, last, options.today ? last : 0);
  const NameBook names;
  RaceDayWriter writer(output, names, options.seed);
  FeedSummary summary;
  for (const RaceDayPlan& day : calendar.Between(options.from, last)) {
    const bool today = options.today && day.ymd == last;
    summary.races += writer.Write(day, today, calendar.NextRestDay(day.ymd));
    ++summary.race_days;
  }
  summary.files = output.files();
  summary.bytes = output.bytes();
  return summary;
}

}  // namespace samplefeed
