// The verification export over a generated feed of eight weeks pulled into a program
// folder: the lines are those the main window shows, the parallel export writes the same
// bytes as one worker, and the edge cases of the range, the rule book and the files.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "app/session.h"
#include "codes/cell_format.h"
#include "codes/cp932.h"
#include "jvlink/feed_jv_link.h"
#include "jvlink/stored_pull.h"
#include "platform/clock.h"
#include "platform/companion_locator.h"
#include "platform/launcher.h"
#include "samplefeed/feed_writer.h"
#include "store/day_prefix.h"
#include "store/line_files.h"
#include "support/recording_prompts.h"
#include "support/temp_dir.h"
#include "verify/csv_fields.h"
#include "verify/export_line.h"
#include "verify/stats_file.h"
#include "verify/stats_numbers.h"
#include "verify/verification_export.h"

namespace {

namespace fs = std::filesystem;
using FileSet = std::map<std::string, std::string>;  // name (UTF-8) -> bytes

const platform::LocalTime kNow{2024, 7, 10, 10, 0, 0};

// The pulled feed, shared by every test of this program (it runs as one CTest test).
testsupport::TempDir* g_feed_home = nullptr;

fs::path FeedHome() { return g_feed_home->path() / "home"; }

void PullFeed() {
  g_feed_home = new testsupport::TempDir;
  samplefeed::FeedOptions feed{g_feed_home->path() / "feed", 20240504, 56, 3, false};
  ASSERT_GE(samplefeed::WriteFeed(feed).race_days, 16);
  platform::FixedClock clock(kNow);
  testsupport::RecordingPrompts prompts;
  platform::ProcessLauncher launcher;
  platform::NoCompanionLocator companions;
  jvlink::FeedJVLink link(feed.out, clock);
  app::Session session(prompts, clock, &link, launcher, companions, FeedHome());
  session.Start();
  ASSERT_EQ(link.JVInit("QV000001/QV000002/Quorvane/Version.1.13"), 0);
  jvlink::StoredPull pull(link, prompts, session.Settings(), clock, session.Store());
  pull.SetStartMoment({2024, 5, 1, 0, 0, 0});
  pull.SetFinalOdds(true);
  pull.Start();
  while (pull.PollTimerRunning()) pull.Poll();
  pull.Close();
  ASSERT_EQ(pull.outcome(), jvlink::StoredPull::Outcome::kCompleted);
}

FileSet CsvFiles(const fs::path& home) {
  FileSet files;
  if (!fs::exists(home / "csv")) return files;
  for (const auto& entry : fs::directory_iterator(home / "csv")) {
    files[entry.path().filename().string()] = testsupport::ReadFileBytes(entry.path());
  }
  return files;
}

// A main window over a program folder, the question answered Yes.
struct MainWindow {
  explicit MainWindow(const fs::path& home)
      : clock(kNow), session(prompts, clock, nullptr, launcher, companions, home) {
    session.Start();
    session.Settings().SetKaimeOption(1);  // the settings file may be another test's
    prompts.ScriptAnswers({true, true, true, true});
  }
  verify::ExportSummary Export(const std::string& from, const std::string& to, int jobs,
                               verify::ReplayCallbacks callbacks = {}) {
    return verify::RunExport(session, {from, to, jobs}, callbacks);
  }
  std::string Date(size_t i_from_oldest) const {
    const auto& items = session.DateCombo.Items;
    return store::DateOfDayPrefix(items[items.size() - 1 - i_from_oldest]);
  }
  platform::FixedClock clock;
  testsupport::RecordingPrompts prompts;
  platform::ProcessLauncher launcher;
  platform::NoCompanionLocator companions;
  app::Session session;
};

// A program folder of its own holding the record files of some days of the feed.
std::unique_ptr<testsupport::TempDir> CopyOfDays(const std::vector<std::string>& dates) {
  auto home = std::make_unique<testsupport::TempDir>();
  fs::create_directories(home->path() / "home" / "Data");
  for (const auto& entry : fs::directory_iterator(FeedHome() / "Data")) {
    const std::string name = entry.path().filename().string();
    for (const std::string& date : dates) {
      const std::string prefix = codes::SjisToUtf8(*store::DayPrefixOfDate(date));
      if (name.starts_with(prefix))
        fs::copy_file(entry.path(), home->path() / "home" / "Data" / name);
    }
  }
  return home;
}

class ExportTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!g_feed_home) PullFeed();
  }
  void SetUp() override { fs::remove_all(FeedHome() / "csv"); }
};

