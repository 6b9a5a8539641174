#include "store/payout_import.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "codes/errors.h"
#include "platform/clock.h"
#include "store/day_prefix.h"
#include "store/race_pass.h"
#include "store/record_store.h"
#include "support/record_builder.h"
#include "support/temp_dir.h"

namespace {

using testsupport::Put;
using testsupport::PutNumber;

constexpr const char* kYmd = "20240518";

std::string KeyOf(const std::string& course, int race, const std::string& meeting = "0203") {
  char number[3];
  std::snprintf(number, sizeof number, "%02d", race);
  return kYmd + course + meeting + number;
}

std::string BlankHr(const std::string& key) {
  return testsupport::RecordWithKey("HR", store::kHrLength, '2', key);
}

// ---- payout tables --------------------------------------------------------------

TEST(CalcTest, ReadsEveryBetTypeAtItsPositions) {
  auto day = std::make_unique<store::RaceDay>();
  std::string hr = BlankHr(KeyOf("05", 11));
  Put(hr, 103, "07000000560" "03");                        // 単勝 1
  Put(hr, 142 + 13 * 4, "12000000190" "05");               // 複勝 5
  Put(hr, 207 + 13 * 2, "36000001230" "09");               // 枠連 3
  Put(hr, 246, "0312000004560" "012");                     // 馬連 1
  Put(hr, 294 + 16 * 6, "0107000000990" "007");            // ワイド 7
  Put(hr, 454 + 16 * 5, "1203000012340" "045");            // 馬単 6
  Put(hr, 550, "010511" "000012345" "123");                   // 三連複 1
  Put(hr, 604 + 19 * 5, "110501" "000123456" "1234");         // 三連単 6
  day->HrRec[7].Assign(hr);
  store::Calc(*day);
  const store::RacePayouts& p = day->DayPayouts[7];
  EXPECT_EQ(p.Tan[0], (store::HorsePayout{7, 3, 560}));
  EXPECT_EQ(p.Fuk[4], (store::HorsePayout{12, 5, 190}));
  EXPECT_EQ(p.WR[2], (store::CombPayout{" 3- 6", 9, 1230}));
  EXPECT_EQ(p.UR[0], (store::CombPayout{" 3-12", 12, 4560}));
  EXPECT_EQ(p.WD[6], (store::CombPayout{" 1- 7", 7, 990}));
  EXPECT_EQ(p.UT[5], (store::CombPayout{"12- 3", 45, 12340}));
  EXPECT_EQ(p.SRF[0], (store::CombPayout{" 1- 5-11", 123, 12345}));
  EXPECT_EQ(p.SRT[5], (store::CombPayout{"11- 5- 1", 1234, 123456}));
  EXPECT_EQ(p.UR[1], store::CombPayout{});
  EXPECT_EQ(p.Tan[1], store::HorsePayout{});
}

TEST(CalcTest, AnEntryWithANumberOfZeroHasNoTextAndOlderTextsAreCleared) {
  auto day = std::make_unique<store::RaceDay>();
  std::string hr = BlankHr(KeyOf("05", 1));
  Put(hr, 246 + 16, "0300000004560" "012");  // 馬連 2: the second horse missing
  day->HrRec[0].Assign(hr);
  day->DayPayouts[0].UR[0].text = " 1- 2";
  day->DayPayouts[35].SRT[0].text = " 1- 2- 3";
  store::Calc(*day);
  EXPECT_EQ(day->DayPayouts[0].UR[0], store::CombPayout{});  // a blank 馬連 entry
  EXPECT_EQ(day->DayPayouts[0].UR[1], (store::CombPayout{"", 12, 4560}));
  EXPECT_EQ(day->DayPayouts[35].SRT[0], store::CombPayout{});
}

// ---- payout import --------------------------------------------------------------

class PayoutImportTest : public ::testing::Test {
 protected:
  PayoutImportTest()
      : clock_(platform::LocalTime{2024, 5, 18, 16, 0, 0}),
        store_(dir_.path(), clock_),
        prefix_(*store::DayPrefixOfDate(kYmd)),
        day_(std::make_unique<store::RaceDay>()) {
    store_.PrepareFolders();
    // Slots 0..2: 東京 1R-3R, 12 runners each.
    for (int r = 1; r <= 3; ++r) {
      const std::string key = KeyOf("05", r);
      std::string ra = testsupport::RecordWithKey("RA", store::kRaLength, '7', key);
      PutNumber(ra, 882, 2, 12);
      store_.StoreDayRecord(store_.Disk(), ra, ".jvRA", true, store::OrderMode::kSortAndDrop);
      for (int h = 1; h <= 12; ++h) {
        std::string se = testsupport::RecordWithKey("SE", store::kSeLength, '7', key);
        PutNumber(se, 29, 2, h);
        store_.StoreRunnerRecord(store_.Disk(), se, true);
      }
    }
    store::ReadRacePass(*day_, store_, prefix_, true);
  }

