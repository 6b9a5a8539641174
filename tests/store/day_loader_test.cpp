#include "store/day_loader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "codes/cp932.h"
#include "codes/errors.h"
#include "platform/clock.h"
#include "race_day_files.h"
#include "support/record_builder.h"
#include "support/temp_dir.h"

namespace {

using testsupport::KeyOf;
using testsupport::TestRace;

const std::string kYmd = "20240518";

class DayLoaderTest : public ::testing::Test {
 protected:
  DayLoaderTest() : clock_({2024, 5, 18, 9, 0, 0}), store_(home_.path(), clock_) {
    store_.PrepareFolders();
  }

  std::string Day(const std::string& ymd = kYmd) const {
    return codes::Sj(ymd.substr(0, 4) + "年" + ymd.substr(4, 2) + "月" + ymd.substr(6, 2) + "日");
  }
  std::filesystem::path DataFile(const std::string& utf8_name) const {
    return store_.DataFolder() / utf8_name;
  }

  // The whole raw-record part of a day load.
  void Load(store::RaceDay& day, const std::string& prefix) {
    std::optional<store::DayLoadRecords> records = store::ReadDayLoadRecords(store_, prefix);
    ASSERT_TRUE(records.has_value());
    store::ApplyDayLoadRecords(day, *records);
    store::SetDayVenues(day);
  }

