#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "codes/errors.h"
#include "codes/record_field.h"
#include "samplefeed/civil_date.h"
#include "samplefeed/feed_writer.h"
#include "samplefeed/odds_model.h"
#include "samplefeed/odds_records.h"
#include "samplefeed/payout_record.h"
#include "samplefeed/race_calendar.h"
#include "samplefeed/race_plan.h"
#include "support/temp_dir.h"

namespace samplefeed {
namespace {

namespace fs = std::filesystem;
using codes::Field;
using codes::FieldInt;

const std::map<std::string, int> kLengths = {
    {"RA", 1272}, {"SE", 555},  {"HR", 719},   {"O1", 962},   {"O2", 2042},
    {"O3", 2654}, {"O4", 4031}, {"O5", 12293}, {"O6", 83285}, {"TC", 45},
    {"AV", 78},   {"WE", 42},   {"UM", 1609}};

// Splits a file into its records by the length of each record's kind; a record of an
// unknown kind, of the wrong length or without its CR LF fails the test.
std::vector<std::string_view> Records(const std::string& bytes, const std::string& file) {
  std::vector<std::string_view> out;
  size_t at = 0;
  while (at < bytes.size()) {
    const std::string id = bytes.substr(at, 2);
    const auto length = kLengths.find(id);
    if (length == kLengths.end()) {
      ADD_FAILURE() << file << ": unknown record \"" << id << "\" at byte " << at;
      return out;
    }
    const size_t n = static_cast<size_t>(length->second);
    if (at + n > bytes.size() || bytes.compare(at + n - 2, 2, "\r\n") != 0 ||
        bytes.find('\n', at) != at + n - 1) {
      ADD_FAILURE() << file << ": " << id << " record at byte " << at << " is not " << n
                    << " bytes ending in CR LF";
      return out;
    }
    out.emplace_back(bytes.data() + at, n);
    at += n;
  }
  return out;
}

std::vector<fs::path> FilesUnder(const fs::path& root) {
  std::vector<fs::path> files;
  if (!fs::exists(root)) return files;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    if (e.is_regular_file()) files.push_back(e.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// A weekend feed: Saturday 18 and Sunday 19 May 2024, no "today".
class WeekendFeed : public ::testing::Test {
 protected:
  void SetUp() override {
    options_.out = dir_.path() / "feed";
    options_.from = 20240517;
    options_.days = 3;
    options_.seed = 11;
    summary_ = WriteFeed(options_);
  }
  std::string Read(const fs::path& p) const { return testsupport::ReadFileBytes(p); }
  fs::path Root() const { return options_.out; }
  // Every stored file whose name (after the stamp) begins with `what`.
  std::vector<fs::path> Stored(const std::string& what) const {
    std::vector<fs::path> out;
    for (const fs::path& p : FilesUnder(Root() / "stored")) {
      if (p.filename().string().substr(15, what.size()) == what) out.push_back(p);
    }
    return out;
  }

  testsupport::TempDir dir_;
  FeedOptions options_;
  FeedSummary summary_;
};

TEST_F(WeekendFeed, EveryRecordOfEveryFileHasItsLengthAndEndsInCrLf) {
  std::set<std::string> kinds;
  for (const fs::path& p : FilesUnder(Root())) {
    if (p.filename() == "feed.txt") continue;
    const std::string file_bytes = Read(p);
    for (std::string_view r : Records(file_bytes, p.string()))
      kinds.insert(std::string(r.substr(0, 2)));
  }
  EXPECT_EQ(kinds, (std::set<std::string>{"RA", "SE", "HR", "O1", "O2", "O3", "O4", "O5", "O6",
                                          "TC", "AV", "WE", "UM"}));
  EXPECT_EQ(summary_.race_days, 2);
  EXPECT_EQ(summary_.races, 72);
}

TEST_F(WeekendFeed, FeedTextNamesTheOptions) {
  EXPECT_EQ(Read(Root() / "feed.txt"), "quorvane-feed 1\nseed=11\nfrom=20240517\ndays=3\ntoday=\n");
}

TEST_F(WeekendFeed, TheSameSeedWritesTheSameBytesAndAnotherSeedOthers) {
  FeedOptions again = options_;
  again.out = dir_.path() / "again";
  WriteFeed(again);
  std::vector<fs::path> first = FilesUnder(Root()), second = FilesUnder(again.out);
  ASSERT_EQ(first.size(), second.size());
  for (size_t i = 0; i < first.size(); ++i) {
    ASSERT_EQ(fs::relative(first[i], Root()), fs::relative(second[i], again.out));
    ASSERT_EQ(Read(first[i]), Read(second[i])) << first[i];
  }
  FeedOptions other = options_;
  other.out = dir_.path() / "other";
  other.seed = 12;
  WriteFeed(other);
  const std::string card = "stored/20240517110000_CARD20240518.jvd";
  EXPECT_NE(Read(Root() / card), Read(other.out / card));
}

TEST_F(WeekendFeed, ARaceDayIsTheSameInALongerRange) {
  FeedOptions longer = options_;
  longer.out = dir_.path() / "longer";
  longer.from = 20240510;
  longer.days = 10;
  WriteFeed(longer);
  for (const char* file :
       {"stored/20240517110000_CARD20240518.jvd",
        "stored/20240519101200_RESULT2024051905020601.jvd", "timeseries/20240519/05020611.jvO6"}) {
    ASSERT_TRUE(fs::exists(Root() / file)) << file;
    EXPECT_EQ(Read(Root() / file), Read(longer.out / file)) << file;
  }
}

// The data kinds of the week: entries before the draw, the card the day before,
// per race the final odds and the quick results, the official results after the weekend.
TEST_F(WeekendFeed, StoredFilesCarryTheDataKindsOfTheWeek) {
  struct Expect {
    std::string name;
    std::set<std::string> kinds;
  };
  // clang-format off
  const std::vector<Expect> expected = {
      {"ENTRIES",  {"RA1", "SE1"}},
      {"CARD",     {"RA2", "SE2", "UM1", "RAA", "SEA", "RAB", "SEB"}},
      {"ODDS",     {"O13", "O23", "O33", "O43", "O53", "O63"}},
      {"RESULT",   {"RA5", "SE5", "HR1", "O10", "O29"}},
      {"OFFICIAL", {"RA7", "SE7", "HR2", "O14", "O24"}},
  };
  // clang-format on
  for (const Expect& e : expected) {
    std::set<std::string> kinds;
    for (const fs::path& p : Stored(e.name)) {
      const std::string file_bytes = Read(p);
      for (std::string_view r : Records(file_bytes, p.string()))
        kinds.insert(std::string(r.substr(0, 3)));
    }
    EXPECT_EQ(kinds, e.kinds) << e.name;
  }
  for (const fs::path& p : Stored("ENTRIES")) {
    const std::string file_bytes = Read(p);
    for (std::string_view r : Records(file_bytes, p.string())) {
      if (r.substr(0, 2) == "SE") {
        EXPECT_EQ(Field(r, 28, 3), "000") << "no draw yet";
      }
    }
  }
}

TEST_F(WeekendFeed, StampsFollowTheWeekAndTheRaces) {
  const std::vector<fs::path> all = FilesUnder(Root() / "stored");
  std::map<std::string, std::string> first_stamp;
  for (const fs::path& p : all) {
    const std::string name = p.filename().string();
    ASSERT_EQ(name.size() > 19 && name[14] == '_' && name.substr(name.size() - 4) == ".jvd", true)
        << name;
    ASSERT_TRUE(codes::IsAllDigits(name.substr(0, 14))) << name;
  }
  EXPECT_EQ(Stored("ENTRIES")[0].filename(), "20240516160000_ENTRIES20240518.jvd");
  EXPECT_EQ(Stored("OFFICIAL")[0].filename(), "20240520100000_OFFICIAL20240518.jvd");
  for (const fs::path& p : Stored("RESULT")) {
    const std::string bytes = Read(p);
    const std::string_view ra = Records(bytes, p.string())[0];
    const std::string name = p.filename().string();
    const int post = FieldInt(ra, 874, 4);
    const int stamp = std::stoi(name.substr(8, 4));
    EXPECT_EQ(name.substr(0, 8), Field(ra, 12, 8));
    EXPECT_GT(stamp, post) << name;
    EXPECT_EQ(name.substr(21, 16), Field(ra, 12, 16));
  }
}

TEST_F(WeekendFeed, RaceDaysHaveTwelveRacesARacecourseFromMorningToAfternoon) {
  for (const fs::path& p : Stored("CARD")) {
    std::map<std::string, std::vector<int>> posts;
    const std::string file_bytes = Read(p);
    for (std::string_view r : Records(file_bytes, p.string())) {
      if (r.substr(0, 3) != "RA2") continue;
      posts[std::string(Field(r, 20, 2))].push_back(FieldInt(r, 874, 4));
      const int runners = FieldInt(r, 882, 2);
      EXPECT_GE(runners, 5);
      EXPECT_LE(runners, 18);
      EXPECT_EQ(
          Field(r, 28, 1),
          std::string(p.filename().string().find("CARD20240518") != std::string::npos ? "1" : "2"));
    }
    EXPECT_GE(posts.size(), 2u);
    EXPECT_LE(posts.size(), 3u);
    for (const auto& [course, times] : posts) {
      ASSERT_EQ(times.size(), 12u) << course;
      EXPECT_TRUE(std::is_sorted(times.begin(), times.end()));
      EXPECT_GE(times.front(), 940);
      EXPECT_LE(times.back(), 1640);
    }
  }
}

TEST_F(WeekendFeed, RunnersCarryBracketsNamesAndTheirRace) {
  for (const fs::path& p : Stored("CARD")) {
    std::map<std::string, int> registered;
    const std::string file_bytes = Read(p);
    for (std::string_view r : Records(file_bytes, p.string())) {
      const std::string key(Field(r, 12, 16));
      if (r.substr(0, 3) == "RA2") registered[key] = FieldInt(r, 882, 2);
      if (r.substr(0, 3) != "SE2") continue;
      ASSERT_EQ(registered.count(key), 1u) << "runner before its race " << key;
      const int horse = FieldInt(r, 29, 2);
      EXPECT_EQ(FieldInt(r, 28, 1), BracketOf(horse, registered[key])) << key << " " << horse;
      // Up to nine full-width characters, then full-width spaces.
      const std::string_view name = Field(r, 41, 36);
      EXPECT_NE(name.substr(0, 2), "\x81\x40");
      std::string wide_spaces;
      for (int i = 0; i < 9; ++i) wide_spaces += "\x81\x40";
      EXPECT_EQ(name.substr(18), wide_spaces);
      EXPECT_TRUE(std::string("123").find(r[78]) != std::string::npos) << "sex code";
    }
  }
}

// For every race: the quick results hold the placings, the payouts pay exactly the
// placed horses at the final odds.
TEST_F(WeekendFeed, PayoutsFollowTheFinishingOrderAndTheFinalOdds) {
  for (const fs::path& p : Stored("RESULT")) {
    const std::string bytes = Read(p);
    std::vector<std::string_view> recs = Records(bytes, p.string());
    const std::string key(Field(recs[0], 12, 16));
    std::map<int, std::vector<int>> by_place;
    std::string_view hr;
    for (std::string_view r : recs) {
      if (r.substr(0, 2) == "SE" && FieldInt(r, 335, 2) > 0)
        by_place[FieldInt(r, 335, 2)].push_back(FieldInt(r, 29, 2));
      if (r.substr(0, 2) == "HR") hr = r;
    }
    ASSERT_FALSE(hr.empty());
    const std::string odds = Read(Stored("ODDS" + key)[0]);
    std::vector<std::string_view> o = Records(odds, key);
    const bool dead_heat = std::any_of(by_place.begin(), by_place.end(),
                                       [](const auto& e) { return e.second.size() > 1; });
    if (dead_heat) continue;  // see the dead-heat table below
    const int winner = by_place[1][0], second = by_place[2][0], third = by_place[3][0];
    EXPECT_EQ(FieldInt(hr, 103, 2), winner) << key;
    EXPECT_EQ(FieldInt(hr, 105, 9), std::max(100, FieldInt(o[0], 46 + 8 * (winner - 1), 4) * 10))
        << key;
    EXPECT_EQ(FieldInt(hr, 114, 2), FieldInt(o[0], 50 + 8 * (winner - 1), 2)) << key;
    EXPECT_TRUE(codes::IsBlank(Field(hr, 116, 13))) << "one win entry";
    const int q = OddsModel::QuinellaEntry(std::min(winner, second), std::max(winner, second));
    EXPECT_EQ(FieldInt(hr, 246, 2), std::min(winner, second));
    EXPECT_EQ(FieldInt(hr, 248, 2), std::max(winner, second));
    EXPECT_EQ(FieldInt(hr, 250, 9), std::max(100, FieldInt(o[1], 45 + 13 * q, 6) * 10)) << key;
    const int t = OddsModel::TrifectaEntry(winner, second, third);
    EXPECT_EQ(Field(hr, 604, 6), Field(o[5], 41 + 17 * t, 6));
    EXPECT_EQ(FieldInt(hr, 610, 9), std::max(100, FieldInt(o[5], 47 + 17 * t, 7) * 10)) << key;
    // Place payouts lie between the low and high place odds.
    const int places = FieldInt(o[0], 43, 1);
    for (int i = 0; i < places; ++i) {
      const int h = FieldInt(hr, 142 + 13 * i, 2);
      EXPECT_EQ(h, by_place[i + 1][0]);
      const int yen = FieldInt(hr, 144 + 13 * i, 9);
      EXPECT_GE(yen, std::max(100, FieldInt(o[0], 270 + 12 * (h - 1), 4) * 10)) << key << " " << h;
      EXPECT_LE(yen, std::max(100, FieldInt(o[0], 274 + 12 * (h - 1), 4) * 10)) << key << " " << h;
    }
  }
}

// Popularity ranks the entries of every odds table from the shortest odds on.
TEST_F(WeekendFeed, PopularityFollowsTheOdds) {
  struct Layout {
    int record, start, entries, length, odds_at, odds_width, pop_at, pop_width;
  };
  // clang-format off
  const Layout layouts[] = {
      {0, 44,   18,   8, 2, 4, 6, 2},  {0, 604, 36, 9, 2, 5, 7, 2},
      {1, 41,  153,  13, 4, 6, 10, 3}, {3, 41, 306, 13, 4, 6, 10, 3},
      {4, 41,  816,  15, 6, 6, 12, 3}, {5, 41, 4896, 17, 6, 7, 13, 4},
  };
  // clang-format on
  for (const fs::path& p : Stored("ODDS")) {
    const std::string bytes = Read(p);
    std::vector<std::string_view> o = Records(bytes, p.string());
    ASSERT_EQ(o.size(), 6u);
    for (const Layout& l : layouts) {
      std::vector<std::pair<int, int>> ranked;  // popularity, odds
      for (int e = 0; e < l.entries; ++e) {
        const int at = l.start + l.length * e;
        const std::string_view odds =
            Field(o[static_cast<size_t>(l.record)], at + l.odds_at, l.odds_width);
        if (!codes::IsAllDigits(odds) || codes::NumericValue(odds) == 0) continue;
        ranked.push_back({FieldInt(o[static_cast<size_t>(l.record)], at + l.pop_at, l.pop_width),
                          static_cast<int>(codes::NumericValue(odds))});
      }
      std::sort(ranked.begin(), ranked.end());
      for (size_t i = 0; i < ranked.size(); ++i) {
        ASSERT_EQ(ranked[i].first, static_cast<int>(i) + 1) << p << " table at " << l.start;
        if (i > 0) {
          ASSERT_LE(ranked[i - 1].second, ranked[i].second) << p << " table at " << l.start;
        }
      }
    }
  }
}

// Intermediate odds (data kinds 1 and 2) carry the moment of their announcement; final
// odds (3 at the close, 4 confirmed) carry zeros there, as the service delivers them.
TEST_F(WeekendFeed, OnlyIntermediateOddsCarryAnAnnouncementTime) {
  std::map<char, int> timed, zeros;
  for (const std::string folder : {"stored", "realtime", "timeseries"}) {
    for (const fs::path& p : FilesUnder(Root() / folder)) {
      const std::string bytes = Read(p);
      for (std::string_view r : Records(bytes, p.string())) {
        if (r[0] != 'O' || r[1] < '1' || r[1] > '6') continue;
        ++(Field(r, 28, 8) == "00000000" ? zeros : timed)[r[2]];
      }
    }
  }
  EXPECT_GT(timed['1'], 0);
  EXPECT_EQ(zeros['1'], 0);
  EXPECT_EQ(zeros['2'], 0);
  EXPECT_GT(zeros['3'], 0);
  EXPECT_EQ(timed['3'], 0);
  EXPECT_GT(zeros['4'], 0);
  EXPECT_EQ(timed['4'], 0);
}

TEST_F(WeekendFeed, RealTimeFilesNameTheirRaceAndTime) {
  for (const fs::path& p : FilesUnder(Root() / "realtime" / "0B30")) {
    const std::string key = p.parent_path().filename().string();
    const std::string bytes = Read(p);
    std::vector<std::string_view> recs = Records(bytes, p.string());
    ASSERT_EQ(recs.size(), 6u);
    for (std::string_view r : recs) {
      EXPECT_EQ(Field(r, 12, 16), key);
      // The last file of a race holds its final odds, which carry no announcement time.
      const bool final_odds = Field(r, 3, 1) == "3";
      EXPECT_EQ(Field(r, 28, 8), final_odds ? "00000000" : p.stem().string()) << p;
    }
  }
  int results = 0, changes = 0;
  for (const fs::path& p : FilesUnder(Root() / "realtime" / "0B12")) {
    const std::string name = p.filename().string();
    const std::string bytes = Read(p);
    std::vector<std::string_view> recs = Records(bytes, p.string());
    EXPECT_EQ(p.parent_path().filename().string(), name.substr(5, 8));
    EXPECT_EQ(Field(recs[0], 12, 16), name.substr(5, 16));
    EXPECT_GT(std::stoi(name.substr(0, 4)), FieldInt(recs[0], 874, 4));
    EXPECT_EQ(recs.back().substr(0, 3), "HR1");
    ++results;
  }
  for (const fs::path& p : FilesUnder(Root() / "realtime" / "0B14")) {
    const std::string bytes = Read(p);
    for (std::string_view r : Records(bytes, p.string())) {
      if (r.substr(0, 2) != "TC") continue;
      EXPECT_EQ(Field(r, 32, 4), p.filename().string().substr(0, 4));
      EXPECT_GT(FieldInt(r, 36, 4), FieldInt(r, 40, 4)) << "a delay";
      EXPECT_LT(FieldInt(r, 32, 4), FieldInt(r, 40, 4)) << "announced before the race";
      ++changes;
    }
  }
  EXPECT_EQ(results, 72);
  EXPECT_GT(changes, 0);
}

TEST_F(WeekendFeed, TimeSeriesFilesHoldTheMorningAnnouncements) {
  const fs::path folder = Root() / "timeseries" / "20240519";
  const std::string bytes = Read(folder / "05020611.jvO1");
  std::vector<std::string_view> lines = Records(bytes, "jvO1");
  ASSERT_EQ(lines.size(), 3u);  // Sunday: the close of Saturday, about 07:00, 09:00
  EXPECT_EQ(Field(lines[0], 28, 8), "05181800");
  EXPECT_EQ(Field(lines[0], 3, 1), "2");
  EXPECT_EQ(Field(lines[1], 28, 4), "0519");
  EXPECT_GE(FieldInt(lines[1], 32, 4), 650);
  EXPECT_LE(FieldInt(lines[1], 32, 4), 710);
  EXPECT_EQ(Field(lines[2], 28, 8), "05190900");
  for (int n = 1; n <= 6; ++n) {
    const std::string file = "05020611.jvO" + std::to_string(n);
    const std::string file_bytes = Read(folder / file);
    for (std::string_view r : Records(file_bytes, file)) {
      EXPECT_EQ(Field(r, 1, 2), "O" + std::to_string(n));
      EXPECT_EQ(Field(r, 12, 16), "2024051905020611");
    }
  }
  // Saturday's races are not sold the day before.
  EXPECT_EQ(Records(Read(Root() / "timeseries" / "20240518" / "05020511.jvO1"), "sat").size(), 2u);
}

TEST(FeedToday, AnnouncesTheOddsOfTodayEveryHalfHourAndOnlyTheCloseOfPastDays) {
  testsupport::TempDir dir;
  FeedOptions options{dir.path() / "feed", 20240518, 2, 5, true};
  WriteFeed(options);
  const fs::path odds = options.out / "realtime" / "0B30";
  const std::string bytes = testsupport::ReadFileBytes(
      FilesUnder(options.out / "realtime" / "0B12" / "20240519").front());
  const std::string_view ra = Records(bytes, "0B12")[0];
  const std::string key(Field(ra, 12, 16));
  const int post = FieldInt(ra, 874, 4);
  std::vector<std::string> times;
  for (const fs::path& p : FilesUnder(odds / key)) times.push_back(p.stem().string());
  ASSERT_GE(times.size(), 3u);
  EXPECT_EQ(times[0], "05181800");
  EXPECT_EQ(times[1], "05190900");
  EXPECT_EQ(times.back(), "0519" + std::string(Field(ra, 874, 4)));
  for (size_t i = 2; i + 1 < times.size(); ++i) {
    const int t = std::stoi(times[i].substr(4));
    const int before = std::stoi(times[i - 1].substr(4));
    EXPECT_EQ((t / 100 * 60 + t % 100) - (before / 100 * 60 + before % 100), 30);
    EXPECT_LT(t, post);
  }
  EXPECT_EQ(FilesUnder(odds / ("20240518" + key.substr(8, 6) + "01")).size(), 0u);
  for (const auto& e : fs::directory_iterator(odds)) {
    if (e.path().filename().string().substr(0, 8) == "20240518") {
      EXPECT_EQ(FilesUnder(e.path()).size(), 1u) << e.path();
    }
  }
  EXPECT_EQ(testsupport::ReadFileBytes(options.out / "feed.txt").find("today=20240519\n") !=
                std::string::npos,
            true);
}

TEST(FeedOptionsCheck, RefusesBadOptionsAndForeignFolders) {
  testsupport::TempDir dir;
  EXPECT_THROW(WriteFeed(FeedOptions{dir.path() / "f", 20240231, 3, 1, false}), codes::InputError);
  EXPECT_THROW(WriteFeed(FeedOptions{dir.path() / "f", 20240518, 0, 1, false}), codes::InputError);
  testsupport::WriteFileBytes(dir.path() / "busy" / "letter.txt", "mine");
  try {
    WriteFeed(FeedOptions{dir.path() / "busy", 20240518, 1, 1, false});
    ADD_FAILURE() << "wrote into a folder that is not a feed";
  } catch (const codes::InputError& e) {
    EXPECT_NE(std::string(e.what()).find("holds no feed.txt"), std::string::npos);
  }
  EXPECT_TRUE(fs::exists(dir.path() / "busy" / "letter.txt"));
}

TEST(FeedOptionsCheck, WritingOverAnEarlierFeedLeavesNoOldFiles) {
  testsupport::TempDir dir;
  const fs::path out = dir.path() / "feed";
  WriteFeed(FeedOptions{out, 20240518, 1, 1, false});
  WriteFeed(FeedOptions{out, 20240525, 1, 1, false});
  for (const fs::path& p : FilesUnder(out / "stored")) {
    EXPECT_EQ(p.filename().string().find("20240518"), std::string::npos) << p;
  }
}

// clang-format off
struct BracketCase { int field; std::vector<int> brackets; };
const BracketCase kBracketCases[] = {
    {5,  {1, 2, 3, 4, 5}},
    {8,  {1, 2, 3, 4, 5, 6, 7, 8}},
    {9,  {1, 2, 3, 4, 5, 6, 7, 8, 8}},
    {12, {1, 2, 3, 4, 5, 5, 6, 6, 7, 7, 8, 8}},
    {16, {1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8}},
    {18, {1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 7, 8, 8, 8}},
};
// clang-format on

class BracketTest : public ::testing::TestWithParam<BracketCase> {};

TEST_P(BracketTest, FillsTheBracketsFromEightDownwards) {
  const BracketCase& c = GetParam();
  for (int h = 1; h <= c.field; ++h)
    EXPECT_EQ(BracketOf(h, c.field), c.brackets[static_cast<size_t>(h - 1)]) << h;
}

INSTANTIATE_TEST_SUITE_P(Fields, BracketTest, ::testing::ValuesIn(kBracketCases),
                         [](const auto& info) { return "Of" + std::to_string(info.param.field); });

TEST(Bracket, RejectsHorsesOutsideTheField) {
  EXPECT_THROW(BracketOf(10, 9), codes::LogicError);
  EXPECT_THROW(BracketOf(1, 19), codes::LogicError);
}

TEST(EntryNumbering, EveryEntryOfTheOddsTablesIsItsCombinationNumber) {
  OddsModel model;
  const auto& br = model.Table(Bet::kBracket).combos;
  for (size_t e = 0; e < br.size(); ++e)
    EXPECT_EQ(OddsModel::BracketEntry(br[e][0], br[e][1]), static_cast<int>(e));
  const auto& q = model.Table(Bet::kQuinella).combos;
  for (size_t e = 0; e < q.size(); ++e)
    EXPECT_EQ(OddsModel::QuinellaEntry(q[e][0], q[e][1]), static_cast<int>(e));
  const auto& ex = model.Table(Bet::kExacta).combos;
  for (size_t e = 0; e < ex.size(); ++e)
    EXPECT_EQ(OddsModel::ExactaEntry(ex[e][0], ex[e][1]), static_cast<int>(e));
  const auto& tr = model.Table(Bet::kTrio).combos;
  for (size_t e = 0; e < tr.size(); ++e)
    EXPECT_EQ(OddsModel::TrioEntry(tr[e][0], tr[e][1], tr[e][2]), static_cast<int>(e));
  const auto& tf = model.Table(Bet::kTrifecta).combos;
  for (size_t e = 0; e < tf.size(); ++e)
    EXPECT_EQ(OddsModel::TrifectaEntry(tf[e][0], tf[e][1], tf[e][2]), static_cast<int>(e));
  EXPECT_EQ(br.size(), 36u);
  EXPECT_EQ(q.size(), 153u);
  EXPECT_EQ(ex.size(), 306u);
  EXPECT_EQ(tr.size(), 816u);
  EXPECT_EQ(tf.size(), 4896u);
  EXPECT_EQ(OddsModel::TrifectaEntry(9, 18, 17), 2447);
  EXPECT_EQ(OddsModel::TrioEntry(2, 3, 4), 136);
}

TEST(Calendar, RacesOnWeekendsAndMondayHolidaysWithTwoOrThreeCourses) {
  const RaceCalendar calendar(3, 20240101, 20241231);
  const std::vector<RaceDayPlan> days = calendar.Between(20240101, 20241231);
  EXPECT_GE(days.size(), 100u);
  EXPECT_LE(days.size(), 112u);
  std::map<std::string, std::pair<int, int>> last;  // course -> meeting, day
  int holidays = 0;
  for (const RaceDayPlan& d : days) {
    const int wd = WeekdayOf(d.ymd);
    const int md = d.ymd % 10000;
    EXPECT_TRUE(md > 104 && md < 1229) << d.ymd;
    if (wd == 6)
      EXPECT_EQ(d.weekday_code, '1') << d.ymd;
    else if (wd == 0)
      EXPECT_EQ(d.weekday_code, '2') << d.ymd;
    else {
      EXPECT_EQ(wd, 1) << d.ymd;
      EXPECT_EQ(d.weekday_code, '3') << d.ymd;
      ++holidays;
    }
    ASSERT_GE(d.venues.size(), 2u);
    ASSERT_LE(d.venues.size(), 3u);
    for (size_t i = 0; i < d.venues.size(); ++i) {
      const VenueDay& v = d.venues[i];
      EXPECT_GE(v.course, "01");
      EXPECT_LE(v.course, "10");
      if (i > 0) {
        EXPECT_LT(d.venues[i - 1].course, v.course);
      }
      EXPECT_GE(v.day, 1);
      EXPECT_LE(v.day, 8);
      auto it = last.find(v.course);
      if (v.day > 1) {
        ASSERT_NE(it, last.end()) << d.ymd << " " << v.course;
        EXPECT_EQ(it->second.first, v.meeting);
        EXPECT_EQ(it->second.second, v.day - 1);
      } else {
        EXPECT_EQ(v.meeting, it == last.end() ? 1 : it->second.first + 1)
            << d.ymd << " " << v.course;
      }
      last[v.course] = {v.meeting, v.day};
    }
  }
  EXPECT_EQ(holidays, 3);
  EXPECT_EQ(calendar.NextRestDay(20240518), 20240520);
}

TEST(Calendar, TodayIsARaceDayWhateverTheWeekday) {
  const RaceCalendar calendar(3, 20240515, 20240515, 20240515);
  const std::vector<RaceDayPlan> days = calendar.Between(20240515, 20240515);
  ASSERT_EQ(days.size(), 1u);
  EXPECT_EQ(days[0].weekday_code, '6');  // Wednesday
  EXPECT_EQ(RaceCalendar(3, 20240515, 20240515).Between(20240515, 20240515).size(), 0u);
}

// A ten-horse race that finished in horse-number order, with a dead heat at `shared`.
RacePlan TenHorseRace(int shared) {
  RacePlan race;
  race.key = RaceKey{20240518, "05", 2, 5, 11};
  race.post = race.carded_post = 925;
  race.runners.resize(10);
  for (int h = 1; h <= 10; ++h) {
    RunnerPlan& r = race.runners[static_cast<size_t>(h - 1)];
    r.horse = h;
    r.bracket = BracketOf(h, 10);
    r.final_view = r.ability = 0.3 * (10 - h);
  }
  race.dead_heat_place = shared;
  for (int h = 1; h <= 10; ++h) {
    race.crossing.push_back(h);
    race.placing.push_back(shared > 0 && h == shared + 1 ? shared : h);
  }
  return race;
}

struct DeadHeatCase {
  int shared;
  // paid entries: win, place, bracket, quinella, wide, exacta, trio, trifecta
  std::array<size_t, 8> paid;
};

class DeadHeatTest : public ::testing::TestWithParam<DeadHeatCase> {};

TEST_P(DeadHeatTest, PaysEveryOrderTheSharedPlaceAllows) {
  const RacePlan race = TenHorseRace(GetParam().shared);
  OddsModel model;
  model.Compute(race, race.post);
  for (int b = 0; b < kBetCount; ++b) {
    const std::vector<int> paid = PaidEntries(race, model, static_cast<Bet>(b));
    EXPECT_EQ(paid.size(), GetParam().paid[static_cast<size_t>(b)]) << "bet " << b;
    const std::vector<long long> yen = model.Payouts(static_cast<Bet>(b), paid);
    for (size_t i = 0; i < yen.size(); ++i) {
      EXPECT_GE(yen[i], 100);
      EXPECT_EQ(yen[i] % 10, 0);
      const int tenths = model.Table(static_cast<Bet>(b)).tenths[static_cast<size_t>(paid[i])];
      if (paid.size() == 1) {
        EXPECT_EQ(yen[i], std::max(100LL, 10LL * tenths)) << "bet " << b;
      } else if (b != static_cast<int>(Bet::kPlace) && b != static_cast<int>(Bet::kWide)) {
        EXPECT_LE(yen[i], std::max(100LL, 10LL * tenths)) << "a shared pool pays less";
      }
    }
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Places, DeadHeatTest, ::testing::Values(
    DeadHeatCase{0, {1, 3, 1, 1, 3, 1, 1, 1}},
    DeadHeatCase{1, {2, 3, 1, 1, 3, 2, 1, 2}},
    DeadHeatCase{2, {1, 3, 2, 2, 3, 2, 1, 2}},
    DeadHeatCase{3, {1, 4, 1, 1, 5, 1, 2, 2}}),
    [](const auto& info) { return "Shared" + std::to_string(info.param.shared); });
// clang-format on

TEST(Withdrawn, RunnerAfterTheSaleShowsStarsAndTheRestOfTheOddsStillAddUp) {
  RacePlan race = TenHorseRace(0);
  race.runners[2].scratch = Scratch::kAfterSale;
  race.scratch_minute = 800;
  race.crossing.erase(race.crossing.begin() + 2);
  OddsModel model;
  model.Compute(race, 700);  // before the withdrawal
  EXPECT_GT(model.Table(Bet::kWin).tenths[2], 0);
  model.Compute(race, race.post);
  std::string out;
  AppendOddsRecord(out, 1, race, model, '3', FeedMoment{20240518, race.post});
  AppendOddsRecord(out, 2, race, model, '3', FeedMoment{20240518, race.post});
  const std::string_view o1(out.data(), 962), o2(out.data() + 962, 2042);
  EXPECT_EQ(Field(o1, 36, 4), "1009");
  EXPECT_EQ(Field(o1, 44 + 16, 8), "03****  ");
  EXPECT_EQ(Field(o1, 268 + 24, 12), "03********  ");
  EXPECT_EQ(Field(o2, 41 + 13 * OddsModel::QuinellaEntry(1, 3), 13), "0103******   ");
  EXPECT_TRUE(codes::IsBlank(Field(o2, 41 + 13 * OddsModel::QuinellaEntry(1, 11), 13)));
  double inverse = 0;
  for (int h = 1; h <= 10; ++h) {
    const int tenths = FieldInt(o1, 46 + 8 * (h - 1), 4);
    if (tenths > 0) inverse += 10.0 / tenths;
  }
  EXPECT_NEAR(inverse, 1 / 0.8, 0.06) << "win odds after a 20% takeout";
  std::string hr;
  AppendPayoutRecord(hr, race, model, '1', 20240518);
  EXPECT_EQ(Field(hr, 50, 9), "111110111");
  EXPECT_EQ(Field(hr, 59, 4), "0010");
}

}  // namespace
}  // namespace samplefeed
