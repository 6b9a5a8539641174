#include "samplefeed/race_day_writer.h"

#include "samplefeed/civil_date.h"
#include "samplefeed/notice_records.h"
#include "samplefeed/odds_records.h"
#include "samplefeed/payout_record.h"
#include "samplefeed/race_records.h"

namespace samplefeed {

namespace {

constexpr int kThursday = 4;
constexpr int kResultsReleased = 4;      // minutes after the post time (real-time results)
constexpr int kResultsStored = 12;       // minutes after the post time (accumulated data)
constexpr int kFirstAnnouncement = 540;  // 09:00
constexpr int kAnnouncementStep = 30;
constexpr int kDayBeforeClose = -360;  // 18:00 of the day before

std::string Hhmm4(int minute) {
  const int hhmm = minute / 60 % 100 * 100 + minute % 60;
  std::string s(4, '0');
  for (int i = 3, v = hhmm; i >= 0; --i, v /= 10)
    s[static_cast<size_t>(i)] = static_cast<char>('0' + v % 10);
  return s;
}

std::string Mdhm(const FeedMoment& m) {
  char s[8];
  m.Mdhm8(s);
  return std::string(s, 8);
}

// The entries of a race day are drawn on the Thursday before it (a week earlier for a
// Thursday or Friday race day).
int EntriesDay(int ymd) {
  int back = (WeekdayOf(ymd) - kThursday + 7) % 7;
  if (back < 2) back += 7;
  return AddDays(ymd, -back);
}

bool Sometimes(std::uint64_t seed, const RacePlan& race, std::uint64_t what, double p) {
  FeedRandom random(
      StreamSeed(seed, {static_cast<std::uint64_t>(race.key.ymd),
                        static_cast<std::uint64_t>(race.key.course[0] * 256 + race.key.course[1]),
                        static_cast<std::uint64_t>(race.key.race), what}));
  return random.Chance(p);
}

}  // namespace

RaceDayWriter::RaceDayWriter(FeedOutput& output, const NameBook& names, std::uint64_t seed)
    : output_(output), names_(names), seed_(seed) {
  buffer_.reserve(1 << 20);
}

void RaceDayWriter::Stored(const FeedMoment& stamp, const std::string& name,
                           const std::string& bytes) {
  char s[14];
  stamp.Stamp14(s);
  output_.Write("stored/" + std::string(s, 14) + "_" + name + ".jvd", bytes);
}

int RaceDayWriter::Write(const RaceDayPlan& day, bool today, int official_ymd) {
  std::vector<std::vector<RacePlan>> venues;
  for (size_t v = 0; v < day.venues.size(); ++v) {
    venues.push_back(PlanVenueDay(seed_, day, static_cast<int>(v), names_));
  }
  WriteEntriesAndCard(day, venues);
  official_.clear();
  notices_.clear();
  int races = 0;
  for (const auto& venue : venues) {
    for (const RacePlan& race : venue) {
      WriteRace(race, today, official_ymd);
      ++races;
    }
    // The morning's weather and going of each racecourse: a notice the program drops.
    std::string& notice = notices_["0830_" + venue[0].key.Text()];
    AppendWeatherNotice(notice, venue[0], FeedMoment{day.ymd, 510});
  }
  Stored(FeedMoment{official_ymd, 600}, "OFFICIAL" + std::to_string(day.ymd), official_);
  const std::string folder = "realtime/0B14/" + std::to_string(day.ymd) + "/";
  for (const auto& [name, bytes] : notices_) output_.Write(folder + name + ".jvd", bytes);
  return races;
}

void RaceDayWriter::WriteEntriesAndCard(const RaceDayPlan& day,
                                        const std::vector<std::vector<RacePlan>>& venues) {
  const int entries_ymd = EntriesDay(day.ymd);
  buffer_.clear();
  for (const auto& venue : venues) {
    for (const RacePlan& race : venue) {
      AppendRaceRecord(buffer_, race, '1', entries_ymd, RaceStage::kEntries);
      for (int h = 1; h <= race.Registered(); ++h) {
        AppendRunnerRecord(buffer_, race, h, '1', entries_ymd, RaceStage::kEntries, nullptr);
      }
    }
  }
  Stored(FeedMoment{entries_ymd, 960}, "ENTRIES" + std::to_string(day.ymd), buffer_);

  const int card_ymd = AddDays(day.ymd, -1);
  buffer_.clear();
  for (const auto& venue : venues) {
    for (const RacePlan& race : venue) {
      AppendRaceRecord(buffer_, race, '2', card_ymd, RaceStage::kCard);
      for (int h = 1; h <= race.Registered(); ++h) {
        AppendRunnerRecord(buffer_, race, h, '2', card_ymd, RaceStage::kCard, nullptr);
      }
    }
    AppendHorseMaster(buffer_, venue[0].runners[0], card_ymd);
  }
  WriteDroppedRaces(card_ymd, venues[0][10]);
  Stored(FeedMoment{card_ymd, 660}, "CARD" + std::to_string(day.ymd), buffer_);
}

// A local race and, on Sundays, an overseas race ride along with the card; the program
// files neither.
void RaceDayWriter::WriteDroppedRaces(int card_ymd, const RacePlan& sample) {
  RacePlan local = sample;
  local.key.course = "44";
  local.key.meeting = 1;
  local.key.day = 1;
  AppendRaceRecord(buffer_, local, 'A', card_ymd, RaceStage::kCard);
  for (int h = 1; h <= std::min(2, local.Registered()); ++h) {
    AppendRunnerRecord(buffer_, local, h, 'A', card_ymd, RaceStage::kCard, nullptr);
  }
  if (sample.weekday_code != '2') return;
  RacePlan overseas = sample;
  overseas.key.course = "A6";
  overseas.key.meeting = 0;
  overseas.key.day = 0;
  AppendRaceRecord(buffer_, overseas, 'B', card_ymd, RaceStage::kCard);
  AppendRunnerRecord(buffer_, overseas, 1, 'B', card_ymd, RaceStage::kCard, nullptr);
}

void RaceDayWriter::WriteRace(const RacePlan& race, bool today, int official_ymd) {
  WriteAnnouncements(race, today);
  WriteTimeSeries(race);
  model_.Compute(race, race.post);
  WriteFinalOdds(race);
  WriteResults(race);
  AppendRaceRecord(official_, race, '7', official_ymd, RaceStage::kResult);
  for (int h = 1; h <= race.Registered(); ++h) {
    AppendRunnerRecord(official_, race, h, '7', official_ymd, RaceStage::kResult, &model_);
  }
  AppendPayoutRecord(official_, race, model_, '2', official_ymd);
  AppendOddsRecord(official_, 1, race, model_, '4', FeedMoment{race.key.ymd, race.post});
  AppendOddsRecord(official_, 2, race, model_, '4', FeedMoment{race.key.ymd, race.post});
  AddNotices(race);
}

// The odds at the close: a stored file a minute after the post time, and the last
// odds announcement of the race (the same bytes).
void RaceDayWriter::WriteFinalOdds(const RacePlan& race) {
  const FeedMoment closed{race.key.ymd, race.post};
  buffer_.clear();
  AppendOddsRecords(buffer_, race, model_, '3', closed);
  char s[14];
  FeedMoment{race.key.ymd, race.post + 1}.Stamp14(s);
  const std::string stored = "stored/" + std::string(s, 14) + "_ODDS" + race.key.Text() + ".jvd";
  output_.Write(stored, buffer_);
  output_.Link(stored, "realtime/0B30/" + race.key.Text() + "/" + Mdhm(closed) + ".jvd");
}

void RaceDayWriter::WriteResults(const RacePlan& race) {
  buffer_.clear();
  AppendRaceRecord(buffer_, race, '5', race.key.ymd, RaceStage::kResult);
  for (int h = 1; h <= race.Registered(); ++h) {
    AppendRunnerRecord(buffer_, race, h, '5', race.key.ymd, RaceStage::kResult, &model_);
  }
  AppendPayoutRecord(buffer_, race, model_, '1', race.key.ymd);
  output_.Write("realtime/0B12/" + std::to_string(race.key.ymd) + "/" +
                    Hhmm4(race.post + kResultsReleased) + "_" + race.key.Text() + ".jvd",
                buffer_);
  // Now and then the accumulated data also carries a deleted and a cancelled odds
  // record of the race, which the pull must not file over the final odds.
  if (Sometimes(seed_, race, 0x4445, 0.06)) {
    const FeedMoment at{race.key.ymd, race.post};
    AppendOddsRecord(buffer_, 1, race, model_, '0', at, true);
    AppendOddsRecord(buffer_, 2, race, model_, '9', at, true);
  }
  Stored(FeedMoment{race.key.ymd, race.post + kResultsStored}, "RESULT" + race.key.Text(), buffer_);
}

// Odds announcements of the real-time odds: every half hour from 09:00 up to the post
// time on "today" (and the close of the day before when the betting opened then);
// other days have only the final odds.
void RaceDayWriter::WriteAnnouncements(const RacePlan& race, bool today) {
  if (!today) return;
  const std::string folder = "realtime/0B30/" + race.key.Text() + "/";
  if (OddsModel::SalesOpen(race) < 0) {
    const FeedMoment at{race.key.ymd, kDayBeforeClose};
    model_.Compute(race, kDayBeforeClose);
    buffer_.clear();
    AppendOddsRecords(buffer_, race, model_, '2', at);
    output_.Write(folder + Mdhm(at) + ".jvd", buffer_);
  }
  for (int minute = kFirstAnnouncement; minute < race.post; minute += kAnnouncementStep) {
    const FeedMoment at{race.key.ymd, minute};
    model_.Compute(race, minute);
    buffer_.clear();
    AppendOddsRecords(buffer_, race, model_, '1', at);
    output_.Write(folder + Mdhm(at) + ".jvd", buffer_);
  }
}

// The companion's files: per race one file a kind, one line an announcement, through
// the morning: the close of the day before (when the betting opened then), one
// announcement around 07:00 and one at 09:00.
void RaceDayWriter::WriteTimeSeries(const RacePlan& race) {
  FeedRandom random(
      StreamSeed(seed_, {static_cast<std::uint64_t>(race.key.ymd),
                         static_cast<std::uint64_t>(race.key.course[0] * 256 + race.key.course[1]),
                         static_cast<std::uint64_t>(race.key.race), 0x5453}));
  const bool day_before = OddsModel::SalesOpen(race) < 0;
  std::vector<std::pair<int, char>> moments;
  if (day_before) moments.push_back({kDayBeforeClose, '2'});
  moments.push_back({day_before ? random.Between(410, 430) : random.Between(420, 430), '1'});
  if (kFirstAnnouncement < race.post) moments.push_back({kFirstAnnouncement, '1'});
  for (std::string& s : series_) s.clear();
  for (const auto& [minute, kind] : moments) {
    model_.Compute(race, minute);
    for (int n = 1; n <= kOddsKinds; ++n) {
      AppendOddsRecord(series_[static_cast<size_t>(n - 1)], n, race, model_, kind,
                       FeedMoment{race.key.ymd, minute});
    }
  }
  const std::string key = race.key.Text();
  const std::string base = "timeseries/" + key.substr(0, 8) + "/" + key.substr(8) + ".jvO";
  for (int n = 1; n <= kOddsKinds; ++n) {
    output_.Write(base + std::to_string(n), series_[static_cast<size_t>(n - 1)]);
  }
}

void RaceDayWriter::AddNotices(const RacePlan& race) {
  if (race.change_notice >= 0) {
    std::string& file = notices_[Hhmm4(race.change_notice) + "_" + race.key.Text()];
    AppendPostTimeChange(file, race, FeedMoment{race.key.ymd, race.change_notice});
  }
  for (const RunnerPlan& r : race.runners) {
    if (r.scratch != Scratch::kAfterSale) continue;
    std::string& file = notices_[Hhmm4(race.scratch_minute) + "_" + race.key.Text()];
    AppendWithdrawalNotice(file, race, r.horse, FeedMoment{race.key.ymd, race.scratch_minute});
  }
}

}  // namespace samplefeed
