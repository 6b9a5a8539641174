#pragma once

#include <functional>
#include <memory>
#include <string>

#include "jvlink/jv_link.h"
#include "jvlink/pull_start_setting.h"
#include "jvlink/record_dispatch.h"
#include "platform/clock.h"
#include "platform/user_prompts.h"
#include "store/record_store.h"
#include "store/repairing_line_files.h"

namespace jvlink {

class WriteBackLineFiles;

/// How the pull writes its record files.
enum class PullWriting {
  kBatched,    ///< each day file loaded once, written once when the pull ends
  kPerRecord,  ///< every record rewrites its whole day file at once
};

/// The data-pull dialog `TGetDataForm` ("ＪＶデータ取込") without a screen: brings
/// the record store up to date from JV-Link's accumulated data "RACE" since the
/// start moment. A front end shows its controls, forwards the three buttons
/// (Start, Cancel, JVLinkSettings), calls Poll every 10 ms while PollTimerRunning,
/// and calls Close when the dialog closes.
///
/// The texts go through UserPrompts: the status label (kStatusLabel), the record
/// label "作成データ" (kRecordLabel) and the bars "ダウンロード" (kDownloadBar) and
/// "読込み" (kReadBar). The read loop lets window messages run before every
/// record, so Cancel can be called from inside it.
class StoredPull {
 public:
  static constexpr const char* kStatusLabel = "GetDataStatus";
  static constexpr const char* kRecordLabel = "GetDataRecord";
  static constexpr const char* kDownloadBar = "GetDataDownload";
  static constexpr const char* kReadBar = "GetDataRead";

  enum class Phase { kIdle, kDownloading, kReading };
  /// How the last start ended.
  enum class Outcome { kNone, kCompleted, kNothingNewer, kCancelled, kFailed };

  /// Opening the dialog: the start moment is `JvDataGet`/`LastTime` (default now
  /// minus 7 days; a value that is not a date-time gives the default too).
  StoredPull(JVLink& jv, platform::UserPrompts& prompts, PullStartSetting& settings,
             const platform::Clock& clock, store::RecordStore& store,
             PullWriting writing = PullWriting::kBatched);
  ~StoredPull();
  StoredPull(const StoredPull&) = delete;
  StoredPull& operator=(const StoredPull&) = delete;

  /// The date picker "取得開始日付".
  const platform::LocalTime& StartMoment() const { return start_moment_; }
  void SetStartMoment(const platform::LocalTime& moment) { start_moment_ = moment; }
  /// The check box "確定オッズも合わせて取得する".
  bool FinalOdds() const { return final_odds_; }
  void SetFinalOdds(bool on) { final_odds_ = on; }

  /// "データ取込": opens the stream; reads at once when nothing is left to download,
  /// else starts the poll timer.
  void Start();
  /// One tick of the 10 ms poll timer during the download.
  void Poll();
  bool PollTimerRunning() const { return poll_timer_; }
  /// "データ取込中止": asks, then stops the download or the running read loop.
  void Cancel();
  /// "JV-Link設定".
  void JVLinkSettings();
  /// The dialog closes (any way): a stream still open is cancelled and closed
  /// silently, then the closed callback runs (the main window rebuilds its date list).
  void Close();
  void SetOnClosed(std::function<void()> on_closed) { on_closed_ = std::move(on_closed); }

  Phase phase() const { return phase_; }
  Outcome outcome() const { return outcome_; }
  /// The records of the last read loop, and the files it found damaged and mended.
  const PullCounts& Counts() const { return counts_; }
  int ReadCount() const { return read_count_; }
  int DownloadCount() const { return download_count_; }
  int FilesRead() const { return files_read_; }

 private:
  void ResetForStart(const std::string& fromtime);
  void Status(const std::string& text);
  void Fail(const std::string& text);
  void ReadLoop();
  bool ReadStep(std::string& buff, std::string& filename);
  void ReachEnd();
  void FileRecord(const std::string& record, const std::string& filename);
  void FlushFiles();
  void CountRepairs();
  void ReadAndClose();
  void CloseStep();
  void DownloadStatus(int done);

  JVLink& jv_;
  platform::UserPrompts& prompts_;
  PullStartSetting& settings_;
  const platform::Clock& clock_;
  store::RecordStore& store_;
  PullWriting writing_;
  std::unique_ptr<store::RepairingLineFiles> repairing_;
  std::unique_ptr<WriteBackLineFiles> write_back_;
  std::function<void()> on_closed_;

  platform::LocalTime start_moment_;
  bool final_odds_ = false;
  PullFilter filter_;
  int read_count_ = 0;
  int download_count_ = 0;
  std::string last_time_stamp_;
  int files_read_ = 0;
  bool cancelled_ = false;
  bool poll_timer_ = false;
  bool closing_ = false;
  Phase phase_ = Phase::kIdle;
  Outcome outcome_ = Outcome::kNone;
  PullCounts counts_;
};

/// "yyyy/mm/dd hh:nn:ss" of a 14-digit time stamp; empty when the stamp is blank,
/// "00000000000000" or not 14 digits (the starting point then stays).
std::string LastTimeText(const std::string& stamp);

}  // namespace jvlink
