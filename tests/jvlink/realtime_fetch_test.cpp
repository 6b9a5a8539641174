#include "jvlink/realtime_fetch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codes/cp932.h"
#include "feed_test_support.h"
#include "store/record_lengths.h"
#include "support/record_builder.h"
#include "support/recording_prompts.h"
#include "support/temp_dir.h"

namespace jvlink {
namespace {

namespace fs = std::filesystem;

const std::string kKey = "2024051805020301";  // 東京, race 1
const std::string kDay = "20240518";

std::string Record(const std::string& id, int length, char kind = '1',
                   const std::string& key = kKey) {
  return testsupport::RecordWithKey(id, length, kind, key, "20240518");
}

std::string Se(int horse, const std::string& key = kKey) {
  std::string se = Record("SE", store::kSeLength, '5', key);
  testsupport::PutNumber(se, 29, 2, horse);
  return se;
}

std::string Sj(const char* utf8) { return codes::Sj(utf8); }

// JV-Link whose n-th JVRead fails with `code` (0: none fails), over a feed.
class FailingReads : public JVLink {
 public:
  explicit FailingReads(JVLink& inner) : inner_(inner) {}
  int fail_at = 0;
  int code = -502;
  int JVInit(const std::string& sid) override { return inner_.JVInit(sid); }
  int JVSetUIProperties() override { return inner_.JVSetUIProperties(); }
  int JVOpen(const std::string& d, const std::string& f, int o, int& r, int& c,
             std::string& s) override {
    return inner_.JVOpen(d, f, o, r, c, s);
  }
  int JVStatus() override { return inner_.JVStatus(); }
  int JVRead(std::string& buff, int size, std::string& name) override {
    if (++reads_ == fail_at) return code;
    return inner_.JVRead(buff, size, name);
  }
  int JVRTOpen(const std::string& d, const std::string& k) override {
    return inner_.JVRTOpen(d, k);
  }
  int JVCancel() override { return inner_.JVCancel(); }
  int JVClose() override { return inner_.JVClose(); }

 private:
  JVLink& inner_;
  int reads_ = 0;
};

class RealtimeFetchTest : public ::testing::Test {
 protected:
  RealtimeFetchTest() : store_(home_.path(), feed_.clock()) {
    store_.PrepareFolders();
    store_.StartErrorLog();
    log_lines_ = Log().size();
  }
  FetchReport Run(RealtimeLoop loop, bool timer_flag = false) {
    FeedJVLink& link = feed_.Link();
    reads_ = std::make_unique<FailingReads>(link);
    reads_->fail_at = fail_read_at_;
    RealtimeFetch fetch(*reads_, prompts_, store_);
    const bool odds = loop == RealtimeLoop::kOdds;
    return fetch.Run({loop, odds ? kKey : kDay, Sj("進行中"), Sj("東京 1R:前置き："), timer_flag});
  }
  std::vector<std::string> Log() {
    return store_.Disk().Load(store_.ErrorLogPath()).value_or(std::vector<std::string>{});
  }
  // The error-log lines written by the fetch, in UTF-8.
  std::vector<std::string> NewLogLines() {
    std::vector<std::string> lines = Log();
    std::vector<std::string> added;
    for (size_t i = log_lines_; i < lines.size(); ++i) added.push_back(codes::SjisToUtf8(lines[i]));
    return added;
  }
  std::vector<std::string> MainStatuses() const {
    std::vector<std::string> texts;
    for (const auto& [where, text] : prompts_.statuses) {
      if (where == RealtimeFetch::kStatusLabel) texts.push_back(codes::SjisToUtf8(text));
    }
    return texts;
  }
  std::optional<std::vector<std::string>> Data(const std::string& name) {
    return store_.Disk().Load(store_.DataFolder() / name);
  }

