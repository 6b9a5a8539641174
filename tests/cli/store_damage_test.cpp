// Damaged and hostile stored data met through the CLI as a user meets it: a pull over
// files that are broken, a feed with records that name no real race, and a day file
// whose fields would name paths outside the store.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "../store/race_day_files.h"
#include "cli_run.h"
#include "codes/cp932.h"
#include "platform/clock.h"
#include "store/line_files.h"
#include "store/record_lengths.h"
#include "store/record_store.h"
#include "support/record_builder.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testsupport::CliRun;
using testsupport::RunCli;

constexpr const char* kNow = "2024/05/25 12:00:00";
constexpr const char* kPullFrom = "pull --from '2024/05/01 00:00:00' --final-odds";

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// The Data file of the home whose name ends in `tail` (the first in name order).
fs::path DataFile(const fs::path& data, const std::string& tail) {
  std::vector<fs::path> found;
  for (const auto& entry : fs::directory_iterator(data)) {
    const std::string name = entry.path().filename().string();
    if (name.size() >= tail.size() &&
        name.compare(name.size() - tail.size(), tail.size(), tail) == 0) {
      found.push_back(entry.path());
    }
  }
  std::sort(found.begin(), found.end());
  return found.empty() ? fs::path() : found.front();
}

std::vector<std::string> Lines(const fs::path& file) {
  return store::SplitLines(testsupport::ReadFileBytes(file));
}

// ---------------------------------------------------------------------------------
// A pull over damaged day files: the damage goes, the day loads, the summary counts it.

struct Damage {
  const char* name;
  const char* file_tail;
  std::function<void(const fs::path&)> damage;
  int status;         // of the pull
  int dropped_lines;  // -1: at least one
};

void CutShort(const fs::path& file) {
  std::string bytes = testsupport::ReadFileBytes(file);
  bytes.resize(bytes.size() - 37);
  testsupport::WriteFileBytes(file, bytes);
}

void Garbage(const fs::path& file) {
  std::string bytes;
  unsigned state = 12345;
  for (int i = 0; i < 5000; ++i) {
    state = state * 1103515245u + 12345u;
    bytes.push_back(static_cast<char>((state >> 16) & 0xFF));
  }
  testsupport::WriteFileBytes(file, bytes);
}

void EditLines(const fs::path& file, const std::function<void(std::vector<std::string>&)>& edit) {
  std::vector<std::string> lines = Lines(file);
  edit(lines);
  testsupport::WriteFileBytes(file, store::JoinLines(lines));
}

// clang-format off
const Damage kDamages[] = {
  {"RunnerFileCutShortInItsLastRecord", ".jvSEr", CutShort, 0, 1},
  {"GarbageRaFile", ".jvRA", Garbage, 0, -1},
  {"HrLineCutInTheMiddle", ".jvHR",
   [](const fs::path& f) { EditLines(f, [](auto& l) { l[0].erase(100, 10); }); }, 0, 1},
  {"OddsLineWithBytesThatAreNotShiftJis", ".jvO1a",
   [](const fs::path& f) { EditLines(f, [](auto& l) { l[0][100] = '\xFF'; l[0][101] = '\x01'; }); }, 0, 1},
  {"RunnerLinesInEachOthersSlots", ".jvSEr",
   [](const fs::path& f) { EditLines(f, [](auto& l) { std::swap(l[0], l[1]); }); }, 0, 2},
  {"TwoRaLinesRunTogether", ".jvRA",
   [](const fs::path& f) { EditLines(f, [](auto& l) { l[0] += l[1]; l.erase(l.begin() + 1); }); }, 0, 1},
  {"AFolderInPlaceOfTheHrFile", ".jvHR",
   [](const fs::path& f) { fs::remove(f); fs::create_directories(f / "x"); }, 1, 0},
};
// clang-format on

class PullRepairTest : public ::testing::TestWithParam<Damage> {
 protected:
  static void SetUpTestSuite() {
    setenv("QUORVANE_NOW", kNow, 1);
    feed_dir_ = new testsupport::TempDir();
    CliRun run = RunCli(*feed_dir_, "feed --out '" + feed_dir_->str() +
                                        "/home/feed' --from 20240518 --days 2 --seed 7");
    ASSERT_EQ(run.status, 0) << run.err;
  }
  static void TearDownTestSuite() { delete feed_dir_; }