  void WriteHr(const std::vector<std::string>& records) {
    std::string bytes;
    for (const std::string& r : records) bytes += r;
    testsupport::WriteFileBytes(store_.DayFilePath(prefix_, ".jvHR"), bytes);
  }

  std::string PlacesOf(int race, const std::vector<int>& horses) {
    std::string hr = BlankHr(KeyOf("05", race));
    for (size_t i = 0; i < horses.size(); ++i) {
      PutNumber(hr, 142 + 13 * static_cast<int>(i), 2, horses[i]);
    }
    return hr;
  }

  std::string Finish(int slot, int horse) {
    return std::string(day_->SeRec[slot][horse - 1].Field(335, 2));
  }

  testsupport::TempDir dir_;
  platform::FixedClock clock_;
  store::RecordStore store_;
  std::string prefix_;
  std::unique_ptr<store::RaceDay> day_;
};

TEST_F(PayoutImportTest, PaidPlaceHorsesGetTheirFinishingPositions) {
  WriteHr({PlacesOf(2, {7, 3, 12})});
  store::ImportPayouts(*day_, store_, prefix_);
  EXPECT_EQ(Finish(1, 7), "01");
  EXPECT_EQ(Finish(1, 3), "02");
  EXPECT_EQ(Finish(1, 12), "03");
  EXPECT_EQ(Finish(1, 1), "  ");
  EXPECT_EQ(day_->DayPayouts[1].Fuk[2].horse, 12);  // Calc ran
}

TEST_F(PayoutImportTest, TheShownRaceIsNewlyPaidOnlyOnce) {
  day_->CurrentSlot = 2;
  WriteHr({PlacesOf(1, {1, 2, 3})});
  EXPECT_FALSE(store::ImportPayouts(*day_, store_, prefix_));
  EXPECT_EQ(day_->Work[0].HrSeen, 1);
  EXPECT_EQ(day_->Work[2].HrSeen, 0);
  WriteHr({PlacesOf(1, {1, 2, 3}), PlacesOf(3, {4, 5, 6})});
  EXPECT_TRUE(store::ImportPayouts(*day_, store_, prefix_));
  EXPECT_EQ(day_->Work[2].HrSeen, 1);
  EXPECT_FALSE(store::ImportPayouts(*day_, store_, prefix_));
}

TEST_F(PayoutImportTest, RecordsOfOtherRacesAreDroppedByTheFullRaceKey) {
  std::string other_meeting = BlankHr(KeyOf("05", 1, "0101"));
  PutNumber(other_meeting, 142, 2, 9);
  std::string other_course = BlankHr(KeyOf("06", 1));
  PutNumber(other_course, 142, 2, 9);
  WriteHr({other_meeting, other_course, PlacesOf(2, {4})});
  store::ImportPayouts(*day_, store_, prefix_);
  EXPECT_EQ(day_->HrRec[0], store::HrRecord{});
  EXPECT_EQ(day_->Work[0].HrSeen, 0);
  EXPECT_EQ(Finish(0, 9), "  ");
  EXPECT_EQ(day_->HrRec[1].Field(12, 16), KeyOf("05", 2));
  for (int s = 3; s < store::kSlotCount; ++s) EXPECT_EQ(day_->Work[s].HrSeen, 0) << s;
}

TEST_F(PayoutImportTest, RunnerRecordsAreReReadFromTheStore) {
  day_->SeRec[0][0].Put(41, "SCRIBBLED");
  WriteHr({});
  store::ImportPayouts(*day_, store_, prefix_);
  EXPECT_EQ(day_->SeRec[0][0].Field(41, 9), "         ");
}

TEST_F(PayoutImportTest, WithoutAnHrFileThePayoutsStayAndCalcStillRuns) {
  day_->HrRec[0].Assign(PlacesOf(1, {5}));
  store::ImportPayouts(*day_, store_, prefix_);
  EXPECT_EQ(day_->HrRec[0].Field(12, 16), KeyOf("05", 1));
  EXPECT_EQ(day_->DayPayouts[0].Fuk[0].horse, 5);
  EXPECT_EQ(Finish(0, 5), "  ");
}

TEST_F(PayoutImportTest, APlaceHorseAboveEighteenStopsWithAnError) {
  WriteHr({PlacesOf(1, {3, 19})});
  try {
    store::ImportPayouts(*day_, store_, prefix_);
    FAIL();
  } catch (const codes::InputError& e) {
    EXPECT_NE(std::string(e.what()).find("horse 19"), std::string::npos) << e.what();
  }
  EXPECT_EQ(Finish(0, 3), "01");
}

}  // namespace