TEST_F(ExportTest, ParallelWorkersWriteTheBytesOfOneWorker) {
  for (int option : {1, 2}) {
    fs::remove_all(FeedHome() / "csv");
    MainWindow main(FeedHome());
    main.session.Settings().SetKaimeOption(option);
    const verify::ExportSummary one = main.Export("20240101", "20241231", 1);
    ASSERT_EQ(one.outcome, verify::ExportOutcome::kDone);
    EXPECT_GE(one.days, 16);
    EXPECT_EQ(one.days_done, one.days);
    EXPECT_TRUE(one.failures.empty());
    const FileSet expected = CsvFiles(FeedHome());
    ASSERT_EQ(expected.size(), 4u) << "rule book " << option;
    for (int jobs : {2, 3, 7}) {
      fs::remove_all(FeedHome() / "csv");
      const verify::ExportSummary many = main.Export("20240101", "20241231", jobs);
      EXPECT_EQ(many.races, one.races);
      EXPECT_EQ(many.last_day, one.last_day);
      EXPECT_EQ(CsvFiles(FeedHome()), expected) << jobs << " workers, rule book " << option;
    }
  }
}

// Every race of a few days shown in the main window, one after the other, gives exactly
// the lines of those days in the files, in the same order.
TEST_F(ExportTest, TheLinesAreThoseTheMainWindowShows) {
  MainWindow main(FeedHome());
  const verify::ExportSummary summary = main.Export("20240101", "20241231", 2);
  ASSERT_EQ(summary.outcome, verify::ExportOutcome::kDone);
  const auto& items = main.session.DateCombo.Items;
  std::array<std::vector<std::string>, 4> file_lines;
  for (size_t t = 0; t < 4; ++t) {
    file_lines[t] = store::SplitLines(testsupport::ReadFileBytes(summary.files[t].path));
  }
  size_t compared = 0;
  for (size_t d : {size_t{0}, items.size() / 2, items.size() - 1}) {
    const std::string day = items[d];
    ASSERT_EQ(main.session.ChooseDate(day), app::LoadResult::kLoaded);
    std::array<std::vector<std::string>, 4> shown;
    for (int item = 0; item < static_cast<int>(main.session.DatList.Items.size()); ++item) {
      main.session.SelectRace(item);
      for (size_t t = 0; t < 4; ++t) {
        const auto& summary_labels =
            main.session.Screen.Tables.Table(bets::BetTables::kOrder[t]).Summary();
        if (codes::CellInt(summary_labels.total.text) <= 0) continue;
        shown[t].push_back(verify::JoinFields(verify::LineFields(
            main.session.Day().RaRec[item], summary_labels, main.session.Screen.Marks)));
      }
    }
    for (size_t t = 0; t < 4; ++t) {
      std::vector<std::string> of_day;
      for (const std::string& line : file_lines[t]) {
        if (line.compare(1, day.size(), day) == 0) of_day.push_back(line);
      }
      EXPECT_EQ(of_day, shown[t]) << codes::SjisToUtf8(day) << " type " << t;
      compared += of_day.size();
    }
  }
  EXPECT_GT(compared, 20u);
}

TEST_F(ExportTest, WithNeitherRuleBookTickedNoFileIsWritten) {
  MainWindow main(FeedHome());
  main.session.Screen.LogicUnticked = true;
  const verify::ExportSummary summary = main.Export("20240101", "20241231", 2);
  EXPECT_EQ(summary.outcome, verify::ExportOutcome::kDone);
  EXPECT_GT(summary.races, 100);
  EXPECT_TRUE(summary.files.empty());
  EXPECT_TRUE(CsvFiles(FeedHome()).empty());
}