  FeedFixture feed_;
  testsupport::TempDir home_;
  testsupport::RecordingPrompts prompts_;
  store::RecordStore store_;
  std::unique_ptr<FailingReads> reads_;
  int fail_read_at_ = 0;
  size_t log_lines_ = 0;
};

// ---- Failures of the open, the read and the close ------------------------------------------

struct FailureCase {
  const char* name;
  RealtimeLoop loop;
  const char* operation;  // "JVRTOpen", "JVRead" or "JVClose"
  int code;
  bool timer_flag;
  std::vector<std::string> statuses;  // the status label, in order
  bool logged;                        // the last status text is in ErrorLog.txt
  int beeps;
};

class FetchFailures : public RealtimeFetchTest,
                      public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FetchFailures, ShowAndLogTheirTexts) {
  const FailureCase& c = GetParam();
  feed_.Realtime("0B30/" + kKey + "/05181000.jvd", {Record("O1", store::kO1Length)});
  feed_.Realtime("0B12/" + kDay + "/1004_" + kKey + ".jvd", {Record("HR", store::kHrLength)});
  feed_.Realtime("0B14/" + kDay + "/1000_" + kKey + ".jvd", {Record("TC", store::kTcLength)});
  FeedJVLink& used = feed_.Link();
  if (std::string(c.operation) != "JVRead") used.FailNext(c.operation, c.code);
  reads_ = std::make_unique<FailingReads>(used);
  reads_->fail_at = std::string(c.operation) == "JVRead" ? 1 : 0;
  reads_->code = c.code;
  RealtimeFetch fetch(*reads_, prompts_, store_);
  const bool odds = c.loop == RealtimeLoop::kOdds;
  const FetchReport report =
      fetch.Run({c.loop, odds ? kKey : kDay, Sj("進行中"), Sj("東京 1R:前置き："), c.timer_flag});

  EXPECT_EQ(report.outcome, FetchOutcome::kFailed);
  EXPECT_EQ(MainStatuses(), c.statuses);
  EXPECT_EQ(prompts_.beeps, c.beeps);
  std::vector<std::string> expected_log;
  if (c.logged) expected_log.push_back("【エラー】10:30:00：" + c.statuses.back());
  EXPECT_EQ(NewLogLines(), expected_log);
  EXPECT_EQ(used.JVRTOpen("0B12", kDay), 0) << "the stream was left open";
}

const std::string kRead502 = "ダウンロードに失敗しました。(通信エラーやディスクエラー)(-502)";
const std::string kOpen504 = "東京 1R:前置き：サーバーがメンテナンス中です。(-504)";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, FetchFailures, ::testing::Values(
  FailureCase{"OddsOpen",    RealtimeLoop::kOdds, "JVRTOpen", -504, false, {"進行中", kOpen504}, true, 1},
  FailureCase{"OddsRead",    RealtimeLoop::kOdds, "JVRead",   -502, false, {"進行中", kRead502}, true, 1},
  FailureCase{"OddsClose",   RealtimeLoop::kOdds, "JVClose",  -201, false, {"進行中", "(-201)"}, true, 1},
  FailureCase{"ResultOpen",  RealtimeLoop::kResults, "JVRTOpen", -504, false, {"進行中", kOpen504}, true, 3},
  FailureCase{"ResultOpenByTimer", RealtimeLoop::kResults, "JVRTOpen", -504, true, {"進行中", kOpen504}, true, 0},
  FailureCase{"ResultRead",  RealtimeLoop::kResults, "JVRead",   -502, false, {"進行中", kRead502}, true, 2},
  FailureCase{"ResultClose", RealtimeLoop::kResults, "JVClose",  -201, true, {"進行中", "(-201)"}, true, 0},
  FailureCase{"ChangeOpen",  RealtimeLoop::kChangeNotices, "JVRTOpen", -504, true, {"進行中", kOpen504}, false, 1},
  FailureCase{"ChangeRead",  RealtimeLoop::kChangeNotices, "JVRead",   -502, false, {"進行中", kRead502}, false, 1},
  FailureCase{"ChangeClose", RealtimeLoop::kChangeNotices, "JVClose",  -201, false, {"進行中", "", "(-201)"}, false, 0}
), [](const ::testing::TestParamInfo<FailureCase>& info) { return info.param.name; });
// clang-format on