  testsupport::TempDir home_;
  platform::FixedClock clock_;
  store::RecordStore store_;
};

TEST_F(DayLoaderTest, LoadsTwoVenuesOfTwelveRacesWrittenByTheStore) {
  // Stored venue by venue in reverse, so the file order comes from the store's sort.
  std::vector<TestRace> races = testsupport::TwelveRacesAt({"08", "05"});
  std::reverse(races.begin(), races.end());
  testsupport::StoreDay(store_, kYmd, races);
  auto day = std::make_unique<store::RaceDay>();
  Load(*day, Day());

  std::vector<std::string> items = store::BuildRaceList(*day);
  ASSERT_EQ(items.size(), 24u);
  EXPECT_EQ(codes::SjisToUtf8(items[0]), "東京 1R");
  EXPECT_EQ(codes::SjisToUtf8(items[11]), "東京12R");
  EXPECT_EQ(codes::SjisToUtf8(items[12]), "京都 1R");
  EXPECT_EQ(codes::SjisToUtf8(items[23]), "京都12R");
  EXPECT_EQ(day->DayVenues[1], "05");
  EXPECT_EQ(day->DayVenues[2], "08");
  EXPECT_EQ(day->DayVenues[3], "");

  for (int slot = 0; slot < 24; ++slot) {
    const int race = slot % 12 + 1;
    const int runners = 6 + race;
    EXPECT_EQ(day->RaRec[slot].Field(12, 16), KeyOf(kYmd, slot < 12 ? "05" : "08", race));
    for (int k = 0; k < 18; ++k) {
      EXPECT_EQ(day->SeRec[slot][k].Int(29, 2), k < runners ? k + 1 : 0) << slot << "/" << k;
      if (k < runners) {
        EXPECT_EQ(day->SeRec[slot][k].Field(26, 2), KeyOf(kYmd, "05", race).substr(14));
      }
    }
    EXPECT_EQ(day->HrRec[slot].Field(12, 16), day->RaRec[slot].Field(12, 16));
  }
  EXPECT_EQ(day->RaRec[24].Text(), std::string(store::kRaLength, ' '));
  EXPECT_EQ(day->HrRec[24].Text(), std::string(store::kHrLength, ' '));
}

TEST_F(DayLoaderTest, LoadingTheSameDayTwiceGivesTheSameRaceDay) {
  testsupport::StoreDay(store_, kYmd, testsupport::TwelveRacesAt({"05", "08"}));
  auto once = std::make_unique<store::RaceDay>();
  auto twice = std::make_unique<store::RaceDay>();
  Load(*once, Day());
  Load(*twice, Day());
  Load(*twice, Day());
  EXPECT_EQ(*once, *twice);
}

TEST_F(DayLoaderTest, ALoadClearsTheRecordsOfTheDayBefore) {
  testsupport::StoreDay(store_, kYmd, testsupport::TwelveRacesAt({"05", "08"}));
  testsupport::StoreDay(store_, "20240519", {{"06", 1, 8}}, false);
  auto day = std::make_unique<store::RaceDay>();
  Load(*day, Day());
  day->O6aRec[3].Put(1, "O6");
  Load(*day, Day("20240519"));
  EXPECT_EQ(store::BuildRaceList(*day).size(), 1u);
  EXPECT_EQ(day->SeRec[0][8].Text(), std::string(store::kSeLength, ' '));
  EXPECT_EQ(day->HrRec[0].Text(), std::string(store::kHrLength, ' '));
  EXPECT_EQ(day->O6aRec[3].Text(), std::string(store::kO6Length, ' '));
  EXPECT_EQ(day->DayVenues[1], "06");
  EXPECT_EQ(day->DayVenues[2], "");
}

TEST_F(DayLoaderTest, MatchesEachPayoutToItsRaceWhateverTheFileOrder) {
  testsupport::StoreDay(store_, kYmd, testsupport::TwelveRacesAt({"05", "08"}), false);
  // Race 11 of the second venue first, then race 2 of the first; one of another day.
  std::string hr = testsupport::HrOf(KeyOf(kYmd, "08", 11), 11) +
                   testsupport::HrOf(KeyOf(kYmd, "05", 2), 2) +
                   testsupport::HrOf(KeyOf("20240519", "05", 2), 7);
  testsupport::WriteFileBytes(DataFile("2024年05月18日.jvHR"), hr);
  auto day = std::make_unique<store::RaceDay>();
  Load(*day, Day());
  EXPECT_EQ(day->HrRec[22].Int(103, 2), 11);  // slot 22 = second venue, race 11
  EXPECT_EQ(day->HrRec[1].Int(103, 2), 2);
  for (int slot = 0; slot < 36; ++slot) {
    if (slot != 22 && slot != 1) {
      EXPECT_TRUE(codes::IsBlank(day->HrRec[slot].Text().substr(0, 717))) << slot;
    }
  }
}

TEST_F(DayLoaderTest, AnEmptyLineInThePayoutFileIsNoRecord) {
  testsupport::StoreDay(store_, kYmd, {{"05", 1, 8}}, false);
  testsupport::WriteFileBytes(DataFile("2024年05月18日.jvHR"),
                              "\r\n" + testsupport::HrOf(KeyOf(kYmd, "05", 1), 4));
  auto day = std::make_unique<store::RaceDay>();
  Load(*day, Day());
  EXPECT_EQ(day->HrRec[0].Int(103, 2), 4);
}

TEST_F(DayLoaderTest, AVenueWithoutRunnerFileKeepsItsRacesWithBlankRunners) {
  testsupport::StoreDay(store_, kYmd, testsupport::TwelveRacesAt({"05", "08"}));
  std::filesystem::remove(DataFile("2024年05月18日京都.jvSEr"));
  auto day = std::make_unique<store::RaceDay>();
  Load(*day, Day());
  EXPECT_EQ(store::BuildRaceList(*day).size(), 24u);
  EXPECT_EQ(day->SeRec[12][0].Text(), std::string(store::kSeLength, ' '));
  EXPECT_EQ(day->SeRec[0][0].Int(29, 2), 1);
  EXPECT_EQ(day->HrRec[12].Field(12, 16), KeyOf(kYmd, "08", 1));
}

TEST_F(DayLoaderTest, VenuesAreAscendingWhateverTheRecordOrder) {
  // Written as raw lines in the order 08, 05: the venues still come out ascending.
  testsupport::WriteFileBytes(DataFile("2024年05月18日.jvRA"),
                              testsupport::RaOf(KeyOf(kYmd, "08", 1), 0) +
                                  testsupport::RaOf(KeyOf(kYmd, "05", 1), 0));
  auto day = std::make_unique<store::RaceDay>();
  Load(*day, Day());
  EXPECT_EQ(day->DayVenues[1], "05");
  EXPECT_EQ(day->DayVenues[2], "08");
  EXPECT_EQ(day->DayVenues[3], "");
}

TEST_F(DayLoaderTest, TheRacePassSkipsBlankYearsWhenAsked) {
  std::string blank_year = testsupport::RaOf(KeyOf(kYmd, "05", 1), 0);
  testsupport::Put(blank_year, 12, "    ");
  testsupport::WriteFileBytes(DataFile("2024年05月18日.jvRA"),
                              blank_year + testsupport::RaOf(KeyOf(kYmd, "05", 2), 0));
  auto day = std::make_unique<store::RaceDay>();
  ASSERT_TRUE(store::ReadRacePass(*day, store_, Day(), true));
  EXPECT_EQ(day->RaRec[0].Field(26, 2), "02");
  ASSERT_TRUE(store::ReadRacePass(*day, store_, Day(), false));
  EXPECT_EQ(day->RaRec[0].Field(26, 2), "01");
  EXPECT_EQ(day->RaRec[1].Field(26, 2), "02");
}

TEST_F(DayLoaderTest, AMissingDayFileReadsNothingAndChangesNothing) {
  auto day = std::make_unique<store::RaceDay>();
  day->RaRec[0].Put(1, "RA");
  auto before = std::make_unique<store::RaceDay>(*day);
  EXPECT_FALSE(store::ReadDayLoadRecords(store_, Day()).has_value());
  EXPECT_FALSE(store::ReadRacePass(*day, store_, Day(), true));
  EXPECT_EQ(*day, *before);
}

TEST_F(DayLoaderTest, ANameThatIsNoDayPrefixNeverBecomesAPath) {
  EXPECT_THROW(store::ReadDayLoadRecords(store_, "../../etc/pa"), codes::InputError);
}

// A bad day: how to spoil the files of 2024年05月19日, and what the message must say.
struct BadDayCase {
  const char* name;
  std::function<void(store::RecordStore&, const std::filesystem::path& data)> spoil;
  const char* file;     // the file the message names
  const char* problem;  // what it says is wrong
};

std::string RaLines(int count, const std::vector<std::string>& courses, int runners = 0) {
  std::string bytes;
  for (int i = 0; i < count; ++i) {
    bytes += testsupport::RaOf(KeyOf("20240519", courses[static_cast<size_t>(i) % courses.size()],
                                     i / static_cast<int>(courses.size()) + 1),
                               runners);
  }
  return bytes;
}

void WriteRa(const std::filesystem::path& data, const std::string& bytes) {
  testsupport::WriteFileBytes(data / "2024年05月19日.jvRA", bytes);
}

// clang-format off
const BadDayCase kBadDays[] = {
  {"DayFileEndsInsideARecord",
   [](store::RecordStore&, const auto& data) { WriteRa(data, RaLines(2, {"05"}).substr(0, 2000)); },
   "2024年05月19日.jvRA", "the file ends inside the record"},
  {"DayFileRecordOfWrongLength",
   [](store::RecordStore&, const auto& data) {
     std::string bytes = RaLines(2, {"05"});
     bytes.erase(100, 1);
     WriteRa(data, bytes + " ");
   },
   "2024年05月19日.jvRA", "not 1270 bytes followed by CR LF"},
  {"MoreThan36Races",
   // three racecourses hold 36 races; the 37th is a second line of one race
   [](store::RecordStore&, const auto& data) {
     WriteRa(data, RaLines(36, {"05", "06", "08"}) + RaLines(1, {"05"}));
   },
   "2024年05月19日.jvRA", "the day holds 37 races; a race day holds at most 36"},
  {"FourRacecourses",
   [](store::RecordStore&, const auto& data) { WriteRa(data, RaLines(4, {"05", "06", "08", "09"})); },
   "2024年05月19日.jvRA", "races at 4 racecourses (05, 06, 08, 09)"},
  {"NineteenRunners",
   [](store::RecordStore& s, const auto&) { testsupport::StoreDay(s, "20240519", {{"05", 1, 10}, {"05", 2, 19}}); },
   "2024年05月19日.jvRA", "has 19 registered runners; a race holds at most 18"},
  {"RunnerFileEndsInsideARecord",
   [](store::RecordStore& s, const auto& data) {
     testsupport::StoreDay(s, "20240519", {{"05", 1, 10}});
     auto file = data / "2024年05月19日東京.jvSEr";
     std::filesystem::resize_file(file, std::filesystem::file_size(file) - 10);
   },
   "2024年05月19日東京.jvSEr", "the file ends inside the record"},
  {"RunnerFileTooShortForTheRace",
   [](store::RecordStore&, const auto& data) {
     WriteRa(data, testsupport::RaOf(KeyOf("20240519", "05", 2), 10));
     std::string runners;
     for (int i = 0; i < 20; ++i) runners += testsupport::BlankRecord(555);
     testsupport::WriteFileBytes(data / "2024年05月19日東京.jvSEr", runners);
   },
   "2024年05月19日東京.jvSEr", "the file ends after 20 records; race 2 needs records up to 28"},
  {"PayoutRecordOfWrongLength",
   [](store::RecordStore& s, const auto& data) {
     testsupport::StoreDay(s, "20240519", {{"05", 1, 10}}, false);
     testsupport::WriteFileBytes(data / "2024年05月19日.jvHR", std::string(700, ' ') + "\r\n" + std::string(17, ' '));
   },
   "2024年05月19日.jvHR", "not 717 bytes followed by CR LF"},
};
// clang-format on

void PrintTo(const BadDayCase& c, std::ostream* os) { *os << c.name; }

class BadDayTest : public DayLoaderTest, public ::testing::WithParamInterface<BadDayCase> {};

TEST_P(BadDayTest, StopsWithAMessageAndTouchesNeitherMemoryNorFiles) {
  testsupport::StoreDay(store_, kYmd, testsupport::TwelveRacesAt({"05", "08"}));
  auto day = std::make_unique<store::RaceDay>();
  Load(*day, Day());
  GetParam().spoil(store_, store_.DataFolder());
  auto before = std::make_unique<store::RaceDay>(*day);
  const auto files = testsupport::FolderSnapshot(home_.path());

  std::string message;
  try {
    std::optional<store::DayLoadRecords> records = store::ReadDayLoadRecords(store_, Day("20240519"));
    if (records) store::ApplyDayLoadRecords(*day, *records);
  } catch (const codes::InputError& e) {
    message = e.what();
  }
  EXPECT_NE(message.find(GetParam().file), std::string::npos) << message;
  EXPECT_NE(message.find(GetParam().problem), std::string::npos) << message;
  EXPECT_EQ(*day, *before);
  EXPECT_EQ(testsupport::FolderSnapshot(home_.path()), files);

  // The payout import's race pass refuses the same input the same way.
  if (std::string(GetParam().file).ends_with(".jvHR")) return;
  EXPECT_THROW(store::ReadRacePass(*day, store_, Day("20240519"), true), codes::InputError);
  EXPECT_EQ(*day, *before);
}

INSTANTIATE_TEST_SUITE_P(BadInput, BadDayTest, ::testing::ValuesIn(kBadDays),
                         [](const auto& info) { return std::string(info.param.name); });

// A race line whose number has no place in a runner file names no race of the day: it
// takes no slot, and the message for the log says why.
TEST_F(DayLoaderTest, ARaceNumberOutsideTheRunnerFileIsLeftOut) {
  testsupport::StoreDay(store_, "20240519", {{"05", 1, 10}});
  const std::string bytes = testsupport::ReadFileBytes(DataFile("2024年05月19日.jvRA"));
  WriteRa(store_.DataFolder(), bytes + testsupport::RaOf(KeyOf("20240519", "05", 13), 10));
  std::optional<store::DayLoadRecords> records = store::ReadDayLoadRecords(store_, Day("20240519"));
  ASSERT_TRUE(records);
  EXPECT_EQ(records->races.races.size(), 1u);
  ASSERT_EQ(records->races.dropped.size(), 1u);
  EXPECT_NE(codes::SjisToUtf8(records->races.dropped[0]).find("レース番号が01～12でない"),
            std::string::npos);
}

TEST_F(DayLoaderTest, ExactlyThirtySixRacesAtThreeVenuesLoad) {
  testsupport::StoreDay(store_, kYmd, testsupport::TwelveRacesAt({"05", "06", "08"}));
  auto day = std::make_unique<store::RaceDay>();
  Load(*day, Day());
  EXPECT_EQ(store::BuildRaceList(*day).size(), 36u);
  EXPECT_EQ(day->SeRec[35][17].Int(29, 2), 18);
}

TEST_F(DayLoaderTest, TheDateListIsNewestFirstAndSkipsForeignNames) {
  for (const char* name : {"2024年05月18日.jvRA", "2024年05月19日.jvRA", "2023年12月28日.jvRA",
                           "2024年05月20日.jvHR", "notes.jvRA", "2024年0X月01日.jvRA"}) {
    testsupport::WriteFileBytes(DataFile(name), "");
  }
  std::vector<std::string> dates = store::BuildDateList(store_);
  ASSERT_EQ(dates.size(), 3u);
  EXPECT_EQ(dates[0], Day("20240519"));
  EXPECT_EQ(dates[1], Day("20240518"));
  EXPECT_EQ(dates[2], Day("20231228"));
}

TEST_F(DayLoaderTest, AnEmptyDataFolderGivesAnEmptyDateList) {
  EXPECT_TRUE(store::BuildDateList(store_).empty());
  std::filesystem::remove_all(store_.DataFolder());
  EXPECT_TRUE(store::BuildDateList(store_).empty());
}

TEST_F(DayLoaderTest, DayRunnerFilesAreThoseOfThatDay) {
  testsupport::StoreDay(store_, kYmd, testsupport::TwelveRacesAt({"05", "08"}));
  testsupport::StoreDay(store_, "20240519", {{"06", 1, 8}});
  std::vector<std::filesystem::path> files = store::DayRunnerFiles(store_, Day());
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0].filename().string(), "2024年05月18日京都.jvSEr");  // Shift-JIS order
  EXPECT_EQ(files[1].filename().string(), "2024年05月18日東京.jvSEr");
  EXPECT_TRUE(store::DayRunnerFiles(store_, Day("20240520")).empty());
}

}  // namespace

