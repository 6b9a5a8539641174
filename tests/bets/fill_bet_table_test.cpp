#include "bets/fill_bet_table.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <set>

#include "bet_rows.h"
#include "codes/errors.h"
#include "support/comb_odds_writer.h"

namespace bets {
namespace {

using codes::BetType;
using testing::Column;

class FillBetTableTest : public ::testing::Test {
 protected:
  // Odds 1.5, 2.5, 3.5 … by CombIndex, popularity = index.
  void GiveOdds(BetType type) {
    for (int i = 1; i <= codes::CombCount(type); ++i) SetOdds(type, i, i + 0.5);
  }
  void SetOdds(BetType type, int index, double odds) {
    testsupport::PutCombOdds(*day_, 0, type, index, odds, index);
  }
  store::RaceCombOdds Odds() const { return store::RaceCombOdds(*day_, 0); }

  std::unique_ptr<store::RaceDay> day_ = std::make_unique<store::RaceDay>();
  WorkingLists lists_;
};

TEST_F(FillBetTableTest, WritesNumberAndTheThreeEntryParts) {
  GiveOdds(BetType::UR);
  SetOdds(BetType::UR, 1, 12.3);
  lists_.CombList.Add(" 1- 3");
  lists_.CombList.Add(" 1- 2");
  BetTable table(BetType::UR);
  FillBetTable(table, lists_.CombList, Odds(), lists_.EntryList, {});
  ASSERT_EQ(table.RowCount(), 3);
  EXPECT_EQ(table.Row(1)[kNoCol], "  1");
  EXPECT_EQ(table.Row(1)[kCombCol], " 1- 2");
  EXPECT_EQ(table.Row(1)[kOddsCol], "   12.3");
  EXPECT_EQ(table.Row(1)[kPopularityCol], "  1");
  EXPECT_EQ(lists_.EntryList[1], " 1- 3    2.5  2");
}

TEST_F(FillBetTableTest, TripleEntriesUseTheWiderFormats) {
  GiveOdds(BetType::SRT);
  lists_.CombList.Add(" 2- 1- 3");
  BetTable table(BetType::SRT);
  FillBetTable(table, lists_.CombList, Odds(), lists_.EntryList, {});
  EXPECT_EQ(table.Row(1)[kNoCol], "   1");
  EXPECT_EQ(table.Row(1)[kOddsCol], "    273.5");
  EXPECT_EQ(table.Row(1)[kPopularityCol], " 273");
}

TEST_F(FillBetTableTest, DropsCandidatesWithoutOddsOrIndex) {
  GiveOdds(BetType::UT);
  SetOdds(BetType::UT, codes::UTIndexOf(" 2- 1"), 0);
  SetOdds(BetType::UT, codes::UTIndexOf(" 3- 1"), store::kOddsScratched);
  for (const char* text : {" 2- 1", " 3- 1", " 1- 1", " 4- 1", " 4- 1"}) {
    lists_.CombList.Add(text);
  }
  BetTable table(BetType::UT);
  FillBetTable(table, lists_.CombList, Odds(), lists_.EntryList, {});
  EXPECT_EQ(Column(table, kCombCol), std::vector<std::string>{" 4- 1"});
}

TEST_F(FillBetTableTest, NoCandidatesLeaveOneEmptyRowAndEmptyLabels) {
  BetTable table = testing::TableOf(BetType::UR, {{" 1- 2", 3.0}, {" 1- 3", 4.0}});
  table.SetCell(1, kExclusionCol, ExclusionMark());
  table.Summary().count.text = "  2";
  table.Summary().returned = {"     150", LabelColour::Red};
  FillBetTable(table, lists_.CombList, Odds(), lists_.EntryList,
               StakeAndCheckTail(StakeMode::Equal, 1000, store::RacePayouts{}));
  ASSERT_EQ(table.RowCount(), 2);
  EXPECT_EQ(table.Row(1), std::vector<std::string>(14));
  EXPECT_EQ(table.Summary().count.text, "");
  EXPECT_EQ(table.Summary().returned.text, "");
  EXPECT_EQ(table.Summary().returned.colour, LabelColour::Red);  // colours survive a clear
}

TEST_F(FillBetTableTest, TrifectaTableShowsTheFirst306Texts) {
  GiveOdds(BetType::SRT);
  // 400 trifectas, added in reverse so the list order has to come from sorting.
  for (int i = 400; i >= 1; --i) lists_.CombList.Add(codes::CombText(BetType::SRT, i));
  BetTable table(BetType::SRT);
  FillBetTable(table, lists_.CombList, Odds(), lists_.EntryList, {});
  ASSERT_EQ(table.RowCount(), 307);
  EXPECT_EQ(lists_.EntryList.Size(), 400);
  EXPECT_EQ(table.Cell(1, kCombCol), " 1- 2- 3");
  EXPECT_EQ(table.Cell(306, kNoCol), " 306");
  EXPECT_EQ(table.Cell(306, kCombCol), codes::CombText(BetType::SRT, 306));
}

TEST_F(FillBetTableTest, TrioTableIsCutAt306AsWell) {
  GiveOdds(BetType::SRF);
  for (int i = 1; i <= 307; ++i) lists_.CombList.Add(codes::CombText(BetType::SRF, i));
  BetTable table(BetType::SRF);
  FillBetTable(table, lists_.CombList, Odds(), lists_.EntryList, {});
  EXPECT_EQ(table.RowCount(), 307);
}

TEST_F(FillBetTableTest, ExactaTableHoldsAll306) {
  GiveOdds(BetType::UT);
  for (int i = 1; i <= 306; ++i) lists_.CombList.Add(codes::CombText(BetType::UT, i));
  BetTable table(BetType::UT);
  FillBetTable(table, lists_.CombList, Odds(), lists_.EntryList, {});
  EXPECT_EQ(table.RowCount(), 307);
  EXPECT_EQ(table.Cell(306, kCombCol), "18-17");
}

TEST_F(FillBetTableTest, RunsAllocationThenCheckOnTheFilledRows) {
  GiveOdds(BetType::UR);
  lists_.CombList.Add(" 1- 2");
  std::vector<std::string> calls;
  const FillTail tail{
      [&](BetTable& t) { calls.push_back("allocate " + t.Cell(1, kCombCol)); },
      [&](BetTable& t) { calls.push_back("check " + t.Cell(1, kCombCol)); },
  };
  BetTable table(BetType::UR);
  FillBetTable(table, lists_.CombList, Odds(), lists_.EntryList, tail);
  EXPECT_EQ(calls, (std::vector<std::string>{"allocate  1- 2", "check  1- 2"}));
}

TEST_F(FillBetTableTest, RefillReplacesMarksStakesAndResults) {
  GiveOdds(BetType::UR);
  lists_.CombList.Add(" 1- 2");
  lists_.CombList.Add(" 1- 3");
  store::RacePayouts payouts;
  payouts.UR[0] = {" 1- 2", 1, 250};
  BetTable table(BetType::UR);
  const FillTail tail = StakeAndCheckTail(StakeMode::Equal, 1000, payouts);
  FillBetTable(table, lists_.CombList, Odds(), lists_.EntryList, tail);
  EXPECT_EQ(table.Cell(1, kStakeCol), "   500");
  EXPECT_EQ(table.Cell(1, table.ResultReturnCol()), "   1250");
  EXPECT_EQ(table.Summary().returned.text, "    1250");

  table.SetCell(2, kExclusionCol, ExclusionMark());
  lists_.CombList.Clear();
  lists_.CombList.Add(" 1- 3");
  lists_.CombList.Add(" 2- 3");
  FillBetTable(table, lists_.CombList, Odds(), lists_.EntryList, tail);
  EXPECT_EQ(Column(table, kExclusionCol), (std::vector<std::string>{"", ""}));
  EXPECT_EQ(Column(table, table.PayoutCol()), (std::vector<std::string>{"", ""}));
  EXPECT_EQ(table.Summary().returned.text, "");
}

TEST(BetEntryText, RejectsTextsThatWouldShiftTheParts) {
  EXPECT_EQ(BetEntryText(BetLayout::Pair, "17-18", 9999.9, 153), "17-18 9999.9153");
  EXPECT_THROW(BetEntryText(BetLayout::Pair, " 1- 2- 3", 5.0, 1), codes::LogicError);
  EXPECT_THROW(BetEntryText(BetLayout::Triple, " 1- 2- 3", 5.0, 12345), codes::LogicError);
}

TEST(SortedTextList, KeepsPlainTextOrderWithoutDuplicates) {
  SortedTextList list;
  for (const char* text : {"10-11", " 9-10", " 1- 2", " 9-10", "\x8f\xc1"}) list.Add(text);
  EXPECT_EQ(std::vector<std::string>(list.begin(), list.end()),
            (std::vector<std::string>{" 1- 2", " 9-10", "10-11", "\x8f\xc1"}));
  EXPECT_TRUE(list.Contains("10-11"));
  EXPECT_THROW(list[4], codes::LogicError);
}

// In order, repeated at the end, out of order after an ordered run, added after a read:
// the list reads the same whichever way the texts came.
TEST(SortedTextList, ReadsInOrderHoweverTheTextsCame) {
  using Texts = std::vector<std::string>;
  const std::vector<std::pair<Texts, Texts>> cases = {
      {{"a", "b", "b", "c"}, {"a", "b", "c"}},
      {{"a", "c", "b", "c", "a"}, {"a", "b", "c"}},
      {{"b", "b", "b"}, {"b"}},
      {{"c", "b", "a", "d", "d"}, {"a", "b", "c", "d"}},
  };
  for (const auto& [added, expected] : cases) {
    SortedTextList list;
    for (const std::string& text : added) list.Add(text);
    EXPECT_EQ(Texts(list.begin(), list.end()), expected) << ::testing::PrintToString(added);
    EXPECT_EQ(list.Size(), static_cast<int>(expected.size()));
  }
  SortedTextList list;
  list.Add("b");
  list.Add("d");
  EXPECT_EQ(list[0], "b");  // read, then added to
  list.Add("a");
  list.Add("d");
  list.Add("c");
  EXPECT_EQ(Texts(list.begin(), list.end()), (Texts{"a", "b", "c", "d"}));
  list.Clear();
  list.Add("z");
  list.Add("y");
  EXPECT_EQ(Texts(list.begin(), list.end()), (Texts{"y", "z"}));
}

// Texts of every length around the four and eight bytes a comparison may decide on at
// once, sharing prefixes, with NULs and bytes above 0x7F: the list's order is plain byte
// order, as an ordered set of the same texts has it.
TEST(SortedTextList, OrdersLikePlainByteComparison) {
  const std::string alphabet{'\0', ' ', '1', '\x8f', '\xff'};
  std::vector<std::string> texts;
  std::mt19937 random(7);
  for (int n = 0; n < 3000; ++n) {
    std::string text(random() % 11, ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    texts.push_back(text);
    texts.push_back(text + alphabet[random() % alphabet.size()]);
  }
  SortedTextList list;
  for (const std::string& text : texts) list.Add(text);
  const std::set<std::string> expected(texts.begin(), texts.end());
  EXPECT_EQ(std::vector<std::string>(list.begin(), list.end()),
            std::vector<std::string>(expected.begin(), expected.end()));
}

}  // namespace
}  // namespace bets
