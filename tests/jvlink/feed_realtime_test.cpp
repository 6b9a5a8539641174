#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "feed_test_support.h"
#include "jvlink/feed_jv_link.h"
#include "support/case_name.h"

namespace jvlink {
namespace {

using Events = std::vector<std::string>;

const std::string kKey1 = "2024051805010101";
const std::string kKey2 = "2024051805010102";

/// An odds record of `key` announced at MMDDhhmm.
std::string Odds(const std::string& id, const std::string& key, const std::string& announced) {
  std::string r = SmallRecord(id, key);
  r.replace(27, 8, announced);
  return r;
}

// ---- Keys and dataspec names ----------------------------------------------------------

struct RTOpenCase {
  const char* dataspec;
  const char* key;
  int expected;
};

class JVRTOpenArguments : public ::testing::TestWithParam<RTOpenCase> {};

TEST_P(JVRTOpenArguments, AreChecked) {
  FeedFixture f;
  f.Realtime("0B30/" + kKey1 + "/05180900.jvd", {Odds("O1", kKey1, "05180900")});
  f.Realtime("0B12/20240518/1005_" + kKey1 + ".jvd", {SmallRecord("RA", kKey1)});
  f.Realtime("0B14/20240518/0930_" + kKey1 + ".jvd", {SmallRecord("TC", kKey1)});
  FeedJVLink& link = f.Link();
  EXPECT_EQ(link.JVRTOpen(GetParam().dataspec, GetParam().key), GetParam().expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Codes, JVRTOpenArguments, ::testing::Values(
  RTOpenCase{"0B30", "2024051805010101", 0},
  RTOpenCase{"0B30", "2024051805010102", -1},     // no announcement of that race
  RTOpenCase{"0B30", "202405180501010", -114},    // 15 digits
  RTOpenCase{"0B30", "20240518050101011", -114},  // 17 digits
  RTOpenCase{"0B30", "20240518", -114},
  RTOpenCase{"0B30", "../../stored/x.jvd", -114},
  RTOpenCase{"0B30", "2024051805O10101", -114},
  RTOpenCase{"0B12", "20240518", 0},
  RTOpenCase{"0B12", "20240519", -1},
  RTOpenCase{"0B12", "2024051805010101", -114},
  RTOpenCase{"0B12", "2024518", -114},
  RTOpenCase{"0B14", "20240518", 0},
  RTOpenCase{"0B14", "", -114},
  RTOpenCase{"0B31", "20240518", -111},
  RTOpenCase{"RACE", "20240518", -111},
  RTOpenCase{"0b12", "20240518", -111}
),
    testsupport::CaseNameOf(&RTOpenCase::dataspec, &RTOpenCase::key));
// clang-format on

// ---- 0B30: the odds announcement that is out ---------------------------------------------

struct OddsReleaseCase {
  const char* name;
  platform::LocalTime now;
  const char* served;  // announcement served, or "" for none
};

class OddsRelease : public ::testing::TestWithParam<OddsReleaseCase> {};

TEST_P(OddsRelease, ServesTheLatestAnnouncementOutByNow) {
  FeedFixture f;
  for (const char* at : {"05170930", "05180900", "05181000", "05181100"}) {
    f.Realtime("0B30/" + kKey1 + "/" + at + ".jvd",
               {Odds("O1", kKey1, at), Odds("O2", kKey1, at)});
  }
  f.Realtime("0B30/" + kKey1 + "/notes.txt", {"not an announcement\r\n"});
  f.clock().Set(GetParam().now);
  FeedJVLink& link = f.Link();
  const std::string served = GetParam().served;
  if (served.empty()) {
    EXPECT_EQ(link.JVRTOpen("0B30", kKey1), -1);
    return;
  }
  ASSERT_EQ(link.JVRTOpen("0B30", kKey1), 0);
  EXPECT_EQ(f.ReadAll(), (Events{Odds("O1", kKey1, served), Odds("O2", kKey1, served), "#-1",
                                 "#0"}));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Times, OddsRelease, ::testing::Values(
  OddsReleaseCase{"TodayBetweenAnnouncements", {2024, 5, 18, 10, 30, 0}, "05181000"},
  OddsReleaseCase{"TodayAtAnAnnouncement", {2024, 5, 18, 10, 0, 0}, "05181000"},
  OddsReleaseCase{"TodayBeforeTheFirstOfTheDay", {2024, 5, 18, 8, 0, 0}, "05170930"},
  OddsReleaseCase{"TodayAfterTheLast", {2024, 5, 18, 23, 59, 59}, "05181100"},
  OddsReleaseCase{"ALaterDay", {2024, 5, 25, 9, 0, 0}, "05181100"},
  OddsReleaseCase{"TheEveningBefore", {2024, 5, 17, 20, 0, 0}, "05170930"},
  OddsReleaseCase{"TheDayBeforeAtTheFirst", {2024, 5, 17, 9, 30, 0}, "05170930"},
  OddsReleaseCase{"TheDayBeforeTheFirst", {2024, 5, 17, 9, 0, 0}, ""}
), [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(OddsReleaseAtNewYear, TakesAnAnnouncementOfDecemberAsTheYearBefore) {
  FeedFixture f;
  const std::string key = "2025010506010101";
  f.Realtime("0B30/" + key + "/12311800.jvd", {Odds("O1", key, "12311800")});
  f.Realtime("0B30/" + key + "/01051000.jvd", {Odds("O1", key, "01051000")});
  f.clock().Set({2025, 1, 5, 9, 0, 0});
  FeedJVLink& link = f.Link();
  ASSERT_EQ(link.JVRTOpen("0B30", key), 0);
  EXPECT_EQ(f.ReadAll(), (Events{Odds("O1", key, "12311800"), "#-1", "#0"}));
}

// ---- 0B12 and 0B14: the files of a day released by now ------------------------------------

struct DayReleaseCase {
  const char* name;
  const char* dataspec;
  platform::LocalTime now;
  std::vector<std::string> released;  // hhmm of the files served, in order
};

class DayRelease : public ::testing::TestWithParam<DayReleaseCase> {};

TEST_P(DayRelease, ServesTheFilesReleasedByNow) {
  const DayReleaseCase& c = GetParam();
  FeedFixture f;
  const std::string name = c.dataspec;
  auto record_of = [](const std::string& hhmm) {
    std::string r = SmallRecord("HR", hhmm == "1040" ? kKey2 : kKey1);
    r.replace(30, 4, hhmm);
    return r;
  };
  for (const std::string hhmm : {"1005", "1040", "1500"}) {
    f.Realtime(name + "/20240518/" + hhmm + "_" + (hhmm == "1040" ? kKey2 : kKey1) + ".jvd",
               {record_of(hhmm)});
  }
  f.Realtime(name + "/20240518/1000_short.jvd", {"not a release\r\n"});
  f.Realtime(name + "/20240517/0900_" + kKey1 + ".jvd", {"another day\r\n"});
  f.clock().Set(c.now);
  FeedJVLink& link = f.Link();
  if (c.released.empty()) {
    EXPECT_EQ(link.JVRTOpen(name, "20240518"), -1);
    return;
  }
  ASSERT_EQ(link.JVRTOpen(name, "20240518"), 0);
  Events expected;
  for (const std::string& hhmm : c.released) {
    expected.push_back(record_of(hhmm));
    expected.push_back("#-1");
  }
  expected.push_back("#0");
  EXPECT_EQ(f.ReadAll(), expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Times, DayRelease, ::testing::Values(
  DayReleaseCase{"ResultsBeforeTheFirst", "0B12", {2024, 5, 18, 10, 4, 59}, {}},
  DayReleaseCase{"ResultsAtARelease", "0B12", {2024, 5, 18, 10, 40, 0}, {"1005", "1040"}},
  DayReleaseCase{"ResultsLate", "0B12", {2024, 5, 18, 23, 0, 0}, {"1005", "1040", "1500"}},
  DayReleaseCase{"ResultsOfAPastDay", "0B12", {2024, 5, 19, 8, 0, 0}, {"1005", "1040", "1500"}},
  DayReleaseCase{"ResultsOfAFutureDay", "0B12", {2024, 5, 17, 23, 0, 0}, {}},
  DayReleaseCase{"NoticesToday", "0B14", {2024, 5, 18, 12, 0, 0}, {"1005", "1040"}},
  DayReleaseCase{"NoticesOfAPastDay", "0B14", {2024, 6, 1, 0, 0, 0}, {"1005", "1040", "1500"}}
), [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(DayReleaseAsTheDayGoes, ServesMoreFilesOnEachLaterOpen) {
  FeedFixture f;
  f.Realtime("0B12/20240518/1005_" + kKey1 + ".jvd", {SmallRecord("RA", kKey1)});
  f.Realtime("0B12/20240518/1040_" + kKey2 + ".jvd", {SmallRecord("RA", kKey2)});
  f.clock().Set({2024, 5, 18, 10, 10, 0});
  FeedJVLink& link = f.Link();
  ASSERT_EQ(link.JVRTOpen("0B12", "20240518"), 0);
  EXPECT_EQ(f.ReadAll(), (Events{SmallRecord("RA", kKey1), "#-1", "#0"}));
  ASSERT_EQ(link.JVClose(), 0);
  f.clock().Advance(30 * 60);
  ASSERT_EQ(link.JVRTOpen("0B12", "20240518"), 0);
  EXPECT_EQ(f.ReadAll(), (Events{SmallRecord("RA", kKey1), "#-1", SmallRecord("RA", kKey2),
                                 "#-1", "#0"}));
}

}  // namespace
}  // namespace jvlink
