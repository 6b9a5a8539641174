#include "analysis/race_selection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "codes/errors.h"
#include "support/case_name.h"
#include "support/record_builder.h"
#include "support/temp_dir.h"

namespace {

using store::RaceDay;

std::string KeyOf(const std::string& course, int race) {
  char number[3];
  std::snprintf(number, sizeof number, "%02d", race);
  return std::string("20240518") + course + "0203" + number;
}

// Puts a race into the slot with the given win odds of horses 1.. and the win ranks the
// odds import would give them (ascending odds, then horse number; no odds, no rank).
void SetRace(RaceDay& day, int slot, const std::string& course, int race,
             const std::vector<double>& odds, int runners = 0) {
  const int n = runners > 0 ? runners : static_cast<int>(odds.size());
  std::string ra = testsupport::RecordWithKey("RA", store::kRaLength, '7', KeyOf(course, race));
  testsupport::PutNumber(ra, 882, 2, n);
  day.RaRec[slot].Assign(ra);
  store::RaceWork& w = day.Work[slot];
  std::vector<int> order;
  for (int k = 0; k < static_cast<int>(odds.size()); ++k) {
    w.AsaWinOdds[k] = odds[static_cast<size_t>(k)];
    if (odds[static_cast<size_t>(k)] > 0) order.push_back(k);
  }
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return odds[static_cast<size_t>(a)] < odds[static_cast<size_t>(b)];
  });
  for (size_t i = 0; i < order.size(); ++i) w.AsaWinRank[order[i]] = static_cast<int>(i) + 1;
}

// A field of `runners` whose three favourites have the given odds, the rest longer.
std::vector<double> FieldWith(double o1, double o2, double o3, int runners = 10) {
  std::vector<double> odds = {o1, o2, o3};
  for (int k = 3; k < runners; ++k) odds.push_back(50.0 + k);
  return odds;
}

std::unique_ptr<RaceDay> NewDay(const std::vector<std::string>& venues) {
  auto day = std::make_unique<RaceDay>();
  for (size_t v = 0; v < venues.size(); ++v) day->DayVenues[static_cast<int>(v) + 1] = venues[v];
  return day;
}

// ---- SelectRaces -----------------------------------------------------------------

TEST(SelectRacesTest, TheMeanIsExactInTenths) {
  auto day = NewDay({"05"});
  SetRace(*day, 0, "05", 1, FieldWith(3.3, 5.1, 5.1));
  SetRace(*day, 1, "05", 2, FieldWith(1.2, 3.4, 5.6));
  analysis::SelectRaces(*day);
  EXPECT_EQ(day->Work[0].OzAve123, 4.5);  // (3.3 + 5.1) + 5.1 over 3 would be 4.4999…
  EXPECT_EQ(day->Work[1].OzAve123, 102.0 / 30);
}

TEST(SelectRacesTest, LowestAndHighestMeanOfEachVenueAreQuinellaTargets) {
  auto day = NewDay({"05", "08", "09"});
  SetRace(*day, 0, "05", 1, FieldWith(2.0, 3.0, 4.0));
  SetRace(*day, 1, "05", 2, FieldWith(1.5, 2.0, 3.0));
  SetRace(*day, 2, "05", 3, FieldWith(5.0, 6.0, 7.0));
  SetRace(*day, 3, "05", 4, {1.1, 9.0, -1});  // no three odds: no entry
  day->Work[3].OzAve123 = 9.9;
  SetRace(*day, 12, "08", 1, FieldWith(2.0, 3.0, 4.0));  // the only race at its venue
  SetRace(*day, 24, "09", 1, FieldWith(2.0, 3.0, 4.0));  // equal means: the slot decides
  SetRace(*day, 25, "09", 2, FieldWith(2.0, 3.0, 4.0));
  analysis::SelectRaces(*day);
  EXPECT_EQ(day->Work[1].URTaisho, 1);
  EXPECT_EQ(day->Work[0].URTaisho, 0);
  EXPECT_EQ(day->Work[2].URTaisho, 2);
  EXPECT_EQ(day->Work[3].URTaisho, 0);
  EXPECT_EQ(day->Work[3].OzAve123, 9.9);  // kept
  EXPECT_EQ(day->Work[12].URTaisho, 0);
  EXPECT_EQ(day->Work[12].OzAve123, 3.0);
  EXPECT_EQ(day->Work[24].URTaisho, 1);
  EXPECT_EQ(day->Work[25].URTaisho, 2);
}

