#pragma once

#include <string>

#include "jvlink/jv_link.h"
#include "jvlink/realtime_filing.h"
#include "platform/user_prompts.h"
#include "store/record_store.h"

namespace jvlink {

/// One real-time fetch to run.
struct RealtimeRequest {
  RealtimeLoop loop = RealtimeLoop::kOdds;
  /// A RaceKey of 16 digits (odds) or a day yyyymmdd (results, change notices).
  std::string key;
  /// The status label while the fetch runs, Shift-JIS.
  std::string progress;
  /// The text before the result message when the open fails, Shift-JIS.
  std::string error_prefix;
  /// The result-timer or change-timer flag: set while a timer runs the fetch, it
  /// silences the beeps of the result and change-notice fetches.
  bool timer_flag = false;
};

/// How a fetch ended. Only kDone lets the caller run the follow-up steps.
enum class FetchOutcome {
  kDone,             ///< opened, read to the end and closed without an error
  kNothingReleased,  ///< JVRTOpen -1: nothing is out for the key yet (not an error)
  kFailed,           ///< open, read, close or a file failed; the status label says which
};

struct FetchReport {
  FetchOutcome outcome = FetchOutcome::kFailed;
  PullCounts counts;  ///< the records read, by what became of them
  std::string error;  ///< the status text of the first failure, Shift-JIS; empty without
};

/// The common frame of the real-time fetches: the progress text in the status label,
/// JVRTOpen, the read loop filing each record, the close step (twice for odds and
/// results), the beeps, and the error texts in the status label and ErrorLog.txt.
///
/// Records are filed as they are read into files held in memory and written once at
/// the end of the loop, also when a read or a file fails, so everything read before
/// a failure is on disk. An error text stays in the status label after the fetch so
/// that the user can read it; a fetch without error clears the label.
///
/// The read loop does not test the stored pull's cancel flag: a cancelled pull must not
/// silence the real-time fetches that follow it.
class RealtimeFetch {
 public:
  /// The main window's status label in the tool bar.
  static constexpr const char* kStatusLabel = "MainStatus";

  RealtimeFetch(JVLink& jv, platform::UserPrompts& prompts, store::RecordStore& store)
      : jv_(jv), prompts_(prompts), store_(store) {}

  FetchReport Run(const RealtimeRequest& request);

 private:
  struct Run_;
  void OpenFailed(Run_& run, int result);
  void ReadLoop(Run_& run);
  bool CloseStep(Run_& run);
  void Fail(Run_& run, const std::string& text, bool beep, bool log);

  JVLink& jv_;
  platform::UserPrompts& prompts_;
  store::RecordStore& store_;
};

/// "0B30", "0B12" or "0B14".
const char* DataSpecOf(RealtimeLoop loop);

}  // namespace jvlink
