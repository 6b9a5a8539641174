// The engine end to end on generated data: a sample feed of three weeks pulled with final
// odds, every day loaded, every race shown with Logic A and with Logic B, and the bet
// tables checked against the invariants every screen and the voting export rely on.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/session.h"
#include "bets/payout_check.h"
#include "codes/bet_numbering.h"
#include "codes/cell_format.h"
#include "jvlink/feed_jv_link.h"
#include "jvlink/stored_pull.h"
#include "platform/clock.h"
#include "platform/companion_locator.h"
#include "platform/launcher.h"
#include "samplefeed/feed_writer.h"
#include "store/comb_odds.h"
#include "support/recording_prompts.h"
#include "support/temp_dir.h"

namespace {

using codes::BetType;

// The odds of a combination as its odds record in the race day holds them: the field's
// digits are the tenths.
double OddsOf(const store::RaceDay& day, int slot, BetType type, int index) {
  const codes::odds_layout::OddsRun& run = store::CombOddsRunOf(type);
  const auto record = [&]() -> std::string_view {
    switch (type) {
      case BetType::UR:
        return day.O2aRec[slot].Text();
      case BetType::UT:
        return day.O4aRec[slot].Text();
      case BetType::SRF:
        return day.O5aRec[slot].Text();
      default:
        return day.O6aRec[slot].Text();
    }
  }();
  const size_t at =
      static_cast<size_t>(run.start - 1 + run.entry_length * (index - 1) + run.odds_offset);
  return std::stod(std::string(record.substr(at, static_cast<size_t>(run.odds_width)))) / 10;
}

// "%7.1f" of the exact quotient numerator / denominator (both positive) with a half
// rounded up, worked out here apart from the program's own formatting.
std::string TenthsText(long long numerator, long long denominator) {
  const long long tenths = (numerator * 20 + denominator) / (denominator * 2);
  const std::string text = std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
  return std::string(text.size() < 7 ? 7 - text.size() : 0, ' ') + text;
}

// What the whole run saw, to show that the checks had something to check.
struct Seen {
  long long bets = 0;
  long long hits = 0;
  long long full_tables = 0;
  long long rates = 0;
};

class EngineEndToEnd : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    home_ = new testsupport::TempDir;
    samplefeed::FeedOptions feed;
    feed.out = home_->path() / "feed";
    feed.from = 20240504;
    feed.days = 21;
    feed.seed = 7;
    const samplefeed::FeedSummary summary = samplefeed::WriteFeed(feed);
    ASSERT_GE(summary.race_days, 6);

