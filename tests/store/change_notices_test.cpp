#include "store/change_notices.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "codes/cp932.h"
#include "race_day_files.h"
#include "store/add_minutes.h"
#include "store/record_lengths.h"
#include "support/case_name.h"
#include "support/record_builder.h"
#include "support/temp_dir.h"

namespace store {
namespace {

using testsupport::KeyOf;

// ---- AddMinutes ------------------------------------------------------------------------

struct AddMinutesCase {
  const char* hhmm;
  int minutes;
  const char* expected;
};

class AddMinutesTable : public ::testing::TestWithParam<AddMinutesCase> {};

TEST_P(AddMinutesTable, MovesTheTimeOfDay) {
  EXPECT_EQ(AddMinutes(GetParam().hhmm, GetParam().minutes), GetParam().expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Times, AddMinutesTable, ::testing::Values(
  AddMinutesCase{"0950", -35, "0915"},
  AddMinutesCase{"0915", 1, "0916"},
  AddMinutesCase{"0959", 1, "1000"},
  AddMinutesCase{"1000", -65, "0855"},
  AddMinutesCase{"2350", 20, "2410"},   // not wrapped: compared with times of the same day
  AddMinutesCase{"    ", -35, ""},      // no post time: no offset, every tick is past it
  AddMinutesCase{"", 5, ""}
),
    testsupport::CaseNameOf(&AddMinutesCase::hhmm, &AddMinutesCase::minutes));
// clang-format on

// ---- Applying the change notices ---------------------------------------------------------

const std::string kYmd = "20240516";

std::string Tc(const std::string& course, int race, const std::string& announced,
               const std::string& new_time) {
  std::string tc = testsupport::RecordWithKey("TC", kTcLength, '1', KeyOf(kYmd, course, race));
  testsupport::Put(tc, 28, announced);
  testsupport::Put(tc, 36, new_time);
  testsupport::Put(tc, 40, "1000");
  return tc.substr(0, tc.size() - 2);
}

class ChangeNoticesTest : public ::testing::Test {
 protected:
  ChangeNoticesTest()
      : clock_({2024, 5, 16, 9, 0, 0}),
        store_(home_.path(), clock_),
        day_(std::make_unique<RaceDay>()),
        prefix_(codes::Sj("2024年05月16日")) {
    store_.PrepareFolders();
    testsupport::StoreDay(store_, kYmd, {{"05", 1, 8}, {"05", 2, 8}, {"08", 1, 8}}, false);
    // The RaceDay as the loader leaves it: slots in file order.
    const auto lines = *store_.Disk().Load(store_.DayFilePath(prefix_, ".jvRA"));
    for (size_t i = 0; i < lines.size(); ++i) {
      day_->RaRec[static_cast<int>(i)].Assign(lines[i] + "\r\n");
    }
  }
  void Notices(const std::vector<std::string>& lines) {
    store_.Disk().Save(store_.ChangeFilePath(prefix_), lines);
  }
  std::string FilePostTime(size_t line) {
    return (*store_.Disk().Load(store_.DayFilePath(prefix_, ".jvRA")))[line].substr(873, 4);
  }
  std::string DayPostTime(int slot) { return std::string(day_->RaRec[slot].Field(874, 4)); }

  testsupport::TempDir home_;
  platform::FixedClock clock_;
  RecordStore store_;
  std::unique_ptr<RaceDay> day_;
  std::string prefix_;
};

TEST_F(ChangeNoticesTest, MovesThePostTimeInFileAndDayAndResetsTheMorningTimes) {
  Notices({Tc("05", 2, "05160930", "1105")});
  day_->Work[1].AsaFetchTime1 = "091500";
  const ChangeNoticeResult result = ApplyChangeNotices(*day_, store_, prefix_, "0920");
  EXPECT_TRUE(result.ran);
  EXPECT_EQ(result.applied, 1);
  EXPECT_EQ(FilePostTime(1), "1105");
  EXPECT_EQ(FilePostTime(0), "1000");
  EXPECT_EQ(DayPostTime(1), "1105");
  EXPECT_EQ(DayPostTime(2), "1000");  // race 1 of the other racecourse stays
  EXPECT_EQ(day_->Work[1].AsaFetchTime1, "092000");
  EXPECT_EQ(day_->Work[1].AsaFetchTime2, "092100");
  EXPECT_EQ(day_->Work[0].AsaFetchTime1, "");
}

TEST_F(ChangeNoticesTest, ANoticeOfTimeZeroChangesTheFileButNotTheLoadedDay) {
  Notices({Tc("08", 1, "05160930", "0000")});
  ApplyChangeNotices(*day_, store_, prefix_, "0915");
  EXPECT_EQ(FilePostTime(2), "0000");
  EXPECT_EQ(DayPostTime(2), "1000");
  EXPECT_EQ(day_->Work[2].AsaFetchTime1, "");
  EXPECT_EQ(day_->Work[2].AsaFetchTime2, "");
}

TEST_F(ChangeNoticesTest, NoticesUpToTheNewFileTimeWereAppliedBefore) {
  Notices({Tc("05", 1, "05161029", "1101"), Tc("05", 2, "05161030", "1102"),
           Tc("08", 1, "05161031", "1103")});
  store_.Disk().Save(store_.NewFilePath(prefix_), {"a", "b", "c", "05161030", "e"});
  const ChangeNoticeResult result = ApplyChangeNotices(*day_, store_, prefix_, "0915");
  EXPECT_EQ(result.applied, 1);
  EXPECT_EQ(DayPostTime(0), "1000");
  EXPECT_EQ(DayPostTime(1), "1000");
  EXPECT_EQ(DayPostTime(2), "1103");
}

TEST_F(ChangeNoticesTest, ANewFileOfOtherThanFiveLinesHoldsNoTime) {
  Notices({Tc("05", 1, "05161029", "1101")});
  store_.Disk().Save(store_.NewFilePath(prefix_), {"a", "b", "c", "05161030"});
  ApplyChangeNotices(*day_, store_, prefix_, "0915");
  EXPECT_EQ(DayPostTime(0), "1101");
}

TEST_F(ChangeNoticesTest, ANoticeForARaceTheDayDoesNotHaveChangesNothingAndIsReported) {
  Notices({Tc("06", 4, "05160930", "1105"), "garbage"});
  const auto before = testsupport::FolderSnapshot(store_.DataFolder());
  const ChangeNoticeResult result = ApplyChangeNotices(*day_, store_, prefix_, "0915");
  EXPECT_EQ(result.applied, 0);
  ASSERT_EQ(result.unmatched.size(), 2u);
  EXPECT_EQ(result.unmatched[0], KeyOf(kYmd, "06", 4));
  EXPECT_EQ(result.unmatched[1], "?garbage");
  EXPECT_EQ(testsupport::FolderSnapshot(store_.DataFolder()), before);
}

TEST_F(ChangeNoticesTest, WithoutAChangeFileNothingRuns) {
  EXPECT_FALSE(ApplyChangeNotices(*day_, store_, prefix_, "0915").ran);
}

}  // namespace
}  // namespace store
