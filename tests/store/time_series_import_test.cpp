#include "store/time_series_import.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "codes/cp932.h"
#include "race_day_files.h"
#include "store/record_lengths.h"
#include "support/record_builder.h"
#include "support/temp_dir.h"

namespace store {
namespace {

using testsupport::KeyOf;

const std::string kYmd = "20240518";
const int kLengths[] = {kO1Length, kO2Length, kO3Length, kO4Length, kO5Length, kO6Length};

// A companion line of odds kind n for `key`, announced at MMDDhhmm, with a tag that tells
// the lines apart.
std::string Line(int n, const std::string& key, const std::string& announced,
                 const std::string& tag = "") {
  std::string r = testsupport::RecordWithKey("O" + std::to_string(n), kLengths[n - 1], '1', key);
  testsupport::Put(r, 28, announced);
  testsupport::Put(r, 40, tag.empty() ? announced : tag);
  return r.substr(0, r.size() - 2);
}

std::string Announced(const std::string& line) { return line.substr(27, 8); }

// ---- The nearest announcement ---------------------------------------------------------------

struct NearestCase {
  const char* name;
  std::vector<std::string> announced;  // MMDDhhmm of each line, in file order
  const char* target;                  // hhmm
  int chosen;                          // index of the line taken; -1 for none
};

class NearestAnnouncementTable : public ::testing::TestWithParam<NearestCase> {};

TEST_P(NearestAnnouncementTable, TakesTheLineNearestTheTarget) {
  const std::string key = KeyOf(kYmd, "05", 1);
  std::vector<std::string> lines;
  for (const std::string& at : GetParam().announced) lines.push_back(Line(1, key, at));
  const std::string target = GetParam().target;
  const int minutes = std::stoi(target.substr(0, 2)) * 60 + std::stoi(target.substr(2, 2));
  const std::string best = NearestAnnouncement(lines, key, 1, minutes);
  if (GetParam().chosen < 0) {
    EXPECT_EQ(best, "");
  } else {
    EXPECT_EQ(best, lines[static_cast<size_t>(GetParam().chosen)]);
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, NearestAnnouncementTable, ::testing::Values(
  NearestCase{"SevenOhFiveOverSixFiftyAndSevenTen", {"05180650", "05180705", "05180710"}, "0700", 1},
  NearestCase{"TieKeepsTheEarlierLine", {"05180705", "05180655"}, "0700", 0},
  NearestCase{"TieKeepsTheEarlierLineOtherOrder", {"05180655", "05180705"}, "0700", 0},
  NearestCase{"TheDayBeforeIsNeverTaken", {"05170700", "05181000"}, "0700", 1},
  NearestCase{"OnlyTheDayBefore", {"05170700"}, "0700", -1},
  NearestCase{"AThousandMinutesAwayIsNeverTaken", {"05182340"}, "0700", -1},
  NearestCase{"JustUnderAThousandMinutes", {"05182339"}, "0700", 0},
  NearestCase{"OtherTarget", {"05180700", "05180900", "05181000"}, "0920", 1}
), [](const ::testing::TestParamInfo<NearestCase>& info) { return info.param.name; });
// clang-format on

TEST(NearestAnnouncement, PassesOverLinesOfAnotherLengthOrRace) {
  const std::string key = KeyOf(kYmd, "05", 1);
  std::string short_line = Line(1, key, "05180700").substr(0, 900);
  std::string other_race = Line(1, KeyOf(kYmd, "05", 2), "05180700");
  std::string good = Line(1, key, "05180800");
  EXPECT_EQ(NearestAnnouncement({short_line, other_race, good}, key, 1, 420), good);
}

// ---- The import -------------------------------------------------------------------------

class TimeSeriesImportTest : public ::testing::Test {
 protected:
  TimeSeriesImportTest()
      : clock_({2024, 5, 18, 7, 30, 0}),
        store_(home_.path() / "home", clock_),
        day_(std::make_unique<RaceDay>()),
        prefix_(codes::Sj("2024年05月18日")),
        companion_(home_.path() / "jikeiretu") {
    store_.PrepareFolders();
    for (int race = 1; race <= 3; ++race) {
      day_->RaRec[race - 1].Assign(testsupport::RaOf(KeyOf(kYmd, "05", race), 10));
    }
  }
  void Companion(int race, int n, const std::vector<std::string>& announced) {
    const std::string key = KeyOf(kYmd, "05", race);
    std::vector<std::string> lines;
    for (const std::string& at : announced) lines.push_back(Line(n, key, at));
    std::filesystem::create_directories(companion_ / key.substr(0, 8));
    store_.Disk().Save(companion_ / key.substr(0, 8) / (key.substr(8) + ".jvO" + std::to_string(n)),
                       lines);
  }
  std::vector<std::string> Target(int n) {
    return store_.Disk()
        .Load(store_.DayFilePath(prefix_, ".jvO" + std::to_string(n) + "a"))
        .value_or(std::vector<std::string>{});
  }

  testsupport::TempDir home_;
  platform::FixedClock clock_;
  RecordStore store_;
  std::unique_ptr<RaceDay> day_;
  std::string prefix_;
  std::filesystem::path companion_;
};

TEST_F(TimeSeriesImportTest, ANewTargetFileGetsOneLinePerRaceInSlotOrder) {
  for (int race : {3, 1, 2}) Companion(race, 1, {"05180650", "05180705", "05180710"});
  const TimeSeriesCounts counts = ImportTimeSeriesFiles(*day_, store_, companion_, "0700");
  EXPECT_EQ(counts[1], 3);
  EXPECT_EQ(counts[2], 0);
  const auto lines = Target(1);
  ASSERT_EQ(lines.size(), 3u);
  for (int race = 1; race <= 3; ++race) {
    EXPECT_EQ(lines[static_cast<size_t>(race - 1)].substr(11, 16), KeyOf(kYmd, "05", race));
    EXPECT_EQ(Announced(lines[static_cast<size_t>(race - 1)]), "05180705");
  }
}

TEST_F(TimeSeriesImportTest, ReplacesTheRaceLineAndAppendsNewRacesKeepingTheOthers) {
  const std::string other = Line(1, KeyOf(kYmd, "08", 1), "05180700");
  const std::string old2 = Line(1, KeyOf(kYmd, "05", 2), "05180600");
  store_.Disk().Save(store_.DayFilePath(prefix_, ".jvO1a"), {old2, other});
  Companion(2, 1, {"05180700"});
  Companion(1, 1, {"05180700"});
  ImportTimeSeriesFiles(*day_, store_, companion_, "0700");
  const auto lines = Target(1);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(Announced(lines[0]), "05180700");
  EXPECT_EQ(lines[0].substr(11, 16), KeyOf(kYmd, "05", 2));
  EXPECT_EQ(lines[1], other);
  EXPECT_EQ(lines[2].substr(11, 16), KeyOf(kYmd, "05", 1));
}

TEST_F(TimeSeriesImportTest, RunningTwiceLeavesOneLinePerRace) {
  for (int race = 1; race <= 3; ++race) Companion(race, 2, {"05180700"});
  ImportTimeSeriesFiles(*day_, store_, companion_, "0700");
  const auto once = Target(2);
  const TimeSeriesCounts counts = ImportTimeSeriesFiles(*day_, store_, companion_, "0700");
  EXPECT_EQ(counts[2], 3);
  EXPECT_EQ(Target(2), once);
  EXPECT_EQ(once.size(), 3u);
}

TEST_F(TimeSeriesImportTest, AMissingKindLeavesItsFileAndTheMessageCountsWinAndQuinella) {
  Companion(1, 1, {"05180700"});
  Companion(1, 2, {"05180700"});
  Companion(2, 1, {"05180700"});
  Companion(1, 5, {"05170700"});  // only the day before: nothing qualifies
  const TimeSeriesCounts counts = ImportTimeSeriesFiles(*day_, store_, companion_, "0700");
  EXPECT_EQ(counts[5], 0);
  EXPECT_FALSE(store_.Disk().Exists(store_.DayFilePath(prefix_, ".jvO5a")));
  EXPECT_EQ(codes::SjisToUtf8(TimeSeriesCountMessage(counts)),
            "2ﾚｰｽ分の単複枠朝ｵｯｽﾞ、\r\n1ﾚｰｽ分の馬連朝ｵｯｽﾞ\r\nを取りこみました。");
}

}  // namespace
}  // namespace store