TEST(SelectRacesTest, MarksOfListedRacesAreRecomputed) {
  auto day = NewDay({"05"});
  SetRace(*day, 0, "05", 1, FieldWith(3.0, 4.0, 5.0));
  day->Work[0].URTaisho = 4;  // set by the bet rules of the last showing
  day->Work[0].UTTaisho = 2;
  day->Work[0].SRTaisho = 1;
  analysis::SelectRaces(*day);
  EXPECT_EQ(day->Work[0].URTaisho, 0);
  EXPECT_EQ(day->Work[0].UTTaisho, 0);
  EXPECT_EQ(day->Work[0].SRTaisho, 0);
}

struct GapMarkCase {
  double o1, o2, o3;
  int runners;
  int mark;
};

class SRTaishoTest : public ::testing::TestWithParam<GapMarkCase> {};

TEST_P(SRTaishoTest, MarksTheGapAmongTheFirstThreeFavourites) {
  const GapMarkCase& c = GetParam();
  auto day = NewDay({"05"});
  SetRace(*day, 0, "05", 1, FieldWith(c.o1, c.o2, c.o3, c.runners));
  analysis::SelectRaces(*day);
  EXPECT_EQ(day->Work[0].SRTaisho, c.mark);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Gaps, SRTaishoTest, ::testing::Values(
  GapMarkCase{1.5,  4.0,  4.5, 13, 1},
  GapMarkCase{1.5,  3.8,  4.0, 13, 0},   // 3.8 - 1.5 lies just below 2.3
  GapMarkCase{10.0, 12.3, 13.0, 16, 1},
  GapMarkCase{1.5,  3.0,  5.5, 18, 2},
  GapMarkCase{1.5,  3.8,  6.1, 18, 0},   // 6.1 - 3.8 lies just below too
  GapMarkCase{1.2,  3.4,  5.7, 15, 2},   // 5.7 - 3.4 reaches it, 3.4 - 1.2 not
  GapMarkCase{2.2,  3.0,  5.3, 14, 0},   // 5.3 - 3.0 does not
  GapMarkCase{2.0,  4.5,  9.0, 12, 0},   // never in a field of 12
  GapMarkCase{2.0,  4.5,  9.0, 13, 1}),
    testsupport::CaseNameOf(&GapMarkCase::o1,
                            &GapMarkCase::o2,
                            &GapMarkCase::o3,
                            &GapMarkCase::runners));
// clang-format on

TEST(UTTaishoTest, TheWeakestFavouritesOfEachVenueAreExactaTargets) {
  auto day = NewDay({"05", "08"});
  SetRace(*day, 0, "05", 1, FieldWith(3.4, 5.0, 6.0));  // too strong a favourite
  SetRace(*day, 1, "05", 2, FieldWith(3.5, 5.0, 6.0));
  SetRace(*day, 2, "05", 3, FieldWith(6.0, 7.0, 8.0));
  SetRace(*day, 12, "08", 1, FieldWith(3.4, 5.0, 6.0));
  analysis::SelectRaces(*day);
  EXPECT_EQ(day->Work[0].UTTaisho, 0);
  EXPECT_EQ(day->Work[1].UTTaisho, 2);
  EXPECT_EQ(day->Work[2].UTTaisho, 1);
  EXPECT_EQ(day->Work[12].UTTaisho, 0);
}

TEST(UTTaishoTest, TiesAreOrderedByFieldSizeThenSlot) {
  auto day = NewDay({"05"});
  SetRace(*day, 0, "05", 1, FieldWith(5.0, 6.0, 7.0, 14));
  SetRace(*day, 1, "05", 2, FieldWith(5.0, 6.0, 7.0, 10));
  SetRace(*day, 2, "05", 3, FieldWith(5.0, 6.0, 7.0, 10));
  analysis::SelectRaces(*day);
  EXPECT_EQ(day->Work[0].UTTaisho, 1);  // largest field
  EXPECT_EQ(day->Work[2].UTTaisho, 2);  // then the higher slot
  EXPECT_EQ(day->Work[1].UTTaisho, 0);
}

// ---- previous day --------------------------------------------------------------------

// An SE record of the previous day at a racecourse: its popularity and finish.
std::string PreviousSe(const std::string& course, int race, const std::string& popularity,
                       const std::string& finished) {
  std::string se = testsupport::RecordWithKey("SE", store::kSeLength, '7',
                                              std::string("20240512") + course + "0202" +
                                                  (race < 10 ? "0" : "") + std::to_string(race));
  testsupport::Put(se, 364, popularity);
  testsupport::Put(se, 335, finished);
  return se;
}

