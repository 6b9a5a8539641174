#include "store/record_store.h"

#include <gtest/gtest.h>

#include "codes/cp932.h"
#include "codes/errors.h"
#include "store/day_prefix.h"
#include "store/record_lengths.h"
#include "support/record_builder.h"
#include "support/temp_dir.h"

namespace store {
namespace {

using codes::Sj;
using testsupport::ReadFileBytes;
using testsupport::RecordWithKey;
using testsupport::TempDir;
using testsupport::WriteFileBytes;
using Lines = std::vector<std::string>;

const platform::LocalTime kNow{2024, 5, 18, 9, 5, 7};

class RecordStoreTest : public ::testing::Test {
 protected:
  RecordStoreTest() : clock(kNow), store(dir.path(), clock) { store.PrepareFolders(); }

  Lines LogLines() { return store.Disk().Load(store.ErrorLogPath()).value_or(Lines{}); }
  size_t FilesUnder(const std::filesystem::path& folder) {
    size_t n = 0;
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder)) {
      n += e.is_regular_file();
    }
    return n;
  }

  TempDir dir;
  platform::FixedClock clock;
  RecordStore store;
};

TEST_F(RecordStoreTest, PathsFollowTheDayPrefixInUtf8) {
  const std::string day = Sj("2024年05月18日");
  EXPECT_EQ(store.DayFilePath(day, ".jvRA"), dir.path() / "Data" / "2024年05月18日.jvRA");
  EXPECT_EQ(store.RunnerFilePath(day, Sj("東京")), dir.path() / "Data" / "2024年05月18日東京.jvSEr");
  EXPECT_EQ(store.ChangeFilePath(day), dir.path() / "CHG" / "2024年05月18日.TC");
  EXPECT_EQ(store.NewFilePath(day), dir.path() / "CHG" / "2024年05月18日.NEW");
  EXPECT_EQ(store.ErrorLogPath(), dir.path() / "ErrorLog.txt");
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "Kaime"));
}

TEST_F(RecordStoreTest, ANonDayPrefixNeverBecomesAPath) {
  for (const std::string& bad : {Sj("2024年05月1日"), Sj("../../年05月18日"), std::string("20240518"),
                                 Sj("2024年05月18日/x")}) {
    EXPECT_THROW(store.DayFilePath(bad, ".jvRA"), codes::InputError) << bad;
    EXPECT_THROW(store.ChangeFilePath(bad), codes::InputError) << bad;
  }
  EXPECT_THROW(store.RunnerFilePath(Sj("2024年05月18日"), "    "), codes::InputError);
  EXPECT_THROW(store.RunnerFilePath(Sj("2024年05月18日"), "a/.."), codes::InputError);
}

TEST(RecordStoreFoldersTest, AnExistingFolderInAnotherCaseIsTaken) {
  TempDir dir;
  std::filesystem::create_directory(dir.path() / "DATA");
  std::filesystem::create_directory(dir.path() / "chg");
  platform::FixedClock clock(kNow);
  RecordStore store(dir.path().string() + "/", clock);
  store.PrepareFolders();
  EXPECT_EQ(store.ProgramFolder(), dir.path());
  EXPECT_EQ(store.DataFolder(), dir.path() / "DATA");
  EXPECT_EQ(store.ChangeFolder(), dir.path() / "chg");
  EXPECT_EQ(store.KaimeFolder(), dir.path() / "Kaime");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "Data"));
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "Kaime"));
}

TEST_F(RecordStoreTest, RecordsGoToTheFilesTheirFieldsName) {
  DiskLineFiles& files = dynamic_cast<DiskLineFiles&>(store.Disk());
  std::string se = RecordWithKey("SE", kSeLength, '1', "2024051805021211");
  testsupport::PutNumber(se, 29, 2, 7);
  ASSERT_TRUE(store.StoreRunnerRecord(files, se, true));
  ASSERT_TRUE(store.StoreDayRecord(files, ZeroStamp(RecordWithKey("RA", kRaLength, '1',
                                                                  "2024051805021211")),
                                   ".jvRA", true, OrderMode::kSortAndDrop));
  ASSERT_TRUE(store.StoreChangeRecord(files, RecordWithKey("TC", kTcLength, '1', "2024051805021211"),
                                      true));
  EXPECT_EQ(ReadFileBytes(dir.path() / "Data" / "2024年05月18日東京.jvSEr").size(), 216u * 555);
  EXPECT_EQ(ReadFileBytes(dir.path() / "Data" / "2024年05月18日.jvRA").size(), 1272u);
  EXPECT_EQ(ReadFileBytes(dir.path() / "CHG" / "2024年05月18日.TC").size(), 45u);
  EXPECT_TRUE(LogLines().empty());
}

