#include "app/show_race.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "../store/race_day_files.h"
#include "codes/cp932.h"
#include "store/record_lengths.h"
#include "support/record_builder.h"
#include "support/recording_prompts.h"
#include "support/temp_dir.h"

namespace {

using codes::BetType;
using testsupport::KeyOf;

const std::string kYmd = "20240518";

std::string Day() { return codes::Sj("2024年05月18日"); }

// An O2 record whose quinella i has odds 10.0 + i / 10 and popularity i.
std::string O2Of(const std::string& key) {
  std::string o2 = testsupport::RecordWithKey("O2", store::kO2Length, '1', key);
  for (int i = 1; i <= store::kQuinellaCount; ++i) {
    testsupport::PutNumber(o2, 45 + 13 * (i - 1), 6, 100 + i);
    testsupport::PutNumber(o2, 51 + 13 * (i - 1), 3, i);
  }
  return o2;
}

class ShowRaceTest : public ::testing::Test {
 protected:
  ShowRaceTest()
      : clock_({2024, 5, 18, 14, 50, 0}),
        session_(prompts_, clock_, nullptr, launcher_, companions_, home_.path()) {
    session_.Start();
  }
  std::filesystem::path Data(const std::string& name) const {
    return session_.Store().DataFolder() / name;
  }
  // Three races at Tokyo with 8 runners; morning win odds for the first two and quinella
  // odds for the first. Race 1 becomes the quinella target 1 of the venue, race 2 target 2.
  void StoreTokyoDay() {
    testsupport::StoreDay(session_.Store(), kYmd, {{"05", 1, 8}, {"05", 2, 8}, {"05", 3, 8}});
    testsupport::WriteFileBytes(Data("2024年05月18日.jvO1a"),
                                testsupport::O1Of(KeyOf(kYmd, "05", 1), {15, 30, 60, 100}) +
                                    testsupport::O1Of(KeyOf(kYmd, "05", 2), {90, 20, 40, 100}));
    testsupport::WriteFileBytes(Data("2024年05月18日.jvO2a"), O2Of(KeyOf(kYmd, "05", 1)));
  }
  app::LoadResult Load() { return session_.ChooseDate(Day()); }
  std::vector<std::string> Combinations(BetType type) const {
    std::vector<std::string> texts;
    const bets::BetTable& table = session_.Screen.Tables.Table(type);
    for (int row = 1; row < table.RowCount(); ++row) texts.push_back(table.Cell(row, 2));
    return texts;
  }
  const std::string& Stake(BetType type, int row) const {
    return session_.Screen.Tables.Table(type).Cell(row, bets::kStakeCol);
  }

