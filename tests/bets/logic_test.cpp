#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "bet_rows.h"
#include "bets/logic_a.h"
#include "bets/logic_b.h"
#include "bets/logic_choice.h"
#include "codes/bet_numbering.h"
#include "codes/cell_format.h"
#include "codes/errors.h"
#include "support/comb_odds_writer.h"

namespace bets {
namespace {

using codes::BetType;
using store::RaceDay;
using store::RaceWork;
using Texts = std::vector<std::string>;

constexpr int kSlot = 5;

// "1-2 3-10" -> {" 1- 2", " 3-10"}; "1-2-3" -> {" 1- 2- 3"}; sorted as the tables are.
Texts CombTexts(const std::string& compact) {
  Texts texts;
  std::istringstream words(compact);
  std::string word;
  while (words >> word) {
    std::vector<int> numbers;
    std::istringstream parts(word);
    std::string part;
    while (std::getline(parts, part, '-')) numbers.push_back(std::stoi(part));
    texts.push_back(numbers.size() == 2 ? codes::PairText(numbers[0], numbers[1])
                                        : codes::TripleText(numbers[0], numbers[1], numbers[2]));
  }
  std::sort(texts.begin(), texts.end());
  return texts;
}

// The 買い目 of the live rows of a table.
Texts Bets(const BetTable& table) {
  Texts texts;
  for (int row = 1; row < table.RowCount(); ++row) {
    if (table.IsLive(row)) texts.push_back(table.Cell(row, kCombCol));
  }
  return texts;
}

int BetCount(const BetTable& table) { return static_cast<int>(Bets(table).size()); }

// The horse numbers of a pair or triple text, as written.
std::vector<int> HorsesOf(const std::string& comb) {
  std::vector<int> horses;
  for (std::size_t at = 0; at < comb.size(); at += 3)
    horses.push_back(std::stoi(comb.substr(at, 2)));
  return horses;
}

bool Holds(const Texts& texts, int a, int b, int c) {
  return std::find(texts.begin(), texts.end(), codes::TripleText(a, b, c)) != texts.end();
}

// A race in kSlot with every combination sold: odds 1.5 + (index % 90), popularity =
// index. By default horse h is the favourite of rank h, at win odds 2 + h.
class LogicTest : public ::testing::Test {
 protected:
  void SetRace(const std::string& venue, int runners) {
    RaceDay& day = *day_;
    char key[32];
    std::snprintf(key, sizeof key, "20240518%s020306", venue.c_str());
    day.RaRec[kSlot].Put(12, key);
    char n[3];
    std::snprintf(n, sizeof n, "%2d", runners);
    day.RaRec[kSlot].Put(882, n);
    day.CurrentSlot = kSlot;
    std::vector<int> ranks;
    for (int h = 1; h <= runners; ++h) ranks.push_back(h);
    SetRanks(ranks);
    GiveAllOdds();
  }

  // ranks[h - 1] is the rank of horse h; odds follow the rank.
  void SetRanks(const std::vector<int>& ranks) {
    for (int k = 0; k < static_cast<int>(ranks.size()); ++k) {
      work().AsaWinRank[k] = ranks[static_cast<std::size_t>(k)];
      work().AsaWinOdds[k] = 2.0 + ranks[static_cast<std::size_t>(k)];
    }
  }

  void SetFavouriteOdds(double odds) {
    for (int k = 0; k < store::kRunnerCount; ++k) {
      if (work().AsaWinRank[k] == 1) work().AsaWinOdds[k] = odds;
    }
  }

  void GiveAllOdds() {
    for (const BetType type : {BetType::UR, BetType::UT, BetType::SRF, BetType::SRT}) {
      for (int i = 1; i <= codes::CombCount(type); ++i) SetOdds(type, i, 1.5 + i % 90);
    }
  }

  // Popularity = index.
  void SetOdds(BetType type, int index, double odds) {
    testsupport::PutCombOdds(*day_, kSlot, type, index, odds, index);
  }

  void RunA(const FillTail& tail = {}) { LogicA(*day_, kSlot, tables_, lists_, tail); }
  void RunB(const FillTail& tail = {}) { LogicB(*day_, kSlot, tables_, lists_, tail); }

  RaceWork& work() { return day_->Work[kSlot]; }
  const BetTable& table(BetType type) const { return tables_.Table(type); }