struct GarbledCase {
  const char* name;
  const char* id;
  const char* key;  // positions 12-27
  const char* horse;
};

class GarbledRecordTest : public RecordStoreTest,
                          public ::testing::WithParamInterface<GarbledCase> {};

TEST_P(GarbledRecordTest, IsDroppedWithALogLineAndWritesNoFile) {
  const GarbledCase& c = GetParam();
  const int length = std::string(c.id) == "SE" ? kSeLength : kRaLength;
  std::string record = testsupport::BlankRecord(length);
  testsupport::Put(record, 1, c.id);
  testsupport::Put(record, 12, c.key);
  testsupport::Put(record, 29, c.horse);
  bool stored = std::string(c.id) == "SE"
                    ? store.StoreRunnerRecord(store.Disk(), record, true)
                    : store.StoreDayRecord(store.Disk(), record, ".jvRA", true,
                                           OrderMode::kSortAndDrop);
  EXPECT_FALSE(stored);
  EXPECT_EQ(FilesUnder(store.DataFolder()), 0u);
  const Lines log = LogLines();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].rfind(Sj("【エラー】09:05:07："), 0), 0u);
  EXPECT_EQ(log[0].find('\n'), std::string::npos);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Records, GarbledRecordTest, ::testing::Values(
    GarbledCase{"RaDateWithSlash",    "RA", "../.0518050212 1", "  "},
    GarbledCase{"RaDateBlank",        "RA", "        05021201", "  "},
    GarbledCase{"RaDateWithLineEnd",  "RA", "2024\r\n1805021201", "  "},
    GarbledCase{"SeUnknownCourse",    "SE", "20240518ZZ021201", "01"},
    GarbledCase{"SeBlankCourse",      "SE", "20240518  021201", "01"},
    GarbledCase{"SeRaceNotDigits",    "SE", "202405180502121/", "01"},
    GarbledCase{"SeHorseNotDigits",   "SE", "2024051805021201", "/."}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(RecordStoreTest, ErrorLogLinesCarryTheTimeAndOneLineEach) {
  store.AppendErrorLog(Sj("オッズ取得エラー"));
  clock.Set({2024, 5, 18, 23, 59, 1});
  store.AppendErrorLog("two\r\nlines");
  EXPECT_EQ(LogLines(), (Lines{Sj("【エラー】09:05:07：オッズ取得エラー"),
                               Sj("【エラー】23:59:01：") + "two  lines"}));
}

TEST_F(RecordStoreTest, StartKeepsTheNewest100OldLinesAndAddsTheTwoStartLines) {
  Lines old;
  for (int i = 1; i <= 250; ++i) old.push_back("line " + std::to_string(i));
  store.Disk().Save(store.ErrorLogPath(), old);
  store.StartErrorLog();
  const Lines log = LogLines();
  ASSERT_EQ(log.size(), 102u);
  EXPECT_EQ(log[0], "line 151");
  EXPECT_EQ(log[99], "line 250");
  EXPECT_EQ(log[100], Sj("ソフト起動：2024/05/18 09:05:07"));
  EXPECT_EQ(log[101], dir.path().string());
}

TEST_F(RecordStoreTest, FirstStartWritesExactlyTheTwoStartLines) {
  store.StartErrorLog();
  EXPECT_EQ(ReadFileBytes(store.ErrorLogPath()),
            Sj("ソフト起動：2024/05/18 09:05:07") + "\r\n" + dir.path().string() + "\r\n");
}

TEST_F(RecordStoreTest, NewFileTimeIsTheFourthOfExactlyFiveLines) {
  const std::string day = Sj("2024年05月18日");
  EXPECT_EQ(store.NewFileTime(day), "");
  WriteFileBytes(store.NewFilePath(day), "a\r\nb\r\nc\r\n05181012\r\ne\r\n");
  EXPECT_EQ(store.NewFileTime(day), "05181012");
  WriteFileBytes(store.NewFilePath(day), "a\r\nb\r\nc\r\n05181012\r\n");
  EXPECT_EQ(store.NewFileTime(day), "");
}

TEST(DayPrefixTest, ComesFromTheRecordDateOrNotAtAll) {
  EXPECT_EQ(DayPrefixOfRecord(RecordWithKey("RA", kRaLength, '1', "2004051605021211")),
            Sj("2004年05月16日"));
  EXPECT_EQ(DayPrefixOfRecord("RA1"), std::nullopt);
  EXPECT_EQ(DayPrefixOfDate("2004051"), std::nullopt);
  EXPECT_EQ(DateOfDayPrefix(Sj("2004年05月16日")), "20040516");
  EXPECT_THROW(DateOfDayPrefix("2004-05-16"), codes::InputError);
}

}  // namespace
}  // namespace store