TEST_F(ExportTest, ARaceWithoutTrifectaBetsAddsAQuinellaLineOnly) {
  MainWindow main(FeedHome());
  std::string day, line;
  for (const std::string& candidate : main.session.DateCombo.Items) {
    ASSERT_EQ(main.session.ChooseDate(candidate), app::LoadResult::kLoaded);
    for (int item = 0; item < static_cast<int>(main.session.DatList.Items.size()); ++item) {
      main.session.SelectRace(item);
      const auto& tables = main.session.Screen.Tables;
      if (codes::CellInt(tables.Table(codes::BetType::UR).Summary().total.text) > 0 &&
          codes::CellInt(tables.Table(codes::BetType::SRT).Summary().total.text) == 0) {
        day = candidate;
        line = verify::JoinFields(verify::LineFields(main.session.Day().RaRec[item],
                                                     tables.Table(codes::BetType::UR).Summary(),
                                                     main.session.Screen.Marks));
        break;
      }
    }
    if (!day.empty()) break;
  }
  ASSERT_FALSE(day.empty()) << "the feed has no race with quinella bets and no trifecta bets";
  const std::string date = store::DateOfDayPrefix(day);
  const verify::ExportSummary summary = main.Export(date, date, 2);
  const FileSet files = CsvFiles(FeedHome());
  const std::string ur = files.at("A_馬連" + date + "_" + date + ".csv");
  EXPECT_NE(ur.find(line + "\r\n"), std::string::npos);
  // The same race (date, racecourse, race number) has no trifecta line.
  const verify::ExportFields race = *verify::ParseLine(line).fields;
  const auto srt = files.find("A_３単" + date + "_" + date + ".csv");
  for (const std::string& other :
       srt == files.end() ? std::vector<std::string>{} : store::SplitLines(srt->second)) {
    const verify::ExportFields f = *verify::ParseLine(other).fields;
    EXPECT_FALSE(f[0] == race[0] && f[1] == race[1] && f[2] == race[2]) << other;
  }
}

TEST_F(ExportTest, BothEndsOfTheRangeAreIncluded) {
  MainWindow main(FeedHome());
  const std::string from = main.Date(3), to = main.Date(5);
  const verify::ExportSummary summary = main.Export(from, to, 2);
  EXPECT_EQ(summary.days, 3);
  std::set<std::string> dates;
  for (const auto& [name, bytes] : CsvFiles(FeedHome())) {
    EXPECT_TRUE(name.ends_with(from + "_" + to + ".csv")) << name;
    for (const std::string& line : store::SplitLines(bytes)) {
      dates.insert(verify::DateKey(line.substr(1, 14)));
    }
  }
  EXPECT_EQ(dates, (std::set<std::string>{from, main.Date(4), to}));
}

TEST_F(ExportTest, ARaceWithoutPayoutsIsWrittenWithAnEmptyReturn) {
  MainWindow probe(FeedHome());
  const std::string date = probe.Date(2);
  auto home = CopyOfDays({probe.Date(1), date});
  const std::string hr = codes::SjisToUtf8(*store::DayPrefixOfDate(date)) + ".jvHR";
  fs::remove(home->path() / "home" / "Data" / hr);
  MainWindow main(home->path() / "home");
  const verify::ExportSummary summary = main.Export(date, date, 1);
  ASSERT_EQ(summary.outcome, verify::ExportOutcome::kDone);
  ASSERT_FALSE(summary.files.empty());
  int lines = 0;
  for (const auto& [name, bytes] : CsvFiles(home->path() / "home")) {
    for (const std::string& line : store::SplitLines(bytes)) {
      EXPECT_NE(line.find("\",\"\",\""), std::string::npos) << line;  // 回収 ""
      ++lines;
    }
  }
  EXPECT_GT(lines, 0);
}

TEST_F(ExportTest, ADayThatDoesNotLoadIsSkippedWithItsMessage) {
  MainWindow probe(FeedHome());
  auto home = CopyOfDays({probe.Date(0), probe.Date(1), probe.Date(2)});
  const std::string bad = *store::DayPrefixOfDate(probe.Date(1));
  const fs::path ra = home->path() / "home" / "Data" / (codes::SjisToUtf8(bad) + ".jvRA");
  testsupport::WriteFileBytes(ra, testsupport::ReadFileBytes(ra) + "RA7short\r\n");
  MainWindow main(home->path() / "home");
  const verify::ExportSummary summary = main.Export("20240101", "20241231", 2);
  ASSERT_EQ(summary.outcome, verify::ExportOutcome::kDone);
  EXPECT_EQ(summary.days, 3);
  EXPECT_EQ(summary.days_done, 2);
  ASSERT_EQ(summary.failures.size(), 1u);
  EXPECT_EQ(summary.failures[0].day, bad);
  EXPECT_FALSE(summary.failures[0].message.empty());
  EXPECT_TRUE(main.prompts.informs.empty());  // no dialog per day
  EXPECT_EQ(summary.files.size(), 4u);
}

