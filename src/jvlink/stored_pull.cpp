#include "jvlink/stored_pull.h"

#include <cstdio>
#include <utility>

#include "codes/cp932.h"
#include "codes/record_field.h"
#include "jvlink/result_message.h"
#include "jvlink/write_back_line_files.h"
#include "store/folder_lock.h"

namespace jvlink {
namespace {

constexpr int kReadBufferSize = 100000;
constexpr int kBarDefaultMaximum = 100;

// JVRead results the read loop acts on.
constexpr int kEndOfFiles = 0;
constexpr int kFileSwitch = -1;
constexpr int kSetupCancelled = -2;
constexpr int kDownloading = -3;
constexpr int kNothingNewer = -1;

std::string Number(long long n) { return std::to_string(n); }

// 'yyyy"年"mm"月"dd"日"hh"時"nn"分"ss"秒"'
std::string JapaneseMoment(const platform::LocalTime& t) {
  char digits[32];
  std::snprintf(digits, sizeof digits, "%04d|%02d|%02d|%02d|%02d|%02d", t.year, t.month, t.day,
                t.hour, t.minute, t.second);
  static const std::string kUnits[] = {codes::Sj("年"), codes::Sj("月"), codes::Sj("日"),
                                       codes::Sj("時"), codes::Sj("分"), codes::Sj("秒")};
  std::string text;
  std::string part;
  int unit = 0;
  for (const char* p = digits;; ++p) {
    if (*p == '|' || *p == '\0') {
      text += part + kUnits[unit++];
      part.clear();
      if (*p == '\0') break;
    } else {
      part += *p;
    }
  }
  return text;
}

}  // namespace

std::string LastTimeText(const std::string& stamp) {
  if (stamp.size() != 14 || !codes::IsAllDigits(stamp) || stamp == "00000000000000") return {};
  return stamp.substr(0, 4) + "/" + stamp.substr(4, 2) + "/" + stamp.substr(6, 2) + " " +
         stamp.substr(8, 2) + ":" + stamp.substr(10, 2) + ":" + stamp.substr(12, 2);
}

StoredPull::StoredPull(JVLink& jv, platform::UserPrompts& prompts, PullStartSetting& settings,
                       const platform::Clock& clock, store::RecordStore& store, PullWriting writing)
    : jv_(jv),
      prompts_(prompts),
      settings_(settings),
      clock_(clock),
      store_(store),
      writing_(writing),
      start_moment_(settings.LastTime(clock.Now())) {}

StoredPull::~StoredPull() = default;

void StoredPull::Status(const std::string& text) { prompts_.SetStatus(kStatusLabel, text); }

void StoredPull::Fail(const std::string& text) {
  prompts_.Beep();
  prompts_.Inform(text);
}

// Everything the last start left: outcome, flags, both bars, the filter and the counts.
void StoredPull::ResetForStart(const std::string& fromtime) {
  outcome_ = Outcome::kNone;
  poll_timer_ = false;
  cancelled_ = false;
  closing_ = false;
  prompts_.SetProgress(kDownloadBar, 0, kBarDefaultMaximum);
  prompts_.SetProgress(kReadBar, 0, kBarDefaultMaximum);
  filter_.start_day = codes::FieldInt(fromtime, 1, 8);
  filter_.final_odds = final_odds_;
  read_count_ = 0;
  download_count_ = 0;
  last_time_stamp_.clear();
}

void StoredPull::Start() {
  // A second start while a stream is open would meet -202 and its close step
  // would close the running stream; the button has no effect then.
  if (phase_ != Phase::kIdle) return;
  static const std::string kStartTail = codes::Sj(
      "以降のデータ取込を開始します。データ作成が終了するまで本ソフトを操作したり"
      "他のアプリケーションを操作することは極力避けてください。");
  static const std::string kNothingNew = codes::Sj("最新のデータがありません。");
  static const std::string kOpenError = codes::Sj("JVOpenエラー:");
  static const std::string kOpenOk = codes::Sj("JVOpen正常:");
  static const std::string kDownloadingNow = codes::Sj("ダウンロード中・・・");

  prompts_.Inform(JapaneseMoment(start_moment_) + kStartTail);
  const std::string fromtime = platform::StampOf(start_moment_);
  ResetForStart(fromtime);
  const int result =
      jv_.JVOpen("RACE", fromtime, 1, read_count_, download_count_, last_time_stamp_);
  if (result == kNothingNewer || (result == 0 && read_count_ == 0)) {
    Fail(kNothingNew);
    outcome_ = Outcome::kNothingNewer;
    CloseStep();
    return;
  }
  if (result != 0) {
    Fail(kOpenError + ResultMessage("JVOpen", result));
    outcome_ = Outcome::kFailed;
    CloseStep();
    return;
  }
  Status(kOpenOk + ResultMessage("JVOpen", 0));
  Status("ReadCount:" + Number(read_count_) + ", DownloadCount:" + Number(download_count_));
  if (download_count_ == 0) {
    prompts_.SetProgress(kDownloadBar, kBarDefaultMaximum, kBarDefaultMaximum);
    ReadAndClose();
    return;
  }
  Status(kDownloadingNow);
  prompts_.SetProgress(kDownloadBar, 0, download_count_);
  phase_ = Phase::kDownloading;
  poll_timer_ = true;
}

void StoredPull::DownloadStatus(int done) {
  static const std::string kDownloading = codes::Sj("ダウンロード中．．．(");
  Status(kDownloading + Number(done) + "/" + Number(download_count_) + ")");
  prompts_.SetProgress(kDownloadBar, done, download_count_);
}

void StoredPull::Poll() {
  if (!poll_timer_) return;
  static const std::string kStatusError = codes::Sj("JVStatusエラー:");
  const int done = jv_.JVStatus();
  if (done < 0) {
    Fail(kStatusError + ResultMessage("JVStatus", done));
    outcome_ = Outcome::kFailed;
    poll_timer_ = false;
    CloseStep();
    return;
  }
  if (done < download_count_) {
    DownloadStatus(done);
    return;
  }
  poll_timer_ = false;
  DownloadStatus(done);
  ReadAndClose();
}

void StoredPull::ReadAndClose() {
  ReadLoop();
  CloseStep();
  if (closing_) {
    closing_ = false;
    if (on_closed_) on_closed_();
  }
}

void StoredPull::ReadLoop() {
  static const std::string kReading = codes::Sj("データ読込み中．．．(0/");
  phase_ = Phase::kReading;
  counts_ = PullCounts{};
  files_read_ = 0;
  // Every file the pull merges into is checked as it is first loaded.
  repairing_ = std::make_unique<store::RepairingLineFiles>(store_.Disk(), store_);
  if (writing_ == PullWriting::kBatched) {
    write_back_ = std::make_unique<WriteBackLineFiles>(*repairing_);
  }
  Status(kReading + Number(read_count_) + ")");
  prompts_.SetProgress(kReadBar, 0, read_count_);
  try {
    std::string buff;
    std::string filename;
    while (ReadStep(buff, filename)) {
    }
    FlushFiles();
  } catch (...) {
    // A file error ends the pull; what was read before it is still written.
    outcome_ = Outcome::kFailed;
    try {
      FlushFiles();
    } catch (...) {  // the first failure is the one reported
    }
    CountRepairs();
    phase_ = Phase::kIdle;
    CloseStep();
    throw;
  }
  CountRepairs();
  Status(PullSummaryText(counts_));
  phase_ = Phase::kIdle;
}

bool StoredPull::ReadStep(std::string& buff, std::string& filename) {
  static const std::string kReading = codes::Sj("データ読込み中．．．(");
  static const std::string kReadError = codes::Sj("JVReadエラー:");
  prompts_.ProcessEvents();
  if (cancelled_) return false;
  const int result = jv_.JVRead(buff, kReadBufferSize, filename);
  if (result > 0) {
    FileRecord(buff, filename);
    return true;
  }
  switch (result) {
    case kFileSwitch:
      ++files_read_;
      prompts_.SetProgress(kReadBar, files_read_, read_count_);
      Status(kReading + Number(files_read_) + "/" + Number(read_count_) + ")");
      prompts_.SetStatus(kRecordLabel, "");
      return true;
    case kEndOfFiles:
      ReachEnd();
      return false;
    case kSetupCancelled:
    case kDownloading:
      return true;
    default:
      Fail(kReadError + ResultMessage("JVRead", result));
      outcome_ = Outcome::kFailed;
      return false;
  }
}

void StoredPull::CountRepairs() {
  write_back_.reset();
  if (repairing_) {
    counts_.repaired_files = repairing_->RepairedFiles();
    counts_.dropped_lines = repairing_->DroppedLines();
  }
  repairing_.reset();
}

void StoredPull::FileRecord(const std::string& record, const std::string& filename) {
  store::LineFiles& files =
      write_back_ ? static_cast<store::LineFiles&>(*write_back_) : *repairing_;
  DispatchResult result = DispatchRecord(record, filename, filter_, store_, files);
  counts_.Count(result.fate);
  if (result.fate == RecordFate::kFiled) prompts_.SetStatus(kRecordLabel, result.label);
}

void StoredPull::ReachEnd() {
  static const std::string kReadDone = codes::Sj("データ読込み完了(");
  static const std::string kMade = codes::Sj("データ作成が完了しました。");
  Status(kReadDone + Number(files_read_) + "/" + Number(read_count_) + ")");
  prompts_.SetProgress(kDownloadBar, 0, download_count_ > 0 ? download_count_ : kBarDefaultMaximum);
  prompts_.SetProgress(kReadBar, 0, read_count_);
  // The starting point moves on only once every record read is in its file.
  FlushFiles();
  const std::string last_time = LastTimeText(last_time_stamp_);
  platform::LocalTime moment;
  if (!last_time.empty() && platform::ParseLocalTime(last_time.c_str(), moment)) {
    start_moment_ = moment;
    settings_.SetLastTime(moment);
  }
  Status(kMade);
  outcome_ = Outcome::kCompleted;
}

void StoredPull::FlushFiles() {
  if (!write_back_) return;
  // While another program writes the folder, the dialog's own status says so.
  store::FolderLock& lock = store_.WriteLock();
  const store::FolderLock::WaitReport outer = lock.TheWaitReport();
  lock.SetWaitReport([this](const std::string& holder, bool changed) {
    if (changed) Status(store::FolderLockWaitText(holder));
    prompts_.ProcessEvents();
  });
  try {
    write_back_->Flush();
  } catch (...) {
    lock.SetWaitReport(outer);
    throw;
  }
  lock.SetWaitReport(outer);
}

void StoredPull::CloseStep() {
  static const std::string kCloseError = codes::Sj("JVCloseエラー:");
  phase_ = Phase::kIdle;
  const int result = jv_.JVClose();
  if (result != 0) {
    Fail(kCloseError + ResultMessage("JVClose", result));
    outcome_ = Outcome::kFailed;
  } else {
    prompts_.Beep();
  }
}

void StoredPull::Cancel() {
  static const std::string kAsk = codes::Sj("データ取込を中止します。実行しますか？");
  static const std::string kCancelled = codes::Sj("JVCancel:キャンセルされました");
  if (!prompts_.Confirm(kAsk)) return;
  const bool downloading = phase_ == Phase::kDownloading;
  poll_timer_ = false;
  jv_.JVCancel();
  cancelled_ = true;
  outcome_ = Outcome::kCancelled;
  prompts_.Beep();
  prompts_.Inform(kCancelled);
  Status(kCancelled);
  if (downloading) CloseStep();
}

void StoredPull::JVLinkSettings() {
  static const std::string kError = codes::Sj("JVSetUIPropertiesエラー：");
  const int result = jv_.JVSetUIProperties();
  if (result != 0) Fail(kError + ResultMessage("JVSetUIProperties", result));
}

void StoredPull::Close() {
  if (phase_ == Phase::kReading) {
    // Called from inside the read loop: it stops at its next turn, writes its
    // files and closes the stream; the dialog closes after that.
    cancelled_ = true;
    closing_ = true;
    outcome_ = Outcome::kCancelled;
    return;
  }
  if (phase_ == Phase::kDownloading) {
    // A stream left open would refuse every later open with -202.
    poll_timer_ = false;
    jv_.JVCancel();
    jv_.JVClose();
    phase_ = Phase::kIdle;
  }
  if (on_closed_) on_closed_();
}

}  // namespace jvlink