  void SetUp() override {
    fs::create_directories(home_.path() / "home");
    fs::copy(feed_dir_->path() / "home" / "feed", home_.path() / "home" / "feed",
             fs::copy_options::recursive);
  }
  fs::path Data() const { return home_.path() / "home" / "Data"; }

  static testsupport::TempDir* feed_dir_;
  testsupport::TempDir home_;
};
testsupport::TempDir* PullRepairTest::feed_dir_ = nullptr;

TEST_P(PullRepairTest, APullMendsTheDamageAndTheDayLoads) {
  const Damage& d = GetParam();
  CliRun first = RunCli(home_, kPullFrom);
  ASSERT_EQ(first.status, 0) << first.err;
  const fs::path file = DataFile(Data(), d.file_tail);
  ASSERT_FALSE(file.empty());
  const std::string day = file.filename().string().substr(0, 17);  // yyyy年mm月dd日 in UTF-8
  d.damage(file);

  CliRun pull = RunCli(home_, kPullFrom);
  EXPECT_EQ(pull.status, d.status) << pull.err;
  const std::string log =
      codes::SjisToUtf8Lenient(testsupport::ReadFileBytes(home_.path() / "home" / "ErrorLog.txt"));
  if (d.status != 0) {
    EXPECT_TRUE(Has(pull.err, file.filename().string())) << pull.err;
    return;
  }
  if (d.dropped_lines > 0) {
    EXPECT_TRUE(Has(pull.err,
                    "修復したファイル:1件（破棄した行:" + std::to_string(d.dropped_lines) + "行）"))
        << pull.err;
  } else {
    EXPECT_TRUE(Has(pull.err, "修復したファイル:1件（破棄した行:")) << pull.err;
  }
  EXPECT_TRUE(Has(log, "壊れたファイルを修復しました：" + file.filename().string())) << log;
  CliRun load = RunCli(home_, "day --day " + day + " --json");
  EXPECT_EQ(load.status, 0) << load.err;
  // The mended file holds the pulled records again: a third pull finds nothing to mend.
  CliRun again = RunCli(home_, kPullFrom);
  EXPECT_EQ(again.status, 0) << again.err;
  EXPECT_FALSE(Has(again.err, "修復したファイル")) << again.err;
}

INSTANTIATE_TEST_SUITE_P(Damages, PullRepairTest, ::testing::ValuesIn(kDamages),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------
// A feed with records whose keys name no real race: nothing of them is filed.

struct BadKey {
  const char* name;
  const char* id;
  int pos;
  std::string bytes;
};

// clang-format off
const BadKey kBadKeys[] = {
  {"RaDatedTheThirtyFirstOfFebruary", "RA", 12, "20240231"},
  {"RaDatedWithASlashPath",           "RA", 12, "20/tmp/Z"},
  {"RaDatedWithDotsInThePath",        "RA", 12, "20../..x"},
  {"RaAtVenueDots",                   "RA", 20, ".."},
  {"RaAtVenueOfTwoNulBytes",          "RA", 20, std::string(2, '\0')},
  {"RaNumberedRace13",                "RA", 26, "13"},
  {"SeAtVenueDots",                   "SE", 20, ".."},
  {"HrDatedMonth13",                  "HR", 12, "20241301"},
  {"O1AtAVenueNotInTheTable",         "O1", 20, "99"},
};
// clang-format on

std::string BadRecord(const BadKey& k) {
  const std::string key = testsupport::KeyOf("20240518", "05", 2);
  std::string record;
  if (std::string(k.id) == "RA") record = testsupport::RaOf(key, 10);
  if (std::string(k.id) == "SE") record = testsupport::SeOf(key, 3);
  if (std::string(k.id) == "HR") record = testsupport::HrOf(key, 2);
  if (std::string(k.id) == "O1") record = testsupport::O1Of(key, {20, 30, 40});
  record.replace(static_cast<size_t>(k.pos - 1), k.bytes.size(), k.bytes);
  return record;
}

class BadKeyPullTest : public ::testing::TestWithParam<BadKey> {
 protected:
  void SetUp() override {
    setenv("QUORVANE_NOW", kNow, 1);
    const std::string key = testsupport::KeyOf("20240518", "05", 1);
    std::string records = testsupport::RaOf(key, 3) + testsupport::SeOf(key, 1) +
                          testsupport::HrOf(key, 1) + BadRecord(GetParam());
    testsupport::WriteFileBytes(
        home_.path() / "home" / "feed" / "stored" / "20240517120000_RA20240518.jvd", records);
  }
  testsupport::TempDir home_;
};

TEST_P(BadKeyPullTest, IsDroppedWithALogLineAndNamesNoFile) {
  CliRun pull = RunCli(home_, kPullFrom);
  EXPECT_EQ(pull.status, 0) << pull.err;
  EXPECT_TRUE(Has(pull.err, "うち不正なレコード:1件")) << pull.err;
  const std::string log =
      codes::SjisToUtf8Lenient(testsupport::ReadFileBytes(home_.path() / "home" / "ErrorLog.txt"));
  EXPECT_TRUE(Has(log, "ファイル名を作れないレコードを破棄しました")) << log;

  // Nothing beside the program folder (the CLI's own output files aside), and nothing
  // in the data folder but files of the real day.
  for (const auto& entry : fs::directory_iterator(home_.path())) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(name == "home" || name.ends_with(".txt")) << name;
  }
  for (const auto& entry : fs::recursive_directory_iterator(home_.path() / "home")) {
    const std::string name = entry.path().filename().string();
    if (entry.path().parent_path().filename() == "Data") {
      EXPECT_EQ(name.rfind("2024年05月18日", 0), 0u) << name;
    }
  }
  EXPECT_FALSE(fs::exists("/tmp/Z.jvRA"));
  CliRun days = RunCli(home_, "days");
  EXPECT_EQ(days.out, "2024年05月18日\n");
  CliRun day = RunCli(home_, "day --day 2024年05月18日 --json");
  EXPECT_EQ(day.status, 0) << day.err;
  EXPECT_TRUE(Has(day.out, R"("items":["東京 1R"],"DayVenues":["05","",""])")) << day.out;
}