namespace {

// With the names held, the look-ups give what a fresh listing gives, and see no file
// added after the hold: the export works from the folder as it was when it started.
TEST_F(DayLoaderTest, HeldNamesGiveWhatTheListingGaveWhenTheyWereTaken) {
  testsupport::StoreDay(store_, kYmd, testsupport::TwelveRacesAt({"05", "08"}));
  testsupport::StoreDay(store_, "20240519", {{"06", 1, 8}});
  for (const char* name : {"notes.jvRA", "2024年05月18日.jvSEr.bak", "2024年05月18日x.jvSEr"}) {
    testsupport::WriteFileBytes(DataFile(name), "");
  }
  std::filesystem::create_directory(DataFile("2024年05月18日dir.jvSEr"));
  const std::vector<std::string> dates = store::BuildDateList(store_);
  const std::vector<std::filesystem::path> runners = store::DayRunnerFiles(store_, Day());
  ASSERT_EQ(runners.size(), 3u);  // 京都, 東京 and the stray one; never the folder

  store_.HoldDataFolderNames();
  testsupport::StoreDay(store_, "20240520", {{"06", 1, 8}});
  EXPECT_EQ(store::BuildDateList(store_), dates);
  EXPECT_EQ(store::DayRunnerFiles(store_, Day()), runners);
  EXPECT_TRUE(store::DayRunnerFiles(store_, Day("20240520")).empty());
  EXPECT_EQ(store::DayRunnerFiles(store_, Day("20240519")).size(), 1u);
}

}  // namespace
