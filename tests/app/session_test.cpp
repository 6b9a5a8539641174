#include "app/session.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "../store/race_day_files.h"
#include "codes/cp932.h"
#include "codes/errors.h"
#include "store/comb_odds.h"
#include "store/folder_lock.h"
#include "support/record_builder.h"
#include "support/recording_prompts.h"
#include "support/temp_dir.h"

namespace {

using testsupport::KeyOf;

const std::string kYmd = "20240518";

std::string Day(const std::string& ymd = kYmd) {
  return codes::Sj(ymd.substr(0, 4) + "年" + ymd.substr(4, 2) + "月" + ymd.substr(6, 2) + "日");
}

class SessionTest : public ::testing::Test {
 protected:
  SessionTest()
      : clock_({2024, 5, 18, 8, 30, 0}),
        session_(prompts_, clock_, nullptr, launcher_, companions_, home_.path()) {}

  void Start() {
    session_.Start();
    prompts_.Clear();
  }
  std::filesystem::path Data(const std::string& name) const {
    return session_.Store().DataFolder() / name;
  }
  // Records each hook as it runs.
  void RecordHooks() {
    session_.Hooks.DayLoadStart = [this] { hooks_.push_back("start"); };
    session_.Hooks.ScheduleSetup = [this] { hooks_.push_back("schedule"); };
    session_.Hooks.ShowRace = [this] {
      hooks_.push_back("show " + std::to_string(session_.Day().CurrentSlot) +
                       (session_.PageControl1Visible ? " visible" : " hidden"));
    };
    session_.Hooks.RefreshBetPages = [this] { hooks_.push_back("refresh"); };
  }