TEST_F(ExportTest, ACancelledExportWritesNothingAndKeepsEarlierFiles) {
  MainWindow main(FeedHome());
  const std::string name = "A_馬連20240101_20241231.csv";
  testsupport::WriteFileBytes(FeedHome() / "csv" / name, "earlier");
  int calls = 0;
  verify::ReplayCallbacks callbacks;
  callbacks.progress = [&](const verify::ReplayProgress&) { ++calls; };
  callbacks.cancelled = [&] { return calls >= 1; };
  const verify::ExportSummary summary = main.Export("20240101", "20241231", 2, callbacks);
  EXPECT_EQ(summary.outcome, verify::ExportOutcome::kCancelled);
  EXPECT_EQ(CsvFiles(FeedHome()), (FileSet{{name, "earlier"}}));
}

TEST_F(ExportTest, ANoToTheQuestionDoesNothing) {
  MainWindow main(FeedHome());
  main.prompts.ScriptAnswers({false});
  const verify::ExportSummary summary = main.Export("20240101", "20241231", 2);
  EXPECT_EQ(summary.outcome, verify::ExportOutcome::kDeclined);
  ASSERT_EQ(main.prompts.confirms.size(), 1u);
  EXPECT_EQ(main.prompts.confirms[0], verify::ExportQuestion());
  EXPECT_FALSE(fs::exists(FeedHome() / "csv"));
}

TEST_F(ExportTest, ASecondExportReplacesTheFilesAndTheWindowShowsTheLastRace) {
  MainWindow main(FeedHome());
  main.session.Settings().SetKaimeOption(2);
  const std::string from = main.Date(0), to = main.Date(1);
  const verify::ExportSummary first = main.Export(from, to, 2);
  const FileSet written = CsvFiles(FeedHome());
  for (const auto& [name, bytes] : written) {
    EXPECT_TRUE(name.starts_with("B_")) << name;
    testsupport::WriteFileBytes(FeedHome() / "csv" / name, "stale");
  }
  int last_done = 0, total = 0;
  verify::ReplayCallbacks callbacks;
  callbacks.progress = [&](const verify::ReplayProgress& p) {
    last_done = p.done;
    total = p.total;
  };
  const verify::ExportSummary second = main.Export(from, to, 2, callbacks);
  EXPECT_EQ(CsvFiles(FeedHome()), written);
  EXPECT_EQ(last_done, 2);
  EXPECT_EQ(total, 2);

  verify::ShowLastProcessed(main.session, second);
  EXPECT_EQ(main.session.DateCombo.Text, *store::DayPrefixOfDate(to));
  EXPECT_EQ(main.session.DatList.ItemIndex,
            static_cast<int>(main.session.DatList.Items.size()) - 1);
  EXPECT_EQ(second.last_item, main.session.DatList.ItemIndex);
}

// A window slow to draw its progress (the workers finish every day meanwhile) still gets
// a last report that counts every day and names each finished day once.
TEST_F(ExportTest, TheLastReportCountsEveryDayWhileTheWindowIsSlowToDraw) {
  MainWindow main(FeedHome());
  verify::ReplayCallbacks callbacks;
  verify::ReplayProgress last;
  std::vector<std::string> finished;
  callbacks.progress = [&](const verify::ReplayProgress& p) {
    last = p;
    finished.insert(finished.end(), p.finished.begin(), p.finished.end());
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
  };
  const verify::ExportSummary summary = main.Export(main.Date(0), main.Date(3), 2, callbacks);
  ASSERT_EQ(summary.outcome, verify::ExportOutcome::kDone);
  EXPECT_EQ(last.total, 4);
  EXPECT_EQ(last.done, 4);
  std::sort(finished.begin(), finished.end());
  std::vector<std::string> days;
  for (int d = 0; d < 4; ++d) days.push_back(*store::DayPrefixOfDate(main.Date(d)));
  std::sort(days.begin(), days.end());
  EXPECT_EQ(finished, days);
}

