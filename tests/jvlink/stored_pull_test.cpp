#include "jvlink/stored_pull.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/settings.h"
#include "codes/cp932.h"
#include "codes/errors.h"
#include "feed_test_support.h"
#include "jvlink/feed_jv_link.h"
#include "jvlink/result_message.h"
#include "jvlink/write_back_line_files.h"
#include "samplefeed/feed_writer.h"
#include "store/record_lengths.h"
#include "support/case_name.h"
#include "support/record_builder.h"
#include "support/temp_dir.h"

namespace jvlink {
namespace {

namespace fs = std::filesystem;
using testsupport::Put;
using testsupport::PutNumber;
using testsupport::RecordWithKey;

// 2024-05-18, Tokyo (05), meeting 2, day 1, race 11.
constexpr const char* kKey = "2024051805020111";

std::string U8(const std::string& sjis) { return codes::SjisToUtf8Lenient(sjis); }
std::string KeyOf(const std::string& ymd, int race) {
  char key[32];
  std::snprintf(key, sizeof key, "%s050201%02d", ymd.c_str(), race);
  return key;
}

std::string Ra(const std::string& key = kKey, char kind = '2', int registered = 16) {
  std::string r = RecordWithKey("RA", store::kRaLength, kind, key, "20240516");
  PutNumber(r, 882, 2, registered);
  return r;
}
std::string Se(const std::string& key = kKey, int horse = 3, char kind = '2') {
  std::string r = RecordWithKey("SE", store::kSeLength, kind, key, "20240516");
  PutNumber(r, 29, 2, horse);
  Put(r, 41, codes::Sj("テストホース"));
  return r;
}
std::string Hr(const std::string& key = kKey, char kind = '2') {
  return RecordWithKey("HR", store::kHrLength, kind, key, "20240518");
}
std::string Odds(int n, const std::string& key = kKey, char kind = '3') {
  static const int kLengths[] = {store::kO1Length, store::kO2Length, store::kO3Length,
                                 store::kO4Length, store::kO5Length, store::kO6Length};
  return RecordWithKey("O" + std::to_string(n), kLengths[n - 1], kind, key, "20240518");
}

// Every prompt as a line of UTF-8: "beep", "inform:…", "confirm:…", "status:…".
class RecordingPrompts : public platform::UserPrompts {
 public:
  void Beep() override { events.push_back("beep"); }
  void Inform(const std::string& text) override { events.push_back("inform:" + U8(text)); }
  bool Confirm(const std::string& text) override {
    events.push_back("confirm:" + U8(text));
    return answer;
  }
  void SetStatus(const std::string& where, const std::string& text) override {
    if (where == StoredPull::kStatusLabel) events.push_back("status:" + U8(text));
    if (where == StoredPull::kRecordLabel) record_labels.push_back(U8(text));
  }
  void SetProgress(const std::string& where, int position, int maximum) override {
    bars[where] = {position, maximum};
  }
  void ProcessEvents() override {
    ++turns;
    if (on_turn) on_turn(turns);
  }
  std::vector<std::string> Statuses() const {
    std::vector<std::string> out;
    for (const std::string& e : events) {
      if (e.rfind("status:", 0) == 0) out.push_back(e.substr(7));
    }
    return out;
  }

  std::vector<std::string> events;
  std::vector<std::string> record_labels;
  std::map<std::string, std::pair<int, int>> bars;
  bool answer = true;
  int turns = 0;
  std::function<void(int turn)> on_turn;
};

// JV-Link as a script: JVOpen's results, JVStatus's answers in turn, and JVRead's
// items in turn (a record, or "#code").
class ScriptedJVLink : public JVLink {
 public:
  int JVInit(const std::string&) override { return 0; }
  int JVSetUIProperties() override { return setui_result; }
  int JVOpen(const std::string& dataspec, const std::string& fromtime, int option, int& readcount,
             int& downloadcount, std::string& lastfiletimestamp) override {
    calls.push_back("JVOpen " + dataspec + " " + fromtime + " " + std::to_string(option));
    readcount = read_count;
    downloadcount = download_count;
    lastfiletimestamp = stamp;
    return open_result;
  }
  int JVStatus() override {
    if (statuses.empty()) return download_count;
    const int n = statuses.front();
    statuses.pop_front();
    return n;
  }
  int JVRead(std::string& buff, int size, std::string& filename) override {
    ++read_calls;
    EXPECT_EQ(size, 100000);
    if (reads.empty()) return 0;
    const std::string item = reads.front();
    reads.pop_front();
    if (item.front() == '#') return std::stoi(item.substr(1));
    buff = item;
    filename = "TEST.jvd";
    return static_cast<int>(item.size());
  }
  int JVRTOpen(const std::string&, const std::string&) override { return -111; }
  int JVCancel() override {
    calls.push_back("JVCancel");
    return 0;
  }
  int JVClose() override {
    calls.push_back("JVClose");
    return close_result;
  }