INSTANTIATE_TEST_SUITE_P(BadKeys, BadKeyPullTest, ::testing::ValuesIn(kBadKeys),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------
// A day file holding a race line whose key names no race of the day (written by
// anything but our pull): the day loads without it, and the log says so.

struct StrangeRace {
  const char* name;
  int pos;
  std::string bytes;
};

// clang-format off
const StrangeRace kStrangeRaces[] = {
  {"DateWithASlashPath",  12, "20/tmp/Z"},
  {"DateWithDots",        12, "20../..x"},
  {"DateOfAnotherDay",    12, "20240519"},
  {"DateThatIsNoDay",     12, "20240231"},
  {"VenueDots",           20, ".."},
  {"VenueOfTwoNulBytes",  20, std::string(2, '\0')},
  {"RaceNumber13",        26, "13"},
  {"RaceNumberBlank",     26, "  "},
};
// clang-format on

class StrangeRaceTest : public ::testing::TestWithParam<StrangeRace> {
 protected:
  StrangeRaceTest() : clock_({2024, 5, 18, 9, 0, 0}), store_(home_.path() / "home", clock_) {
    store_.PrepareFolders();
    testsupport::StoreDay(store_, "20240518", {{"05", 1, 8}, {"05", 2, 8}});
  }
  testsupport::TempDir home_;
  platform::FixedClock clock_;
  store::RecordStore store_;
};

TEST_P(StrangeRaceTest, TheDayLoadsWithoutItAndLogsIt) {
  const StrangeRace& c = GetParam();
  std::string line = testsupport::RaOf(testsupport::KeyOf("20240518", "05", 3), 8);
  line.replace(static_cast<size_t>(c.pos - 1), c.bytes.size(), c.bytes);
  const fs::path day_file = store_.DataFolder() / "2024年05月18日.jvRA";
  testsupport::WriteFileBytes(day_file, testsupport::ReadFileBytes(day_file) + line);

  CliRun run = RunCli(home_, "day --day 2024年05月18日 --json");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(Has(run.out, R"("items":["東京 1R","東京 2R"],"DayVenues":["05","",""])")) << run.out;
  const std::string log =
      codes::SjisToUtf8Lenient(testsupport::ReadFileBytes(home_.path() / "home" / "ErrorLog.txt"));
  EXPECT_TRUE(Has(log, "日の読込みでレコードを飛ばしました")) << log;
}

INSTANTIATE_TEST_SUITE_P(Keys, StrangeRaceTest, ::testing::ValuesIn(kStrangeRaces),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