TEST_F(RealtimeFetchTest, AReadFailureKeepsTheRecordsReadBeforeIt) {
  store_.StoreDayRecord(store_.Disk(), Record("RA", store::kRaLength, '2'), ".jvRA", true,
                        store::OrderMode::kSortAndDrop);
  feed_.Realtime("0B12/" + kDay + "/1004_" + kKey + ".jvd",
                 {Record("RA", store::kRaLength, '5'), Record("HR", store::kHrLength),
                  Record("HR", store::kHrLength, '1', "2024051805020302")});
  fail_read_at_ = 3;
  const FetchReport report = Run(RealtimeLoop::kResults);
  EXPECT_EQ(report.outcome, FetchOutcome::kFailed);
  EXPECT_EQ(report.counts.filed, 2);
  EXPECT_EQ(Data("2024年05月18日.jvHR")->size(), 1u);
  EXPECT_EQ((*Data("2024年05月18日.jvRA"))[0].substr(0, 11), "RA000000000");
}

TEST_F(RealtimeFetchTest, AFileThatCannotBeWrittenEndsTheFetchWithTheStreamClosed) {
  feed_.Realtime("0B30/" + kKey + "/05181000.jvd",
                 {Record("O1", store::kO1Length), Record("O2", store::kO2Length)});
  // A folder where the win-odds file belongs: it cannot be written.
  fs::create_directories(store_.DataFolder() / fs::u8path("2024年05月18日.jvO1a"));
  const FetchReport report = Run(RealtimeLoop::kOdds);
  EXPECT_EQ(report.outcome, FetchOutcome::kFailed);
  EXPECT_NE(report.error.find("jvO1a"), std::string::npos);
  EXPECT_EQ(NewLogLines().size(), 1u);
  // The fetch ends at the record it cannot file, so the record after it is never read;
  // the stream is free for the next fetch.
  EXPECT_FALSE(Data("2024年05月18日.jvO2a").has_value());
  EXPECT_EQ(reads_->JVRTOpen("0B30", kKey), 0);
}

TEST_F(RealtimeFetchTest, NothingReleasedYetIsShownButNeitherLoggedNorBeeped) {
  const FetchReport report = Run(RealtimeLoop::kOdds);
  EXPECT_EQ(report.outcome, FetchOutcome::kNothingReleased);
  EXPECT_EQ(MainStatuses(),
            (std::vector<std::string>{
                "進行中", "東京 1R:前置き： 取得済みデータより最新のデータがありません。(-1)"}));
  EXPECT_EQ(prompts_.beeps, 0);
  EXPECT_TRUE(NewLogLines().empty());
}

TEST_F(RealtimeFetchTest, ASuccessfulFetchClearsTheStatusLabel) {
  feed_.Realtime("0B30/" + kKey + "/05181000.jvd", {Record("O1", store::kO1Length)});
  const FetchReport report = Run(RealtimeLoop::kOdds);
  EXPECT_EQ(report.outcome, FetchOutcome::kDone);
  EXPECT_EQ(MainStatuses(), (std::vector<std::string>{"進行中", ""}));
  EXPECT_EQ(prompts_.beeps, 0);
}

// ---- The filing table ----------------------------------------------------------------------

struct FilingCase {
  const char* name;
  RealtimeLoop loop;
  std::string record;
  bool day_files_exist;  // the pull made the day's RA and runner files before
  RecordFate fate;
  const char* file;   // where it lands ("" for nowhere); under Data/ or CHG/
  const char* stamp;  // positions 1-11 of the stored line
};

class Filing : public RealtimeFetchTest, public ::testing::WithParamInterface<FilingCase> {};