  int open_result = 0;
  int read_count = 2;
  int download_count = 0;
  std::string stamp = "20240518103000";
  std::deque<int> statuses;
  std::deque<std::string> reads;
  int close_result = 0;
  int setui_result = 0;
  int read_calls = 0;
  std::vector<std::string> calls;
};

class StoredPullTest : public ::testing::Test {
 protected:
  StoredPullTest() { store.PrepareFolders(); }

  std::unique_ptr<StoredPull> Open(JVLink& link, PullWriting writing = PullWriting::kBatched) {
    auto pull = std::make_unique<StoredPull>(link, prompts, settings, clock, store, writing);
    pull->SetStartMoment({2024, 5, 11, 9, 0, 0});
    return pull;
  }
  std::unique_ptr<StoredPull> Open() { return Open(jv); }
  fs::path DayFile(const std::string& utf8_name) const {
    return store.DataFolder() / fs::path(std::u8string(utf8_name.begin(), utf8_name.end()));
  }
  std::string StoredLastTime() const { return settings.LastTimeText(clock.Now()); }
  bool Called(const std::string& call) const {
    return std::find(jv.calls.begin(), jv.calls.end(), call) != jv.calls.end();
  }

  testsupport::TempDir home;
  platform::FixedClock clock{{2024, 5, 18, 10, 30, 0}};
  store::RecordStore store{home.path(), clock};
  app::Settings settings{home.path() / "Quorvane.ini"};
  RecordingPrompts prompts;
  ScriptedJVLink jv;
};

TEST_F(StoredPullTest, OpeningStartsFromLastTimeOrAWeekBack) {
  EXPECT_EQ(StoredPull(jv, prompts, settings, clock, store).StartMoment(),
            (platform::LocalTime{2024, 5, 11, 10, 30, 0}));
  settings.Ini().WriteString("JvDataGet", "LastTime", "not a time");
  EXPECT_EQ(StoredPull(jv, prompts, settings, clock, store).StartMoment(),
            (platform::LocalTime{2024, 5, 11, 10, 30, 0}));
  settings.Ini().WriteString("JvDataGet", "LastTime", "2024/04/01 08:00:00");
  EXPECT_EQ(StoredPull(jv, prompts, settings, clock, store).StartMoment(),
            (platform::LocalTime{2024, 4, 1, 8, 0, 0}));
}

TEST_F(StoredPullTest, NothingDownloadedReadsAtOnceWithTheExactTexts) {
  jv.reads = {Ra(), "#-1", Se(), "#-1", "#0"};
  auto pull = Open();
  pull->Start();

  EXPECT_EQ(prompts.events.front(),
            "inform:2024年05月11日09時00分00秒以降のデータ取込を開始します。データ作成が終了するまで"
            "本ソフトを操作したり他のアプリケーションを操作することは極力避けてください。");
  EXPECT_EQ(jv.calls, (std::vector<std::string>{"JVOpen RACE 20240511090000 1", "JVClose"}));
  EXPECT_EQ(prompts.Statuses(), (std::vector<std::string>{
                                    "JVOpen正常:正常に実行されました。(0)",
                                    "ReadCount:2, DownloadCount:0",
                                    "データ読込み中．．．(0/2)",
                                    "データ読込み中．．．(1/2)",
                                    "データ読込み中．．．(2/2)",
                                    "データ読込み完了(2/2)",
                                    "データ作成が完了しました。",
                                    "取込件数:2件、破棄件数:0件（うち不正なレコード:0件）",
                                }));
  EXPECT_FALSE(pull->PollTimerRunning());
  EXPECT_EQ(pull->outcome(), StoredPull::Outcome::kCompleted);
  EXPECT_EQ(prompts.events.back(), "beep");  // the end signal of the close step
  EXPECT_EQ(prompts.bars[StoredPull::kReadBar], (std::pair<int, int>{0, 2}));
  EXPECT_TRUE(fs::exists(DayFile("2024年05月18日.jvRA")));
  EXPECT_TRUE(fs::exists(DayFile("2024年05月18日東京.jvSEr")));
}

TEST_F(StoredPullTest, DownloadIsPolledThenRead) {
  jv.download_count = 3;
  jv.statuses = {1, 2, 3};
  jv.reads = {Ra(), "#-1", "#-1", "#0"};
  auto pull = Open();
  pull->Start();
  EXPECT_TRUE(pull->PollTimerRunning());
  EXPECT_EQ(pull->phase(), StoredPull::Phase::kDownloading);
  EXPECT_EQ(prompts.Statuses().back(), "ダウンロード中・・・");
  EXPECT_EQ(jv.read_calls, 0);

  pull->Poll();
  EXPECT_EQ(prompts.Statuses().back(), "ダウンロード中．．．(1/3)");
  EXPECT_EQ(prompts.bars[StoredPull::kDownloadBar], (std::pair<int, int>{1, 3}));
  pull->Poll();
  EXPECT_TRUE(pull->PollTimerRunning());
  pull->Poll();
  EXPECT_FALSE(pull->PollTimerRunning());
  EXPECT_EQ(pull->phase(), StoredPull::Phase::kIdle);
  EXPECT_TRUE(Called("JVClose"));
  const auto statuses = prompts.Statuses();
  EXPECT_NE(std::find(statuses.begin(), statuses.end(), "ダウンロード中．．．(3/3)"), statuses.end());
  EXPECT_NE(std::find(statuses.begin(), statuses.end(), "データ作成が完了しました。"), statuses.end());
  EXPECT_EQ(pull->Counts().filed, 1);
}

TEST_F(StoredPullTest, NothingNewerWhetherOpenSaysSoOrOffersNoFiles) {
  for (auto [result, count] : {std::pair{-1, 5}, std::pair{0, 0}}) {
    ScriptedJVLink link;
    link.open_result = result;
    link.read_count = count;
    prompts.events.clear();
    auto pull = Open(link);
    pull->Start();
    EXPECT_EQ(pull->outcome(), StoredPull::Outcome::kNothingNewer);
    EXPECT_EQ(std::vector<std::string>(prompts.events.begin() + 1, prompts.events.end()),
              (std::vector<std::string>{"beep", "inform:最新のデータがありません。", "beep"}))
        << result;
    EXPECT_EQ(link.calls.back(), "JVClose");
    EXPECT_EQ(link.read_calls, 0);
  }
  EXPECT_EQ(StoredLastTime(), "2024/05/11 10:30:00");
}

enum class Failing { kOpen, kStatus, kRead, kClose, kSetUI };
struct FailureCase {
  const char* name;
  Failing failing;
  int code;
  const char* prefix;
  const char* operation;
};

class PullFailureTest : public StoredPullTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(PullFailureTest, ShowsThePrefixAndResultMessageAfterABeep) {
  const FailureCase& c = GetParam();
  jv.reads = {Ra(), "#-1", "#-1", "#0"};
  switch (c.failing) {
    case Failing::kOpen: jv.open_result = c.code; break;
    case Failing::kStatus: jv.download_count = 2, jv.statuses = {1, c.code}; break;
    case Failing::kRead: jv.reads = {Ra(), std::string("#") + std::to_string(c.code)}; break;
    case Failing::kClose: jv.close_result = c.code; break;
    case Failing::kSetUI: jv.setui_result = c.code; break;
  }
  auto pull = Open();
  if (c.failing == Failing::kSetUI) {
    pull->JVLinkSettings();
  } else {
    pull->Start();
    while (pull->PollTimerRunning()) pull->Poll();
  }
  const std::string expected =
      "inform:" + std::string(c.prefix) + U8(ResultMessage(c.operation, c.code));
  auto it = std::find(prompts.events.begin(), prompts.events.end(), expected);
  ASSERT_NE(it, prompts.events.end()) << expected;
  ASSERT_NE(it, prompts.events.begin());
  EXPECT_EQ(*(it - 1), "beep");
  if (c.failing != Failing::kSetUI) {
    EXPECT_EQ(jv.calls.back(), "JVClose");
    EXPECT_EQ(pull->outcome(), StoredPull::Outcome::kFailed);
  }
  EXPECT_EQ(StoredLastTime(), c.failing == Failing::kClose ? "2024/05/18 10:30:00"
                                                            : "2024/05/11 10:30:00");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Prefixes, PullFailureTest, ::testing::Values(
  FailureCase{"Open",   Failing::kOpen,   -301, "JVOpenエラー:",             "JVOpen"},
  FailureCase{"Status", Failing::kStatus, -502, "JVStatusエラー:",           "JVStatus"},
  FailureCase{"Read",   Failing::kRead,   -503, "JVReadエラー:",             "JVRead"},
  FailureCase{"Close",  Failing::kClose,  -1,   "JVCloseエラー:",            "JVClose"},
  FailureCase{"SetUI",  Failing::kSetUI,  -100, "JVSetUIPropertiesエラー：", "JVSetUIProperties"}
), [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(StoredPullTest, CancelDuringDownloadClosesAtOnce) {
  jv.download_count = 2;
  auto pull = Open();
  pull->Start();
  prompts.answer = false;
  pull->Cancel();
  EXPECT_TRUE(pull->PollTimerRunning());
  EXPECT_FALSE(Called("JVCancel"));

  prompts.answer = true;
  prompts.events.clear();
  pull->Cancel();
  EXPECT_FALSE(pull->PollTimerRunning());
  EXPECT_EQ(prompts.events, (std::vector<std::string>{
                                "confirm:データ取込を中止します。実行しますか？", "beep",
                                "inform:JVCancel:キャンセルされました",
                                "status:JVCancel:キャンセルされました", "beep"}));
  EXPECT_EQ(jv.calls, (std::vector<std::string>{"JVOpen RACE 20240511090000 1", "JVCancel",
                                                "JVClose"}));
  EXPECT_EQ(jv.read_calls, 0);
}

TEST_F(StoredPullTest, CancelDuringReadingStopsAtTheNextTurnAndKeepsWhatWasRead) {
  jv.reads = {Ra(KeyOf("20240518", 1)), Ra(KeyOf("20240518", 2)), Ra(KeyOf("20240518", 3)), "#0"};
  auto pull = Open();
  prompts.on_turn = [&](int turn) {
    if (turn == 2) pull->Cancel();
  };
  pull->Start();
  EXPECT_EQ(jv.read_calls, 1);
  EXPECT_EQ(pull->outcome(), StoredPull::Outcome::kCancelled);
  EXPECT_EQ(jv.calls, (std::vector<std::string>{"JVOpen RACE 20240511090000 1", "JVCancel",
                                                "JVClose"}));
  EXPECT_EQ(testsupport::ReadFileBytes(DayFile("2024年05月18日.jvRA")).size(),
            static_cast<size_t>(store::kRaLength));
  EXPECT_EQ(StoredLastTime(), "2024/05/11 10:30:00");
  EXPECT_EQ(prompts.Statuses().back(), "取込件数:1件、破棄件数:0件（うち不正なレコード:0件）");
}

TEST_F(StoredPullTest, ClosingTheDialogClosesAnOpenStreamThenRebuildsTheDateList) {
  int closed = 0;
  jv.download_count = 2;
  auto pull = Open();
  pull->SetOnClosed([&] { ++closed; });
  pull->Start();
  pull->Close();
  EXPECT_EQ(closed, 1);
  EXPECT_EQ(jv.calls.back(), "JVClose");
  EXPECT_FALSE(pull->PollTimerRunning());

  // From inside the read loop the dialog closes once the loop has closed the stream.
  ScriptedJVLink reading;
  reading.reads = {Ra(), Ra(KeyOf("20240518", 2)), "#0"};
  auto second = Open(reading);
  second->SetOnClosed([&] {
    ++closed;
    EXPECT_EQ(reading.calls.back(), "JVClose");
  });
  prompts.on_turn = [&](int turn) {
    if (turn == 2) second->Close();
  };
  second->Start();
  EXPECT_EQ(closed, 2);
  EXPECT_EQ(reading.read_calls, 1);
}

TEST_F(StoredPullTest, StartWhileAStreamIsOpenDoesNothing) {
  jv.download_count = 2;
  auto pull = Open();
  pull->Start();
  pull->Start();
  EXPECT_EQ(jv.calls, (std::vector<std::string>{"JVOpen RACE 20240511090000 1"}));
}

struct StampCase {
  const char* stamp;
  const char* last_time;  // the stored text afterwards
};
class LastTimeTest : public StoredPullTest, public ::testing::WithParamInterface<StampCase> {};

TEST_P(LastTimeTest, MovesOnOnlyForARealStamp) {
  jv.stamp = GetParam().stamp;
  jv.reads = {"#0"};
  auto pull = Open();
  pull->Start();
  EXPECT_EQ(StoredLastTime(), GetParam().last_time);
  platform::LocalTime expected;
  ASSERT_TRUE(platform::ParseLocalTime(GetParam().last_time, expected));
  if (std::string(GetParam().stamp) == "20240518103000") {
    EXPECT_EQ(pull->StartMoment(), expected);
  } else {
    EXPECT_EQ(pull->StartMoment(), (platform::LocalTime{2024, 5, 11, 9, 0, 0}));
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Stamps, LastTimeTest, ::testing::Values(
  StampCase{"20240518103000", "2024/05/18 10:30:00"},
  StampCase{"00000000000000", "2024/05/11 10:30:00"},
  StampCase{"",               "2024/05/11 10:30:00"},
  StampCase{"              ", "2024/05/11 10:30:00"},
  StampCase{"2024051810300X", "2024/05/11 10:30:00"}
),
    testsupport::CaseNameOf(&StampCase::stamp));
// clang-format on

TEST_F(StoredPullTest, BadRecordsAreCountedAndThePullGoesOn) {
  std::string short_ra = Ra().substr(0, store::kRaLength - 3) + "\r\n";
  std::string garbled_date = Se();
  Put(garbled_date, 16, "05x8");
  std::string garbage(40, '\x01');
  garbage += "\r\n";
  jv.reads = {Ra(), short_ra, garbage, garbled_date, Hr(), Odds(1), "#0"};
  auto pull = Open();
  pull->Start();
  EXPECT_EQ(pull->Counts().filed, 2);
  EXPECT_EQ(pull->Counts().bad, 3);
  EXPECT_EQ(pull->Counts().skipped, 1);  // odds without the final-odds option
  const auto statuses = prompts.Statuses();
  ASSERT_GE(statuses.size(), 2u);
  EXPECT_EQ(statuses[statuses.size() - 2], "データ作成が完了しました。");
  EXPECT_EQ(statuses.back(), "取込件数:2件、破棄件数:4件（うち不正なレコード:3件）");
  EXPECT_TRUE(fs::exists(DayFile("2024年05月18日.jvHR")));
  EXPECT_EQ(StoredLastTime(), "2024/05/18 10:30:00");
}

TEST_F(StoredPullTest, AJVLinkErrorKeepsTheRecordsReadBeforeIt) {
  jv.reads = {Ra(), Hr(), "#-502"};
  Open()->Start();
  EXPECT_TRUE(fs::exists(DayFile("2024年05月18日.jvRA")));
  EXPECT_TRUE(fs::exists(DayFile("2024年05月18日.jvHR")));
  EXPECT_EQ(StoredLastTime(), "2024/05/11 10:30:00");
}

TEST_F(StoredPullTest, AFileErrorEndsThePullAfterWritingTheOtherFiles) {
  fs::create_directories(DayFile("2024年05月18日.jvRA"));  // a folder where the file belongs
  jv.reads = {Hr(), Ra(), Se(), "#0"};
  auto pull = Open();
  EXPECT_THROW(pull->Start(), codes::InputError);
  EXPECT_TRUE(fs::exists(DayFile("2024年05月18日.jvHR")));
  EXPECT_EQ(jv.calls.back(), "JVClose");
  EXPECT_EQ(pull->phase(), StoredPull::Phase::kIdle);
  EXPECT_EQ(StoredLastTime(), "2024/05/11 10:30:00");
}

TEST_F(StoredPullTest, AMissingFeedFolderIsAJVLinkErrorNotACrash) {
  FeedJVLink link(home.path() / "no-feed", clock);
  ASSERT_EQ(link.JVInit(FeedFixture::kSid), 0);
  Open(link)->Start();
  EXPECT_NE(std::find(prompts.events.begin(), prompts.events.end(),
                      "inform:JVOpenエラー:" + U8(ResultMessage("JVOpen", -401))),
            prompts.events.end());
}

TEST_F(StoredPullTest, AnUnreadableFeedFileIsAReadError) {
  FeedFixture feed;
  feed.Stored("20240517120000_RA20240518.jvd", {Ra()});
  auto pull = Open(feed.Link());
  prompts.on_turn = [&](int) { fs::remove(feed.feed() / "stored" / "20240517120000_RA20240518.jvd"); };
  pull->Start();
  while (pull->PollTimerRunning()) pull->Poll();
  EXPECT_NE(std::find(prompts.events.begin(), prompts.events.end(),
                      "inform:JVReadエラー:" + U8(ResultMessage("JVRead", -503))),
            prompts.events.end()) << ::testing::PrintToString(prompts.events);
}

std::map<std::string, std::string> DataFiles(const fs::path& home) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::directory_iterator(home / "Data")) {
    files[e.path().filename().string()] = testsupport::ReadFileBytes(e.path());
  }
  return files;
}

// One completed pull of the whole feed with the final odds; the records filed.
long long PullWholeFeed(const fs::path& feed, const fs::path& home, const platform::Clock& clock,
                        PullWriting writing,
                        const std::function<void(store::RecordStore&)>& before) {
  store::RecordStore store(home, clock);
  store.PrepareFolders();
  before(store);
  app::Settings settings(home / "Quorvane.ini");
  RecordingPrompts prompts;
  FeedJVLink link(feed, clock);
  link.JVInit(FeedFixture::kSid);
  StoredPull pull(link, prompts, settings, clock, store, writing);
  pull.SetStartMoment({2024, 3, 1, 0, 0, 0});
  pull.SetFinalOdds(true);
  pull.Start();
  while (pull.PollTimerRunning()) pull.Poll();
  EXPECT_EQ(pull.outcome(), StoredPull::Outcome::kCompleted);
  return pull.Counts().filed;
}

// Both writings over one hand-made feed, onto the same files already in the store.
TEST(StoredPullWritingTest, BatchedAndPerRecordWritingGiveTheSameFiles) {
  FeedFixture feed;
  std::vector<std::string> day1, day2, odds;
  for (int race = 12; race >= 1; --race) {
    day1.push_back(Ra(KeyOf("20240518", race)));
    for (int horse = 1; horse <= 16; horse += 5) day1.push_back(Se(KeyOf("20240518", race), horse));
    day2.push_back(Hr(KeyOf("20240519", race)));
    for (int n = 1; n <= 6; ++n) odds.push_back(Odds(n, KeyOf("20240519", race)));
  }
  day1.push_back(Ra(KeyOf("20240518", 5), '7'));  // a later record of the same race replaces it
  odds.push_back(Odds(6, KeyOf("20240519", 3), '4'));
  feed.Stored("20240517120000_RA20240518.jvd", day1);
  feed.Stored("20240518090000_HR20240519.jvd", day2);
  feed.Stored("20240518100000_O20240519.jvd", odds);

  // Files from an earlier pull, with the blank lines the store rules care about.
  auto earlier_files = [](store::RecordStore& store) {
    testsupport::WriteFileBytes(store.DataFolder() / "2024年05月18日.jvRA",
                                "\r\n" + Ra(KeyOf("20240518", 1), '1'));
    testsupport::WriteFileBytes(store.DataFolder() / "2024年05月19日.jvHR", "\r\n");
  };
  testsupport::TempDir batched, per_record;
  const long long filed =
      PullWholeFeed(feed.feed(), batched.path(), feed.clock(), PullWriting::kBatched, earlier_files);
  PullWholeFeed(feed.feed(), per_record.path(), feed.clock(), PullWriting::kPerRecord,
                earlier_files);
  EXPECT_EQ(filed, static_cast<long long>(day1.size() + day2.size() + odds.size()));
  const auto files = DataFiles(batched.path());
  EXPECT_EQ(files.size(), 9u);  // RA, SE, HR and six odds files
  EXPECT_TRUE(files == DataFiles(per_record.path()));
}

// The same on a generated race day: entries, cards, results and final odds.
TEST(StoredPullWritingTest, BatchedAndPerRecordWritingAgreeOnAGeneratedFeed) {
  testsupport::TempDir feed, batched, per_record;
  samplefeed::WriteFeed({feed.path() / "feed", 20240406, 1, 7, false});
  platform::FixedClock clock({2024, 5, 1, 12, 0, 0});
  auto nothing = [](store::RecordStore&) {};
  const long long filed = PullWholeFeed(feed.path() / "feed", batched.path(), clock,
                                        PullWriting::kBatched, nothing);
  PullWholeFeed(feed.path() / "feed", per_record.path(), clock, PullWriting::kPerRecord, nothing);
  EXPECT_GT(filed, 1000);
  const auto files = DataFiles(batched.path());
  EXPECT_GE(files.size(), 9u);
  EXPECT_TRUE(files == DataFiles(per_record.path()));
}

}  // namespace
}  // namespace jvlink