TEST(CountPreviousDayTest, CountsTheFavouritesFirstAndSecondAtTheDaysVenues) {
  testsupport::TempDir dir;
  const auto file_a = dir.path() / "a.jvSEr";
  const auto file_b = dir.path() / "b.jvSEr";
  testsupport::WriteFileBytes(
      file_a, PreviousSe("05", 1, "01", "01") + PreviousSe("05", 2, "01", "01") +
                  PreviousSe("05", 3, "01", "02") + PreviousSe("05", 4, "01", "05") +
                  PreviousSe("05", 5, "02", "01") + testsupport::BlankRecord(store::kSeLength));
  testsupport::WriteFileBytes(file_b, PreviousSe("08", 1, "01", "05") +
                                          PreviousSe("06", 1, "01", "01"));  // not today
  auto day = NewDay({"05", "08", "09"});
  analysis::CountPreviousDay(*day, std::vector<std::filesystem::path>{file_a, file_b});
  EXPECT_EQ(day->PreDayFav1st[1], 2);
  EXPECT_EQ(day->PreDayFav2nd[1], 1);
  EXPECT_EQ(day->PreDayPresent[1], 1);
  EXPECT_EQ(day->PreDayFav1st[2], 0);
  EXPECT_EQ(day->PreDayPresent[2], 1);  // a favourite ran there, unplaced
  EXPECT_EQ(day->PreDayPresent[3], 0);
}

TEST(CountPreviousDayTest, AFileEndingInsideARecordIsNamed) {
  testsupport::TempDir dir;
  const auto file = dir.path() / "short.jvSEr";
  testsupport::WriteFileBytes(file, PreviousSe("05", 1, "01", "01").substr(0, 300));
  auto day = NewDay({"05"});
  try {
    analysis::CountPreviousDay(*day, std::vector<std::string>{file.string()});
    FAIL();
  } catch (const codes::InputError& e) {
    EXPECT_NE(std::string(e.what()).find("short.jvSEr"), std::string::npos) << e.what();
  }
}

TEST(CountPreviousDayTest, ClearingResetsCountsAndPresenceFlags) {
  auto day = NewDay({"05"});
  day->PreDayFav1st[1] = 3;
  day->PreDayFav2nd[2] = 1;
  day->PreDayPresent[3] = 1;
  analysis::ClearPreviousDay(*day);
  for (int v = 1; v <= 3; ++v) {
    EXPECT_EQ(day->PreDayFav1st[v], 0);
    EXPECT_EQ(day->PreDayFav2nd[v], 0);
    EXPECT_EQ(day->PreDayPresent[v], 0);
  }
}

// ---- day-wide ranking and Logic B --------------------------------------------------

// Twelve races at "05" whose favourites are at 1.1, 1.2, … in the order given.
std::unique_ptr<RaceDay> TwelveRaces(const std::vector<int>& favourite_tenths_order) {
  auto day = NewDay({"05"});
  for (int r = 1; r <= 12; ++r) {
    const double favourite = (10 + favourite_tenths_order[static_cast<size_t>(r - 1)]) / 10.0;
    std::vector<double> odds;
    for (int k = 0; k < 10; ++k) odds.push_back(favourite + k);
    SetRace(*day, r - 1, "05", r, odds);
  }
  return day;
}

TEST(RankFavouritesTest, RanksTheFavouritesOfAVenueShortestFirst) {
  auto day = TwelveRaces({5, 3, 9, 1, 12, 2, 4, 6, 7, 8, 10, 11});
  day->PreDayPresent[1] = 1;
  analysis::RankFavouritesOfDay(*day);
  std::vector<int> ranks;
  for (int s = 0; s < 12; ++s) ranks.push_back(day->Work[s].FavDayRank);
  EXPECT_EQ(ranks, (std::vector{5, 3, 9, 1, 12, 2, 4, 6, 7, 8, 10, 11}));
}

TEST(RankFavouritesTest, EqualFavouritesAreOrderedByRaceNumber) {
  auto day = NewDay({"05"});
  SetRace(*day, 0, "05", 11, FieldWith(2.0, 3.0, 4.0));
  SetRace(*day, 1, "05", 3, FieldWith(2.0, 3.0, 4.0));
  day->PreDayPresent[1] = 1;
  analysis::RankFavouritesOfDay(*day);
  EXPECT_EQ(day->Work[1].FavDayRank, 1);
  EXPECT_EQ(day->Work[0].FavDayRank, 2);
}