  testsupport::TempDir home_;
  testsupport::RecordingPrompts prompts_;
  platform::FixedClock clock_;
  platform::ProcessLauncher launcher_;
  platform::NoCompanionLocator companions_;
  app::Session session_;
};

TEST_F(ShowRaceTest, TheDayLoadShowsTheFirstRaceWithLogicA) {
  StoreTokyoDay();
  ASSERT_EQ(Load(), app::LoadResult::kLoaded);
  const screens::RaceScreen& screen = session_.Screen;
  EXPECT_EQ(session_.Day().CurrentSlot, 0);
  EXPECT_TRUE(session_.PageControl1Visible);
  EXPECT_TRUE(screen.LabelPanelVisible);
  EXPECT_EQ(codes::SjisToUtf8(screen.Header.BashoLabel), "東京");
  EXPECT_EQ(screen.Header.RaceLabel, "1");
  EXPECT_EQ(screen.Runners.RowCount(), 9);
  EXPECT_EQ(screen.Runners.Cell(8, screens::RunnerColumn::HorseNumber), " 8");
  EXPECT_EQ(screen.Runners.Cell(1, screens::RunnerColumn::WinOdds), "  1.5");
  EXPECT_EQ(screen.StakeField, "3000");
  EXPECT_EQ(screen.Results.Columns(BetType::Tan)[0],
            (screens::ResultColumn{" 1", " 3", "     560"}));
  // Mark 1 at an eastern venue with a mean of 3.5: 1 x {3, 4, 5, 6} and 2 x {1, 3, 4, 5};
  // only the first four runners have odds, so five pairs, 600 yen each of the 3000.
  EXPECT_EQ(Combinations(BetType::UR),
            (std::vector<std::string>{" 1- 2", " 1- 3", " 1- 4", " 2- 3", " 2- 4"}));
  EXPECT_EQ(Stake(BetType::UR, 1), "   600");
  EXPECT_EQ(screen.Marks.URTaishoLabel, screens::TargetMark(1));
  EXPECT_EQ(screen.Marks.UTTaishoLabel, screens::TargetMark(0));
  EXPECT_EQ(screen.Marks.OzAve123Label, "  3.50");
  EXPECT_EQ(screen.Marks.UR1NinOZLabel, "10.1");
}

TEST_F(ShowRaceTest, ChoosingAnotherRaceShowsItAndRegeneratesItsBets) {
  StoreTokyoDay();
  ASSERT_EQ(Load(), app::LoadResult::kLoaded);
  session_.SelectRace(2);
  const screens::RaceScreen& screen = session_.Screen;
  EXPECT_EQ(session_.Day().CurrentSlot, 2);
  EXPECT_EQ(screen.Header.RaceLabel, "3");
  EXPECT_EQ(screen.Results.Columns(BetType::Tan)[0].Result, " 3");
  // Race 3 has no odds: no mark, every table back to its one empty row.
  EXPECT_EQ(screen.Marks.URTaishoLabel, screens::TargetMark(0));
  EXPECT_EQ(screen.Marks.OzAve123Label, "  0.00");
  for (BetType type : bets::BetTables::kOrder) {
    EXPECT_EQ(screen.Tables.Table(type).RowCount(), 2);
    EXPECT_EQ(screen.Tables.Table(type).Cell(1, 2), "");
  }
  EXPECT_EQ(screen.Runners.Cell(1, screens::RunnerColumn::WinOdds), codes::Sj("　"));
}

TEST_F(ShowRaceTest, EachRaceKeepsTheAmountTypedForIt) {
  StoreTokyoDay();
  ASSERT_EQ(Load(), app::LoadResult::kLoaded);
  app::ChangeStakeField(session_, "1000");
  EXPECT_EQ(session_.Day().RaceStakeList[0], "1000");
  EXPECT_EQ(Stake(BetType::UR, 1), "   200");  // Trunc(1000 / 5 / 100 + 0.9) = 2
  session_.SelectRace(1);
  EXPECT_EQ(session_.Screen.StakeField, "3000");
  session_.SelectRace(0);
  EXPECT_EQ(session_.Screen.StakeField, "1000");
  EXPECT_EQ(Stake(BetType::UR, 1), "   200");
}

TEST_F(ShowRaceTest, TheSettingsChooseTheRuleBook) {
  StoreTokyoDay();
  session_.Settings().SetKaimeOption(2);
  ASSERT_EQ(Load(), app::LoadResult::kLoaded);
  // No day before: no Logic B target, so Logic B leaves the quinella table empty.
  EXPECT_EQ(Combinations(BetType::UR), (std::vector<std::string>{""}));

  session_.Settings().SetKaimeOption(1);
  session_.SelectRace(0);
  EXPECT_EQ(Combinations(BetType::UR).size(), 5u);

  // Neither ticked: the tables keep what they hold.
  session_.Screen.LogicUnticked = true;
  session_.SelectRace(2);
  EXPECT_EQ(Combinations(BetType::UR).size(), 5u);
}

// What a shown race leaves on the bet pages and the label panel: every cell of the four
// tables with its row marks, their summaries, the stake field and the marks.
struct BetPages {
  std::vector<std::string> cells;
  std::vector<bets::BetSummary> summaries;
  screens::RaceMarkLabels marks;
  friend bool operator==(const BetPages&, const BetPages&) = default;
};

BetPages BetPagesOf(const app::Session& session) {
  BetPages pages{{session.Screen.StakeField}, {}, session.Screen.Marks};
  for (const BetType type : bets::BetTables::kOrder) {
    const bets::BetTable& table = session.Screen.Tables.Table(type);
    for (int row = 0; row < table.RowCount(); ++row) {
      for (const std::string& cell : table.Row(row)) pages.cells.push_back(cell);
      if (row > 0) pages.cells.push_back(table.IsLive(row) && !table.IsExcluded(row) ? "+" : "-");
    }
    pages.summaries.push_back(table.Summary());
  }
  return pages;
}

// The back-test's workers show races through ShowRaceBets: coming from any other race,
// with either stake split and an amount typed for a race, it leaves the bet pages and the
// labels exactly as ShowRace does.
TEST_F(ShowRaceTest, ShowingOnlyTheBetsLeavesThePagesAsShowingTheRace) {
  StoreTokyoDay();
  ASSERT_EQ(Load(), app::LoadResult::kLoaded);
  app::ChangeStakeField(session_, "1000");
  for (const int split : {0, 1}) {
    session_.Settings().SetHaibunSet(split);
    for (int from = 0; from < 3; ++from) {
      for (int to = 0; to < 3; ++to) {
        session_.SelectRace(to);
        const BetPages shown = BetPagesOf(session_);
        session_.SelectRace(from);
        session_.DatList.ItemIndex = to;
        app::ShowRaceBets(session_);
        EXPECT_EQ(session_.Day().CurrentSlot, to);
        EXPECT_TRUE(BetPagesOf(session_) == shown)
            << "split " << split << " from " << from << " to " << to;
      }
    }
  }
}

TEST_F(ShowRaceTest, ARaceWithoutRunnersShowsOnlyTheHeadingRow) {
  testsupport::StoreDay(session_.Store(), kYmd, {{"05", 1, 0}});
  ASSERT_EQ(Load(), app::LoadResult::kLoaded);
  EXPECT_EQ(session_.Screen.Runners.RowCount(), 1);
}

TEST_F(ShowRaceTest, NothingHappensWithoutARaceList) {
  app::ShowRace(session_);
  EXPECT_FALSE(session_.PageControl1Visible);
  EXPECT_FALSE(app::NextRace(session_));
  EXPECT_EQ(session_.Screen.Header, screens::RaceHeader{});
}

struct NextRaceCase {
  const char* name;
  platform::LocalTime now;
  std::vector<std::string> post_times;
  int expected_slot;  // -1: nothing selected
};

class NextRaceTest : public ShowRaceTest, public ::testing::WithParamInterface<NextRaceCase> {};

TEST_P(NextRaceTest, SelectsTheNearestPostTimeAfterNowOnRaceDay) {
  const NextRaceCase& c = GetParam();
  std::vector<testsupport::TestRace> races;
  for (size_t i = 0; i < c.post_times.size(); ++i) {
    races.push_back({"05", static_cast<int>(i) + 1, 8});
  }
  testsupport::StoreDay(session_.Store(), kYmd, races);
  ASSERT_EQ(Load(), app::LoadResult::kLoaded);
  for (size_t i = 0; i < c.post_times.size(); ++i) {
    session_.Day().RaRec[static_cast<int>(i)].Put(874, c.post_times[i]);
  }
  clock_.Set(c.now);
  session_.Day().CurrentSlot = 0;
  const bool selected = app::NextRace(session_);
  EXPECT_EQ(selected, c.expected_slot >= 0);
  EXPECT_EQ(session_.Day().CurrentSlot, c.expected_slot >= 0 ? c.expected_slot : 0);
  if (selected) {
    EXPECT_EQ(session_.DatList.ItemIndex, c.expected_slot);
  }
}

// clang-format off
const NextRaceCase kNextRaceCases[] = {
  {"BetweenRaces",       {2024, 5, 18, 14, 50, 0}, {"1445", "1500", "1535"}, 1},
  {"AtAPostTime",        {2024, 5, 18, 15,  0, 0}, {"1445", "1500", "1535"}, 2},
  {"EqualTimesLowestSlot", {2024, 5, 18, 9, 5, 0}, {"1000", "0950", "0950"}, 1},
  {"BeforeTheFirstRace", {2024, 5, 18,  8,  0, 0}, {"1445", "1500", "1535"}, 0},
  {"AfterTheLastRace",   {2024, 5, 18, 15, 40, 0}, {"1445", "1500", "1535"}, -1},
  {"AnotherDay",         {2024, 5, 19, 14, 50, 0}, {"1445", "1500", "1535"}, -1},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Times, NextRaceTest, ::testing::ValuesIn(kNextRaceCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