// The rule book, the stake split and the amount are those of the moment the export
// starts: choosing others while it runs (as the main window's menu and the settings
// dialog allow) changes neither the names of its files nor any of their lines.
TEST_F(ExportTest, SettingsChangedDuringTheExportChangeNoneOfItsFiles) {
  MainWindow main(FeedHome());
  const std::string from = main.Date(0), to = main.Date(5);
  ASSERT_EQ(main.Export(from, to, 1).outcome, verify::ExportOutcome::kDone);
  const FileSet expected = CsvFiles(FeedHome());
  ASSERT_EQ(expected.size(), 4u);
  for (const auto& [name, bytes] : expected) ASSERT_TRUE(name.starts_with("A_")) << name;
  for (int jobs : {1, 3}) {
    fs::remove_all(FeedHome() / "csv");
    bool changed = false;
    verify::ReplayCallbacks callbacks;
    callbacks.progress = [&](const verify::ReplayProgress&) {
      if (changed) return;
      main.session.Settings().SetKaimeOption(2);
      main.session.Settings().SetHaibunSet(1);
      main.session.Settings().SetDefaultAmount(700);
      changed = true;
    };
    const verify::ExportSummary summary = main.Export(from, to, jobs, callbacks);
    ASSERT_EQ(summary.outcome, verify::ExportOutcome::kDone);
    EXPECT_TRUE(changed);
    EXPECT_EQ(CsvFiles(FeedHome()), expected) << jobs << " workers";
    main.session.Settings().SetKaimeOption(1);
    main.session.Settings().SetHaibunSet(0);
    main.session.Settings().SetDefaultAmount(3000);
  }
}

// A program killed while it wrote a file leaves the file's ".tmp" behind; the next export
// removes it, but not one another export may be writing at this moment.
TEST_F(ExportTest, TheNextExportRemovesATemporaryFileLeftBehind) {
  MainWindow main(FeedHome());
  const fs::path csv = FeedHome() / "csv";
  const fs::path left = csv / "A_馬連20200101_20201231.csv.tmp";
  const fs::path fresh = csv / "B_３単20200101_20201231.csv.tmp";
  testsupport::WriteFileBytes(left, "\"2020年01");
  testsupport::WriteFileBytes(fresh, "\"2020年01");
  fs::last_write_time(left, fs::file_time_type::clock::now() - std::chrono::hours(2));
  EXPECT_TRUE(verify::VerificationFiles(csv).empty());
  main.session.Screen.LogicUnticked = true;  // an export that writes no file cleans up too
  ASSERT_EQ(main.Export(main.Date(0), main.Date(0), 1).outcome, verify::ExportOutcome::kDone);
  EXPECT_FALSE(fs::exists(left));
  EXPECT_TRUE(fs::exists(fresh));
  main.session.Screen.LogicUnticked = false;
  ASSERT_EQ(main.Export(main.Date(0), main.Date(0), 1).outcome, verify::ExportOutcome::kDone);
  for (const std::string& name : verify::VerificationFiles(csv)) {
    EXPECT_TRUE(codes::SjisToUtf8(name).ends_with(".csv")) << codes::SjisToUtf8(name);
  }
  EXPECT_FALSE(verify::VerificationFiles(csv).empty());
}

TEST(ExportNames, FileNamesCarryThePrefixTypeAndRange) {
  EXPECT_EQ(
      codes::SjisToUtf8(verify::ExportFileName("A_", codes::BetType::UR, "20110502", "20210502")),
      "A_馬連20110502_20210502.csv");
  EXPECT_EQ(codes::SjisToUtf8(verify::ExportFileName("", codes::BetType::SRF, "1", "2")),
            "３複1_2.csv");
  EXPECT_EQ(codes::SjisToUtf8(verify::ExportFileName("B_", codes::BetType::SRT, "1", "2")),
            "B_３単1_2.csv");
}

TEST(ExportNames, TheRangeMustBeTwoDates) {
  testsupport::TempDir home;
  MainWindow main(home.path() / "home");
  EXPECT_THROW(main.Export("2024010", "20241231", 1), codes::InputError);
  EXPECT_THROW(main.Export("20240101", "../../x", 1), codes::InputError);
  EXPECT_TRUE(main.prompts.confirms.empty());
}

}  // namespace