TEST_P(Filing, FollowsTheTable) {
  const FilingCase& c = GetParam();
  if (c.day_files_exist) {
    store_.StoreDayRecord(store_.Disk(), Record("RA", store::kRaLength, '2', "2024051805020302"),
                          ".jvRA", true, store::OrderMode::kSortAndDrop);
    store_.StoreRunnerRecord(store_.Disk(), Se(2, "2024051805020302"), true);
  }
  EXPECT_EQ(FileRealtimeRecord(c.record, c.loop, store_, store_.Disk()), c.fate);
  if (std::string(c.file).empty()) return;
  const bool change = c.loop == RealtimeLoop::kChangeNotices;
  auto lines = store_.Disk().Load((change ? store_.ChangeFolder() : store_.DataFolder()) / c.file);
  ASSERT_TRUE(lines.has_value());
  bool found = false;
  for (const std::string& line : *lines) {
    if (line.substr(11, 16) == kKey) {
      found = true;
      EXPECT_EQ(line.substr(0, 11), c.stamp);
    }
  }
  EXPECT_TRUE(found);
}

std::string BadDate() {
  std::string ra = Record("O1", store::kO1Length);
  testsupport::Put(ra, 12, "2024O518");
  return ra;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, Filing, ::testing::Values(
  FilingCase{"OddsStamped", RealtimeLoop::kOdds, Record("O6", store::kO6Length), false, RecordFate::kFiled, "2024年05月18日.jvO6a", "O6000000000"},
  FilingCase{"OddsCancelled", RealtimeLoop::kOdds, Record("O1", store::kO1Length, '9'), false, RecordFate::kSkipped, "", ""},
  FilingCase{"OddsDeleted", RealtimeLoop::kOdds, Record("O2", store::kO2Length, '0'), false, RecordFate::kSkipped, "", ""},
  FilingCase{"OddsRaceZero", RealtimeLoop::kOdds, Record("O1", store::kO1Length, '1', "2024051805020300"), false, RecordFate::kSkipped, "", ""},
  FilingCase{"OddsWrongLength", RealtimeLoop::kOdds, Record("O1", store::kO2Length), false, RecordFate::kBad, "", ""},
  FilingCase{"OddsBadDate", RealtimeLoop::kOdds, BadDate(), false, RecordFate::kBad, "", ""},
  FilingCase{"OddsInResultLoop", RealtimeLoop::kResults, Record("O1", store::kO1Length), true, RecordFate::kSkipped, "", ""},
  FilingCase{"RaMayNotCreate", RealtimeLoop::kResults, Record("RA", store::kRaLength, '5'), false, RecordFate::kSkipped, "", ""},
  FilingCase{"RaIntoPulledDay", RealtimeLoop::kResults, Record("RA", store::kRaLength, '5'), true, RecordFate::kFiled, "2024年05月18日.jvRA", "RA000000000"},
  FilingCase{"SeMayNotCreate", RealtimeLoop::kResults, Se(1), false, RecordFate::kSkipped, "", ""},
  FilingCase{"SeIntoPulledDay", RealtimeLoop::kResults, Se(1), true, RecordFate::kFiled, "2024年05月18日東京.jvSEr", "SE520240518"},
  FilingCase{"SeHorse19", RealtimeLoop::kResults, Se(19), true, RecordFate::kSkipped, "", ""},
  FilingCase{"HrAsDeliveredMayCreate", RealtimeLoop::kResults, Record("HR", store::kHrLength), false, RecordFate::kFiled, "2024年05月18日.jvHR", "HR120240518"},
  FilingCase{"TcAsDeliveredMayCreate", RealtimeLoop::kChangeNotices, Record("TC", store::kTcLength), false, RecordFate::kFiled, "2024年05月18日.TC", "TC120240518"},
  FilingCase{"WeatherDropped", RealtimeLoop::kChangeNotices, Record("WE", 42), false, RecordFate::kSkipped, "", ""}
), [](const ::testing::TestParamInfo<FilingCase>& info) { return info.param.name; });
// clang-format on

TEST_F(RealtimeFetchTest, ARecordThatWouldNotMakeAFileNameIsLogged) {
  EXPECT_EQ(FileRealtimeRecord(BadDate(), RealtimeLoop::kOdds, store_, store_.Disk()),
            RecordFate::kBad);
  const auto added = NewLogLines();
  ASSERT_EQ(added.size(), 1u);
  EXPECT_NE(added[0].find("2024O518"), std::string::npos) << added[0];
}

}  // namespace
}  // namespace jvlink