  testsupport::TempDir home_;
  testsupport::RecordingPrompts prompts_;
  platform::FixedClock clock_;
  platform::ProcessLauncher launcher_;
  platform::NoCompanionLocator companions_;
  app::Session session_;
  std::vector<std::string> hooks_;
};

TEST_F(SessionTest, FirstStartInAnEmptyFolderPreparesFoldersLogAndAnEmptyDateList) {
  session_.Start();
  for (const char* folder : {"Data", "CHG", "Kaime"}) {
    EXPECT_TRUE(std::filesystem::is_directory(home_.path() / folder)) << folder;
  }
  const std::string log = testsupport::ReadFileBytes(home_.path() / "ErrorLog.txt");
  EXPECT_EQ(log, codes::Sj("ソフト起動：2024/05/18 08:30:00") + "\r\n" +
                     session_.Store().ProgramFolderText() + "\r\n");
  EXPECT_TRUE(session_.DateCombo.Items.empty());
  EXPECT_FALSE(session_.PageControl1Visible);
  EXPECT_EQ(prompts_.beeps, 0);
}

TEST_F(SessionTest, TheDateListIsNewestFirst) {
  Start();
  testsupport::StoreDay(session_.Store(), "20240512", {{"05", 1, 8}});
  testsupport::StoreDay(session_.Store(), kYmd, {{"05", 1, 8}});
  session_.BuildDateList();
  EXPECT_EQ(session_.DateCombo.Items, (std::vector<std::string>{Day(), Day("20240512")}));
}

TEST_F(SessionTest, ALoadRunsEveryStepAndShowsTheFirstRace) {
  Start();
  testsupport::StoreDay(session_.Store(), kYmd, testsupport::TwelveRacesAt({"08", "05"}));
  session_.BuildDateList();
  RecordHooks();
  ASSERT_EQ(session_.ChooseDate(Day()), app::LoadResult::kLoaded);

  EXPECT_EQ(hooks_, (std::vector<std::string>{"start", "schedule", "show 0 visible", "refresh"}));
  ASSERT_EQ(session_.DatList.Items.size(), 24u);
  EXPECT_EQ(codes::SjisToUtf8(session_.DatList.Items[0]), "東京 1R");
  EXPECT_EQ(codes::SjisToUtf8(session_.DatList.Items[23]), "京都12R");
  EXPECT_EQ(session_.DatList.ItemIndex, 0);
  EXPECT_TRUE(session_.PageControl1Visible);
  const store::RaceDay& day = session_.Day();
  EXPECT_EQ(day.CurrentSlot, 0);
  EXPECT_EQ(day.DayVenues[1], "05");
  EXPECT_EQ(day.DayVenues[2], "08");
  EXPECT_EQ(day.DayVenues[3], "");
  for (const std::string& stake : day.RaceStakeList) EXPECT_EQ(stake, "3000");
  // No odds files: the odds import still ran over every slot.
  EXPECT_EQ(store::RaceCombOdds(day, 35).Of(codes::BetType::UR, 1).odds, store::kOddsBlank);
  EXPECT_EQ(day.Work[0].AsaWinOdds[0], 0.0);
  // The payout tables were built from the matched payouts.
  EXPECT_EQ(day.DayPayouts[13].Tan[0].horse, 2);
  EXPECT_EQ(day.DayPayouts[13].Tan[0].payout, 560);
  EXPECT_EQ(prompts_.beeps, 0);
}

TEST_F(SessionTest, TheMarksComeFromTheMorningOddsOfEveryRace) {
  Start();
  testsupport::StoreDay(session_.Store(), kYmd, {{"05", 1, 8}, {"05", 2, 8}});
  testsupport::WriteFileBytes(Data("2024年05月18日.jvO1a"),
                              testsupport::O1Of(KeyOf(kYmd, "05", 1), {15, 30, 60, 100}) +
                                  testsupport::O1Of(KeyOf(kYmd, "05", 2), {90, 20, 40, 100}));
  ASSERT_EQ(session_.ChooseDate(Day()), app::LoadResult::kLoaded);
  const store::RaceDay& day = session_.Day();
  EXPECT_DOUBLE_EQ(day.Work[0].OzAve123, 3.5);
  EXPECT_DOUBLE_EQ(day.Work[1].OzAve123, 5.0);
  EXPECT_EQ(day.Work[0].URTaisho, 1);
  EXPECT_EQ(day.Work[1].URTaisho, 2);
  EXPECT_EQ(day.Work[1].AsaWinRank[0], 3);
  EXPECT_EQ(day.Work[1].AsaWinRank[1], 1);
}

TEST_F(SessionTest, TheStakeListTakesTheDefaultAmountOfTheSettings) {
  Start();
  session_.Settings().SetDefaultAmount(5000);
  testsupport::StoreDay(session_.Store(), kYmd, {{"05", 1, 8}});
  session_.ChooseDate(Day());
  EXPECT_EQ(session_.Day().RaceStakeList[35], "5000");
}

TEST_F(SessionTest, ALoadClearsTheMorningOddsFlagsOfTheDayBefore) {
  Start();
  testsupport::StoreDay(session_.Store(), kYmd, {{"05", 1, 8}});
  session_.Day().AsaFetched1[0] = 1;
  session_.Day().AsaFetched1[35] = 1;
  session_.ChooseDate(Day());
  EXPECT_EQ(session_.Day().AsaFetched1[0], 0);
  EXPECT_EQ(session_.Day().AsaFetched1[35], 0);
}

TEST_F(SessionTest, LoadingTheSameDayTwiceGivesTheSameRaceDay) {
  Start();
  testsupport::StoreDay(session_.Store(), kYmd, testsupport::TwelveRacesAt({"05", "08"}));
  session_.ChooseDate(Day());
  auto first = std::make_unique<store::RaceDay>(session_.Day());
  const auto items = session_.DatList.Items;
  session_.ChooseDate(Day());
  EXPECT_EQ(session_.Day(), *first);
  EXPECT_EQ(session_.DatList.Items, items);
}

TEST_F(SessionTest, AMissingDayFileBeepsInformsAndKeepsTheWorkAreaHidden) {
  Start();
  testsupport::StoreDay(session_.Store(), kYmd, {{"05", 1, 8}});
  session_.ChooseDate(Day());
  session_.Day().Work[0].URTaisho = 1;
  RecordHooks();
  prompts_.Clear();

  EXPECT_EQ(session_.ChooseDate(Day("20240519")), app::LoadResult::kNoDayFile);
  EXPECT_EQ(prompts_.Log, (std::vector<std::string>{"beep", "inform: データ作成が未完了のようです。"}));
  EXPECT_TRUE(session_.DatList.Items.empty());
  EXPECT_EQ(session_.DatList.ItemIndex, -1);
  EXPECT_FALSE(session_.PageControl1Visible);
  EXPECT_EQ(hooks_, std::vector<std::string>{"start"});
  // The race work is reset; the raw records of the day before stay until a load succeeds.
  EXPECT_EQ(session_.Day().Work[0].URTaisho, 0);
  EXPECT_EQ(session_.Day().RaRec[0].Field(12, 16), KeyOf(kYmd, "05", 1));
}

TEST_F(SessionTest, ADateThatIsNoDayPrefixIsADayWithoutDayFile) {
  Start();
  for (const std::string& text : {std::string(), std::string("../../etc/x"), Day().substr(0, 10)}) {
    prompts_.Clear();
    EXPECT_EQ(session_.ChooseDate(text), app::LoadResult::kNoDayFile);
    EXPECT_EQ(prompts_.beeps, 1);
  }
}

TEST_F(SessionTest, SelectingARaceOutsideTheListIsAnError) {
  Start();
  EXPECT_THROW(session_.SelectRace(0), codes::LogicError);
}

// Stores the favourite of race `race` at 東京 on 2024年05月12日 with its finishing place.
void StoreFavourite(store::RecordStore& store, int race, const char* place) {
  std::string se = testsupport::SeOf(KeyOf("20240512", "05", race), 1);
  testsupport::Put(se, 364, "01");
  testsupport::Put(se, 335, place);
  store.StoreRunnerRecord(store.Disk(), se, true);
}

TEST_F(SessionTest, TheDayBeforeInTheDateListGivesThePreviousDayCounts) {
  Start();
  testsupport::StoreDay(session_.Store(), "20240512", {{"05", 1, 8}, {"05", 2, 8}, {"05", 3, 8}});
  StoreFavourite(session_.Store(), 1, "01");
  StoreFavourite(session_.Store(), 2, "01");
  StoreFavourite(session_.Store(), 3, "02");
  testsupport::StoreDay(session_.Store(), kYmd, testsupport::TwelveRacesAt({"05", "08"}));
  session_.BuildDateList();

  ASSERT_EQ(session_.ChooseDate(Day()), app::LoadResult::kLoaded);
  EXPECT_EQ(session_.Day().PreDayFav1st[1], 2);
  EXPECT_EQ(session_.Day().PreDayFav2nd[1], 1);
  EXPECT_EQ(session_.Day().PreDayPresent[1], 1);
  EXPECT_EQ(session_.Day().PreDayPresent[2], 0);

  // The oldest day has no day before it: its counts are cleared.
  ASSERT_EQ(session_.ChooseDate(Day("20240512")), app::LoadResult::kLoaded);
  EXPECT_EQ(session_.Day().PreDayFav1st[1], 0);
  EXPECT_EQ(session_.Day().PreDayPresent[1], 0);
}

TEST_F(SessionTest, ABadRunnerFileOfTheDayBeforeRejectsTheLoad) {
  Start();
  testsupport::StoreDay(session_.Store(), kYmd, testsupport::TwelveRacesAt({"05", "08"}));
  testsupport::WriteFileBytes(Data("2024年05月12日東京.jvSEr"), std::string(600, ' '));
  testsupport::WriteFileBytes(Data("2024年05月12日.jvRA"), "");
  session_.BuildDateList();
  EXPECT_EQ(session_.ChooseDate(Day()), app::LoadResult::kRejected);
  EXPECT_NE(prompts_.InformsUtf8().back().find("2024年05月12日東京.jvSEr"), std::string::npos);
  EXPECT_TRUE(session_.DatList.Items.empty());
}

TEST_F(SessionTest, AnOddsTextThatIsNoNumberStopsTheLoadWithoutAChoosableRace) {
  Start();
  testsupport::StoreDay(session_.Store(), kYmd, {{"05", 1, 8}});
  std::string o1 = testsupport::RecordWithKey("O1", store::kO1Length, '1', KeyOf(kYmd, "05", 1));
  testsupport::Put(o1, 44, "011x3401");
  testsupport::WriteFileBytes(Data("2024年05月18日.jvO1a"), o1);
  RecordHooks();
  EXPECT_EQ(session_.ChooseDate(Day()), app::LoadResult::kFailed);
  EXPECT_EQ(prompts_.beeps, 1);
  EXPECT_TRUE(session_.DatList.Items.empty());
  EXPECT_FALSE(session_.PageControl1Visible);
  EXPECT_EQ(hooks_, std::vector<std::string>{"start"});
}

// A bad day 2024年05月19日 and the file its message must name.
struct BadSessionDay {
  const char* name;
  std::function<void(app::Session&)> spoil;
  const char* file;
};

void WriteData(app::Session& s, const std::string& name, const std::string& bytes) {
  testsupport::WriteFileBytes(s.Store().DataFolder() / name, bytes);
}

std::string Races(int count, const std::vector<std::string>& courses, int runners = 8) {
  std::string bytes;
  for (int i = 0; i < count; ++i) {
    const auto& course = courses[static_cast<size_t>(i) % courses.size()];
    bytes += testsupport::RaOf(KeyOf("20240519", course, i / static_cast<int>(courses.size()) + 1),
                               runners);
  }
  return bytes;
}

void PrintTo(const BadSessionDay& c, std::ostream* os) { *os << c.name; }

// clang-format off
const BadSessionDay kBadSessionDays[] = {
  {"DayFileEndsInsideARecord", [](app::Session& s) { WriteData(s, "2024年05月19日.jvRA", Races(3, {"05"}).substr(0, 3000)); }, "2024年05月19日.jvRA"},
  {"NineteenRunners",          [](app::Session& s) { WriteData(s, "2024年05月19日.jvRA", Races(1, {"05"}, 19)); },             "2024年05月19日.jvRA"},
  {"FourRacecourses",          [](app::Session& s) { WriteData(s, "2024年05月19日.jvRA", Races(4, {"01", "02", "03", "04"})); }, "2024年05月19日.jvRA"},
  {"ThirtySevenRaces",         [](app::Session& s) { WriteData(s, "2024年05月19日.jvRA", Races(36, {"05", "06", "08"}) + Races(1, {"05"})); },   "2024年05月19日.jvRA"},
  {"RunnerFileCutShort",       [](app::Session& s) {
     testsupport::StoreDay(s.Store(), "20240519", {{"05", 3, 8}});
     WriteData(s, "2024年05月19日東京.jvSEr", testsupport::BlankRecord(555));
   }, "2024年05月19日東京.jvSEr"},
  {"OddsRecordOfWrongLength",  [](app::Session& s) {
     testsupport::StoreDay(s.Store(), "20240519", {{"05", 1, 8}});
     WriteData(s, "2024年05月19日.jvO2a", std::string(2000, ' ') + "\r\n");
   }, "2024年05月19日.jvO2a"},
};
// clang-format on

class BadSessionDayTest : public SessionTest,
                          public ::testing::WithParamInterface<BadSessionDay> {};

TEST_P(BadSessionDayTest, KeepsTheDayBeforeShownAndChangesNoFile) {
  Start();
  testsupport::StoreDay(session_.Store(), kYmd, testsupport::TwelveRacesAt({"05", "08"}));
  session_.ChooseDate(Day());
  session_.SelectRace(5);
  GetParam().spoil(session_);
  session_.BuildDateList();
  session_.DateCombo.Text = Day();
  auto before = std::make_unique<store::RaceDay>(session_.Day());
  const auto items = session_.DatList.Items;
  const auto files = testsupport::FolderSnapshot(home_.path());
  RecordHooks();
  prompts_.Clear();

  EXPECT_EQ(session_.ChooseDate(Day("20240519")), app::LoadResult::kRejected);
  ASSERT_EQ(prompts_.Log.size(), 2u);
  EXPECT_EQ(prompts_.Log[0], "beep");
  EXPECT_NE(prompts_.Log[1].find(GetParam().file), std::string::npos) << prompts_.Log[1];
  EXPECT_EQ(session_.Day(), *before);
  EXPECT_EQ(session_.DatList.Items, items);
  EXPECT_EQ(session_.DatList.ItemIndex, 5);
  EXPECT_TRUE(session_.PageControl1Visible);
  EXPECT_EQ(session_.DateCombo.Text, Day());
  EXPECT_TRUE(hooks_.empty());
  // The box explains in plain words; the technical detail goes to the error log, which is
  // the one file that changes.
  auto after = testsupport::FolderSnapshot(home_.path());
  const std::string log_key = (home_.path() / "ErrorLog.txt").string();
  const std::string log_before = files.count(log_key) ? files.at(log_key) : std::string();
  const std::string log_after = after[log_key];
  ASSERT_EQ(log_after.compare(0, log_before.size(), log_before), 0);
  EXPECT_NE(codes::SjisToUtf8Lenient(log_after.substr(log_before.size())).find(GetParam().file),
            std::string::npos)
      << log_after;
  after.erase(log_key);
  auto unchanged = files;
  unchanged.erase(log_key);
  EXPECT_EQ(after, unchanged);
}

INSTANTIATE_TEST_SUITE_P(BadInput, BadSessionDayTest, ::testing::ValuesIn(kBadSessionDays),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

namespace {

// Another program holds the program folder while this one files a record: the write
// waits, the status line names the holder, and the record is filed once it is free. A
// line of the error log, which steps that only read also write, does not wait.
TEST_F(SessionTest, AWriteWaitsForAnotherProgramAndTheStatusLineSaysForWhom) {
  Start();
  store::FolderLock other(session_.Store().WriteLock().File());
  other.SetHolderName("quorvane-cli pull");
  other.Acquire();
  session_.Store().AppendErrorLog("while the other writes");
  EXPECT_TRUE(prompts_.statuses.empty());

  std::thread release([&other] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    other.Release();
  });
  const std::string ra = testsupport::RaOf(KeyOf(kYmd, "05", 1), 8, "1000");
  EXPECT_TRUE(session_.Store().StoreDayRecord(session_.Store().Disk(), ra, ".jvRA", true,
                                              store::OrderMode::kSortAndDrop));
  release.join();
  ASSERT_FALSE(prompts_.statuses.empty());
  EXPECT_EQ(prompts_.statuses.size(), 1u);  // said once, not at every poll
  EXPECT_EQ(prompts_.statuses.front().first, app::Session::kStatusLine);
  EXPECT_EQ(codes::SjisToUtf8(prompts_.statuses.front().second),
            "ほかのプログラム（quorvane-cli pull (pid " + std::to_string(::getpid()) +
                ")）がデータを書き込み中です。終わるまで待ちます…");
  EXPECT_EQ(testsupport::ReadFileBytes(Data(codes::SjisToUtf8(Day()) + ".jvRA")),
            ra);
}

}  // namespace