TEST(RankFavouritesTest, AVenueTheDayBeforeDidNotRaceAtKeepsItsMarks) {
  auto day = TwelveRaces({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
  day->Work[0].Logic2Taisho = 1;
  day->Work[0].FavDayRank = 7;
  analysis::RankFavouritesOfDay(*day);
  EXPECT_EQ(day->Work[0].Logic2Taisho, 1);
  EXPECT_EQ(day->Work[0].FavDayRank, 7);
  EXPECT_EQ(day->Work[1].Logic2Taisho, 0);
}

struct LogicBCase {
  int s, w;
  std::vector<int> target_ranks;  // FavDayRank values that become targets
  std::vector<int> partners;
};

class LogicBRowTest : public ::testing::TestWithParam<LogicBCase> {};

TEST_P(LogicBRowTest, TargetsAndFlagsFollowYesterdaysCounts) {
  const LogicBCase& c = GetParam();
  auto day = TwelveRaces({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});  // slot i has rank i + 1
  day->PreDayPresent[1] = 1;
  day->PreDayFav2nd[1] = c.s;
  day->PreDayFav1st[1] = c.w;
  analysis::RankFavouritesOfDay(*day);
  for (int s = 0; s < 12; ++s) {
    const store::RaceWork& w = day->Work[s];
    const bool target = std::count(c.target_ranks.begin(), c.target_ranks.end(), s + 1) > 0;
    ASSERT_EQ(w.Logic2Taisho, target ? 1 : 0) << "slot " << s;
    for (int k = 0; k < 10; ++k) {
      // Runner k is the favourite's k-th follower: its rank is k + 1.
      const bool partner = std::count(c.partners.begin(), c.partners.end(), k + 1) > 0;
      EXPECT_EQ(w.LogicBAxisFlag[k], target && k == 0 ? 1 : 0) << "slot " << s << " k " << k;
      EXPECT_EQ(w.LogicBPartnerFlag[k], target && partner ? 1 : 0) << "slot " << s << " k " << k;
    }
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, LogicBRowTest, ::testing::Values(
  LogicBCase{0, 0,  {1, 2},   {2, 3, 4, 8, 9}},
  LogicBCase{0, 7,  {2, 3},   {2, 3, 5, 6, 9}},
  LogicBCase{1, 4,  {11, 12}, {3, 4, 5, 6, 9}},
  LogicBCase{2, 8,  {3, 9},   {2, 4, 6, 7, 9}},
  LogicBCase{2, 15, {3, 9},   {2, 4, 6, 7, 9}},
  LogicBCase{3, 8,  {2, 7},   {2, 3, 4, 5, 8}},
  LogicBCase{4, 6,  {2, 5},   {3, 4, 5, 8, 9}},
  LogicBCase{0, 8,  {},       {}},
  LogicBCase{1, 9,  {},       {}},
  LogicBCase{2, 0,  {},       {}},
  LogicBCase{4, 0,  {},       {}},
  LogicBCase{5, 1,  {},       {}}),
    testsupport::CaseNameOf(&LogicBCase::s, &LogicBCase::w));
// clang-format on

TEST(LogicBTargetTableTest, HoldsOneRowForEachCountPairWithATarget) {
  int rows = 0;
  for (int s = 0; s <= 6; ++s) {
    for (int w = 0; w <= 12; ++w) rows += analysis::FindLogicBTarget(s, w) != nullptr;
  }
  // S 0 and 1: W 0..7; S 2..4: W 1..12 (8 or more as one row each).
  EXPECT_EQ(rows, 8 + 8 + 3 * 12);
  EXPECT_EQ(analysis::LogicBTargetTable().size(), 40u);
}

// ---- a day's marks depend only on its own files ---------------------------------------

// The analysis steps of a day load after the odds import, without a previous day.
void AnalyseWithoutPreviousDay(RaceDay& day) {
  analysis::SelectRaces(day);
  analysis::ClearPreviousDay(day);
  analysis::RankFavouritesOfDay(day);
}

TEST(DayMarksTest, DoNotDependOnTheDayLoadedBefore) {
  auto fresh = TwelveRaces({3, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12});
  AnalyseWithoutPreviousDay(*fresh);

  // The day before it in the session had counts and flags at the same venue position.
  auto reused = TwelveRaces({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
  reused->PreDayPresent[1] = 1;
  reused->PreDayFav1st[1] = 2;
  analysis::SelectRaces(*reused);
  analysis::RankFavouritesOfDay(*reused);
  ASSERT_EQ(reused->Work[0].Logic2Taisho, 1);
  // Loading the new day: work reset, new records, same analysis steps.
  reused->ResetRaceWork();
  auto next = TwelveRaces({3, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12});
  reused->RaRec = next->RaRec;
  reused->Work = next->Work;
  AnalyseWithoutPreviousDay(*reused);

  EXPECT_EQ(reused->Work, fresh->Work);
  EXPECT_EQ(reused->PreDayPresent, fresh->PreDayPresent);
  for (int s = 0; s < 12; ++s) EXPECT_EQ(reused->Work[s].Logic2Taisho, 0) << s;
}

}  // namespace
