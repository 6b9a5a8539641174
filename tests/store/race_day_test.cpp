#include "store/race_day.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "codes/errors.h"
#include "store/comb_odds.h"
#include "store/registered_runners.h"

namespace {

using codes::BetType;

void Comb(const store::RaceDay& day, BetType type, int index) {
  store::RaceCombOdds(day, 0).Of(type, index);
}

// The message of the LogicError that `access` raises, or "" when it raises none.
std::string IndexErrorOf(const std::function<void()>& access) {
  try {
    access();
  } catch (const codes::LogicError& e) {
    return e.what();
  }
  return "";
}

struct IndexCase {
  const char* name;
  std::function<void(store::RaceDay&)> access;
  const char* message;  // empty: the access is inside the bounds
};

void PrintTo(const IndexCase& c, std::ostream* os) { *os << c.name; }

class RaceDayIndexTest : public ::testing::TestWithParam<IndexCase> {};

TEST_P(RaceDayIndexTest, ChecksEveryIndexAgainstItsBound) {
  auto day = std::make_unique<store::RaceDay>();
  const IndexCase& c = GetParam();
  EXPECT_EQ(IndexErrorOf([&] { c.access(*day); }), c.message);
}

// clang-format off
const IndexCase kIndexCases[] = {
  {"FirstSlot",        [](store::RaceDay& d) { d.RaRec[0]; },                    ""},
  {"LastSlot",         [](store::RaceDay& d) { d.Work[35]; },                    ""},
  {"SlotPastEnd",      [](store::RaceDay& d) { d.RaRec[36]; },                   "slot index 36 outside 0..35"},
  {"NegativeSlot",     [](store::RaceDay& d) { d.HrRec[-1]; },                   "slot index -1 outside 0..35"},
  {"LastRunner",       [](store::RaceDay& d) { d.SeRec[3][17]; },                ""},
  {"RunnerPastEnd",    [](store::RaceDay& d) { d.SeRec[3][18]; },                "runner index 18 outside 0..17"},
  {"WinOddsRunner",    [](store::RaceDay& d) { d.Work[0].AsaWinOdds[18]; },      "runner index 18 outside 0..17"},
  {"VenueZero",        [](store::RaceDay& d) { d.DayVenues[0]; },                "venue position index 0 outside 1..3"},
  {"VenueFour",        [](store::RaceDay& d) { d.PreDayFav1st[4]; },             "venue position index 4 outside 1..3"},
  {"QuinellaZero",     [](store::RaceDay& d) { Comb(d, BetType::UR, 0); },       "quinella combination index 0 outside 1..153"},
  {"QuinellaLast",     [](store::RaceDay& d) { Comb(d, BetType::UR, 153); },     ""},
  {"ExactaPastEnd",    [](store::RaceDay& d) { Comb(d, BetType::UT, 307); },     "exacta combination index 307 outside 1..306"},
  {"TrioPastEnd",      [](store::RaceDay& d) { Comb(d, BetType::SRF, 817); },    "trio combination index 817 outside 1..816"},
  {"TrifectaLast",     [](store::RaceDay& d) { Comb(d, BetType::SRT, 4896); },   ""},
  {"TrifectaPastEnd",  [](store::RaceDay& d) { Comb(d, BetType::SRT, 4897); },   "trifecta combination index 4897 outside 1..4896"},
  {"StakeListPastEnd", [](store::RaceDay& d) { d.RaceStakeList[36]; },           "slot index 36 outside 0..35"},
  {"RecordFieldPast",  [](store::RaceDay& d) { d.HrRec[0].Field(718, 3); },      "record field 718+3 outside a record of 719 bytes"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Bounds, RaceDayIndexTest, ::testing::ValuesIn(kIndexCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Writes something into every kind of RaceWork field of a slot.
void FillWork(store::RaceWork& w) {
  w.AsaFetchTime1 = "091500";
  w.AsaFetchTime2 = "091600";
  w.URTaisho = 4;
  w.OzAve123 = 3.4;
  w.AsaURFavOdds = 5.6;
  w.UTTaisho = 1;
  w.SRTaisho = 2;
  w.Logic2Taisho = 1;
  w.FavDayRank = 3;
  w.AsaWinOdds[17] = 12.3;
  w.AsaPlaceLow[0] = -1;
  w.CombOddsChecked = {153, 306, 816, 4896};
  w.LogicBAxisFlag[5] = 1;
  w.LogicBPartnerFlag[6] = 1;
  w.AsaWinRank[0] = 1;
  w.AsaPlaceLowRank[1] = 2;
  w.HrSeen = 1;
}

TEST(RaceDayTest, ResetRaceWorkEmptiesEveryFieldOfEverySlot) {
  auto day = std::make_unique<store::RaceDay>();
  auto fresh = std::make_unique<store::RaceDay>();
  for (store::RaceWork& w : day->Work) FillWork(w);
  ASSERT_NE(day->Work[35], fresh->Work[35]);
  day->ResetRaceWork();
  for (int slot = 0; slot < store::kSlotCount; ++slot) {
    EXPECT_EQ(day->Work[slot], fresh->Work[slot]) << "slot " << slot;
  }
  EXPECT_TRUE(day->Work[7].AsaFetchTime1.empty());
  EXPECT_EQ(day->Work[7].CombOddsChecked.SRT, 0);
}

TEST(RaceDayTest, ResetRaceWorkLeavesTheRawRecordsAndDayValues) {
  auto day = std::make_unique<store::RaceDay>();
  day->RaRec[2].Put(12, "2024");
  day->DayVenues[1] = "05";
  FillWork(day->Work[2]);
  day->ResetRaceWork();
  EXPECT_EQ(day->RaRec[2].Field(12, 4), "2024");
  EXPECT_EQ(day->DayVenues[1], "05");
}

TEST(RaceDayTest, ClearRawRecordsSetsEveryByteOfEveryRecordToSpaces) {
  auto day = std::make_unique<store::RaceDay>();
  auto fresh = std::make_unique<store::RaceDay>();
  day->RaRec[35].Put(1, "RA");
  day->SeRec[35][17].Put(553, "\r\n");
  day->HrRec[0].Put(12, "2024");
  day->O1aRec[1].Put(1, "O1");
  day->O2aRec[2].Put(1, "O2");
  day->O4aRec[3].Put(1, "O4");
  day->O5aRec[4].Put(1, "O5");
  day->O6aRec[5].Put(83284, "xx");
  day->ClearRawRecords();
  EXPECT_EQ(*day, *fresh);
  EXPECT_EQ(day->O6aRec[5].Text(), std::string(store::kO6Length, ' '));
}

TEST(RaceDayTest, AnAbsentRecordReadsAsBlanksAndZero) {
  auto day = std::make_unique<store::RaceDay>();
  EXPECT_EQ(day->SeRec[4][9].Int(29, 2), 0);
  EXPECT_EQ(day->RaRec[35].Field(20, 2), "  ");
}

TEST(RaceDayTest, AssignRejectsARecordOfAnotherLength) {
  store::RaRecord ra;
  EXPECT_THROW(ra.Assign(std::string(1271, ' ')), codes::InputError);
  EXPECT_EQ(ra.Text(), std::string(store::kRaLength, ' '));
}

}  // namespace

TEST(RaceDayTest, RegisteredRunnersReadsTheRaceRecordAndRefusesMoreThanEighteen) {
  auto day = std::make_unique<store::RaceDay>();
  EXPECT_EQ(store::RegisteredRunners(*day, 3), 0);  // no race in the slot
  day->RaRec[3].Put(882, "18");
  EXPECT_EQ(store::RegisteredRunners(*day, 3), 18);
  day->RaRec[3].Put(882, " 7");
  EXPECT_EQ(store::RegisteredRunners(day->RaRec[3], 3), 7);
  day->RaRec[4].Put(882, "19");
  try {
    store::RegisteredRunners(*day, 4);
    FAIL() << "19 registered runners were accepted";
  } catch (const codes::InputError& e) {
    EXPECT_STREQ(e.what(), "race of slot 4 has 19 registered runners; at most 18 can be held");
  }
}
