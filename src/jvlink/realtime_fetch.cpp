#include "jvlink/realtime_fetch.h"

#include "codes/cp932.h"
#include "codes/errors.h"
#include "jvlink/result_message.h"
#include "jvlink/write_back_line_files.h"

namespace jvlink {

namespace {

constexpr int kNothingReleased = -1;
constexpr int kOddsBufferSize = 100000;
constexpr int kOtherBufferSize = 60000;

bool IsOdds(RealtimeLoop loop) { return loop == RealtimeLoop::kOdds; }
bool ClosesTwice(RealtimeLoop loop) { return loop != RealtimeLoop::kChangeNotices; }
bool Logged(RealtimeLoop loop) { return loop != RealtimeLoop::kChangeNotices; }

}  // namespace

const char* DataSpecOf(RealtimeLoop loop) {
  switch (loop) {
    case RealtimeLoop::kOdds:
      return "0B30";
    case RealtimeLoop::kResults:
      return "0B12";
    case RealtimeLoop::kChangeNotices:
      return "0B14";
  }
  throw codes::LogicError("unknown real-time loop");
}

struct RealtimeFetch::Run_ {
  const RealtimeRequest& request;
  FetchReport report;
  bool failed = false;
  std::unique_ptr<WriteBackLineFiles> files;
};

void RealtimeFetch::Fail(Run_& run, const std::string& text, bool beep, bool log) {
  if (beep) prompts_.Beep();
  prompts_.SetStatus(kStatusLabel, text);
  if (log) store_.AppendErrorLog(text);
  if (!run.failed) run.report.error = text;
  run.failed = true;
}

FetchReport RealtimeFetch::Run(const RealtimeRequest& request) {
  Run_ run{request, {}, false, nullptr};
  const RealtimeLoop loop = request.loop;
  prompts_.SetStatus(kStatusLabel, request.progress);
  prompts_.ProcessEvents();
  const int opened = jv_.JVRTOpen(DataSpecOf(loop), request.key);
  if (opened != 0) {
    OpenFailed(run, opened);
    if (ClosesTwice(loop)) CloseStep(run);
  } else {
    ReadLoop(run);
    if (ClosesTwice(loop)) CloseStep(run);
  }
  if (!run.failed) prompts_.SetStatus(kStatusLabel, "");
  prompts_.ProcessEvents();
  if (!CloseStep(run) && !ClosesTwice(loop)) {
    // A stream left open would refuse every later fetch with -202: the change-notice
    // fetch, which closes only once, tries once more, silently.
    jv_.JVClose();
  }
  if (run.failed) {
    run.report.outcome = opened == kNothingReleased && run.report.error.empty()
                             ? FetchOutcome::kNothingReleased
                             : FetchOutcome::kFailed;
  } else {
    run.report.outcome = FetchOutcome::kDone;
  }
  return run.report;
}

void RealtimeFetch::OpenFailed(Run_& run, int result) {
  const RealtimeLoop loop = run.request.loop;
  const std::string text = run.request.error_prefix + ResultMessage("JVRTOpen", result);
  if (result == kNothingReleased) {
    // Nothing out yet for the key is the normal case before the first result of the
    // day: the text is shown, but it is no error to beep about or to log.
    prompts_.SetStatus(kStatusLabel, text);
    run.failed = true;
    return;
  }
  const bool beep = loop != RealtimeLoop::kResults || !run.request.timer_flag;
  Fail(run, text, beep, Logged(loop));
}

void RealtimeFetch::ReadLoop(Run_& run) {
  const RealtimeLoop loop = run.request.loop;
  const int size = IsOdds(loop) ? kOddsBufferSize : kOtherBufferSize;
  run.files = std::make_unique<WriteBackLineFiles>(store_.Disk());
  std::string buff;
  std::string filename;
  try {
    for (;;) {
      prompts_.ProcessEvents();
      const int result = jv_.JVRead(buff, size, filename);
      if (result > 0) {
        run.report.counts.Count(FileRealtimeRecord(buff, loop, store_, *run.files));
        continue;
      }
      if (result == 0) break;
      if (result >= -3) continue;
      Fail(run, ResultMessage("JVRead", result), IsOdds(loop), Logged(loop));
      break;
    }
    run.files->Flush();
  } catch (const codes::InputError& e) {
    // A file that cannot be written ends the fetch; what was read before stays.
    try {
      run.files->Flush();
    } catch (const codes::InputError&) {  // the first failure is the one reported
    }
    Fail(run, codes::Utf8ToSjis(e.what()), IsOdds(loop), true);
  }
  run.files.reset();
}

bool RealtimeFetch::CloseStep(Run_& run) {
  const RealtimeLoop loop = run.request.loop;
  const int closed = jv_.JVClose();
  if (closed != 0) {
    Fail(run, ResultMessage("JVClose", closed), IsOdds(loop), Logged(loop));
    return false;
  }
  if (!IsOdds(loop) && !run.request.timer_flag) prompts_.Beep();
  return true;
}

}  // namespace jvlink
