#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "samplefeed/civil_date.h"
#include "samplefeed/feed_output.h"
#include "samplefeed/name_book.h"
#include "samplefeed/odds_model.h"
#include "samplefeed/race_plan.h"

namespace samplefeed {

/// Writes everything of one race day into the feed: the files of the week that lead up
/// to it and follow it (entries, race card, results and final odds of each race, the
/// official results), its real-time data and its time-series odds.
class RaceDayWriter {
 public:
  RaceDayWriter(FeedOutput& output, const NameBook& names, std::uint64_t seed);

  /// `today`: the day's odds are announced every half hour; `official_ymd`: the first
  /// day after it without races, when the official results come out. Returns the races.
  int Write(const RaceDayPlan& day, bool today, int official_ymd);

 private:
  void WriteEntriesAndCard(const RaceDayPlan& day,
                           const std::vector<std::vector<RacePlan>>& venues);
  void WriteDroppedRaces(int card_ymd, const RacePlan& sample);
  void WriteRace(const RacePlan& race, bool today, int official_ymd);
  void WriteFinalOdds(const RacePlan& race);
  void WriteResults(const RacePlan& race);
  void WriteAnnouncements(const RacePlan& race, bool today);
  void WriteTimeSeries(const RacePlan& race);
  void AddNotices(const RacePlan& race);
  void Stored(const FeedMoment& stamp, const std::string& name, const std::string& bytes);

  FeedOutput& output_;
  const NameBook& names_;
  std::uint64_t seed_;
  OddsModel model_;
  std::string buffer_;
  std::string official_;
  std::array<std::string, 6> series_;
  std::map<std::string, std::string> notices_;  // 0B14 file -> its records
};

}  // namespace samplefeed
