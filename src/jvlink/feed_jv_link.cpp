#include "jvlink/feed_jv_link.h"

#include <algorithm>
#include <array>
#include <system_error>
#include <utility>

#include "codes/errors.h"
#include "jvlink/feed_files.h"

namespace jvlink {
namespace fs = std::filesystem;
namespace {

constexpr std::array<std::string_view, 8> kOperations{
    "JVInit", "JVSetUIProperties", "JVOpen",   "JVStatus",
    "JVRead", "JVRTOpen",          "JVCancel", "JVClose"};

constexpr int kNoData = -1;
constexpr int kBadDataspec = -111;
constexpr int kBadFromtime = -112;
constexpr int kBadKey = -114;
constexpr int kBadOption = -115;
constexpr int kBadDataspecOption = -116;
constexpr int kNotInitialized = -201;
constexpr int kStillOpen = -202;
constexpr int kNotOpened = -203;
constexpr int kInternalError = -401;
constexpr int kMaxSidBytes = 63;

void CheckOperation(std::string_view operation) {
  if (std::find(kOperations.begin(), kOperations.end(), operation) == kOperations.end()) {
    throw codes::LogicError("no JV-Link operation is named " + std::string(operation));
  }
}

bool IsDigits(const std::string& text, std::size_t count) {
  return text.size() == count &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

FeedJVLink::FeedJVLink(fs::path feed_folder, const platform::Clock& clock, FeedOptions options)
    : feed_(std::move(feed_folder)), clock_(clock), options_(options) {}

bool FeedJVLink::IsInstalled(const fs::path& feed_folder) {
  std::error_code ec;
  return fs::is_directory(feed_folder, ec);
}

int FeedJVLink::JVInit(const std::string& sid) {
  if (auto code = InjectedFailure("JVInit")) return *code;
  int result = 0;
  if (sid.empty()) {
    result = -101;
  } else if (sid.size() > kMaxSidBytes) {
    result = -102;
  } else if (sid.front() == ' ') {
    result = -103;
  }
  initialized_ = result == 0;
  return result;
}

int FeedJVLink::JVSetUIProperties() {
  if (auto code = InjectedFailure("JVSetUIProperties")) return *code;
  return 0;  // the feed has no settings of its own to show
}

int FeedJVLink::JVOpen(const std::string& dataspec, const std::string& fromtime, int option,
                       int& readcount, int& downloadcount, std::string& lastfiletimestamp) {
  readcount = 0;
  downloadcount = 0;
  lastfiletimestamp.clear();
  if (auto code = InjectedFailure("JVOpen")) return *code;
  if (!initialized_) return kNotInitialized;
  if (stream_ != StreamKind::None) return kStillOpen;
  if (dataspec != "RACE") return kBadDataspec;
  if (!IsValidStamp(fromtime)) return kBadFromtime;
  if (option < 1 || option > 4) return kBadOption;
  if (option != 1) return kBadDataspecOption;  // the feed holds normal data only
  if (!IsInstalled(feed_)) return kInternalError;

  std::vector<StoredFile> offered;
  if (!ListStoredFiles(feed_, fromtime, platform::StampOf(clock_.Now()), offered))
    return kInternalError;
  if (offered.empty()) return kNoData;

  std::vector<fs::path> files;
  std::vector<bool> cached;
  for (const StoredFile& file : offered) {
    files.push_back(file.path);
    cached.push_back(downloaded_.contains(file.path.filename().string()));
  }
  StartStream(StreamKind::Stored, std::move(files), cached);
  readcount = static_cast<int>(offered.size());
  downloadcount = download_.count();
  lastfiletimestamp = offered.back().stamp;
  return 0;
}

int FeedJVLink::JVStatus() {
  if (auto code = InjectedFailure("JVStatus")) return *code;
  if (!initialized_) return kNotInitialized;
  if (stream_ != StreamKind::Stored) return kNotOpened;
  download_.Tick();
  return download_.done();
}

int FeedJVLink::JVRead(std::string& buff, int size, std::string& filename) {
  if (auto code = InjectedFailure("JVRead")) return *code;
  if (!initialized_) return kNotInitialized;
  if (stream_ == StreamKind::None) return kNotOpened;
  const bool stored = stream_ == StreamKind::Stored;
  const int result = records_.Read(buff, size, filename, [this, stored](std::size_t index) {
    return !stored || download_.Ready(index);
  });
  // The download goes on while the caller waits for the file.
  if (result == -3) download_.Tick();
  return result;
}

int FeedJVLink::JVRTOpen(const std::string& dataspec, const std::string& key) {
  if (auto code = InjectedFailure("JVRTOpen")) return *code;
  if (!initialized_) return kNotInitialized;
  if (stream_ != StreamKind::None) return kStillOpen;
  std::vector<fs::path> files;
  const int result = OpenRealtimeFiles(dataspec, key, files);
  if (result != 0) return result;
  StartStream(StreamKind::Realtime, std::move(files), {});
  return 0;
}

int FeedJVLink::OpenRealtimeFiles(const std::string& dataspec, const std::string& key,
                                  std::vector<fs::path>& files) const {
  const bool odds = dataspec == "0B30";
  if (!odds && dataspec != "0B12" && dataspec != "0B14") return kBadDataspec;
  // Keys become folder names, so only digits pass.
  if (!IsDigits(key, odds ? 16 : 8)) return kBadKey;
  if (!IsInstalled(feed_)) return kInternalError;
  const platform::LocalTime now = clock_.Now();
  const bool listed = odds ? ReleasedOdds(feed_, key, now, files)
                           : ReleasedDayFiles(feed_, dataspec, key, now, files);
  if (!listed) return kInternalError;
  return files.empty() ? kNoData : 0;
}

int FeedJVLink::JVCancel() {
  if (auto code = InjectedFailure("JVCancel")) return *code;
  download_.Stop();
  EndStream();
  return 0;
}

int FeedJVLink::JVClose() {
  if (auto code = InjectedFailure("JVClose")) return *code;
  EndStream();
  return 0;
}

void FeedJVLink::StartStream(StreamKind kind, std::vector<fs::path> files,
                             const std::vector<bool>& cached) {
  stream_ = kind;
  stream_files_ = files;
  records_ = RecordStream(std::move(files));
  download_ = kind == StreamKind::Stored ? SimulatedDownload(cached, options_.ticks_per_file)
                                         : SimulatedDownload();
}

void FeedJVLink::EndStream() {
  if (stream_ == StreamKind::Stored) {
    for (std::size_t i = 0; i < stream_files_.size(); ++i) {
      if (download_.Ready(i)) downloaded_.insert(stream_files_[i].filename().string());
    }
  }
  stream_ = StreamKind::None;
  stream_files_.clear();
  records_ = RecordStream({});
  download_ = SimulatedDownload();
}

void FeedJVLink::FailNext(std::string_view operation, int code) {
  CheckOperation(operation);
  fail_next_[std::string(operation)] = code;
}

void FeedJVLink::FailAlways(std::string_view operation, int code) {
  CheckOperation(operation);
  fail_always_[std::string(operation)] = code;
}

void FeedJVLink::ClearFailures() {
  fail_next_.clear();
  fail_always_.clear();
}

std::optional<int> FeedJVLink::InjectedFailure(std::string_view operation) {
  if (auto it = fail_next_.find(operation); it != fail_next_.end()) {
    const int code = it->second;
    fail_next_.erase(it);
    return code;
  }
  if (auto it = fail_always_.find(operation); it != fail_always_.end()) return it->second;
  return std::nullopt;
}

}  // namespace jvlink