  std::unique_ptr<RaceDay> day_ = std::make_unique<RaceDay>();
  BetTables tables_;
  WorkingLists lists_;
};

// ---- Logic A: quinellas ------------------------------------------------------------

struct QuinellaCase {
  const char* name;
  const char* venue;
  int runners;
  int mark;          // URTaisho before the run
  int mean_tenths;   // OzAve123 as race selection gives it: the tenths over 30
  double favourite;  // win odds of rank 1
  const char* bets;  // the 馬連 table, horse h being of rank h
  int mark_after;
};

class LogicAQuinellaTest : public LogicTest, public ::testing::WithParamInterface<QuinellaCase> {};

TEST_P(LogicAQuinellaTest, ListsThePairsOfTheMatchingRow) {
  const QuinellaCase& c = GetParam();
  SetRace(c.venue, c.runners);
  work().URTaisho = c.mark;
  work().OzAve123 = static_cast<double>(c.mean_tenths) / 30;
  SetFavouriteOdds(c.favourite);
  RunA();
  EXPECT_EQ(Bets(table(BetType::UR)), CombTexts(c.bets));
  EXPECT_EQ(work().URTaisho, c.mark_after);
}

// clang-format off
const QuinellaCase kQuinellaCases[] = {
  // URTaisho 2 at an E venue: 9.0 is the top row, 7.0 the row from 7 up to 8.
  {"E2Exactly9",     "05", 12, 2, 270, 5.0, "1-2 1-3 1-8 1-9 2-4 2-8 2-9", 2},
  {"E2JustBelow9",   "05", 12, 2, 269, 5.0, "1-2 1-3 1-4 1-5 2-3 3-4 3-7", 2},
  {"E2Exactly8",     "05", 12, 2, 240, 5.0, "1-2 1-3 1-4 1-5 2-3 3-4 3-7", 2},
  {"E2Exactly7",     "05", 12, 2, 210, 5.0, "1-2 1-3 1-4 1-6 2-3 2-4 2-6", 2},
  {"E2JustBelow7",   "05", 12, 2, 209, 5.0, "1-3 1-4 1-5 1-6 2-4 3-4 4-5", 2},
  {"W2Exactly9",     "08", 12, 2, 270, 5.0, "1-2 1-3 1-4 1-5 1-9 1-10", 2},
  {"W2From8",        "09", 12, 2, 250, 5.0, "1-2 1-4 1-5 1-6 2-6 3-6 4-6", 2},
  {"W2From7",        "10", 12, 2, 230, 5.0, "1-2 1-3 1-4 1-5 1-8 1-9", 2},
  {"W2Below7",       "07", 12, 2, 100, 5.0, "1-2 1-3 1-4 1-5 1-8 2-3 2-4", 2},
  // URTaisho 1: 3.5 belongs to the rows from 3.5; 4.0 at W to the row from 4 up to 4.5.
  {"E1Exactly4_5",   "06", 12, 1, 135, 5.0, "1-2 1-3 1-5 1-6 3-5 3-6", 1},
  {"E1Exactly3_5",   "06", 12, 1, 105, 5.0, "1-3 1-4 1-5 1-6 1-2 2-3 2-4 2-5", 1},
  {"E1JustBelow3_5", "06", 12, 1, 104, 5.0, "2-5 2-6 2-7 3-5 3-6 3-7", 1},
  {"W1Exactly4_5",   "08", 12, 1, 135, 5.0, "1-2 1-3 1-5 1-6 3-4 3-5 3-6", 1},
  {"W1Exactly4",     "08", 12, 1, 120, 5.0, "1-2 1-3 1-4 1-5 2-3 2-5 2-7", 1},
  {"W1JustBelow4",   "08", 12, 1, 119, 5.0, "1-2 2-3 2-5 1-3 3-4 3-5", 1},
  {"W1Exactly3_5",   "08", 12, 1, 105, 5.0, "1-2 2-3 2-5 1-3 3-4 3-5", 1},
  {"W1Below3_5",     "08", 12, 1, 60,  5.0, "1-2 2-3 2-7 2-8 1-7 3-7 4-7", 1},
  // No mean, no mark, no strong favourite: nothing.
  {"E2WithoutMean",  "05", 12, 2, 0,   5.0, "", 2},
  {"UnmarkedRace",   "05", 12, 0, 150, 5.0, "", 0},
  // The strong-favourite rules: 1.9 counts, 1.95 does not; the race becomes a target 4.
  {"FavouriteAt1_9",  "08", 12, 0, 150, 1.9,  "1-2 1-3 1-4", 4},
  {"FavouriteAt1_95", "08", 12, 0, 150, 1.95, "", 0},
  {"W9Runners",       "08", 9,  0, 150, 1.2,  "1-2 1-3 2-4", 4},
  {"W14Runners",      "08", 14, 0, 150, 1.2,  "1-2 1-3 2-4", 4},
  {"W13Runners",      "08", 13, 0, 150, 1.2,  "1-3 1-4 3-4", 4},
  {"W10RunnersNone",  "08", 10, 0, 150, 1.2,  "", 0},
  {"E14RunnersNone",  "05", 14, 0, 150, 1.2,  "", 0},
  {"E8Runners",       "05", 8,  0, 150, 1.2,  "1-2 1-3 2-3", 4},
  {"E12Runners",      "05", 12, 0, 150, 1.2,  "1-2 1-5 2-3", 4},
  {"E16Runners",      "05", 16, 0, 150, 1.2,  "1-2 1-3 1-4", 4},
  {"E15Runners",      "05", 15, 0, 150, 1.2,  "1-2 1-4 1-5", 4},
  // A marked race without a band uses the fallback but keeps its mark.
  {"MarkedWithoutMeanFallsBack", "05", 9, 2, 0, 1.5, "1-3 1-5 1-6", 2},
  // A race marked 4 by an earlier run gets the same pairs again.
  {"RerunOfMark4",    "05", 10, 4, 150, 1.2,  "1-2 1-3 1-4", 4},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Rows, LogicAQuinellaTest, ::testing::ValuesIn(kQuinellaCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LogicTest, RulesNameRanksNotHorseNumbers) {
  SetRace("05", 10);
  SetRanks({10, 9, 8, 7, 6, 5, 4, 3, 2, 1});  // horse 10 is the favourite
  work().URTaisho = 2;
  work().OzAve123 = 9.0;
  RunA();
  EXPECT_EQ(Bets(table(BetType::UR)), CombTexts("2-10 3-10 8-10 9-10 7-9 3-9 2-9"));
}

TEST_F(LogicTest, FallbackIsSkippedWhenTheBandGavePairsWithoutOdds) {
  SetRace("05", 12);
  work().URTaisho = 2;
  work().OzAve123 = 9.0;
  SetFavouriteOdds(1.5);
  for (const std::string& pair : CombTexts("1-2 1-3 1-8 1-9 2-4 2-8 2-9")) {
    SetOdds(BetType::UR, codes::URIndexOf(pair), 0);
  }
  RunA();
  // The fallback's 1-5 and 2-3 have odds, yet the fallback never ran.
  EXPECT_EQ(Bets(table(BetType::UR)), Texts{});
  EXPECT_EQ(work().URTaisho, 2);
}

TEST_F(LogicTest, FallbackPairsWithoutOddsStillMarkTheRace) {
  SetRace("05", 16);
  SetFavouriteOdds(1.5);
  for (int i = 1; i <= store::kQuinellaCount; ++i) SetOdds(BetType::UR, i, store::kOddsBlank);
  RunA();
  EXPECT_EQ(BetCount(table(BetType::UR)), 0);
  EXPECT_EQ(work().URTaisho, 4);
}

// ---- Logic A: exactas --------------------------------------------------------------

struct ExactaCase {
  const char* name;
  const char* venue;
  int runners;
  int count;
  const char* some;  // a few bets that must be there
};

class LogicAExactaTest : public LogicTest, public ::testing::WithParamInterface<ExactaCase> {};

TEST_P(LogicAExactaTest, PairsFirstRanksWithOtherSecondRanks) {
  const ExactaCase& c = GetParam();
  SetRace(c.venue, c.runners);
  work().UTTaisho = 1;
  RunA();
  const Texts bets = Bets(table(BetType::UT));
  EXPECT_EQ(static_cast<int>(bets.size()), c.count);
  for (const std::string& bet : CombTexts(c.some)) {
    EXPECT_NE(std::find(bets.begin(), bets.end(), bet), bets.end()) << bet;
  }
  for (const std::string& bet : bets) EXPECT_NE(bet.substr(0, 2), bet.substr(3, 2)) << bet;
}

// clang-format off
const ExactaCase kExactaCases[] = {
  // 2..5 first, {1, 3, 4, 5, 6, 8, 9} second: 4 × 7 less the three self-pairs.
  {"EBelow13", "05", 10, 25, "3-4 4-3 2-1 5-9"},
  {"E13",      "05", 13, 38, "3-12 7-1"},
  {"E14",      "05", 14, 38, "3-10 9-7"},
  {"E15",      "05", 15, 39, "10-2 4-12"},
  {"E16",      "05", 16, 37, "2-8 7-1"},
  {"E18",      "05", 18, 37, "7-8"},
  {"WBelow13", "08", 12, 27, "2-1 7-9"},
  {"W13",      "08", 13, 17, "6-5 2-1"},
  {"W14",      "08", 14, 43, "7-11 2-1"},
  {"W15",      "08", 15, 34, "11-6 5-1"},
  {"W16",      "08", 16, 36, "6-9 2-1"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Rows, LogicAExactaTest, ::testing::ValuesIn(kExactaCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LogicTest, UnmarkedRaceClearsTheExactaTable) {
  SetRace("05", 10);
  work().UTTaisho = 1;
  RunA();
  ASSERT_GT(BetCount(table(BetType::UT)), 0);
  work().UTTaisho = 0;
  RunA();
  EXPECT_EQ(table(BetType::UT).RowCount(), 2);
  EXPECT_EQ(BetCount(table(BetType::UT)), 0);
}

// ---- Logic A: trifectas and trios --------------------------------------------------

struct TripleCase {
  const char* name;
  int runners;
  int mark;
  int trifectas;
  int trios;
  int always;  // the horse in every bet
  int never;   // a horse in none (0: no such check)
};

class LogicATripleTest : public LogicTest, public ::testing::WithParamInterface<TripleCase> {};

TEST_P(LogicATripleTest, CountsTheCandidatesOfTheMark) {
  const TripleCase& c = GetParam();
  SetRace("05", c.runners);
  work().SRTaisho = c.mark;
  RunA();
  const Texts trifectas = Bets(table(BetType::SRT));
  const Texts trios = Bets(table(BetType::SRF));
  EXPECT_EQ(static_cast<int>(trifectas.size()), c.trifectas);
  EXPECT_EQ(static_cast<int>(trios.size()), c.trios);
  for (const Texts* bets : {&trifectas, &trios}) {
    for (const std::string& bet : *bets) {
      const std::vector<int> horses = HorsesOf(bet);
      EXPECT_NE(std::find(horses.begin(), horses.end(), c.always), horses.end()) << bet;
      EXPECT_EQ(std::find(horses.begin(), horses.end(), c.never), horses.end()) << bet;
    }
  }
}

// clang-format off
const TripleCase kTripleCases[] = {
  {"Mark1In10Runners", 10, 1, 168, 28, 1, 10},  // 3 × 8 × 7 and C(8, 2)
  {"Mark1In5Runners",   5, 1,  36,  6, 1, 0},   // only ranks 2..5 exist
  {"Mark2In10Runners", 10, 2, 168, 28, 2, 3},   // the third favourite never
  {"Mark2In18Runners", 18, 2, 168, 28, 2, 3},
  {"Mark2In6Runners",   6, 2,  36,  6, 2, 3},
  {"Unmarked",         18, 0,   0,  0, 1, 0},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Marks, LogicATripleTest, ::testing::ValuesIn(kTripleCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LogicTest, TrifectasHoldEveryPlaceOfTheFavourite) {
  SetRace("05", 10);
  work().SRTaisho = 1;
  RunA();
  const Texts trifectas = Bets(table(BetType::SRT));
  EXPECT_TRUE(Holds(trifectas, 1, 2, 9));
  EXPECT_TRUE(Holds(trifectas, 9, 1, 2));
  EXPECT_TRUE(Holds(trifectas, 2, 9, 1));
  EXPECT_FALSE(Holds(trifectas, 1, 2, 10));
  EXPECT_TRUE(Holds(Bets(table(BetType::SRF)), 1, 2, 9));
}

TEST_F(LogicTest, SharedRanksNameEveryRunnerAndTheTripleTablesStopAt306) {
  SetRace("05", 18);
  std::vector<int> ranks(18, 2);
  ranks[0] = 1;  // horse 1 the favourite, the other 17 sharing rank 2
  SetRanks(ranks);
  work().SRTaisho = 1;
  RunA();
  // 3 × 17 × 16 = 816 trifectas: the 306 that sort first are shown, in text order.
  Texts all;
  for (int a = 1; a <= 18; ++a) {
    for (int b = 1; b <= 18; ++b) {
      for (int c = 1; c <= 18; ++c) {
        if (a != b && a != c && b != c && (a == 1 || b == 1 || c == 1)) {
          all.push_back(codes::TripleText(a, b, c));
        }
      }
    }
  }
  std::sort(all.begin(), all.end());
  ASSERT_EQ(all.size(), 816U);
  all.resize(306);
  EXPECT_EQ(table(BetType::SRT).RowCount(), 307);
  EXPECT_EQ(Bets(table(BetType::SRT)), all);
  EXPECT_EQ(table(BetType::SRT).Cell(306, kNoCol), " 306");
  EXPECT_EQ(BetCount(table(BetType::SRF)), 136);  // C(17, 2)
}

// ---- Logic B -----------------------------------------------------------------------

class LogicBTest : public LogicTest {
 protected:
  void Flag(int axis, const std::vector<int>& partners) {
    work().LogicBAxisFlag[axis - 1] = 1;
    for (const int h : partners) work().LogicBPartnerFlag[h - 1] = 1;
  }
};

TEST_F(LogicBTest, FivePartnersGiveFiveFiveTenAndSixty) {
  SetRace("05", 12);
  Flag(1, {2, 3, 4, 8, 9});
  RunB();
  EXPECT_EQ(Bets(table(BetType::UR)), CombTexts("1-2 1-3 1-4 1-8 1-9"));
  EXPECT_EQ(Bets(table(BetType::UT)), CombTexts("2-1 3-1 4-1 8-1 9-1"));
  EXPECT_EQ(BetCount(table(BetType::SRF)), 10);
  EXPECT_EQ(BetCount(table(BetType::SRT)), 60);
}

TEST_F(LogicBTest, ExactasHaveTheAxisSecond) {
  SetRace("05", 12);
  Flag(7, {3});
  RunB();
  EXPECT_EQ(Bets(table(BetType::UT)), CombTexts("3-7"));
  EXPECT_EQ(Bets(table(BetType::UR)), CombTexts("3-7"));
  EXPECT_EQ(BetCount(table(BetType::SRF)), 0);  // a trio needs two partners
}

TEST_F(LogicBTest, TrifectasHoldTheAxisInEveryPlace) {
  SetRace("05", 12);
  Flag(7, {3, 5, 11});
  RunB();
  const Texts trifectas = Bets(table(BetType::SRT));
  EXPECT_EQ(trifectas.size(), 18U);
  for (const std::string& bet : trifectas) EXPECT_NE(bet.find(" 7"), std::string::npos) << bet;
  for (const auto& [a, b, c] : {std::array{7, 3, 5}, std::array{3, 7, 5}, std::array{3, 5, 7},
                                std::array{7, 5, 3}, std::array{5, 7, 3}, std::array{5, 3, 7}}) {
    EXPECT_TRUE(Holds(trifectas, a, b, c)) << a << b << c;
  }
  EXPECT_EQ(Bets(table(BetType::SRF)), CombTexts("3-5-7 3-7-11 5-7-11"));
}

TEST_F(LogicBTest, APairWithoutOddsIsMissingOnlyFromItsTable) {
  SetRace("05", 12);
  Flag(1, {2, 3});
  SetOdds(BetType::UR, codes::URIndexOf(" 1- 2"), store::kOddsScratched);
  RunB();
  EXPECT_EQ(Bets(table(BetType::UR)), CombTexts("1-3"));
  EXPECT_EQ(Bets(table(BetType::UT)), CombTexts("2-1 3-1"));
  EXPECT_EQ(Bets(table(BetType::SRF)), CombTexts("1-2-3"));
}

TEST_F(LogicBTest, RunnersBeyondTheFieldAreNotFlaggedHorses) {
  SetRace("05", 8);
  Flag(1, {2, 12});  // a flag left on runner 12 of an 8-runner race
  RunB();
  EXPECT_EQ(Bets(table(BetType::UR)), CombTexts("1-2"));
}

TEST_F(LogicBTest, ARaceThatIsNoTargetGetsFourEmptyTables) {
  SetRace("05", 12);
  Flag(1, {2, 3, 4});
  const store::RacePayouts payouts;
  RunB(StakeAndCheckTail(StakeMode::Equal, 1000, payouts));
  ASSERT_EQ(table(BetType::UR).Summary().count.text, "  3");
  work().LogicBAxisFlag.Fill(0);
  work().LogicBPartnerFlag.Fill(0);
  RunB(StakeAndCheckTail(StakeMode::Equal, 1000, payouts));
  for (const BetType type : BetTables::kOrder) {
    EXPECT_EQ(table(type).RowCount(), 2);
    EXPECT_EQ(BetCount(table(type)), 0);
    EXPECT_EQ(table(type).Summary().count.text, "");
    EXPECT_EQ(table(type).Summary().total.text, "");
    EXPECT_EQ(table(type).Summary().expected.text, "");
  }
}

TEST_F(LogicBTest, SeventeenPartnersAreCutAt306Trifectas) {
  SetRace("05", 18);
  Flag(18, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17});
  RunB();
  EXPECT_EQ(table(BetType::SRT).RowCount(), 307);
  EXPECT_EQ(lists_.EntryList.Size(), 816);  // 3 × 17 × 16, all with odds
  EXPECT_EQ(table(BetType::SRT).Cell(1, kCombCol), " 1- 2-18");
  EXPECT_EQ(BetCount(table(BetType::SRF)), 136);
  EXPECT_EQ(BetCount(table(BetType::UR)), 17);
}

// ---- Both: odds, tail and choice ---------------------------------------------------

TEST_F(LogicTest, EveryLiveRowHasOddsAboveZeroAndItsOwnPopularity) {
  SetRace("05", 16);
  work().URTaisho = 2;
  work().OzAve123 = 9.5;
  work().UTTaisho = 1;
  work().SRTaisho = 2;
  work().LogicBAxisFlag[0] = 1;
  for (int k = 1; k < 10; ++k) work().LogicBPartnerFlag[k] = 1;
  // Every third combination unsold, scratched or blank.
  const double missing[] = {0, store::kOddsScratched, store::kOddsBlank};
  for (const BetType type : {BetType::UR, BetType::UT, BetType::SRF, BetType::SRT}) {
    for (int i = 1; i <= codes::CombCount(type); i += 3) SetOdds(type, i, missing[i % 3]);
  }
  for (const bool logic_a : {true, false}) {
    logic_a ? RunA() : RunB();
    for (const BetType type : BetTables::kOrder) {
      const BetTable& t = table(type);
      ASSERT_GT(BetCount(t), 0);
      for (int row = 1; row < t.RowCount(); ++row) {
        const int index = codes::CombIndex(type, t.Cell(row, kCombCol));
        EXPECT_GT(codes::CellNumber(t.Cell(row, kOddsCol)), 0) << t.Cell(row, kCombCol);
        EXPECT_NE(index % 3, 1) << t.Cell(row, kCombCol);
        EXPECT_EQ(codes::CellInt(t.Cell(row, kPopularityCol)), index);
      }
    }
  }
}

TEST_F(LogicTest, ShownRaceIsAllocatedWithItsOwnAmount) {
  SetRace("05", 12);
  work().LogicBAxisFlag[0] = 1;
  for (const int k : {1, 2, 3}) work().LogicBPartnerFlag[k] = 1;
  day_->RaceStakeList.Fill("3000");
  day_->RaceStakeList[kSlot] = "1000";
  RunLogicForShownRace(LogicChoice::B, *day_, tables_, lists_, StakeMode::Equal);
  const BetTable& quinellas = table(BetType::UR);
  EXPECT_EQ(quinellas.Summary().count.text, "  3");
  EXPECT_EQ(quinellas.Cell(1, kStakeCol), "   400");  // Trunc(3.33 + 0.9) × 100
  EXPECT_EQ(quinellas.Summary().total.text, "  1200");
}

TEST_F(LogicTest, NoLogicLeavesTheTablesAlone) {
  SetRace("05", 12);
  work().SRTaisho = 1;
  RunLogic(LogicChoice::A, *day_, kSlot, tables_, lists_, {});
  const int shown = BetCount(table(BetType::SRT));
  work().SRTaisho = 0;
  RunLogic(LogicChoice::None, *day_, kSlot, tables_, lists_, {});
  EXPECT_EQ(BetCount(table(BetType::SRT)), shown);
}

TEST(LogicChoiceTest, OnlyTwoChoosesLogicB) {
  EXPECT_EQ(LogicChoiceOf(2), LogicChoice::B);
  for (const int option : {1, 0, 3, -1}) EXPECT_EQ(LogicChoiceOf(option), LogicChoice::A);
}

TEST_F(LogicTest, TooLargeAFieldIsRefusedBeforeAnyTableChanges) {
  SetRace("05", 12);
  work().SRTaisho = 1;
  RunA();
  const BetTable before = table(BetType::SRT);
  day_->RaRec[kSlot].Put(882, "19");
  EXPECT_THROW(RunA(), codes::InputError);
  EXPECT_THROW(RunB(), codes::InputError);
  EXPECT_EQ(Bets(table(BetType::SRT)), Bets(before));
}

}  // namespace
}  // namespace bets