    platform::FixedClock clock({2024, 6, 1, 10, 0, 0});
    testsupport::RecordingPrompts prompts;
    platform::ProcessLauncher launcher;
    platform::NoCompanionLocator companions;
    jvlink::FeedJVLink link(feed.out, clock);
    app::Session session(prompts, clock, &link, launcher, companions, home_->path());
    session.Start();
    ASSERT_EQ(link.JVInit("QV000001/QV000002/Quorvane/Version.1.13"), 0);
    jvlink::StoredPull pull(link, prompts, session.Settings(), clock, session.Store());
    pull.SetStartMoment({2024, 5, 1, 0, 0, 0});
    pull.SetFinalOdds(true);
    pull.Start();
    while (pull.PollTimerRunning()) pull.Poll();
    pull.Close();
    ASSERT_EQ(pull.outcome(), jvlink::StoredPull::Outcome::kCompleted) << prompts.Log.size();
  }
  static void TearDownTestSuite() {
    delete home_;
    home_ = nullptr;
  }

  EngineEndToEnd()
      : clock_({2024, 6, 1, 10, 0, 0}),
        session_(prompts_, clock_, nullptr, launcher_, companions_, home_->path()) {
    session_.Start();
  }

  // Every rate cell is return × 100 / T and the expected return S × 100 / (n × T), from
  // the integers the table shows, each a half rounded up; the colour follows the exact R.
  void CheckRates(const bets::BetTable& table, const std::string& at) {
    const long long total = codes::CellInt(table.Summary().total.text);
    const long long n = codes::CellInt(table.Summary().count.text);
    ASSERT_GT(total, 0) << at;
    long long sum = 0;
    for (int row = 1; row < table.RowCount(); ++row) {
      if (!table.IsLive(row)) continue;
      const long long ret = codes::CellInt(table.Cell(row, bets::kReturnCol));
      EXPECT_EQ(table.Cell(row, bets::kRateCol), TenthsText(ret * 100, total))
          << at << " row " << row << " return " << ret << " total " << total;
      sum += ret;
      ++seen_.rates;
    }
    const bets::SummaryLabel& expected = table.Summary().expected;
    EXPECT_EQ(expected.text, TenthsText(sum * 100, n * total))
        << at << " returns " << sum << " bets " << n << " total " << total;
    EXPECT_EQ(expected.colour, sum > n * total ? bets::LabelColour::Black : bets::LabelColour::Red)
        << at;
  }

  // Every bet table of the race shown, against the invariants.
  void CheckTables(const std::string& where) {
    const store::RaceDay& day = session_.Day();
    const int slot = day.CurrentSlot;
    const store::RacePayouts& payouts = day.DayPayouts[slot];
    for (BetType type : bets::BetTables::kOrder) {
      const bets::BetTable& table = session_.Screen.Tables.Table(type);
      const std::string at = where + " " + bets::BetTypeName(type);
      ASSERT_GE(table.RowCount(), 2) << at;
      ASSERT_LE(table.RowCount(), bets::kMaxBetRows + 1) << at;
      if (table.RowCount() == bets::kMaxBetRows + 1) ++seen_.full_tables;
      long long stakes = 0;
      long long returned = 0;
      int live = 0;
      for (int row = 1; row < table.RowCount(); ++row) {
        if (!table.IsLive(row)) continue;
        ++live;
        ++seen_.bets;
        const std::string& comb = table.Cell(row, bets::kCombCol);
        const int index = codes::CombIndex(type, comb);
        ASSERT_GT(index, 0) << at << " row " << row << " " << comb;
        const double odds = codes::CellNumber(table.Cell(row, bets::kOddsCol));
        EXPECT_GT(odds, 0) << at << " row " << row;
        EXPECT_NEAR(odds, OddsOf(day, slot, type, index), 0.05) << at << " row " << row;
        const long long stake = codes::CellInt(table.Cell(row, bets::kStakeCol));
        EXPECT_GE(stake, 100) << at << " row " << row;
        EXPECT_EQ(stake % 100, 0) << at << " row " << row;
        stakes += stake;
        const std::string& payout_cell = table.Cell(row, table.PayoutCol());
        if (!codes::CellInt(payout_cell)) continue;
        ++seen_.hits;
        EXPECT_TRUE(bets::IsPaidCombination(payouts, type, comb)) << at << " row " << row;
        const long long result = codes::CellInt(table.Cell(row, table.ResultReturnCol()));
        EXPECT_EQ(result, codes::CellInt(payout_cell) * stake / 100) << at << " row " << row;
        returned += result;
      }
      if (live == 0) {
        EXPECT_EQ(table.Summary().count.text, "") << at;
        continue;
      }
      EXPECT_EQ(codes::CellInt(table.Summary().count.text), live) << at;
      CheckRates(table, at);
      EXPECT_EQ(codes::CellInt(table.Summary().total.text), stakes) << at;
      EXPECT_EQ(codes::CellInt(table.Summary().returned.text), returned) << at;
    }
  }

  // Every race of every day shown with the rule book of `option`.
  Seen ShowEveryRace(int option) {
    session_.Settings().SetKaimeOption(option);
    seen_ = {};
    const std::vector<std::string> days = session_.DateCombo.Items;
    for (const std::string& day : days) {
      if (session_.ChooseDate(day) != app::LoadResult::kLoaded) {
        ADD_FAILURE() << "day not loaded: " << prompts_.Log.size();
        continue;
      }
      for (int item = 0; item < static_cast<int>(session_.DatList.Items.size()); ++item) {
        session_.SelectRace(item);
        CheckTables("logic " + std::to_string(option) + " item " + std::to_string(item));
        if (HasFailure()) return seen_;
      }
    }
    RecordProperty("bets", std::to_string(seen_.bets));
    RecordProperty("hits", std::to_string(seen_.hits));
    RecordProperty("full_tables", std::to_string(seen_.full_tables));
    RecordProperty("rates", std::to_string(seen_.rates));
    return seen_;
  }

  static testsupport::TempDir* home_;
  testsupport::RecordingPrompts prompts_;
  platform::FixedClock clock_;
  platform::ProcessLauncher launcher_;
  platform::NoCompanionLocator companions_;
  app::Session session_;
  Seen seen_;
};

testsupport::TempDir* EngineEndToEnd::home_ = nullptr;

TEST_F(EngineEndToEnd, ThePulledDaysAreListedAndLoadWithoutAMessage) {
  ASSERT_GE(session_.DateCombo.Items.size(), 6u);
  for (const std::string& day : session_.DateCombo.Items) {
    EXPECT_EQ(session_.ChooseDate(day), app::LoadResult::kLoaded);
    EXPECT_GE(session_.DatList.Items.size(), 12u);
  }
  EXPECT_EQ(prompts_.beeps, 0);
}

TEST_F(EngineEndToEnd, LogicABetsKeepEveryInvariant) {
  const Seen seen = ShowEveryRace(1);
  EXPECT_GT(seen.bets, 1000);
  EXPECT_GT(seen.hits, 0);
  EXPECT_EQ(seen.rates, seen.bets);
  EXPECT_EQ(prompts_.beeps, 0);
}

TEST_F(EngineEndToEnd, LogicBBetsKeepEveryInvariant) {
  const Seen seen = ShowEveryRace(2);
  EXPECT_GT(seen.bets, 0);
  EXPECT_EQ(prompts_.beeps, 0);
  EXPECT_EQ(seen.rates, seen.bets);
}

TEST_F(EngineEndToEnd, ProportionalStakesKeepEveryInvariantToo) {
  session_.Settings().SetHaibunSet(1);
  const Seen seen = ShowEveryRace(1);
  EXPECT_GT(seen.bets, 1000);
  EXPECT_EQ(seen.rates, seen.bets);
}

TEST_F(EngineEndToEnd, ProportionalStakesOfLogicBKeepEveryInvariantToo) {
  session_.Settings().SetHaibunSet(1);
  const Seen seen = ShowEveryRace(2);
  EXPECT_GT(seen.bets, 0);
  EXPECT_EQ(seen.rates, seen.bets);
}

}  // namespace
