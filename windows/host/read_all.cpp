#include "host/read_all.h"

#include <windows.h>

#include <chrono>
#include <cstdio>

#include "host/host_service.h"

namespace winhost {
namespace {

using Clock = std::chrono::steady_clock;

// The software id a program without one of its own gives the control.
constexpr char kSid[] = "UNKNOWN";
// The buffer size the program's stored pull asks for.
constexpr int kReadBufferSize = 100000;
// While the control downloads, it is asked again this often.
constexpr DWORD kPollMilliseconds = 10;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

int Refused(const char* operation, int result) {
  Say(std::string(operation) + " answered " + std::to_string(result));
  return kReadAllFailed;
}

// Polls JVStatus until every file of the stream is downloaded.
bool WaitForDownload(jvlink::JVLink& control, int downloadcount) {
  int last = -1;
  for (int status = 0; status < downloadcount;) {
    status = control.JVStatus();
    if (status < 0) {
      Refused("JVStatus", status);
      return false;
    }
    if (status == last) Sleep(kPollMilliseconds);
    last = status;
  }
  return true;
}

}  // namespace

int ReadAll(jvlink::JVLink& control, const std::string& dataspec, const std::string& fromtime) {
  if (const int result = control.JVInit(kSid); result != 0) return Refused("JVInit", result);
  int readcount = 0, downloadcount = 0;
  std::string stamp;
  const Clock::time_point opened = Clock::now();
  if (const int result = control.JVOpen(dataspec, fromtime, 1, readcount, downloadcount, stamp);
      result != 0) {
    return Refused("JVOpen", result);
  }
  if (!WaitForDownload(control, downloadcount)) {
    control.JVClose();
    return kReadAllFailed;
  }
  const double download_seconds = SecondsSince(opened);

  const Clock::time_point start = Clock::now();
  long long records = 0, bytes = 0;
  std::string buff, filename;
  for (;;) {
    const int result = control.JVRead(buff, kReadBufferSize, filename);
    if (result > 0) {
      ++records;
      bytes += result;
    } else if (result == -3) {
      Sleep(kPollMilliseconds);  // a file the download has not reached after all
    } else if (result != -1) {
      control.JVClose();
      if (result != 0) return Refused("JVRead", result);
      break;
    }
  }
  const double read_seconds = SecondsSince(start);
  char line[200];
  std::snprintf(line, sizeof line,
                "read %lld records (%lld bytes) of %d files in %.3f s, after %.3f s of download",
                records, bytes, readcount, read_seconds, download_seconds);
  Say(line);
  return 0;
}

}  // namespace winhost
