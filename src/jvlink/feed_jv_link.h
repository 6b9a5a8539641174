#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "jvlink/jv_link.h"
#include "jvlink/record_stream.h"
#include "jvlink/simulated_download.h"
#include "platform/clock.h"

namespace jvlink {

/// How the simulated download runs.
struct FeedOptions {
  /// JVStatus calls (or JVRead calls meeting a file still downloading) per
  /// downloaded file.
  int ticks_per_file = 1;
};

/// JV-Link on this platform: serves the JV-Data records of a feed folder (see
/// docs/feed.md). "now" and "today" come from the clock. Stored files of one
/// instance count as downloaded once a stream of it has made them ready; the others
/// offered by JVOpen have to be downloaded first, as JVStatus shows.
///
/// For tests, any operation can be made to return a chosen code instead of doing
/// its work, once (FailNext) or until cleared (FailAlways).
class FeedJVLink : public JVLink {
 public:
  FeedJVLink(std::filesystem::path feed_folder, const platform::Clock& clock,
             FeedOptions options = {});

  /// True when `feed_folder` exists as a folder; where it does not, JV-Link counts
  /// as not installed.
  static bool IsInstalled(const std::filesystem::path& feed_folder);

  int JVInit(const std::string& sid) override;
  int JVSetUIProperties() override;
  int JVOpen(const std::string& dataspec, const std::string& fromtime, int option, int& readcount,
             int& downloadcount, std::string& lastfiletimestamp) override;
  int JVStatus() override;
  int JVRead(std::string& buff, int size, std::string& filename) override;
  int JVRTOpen(const std::string& dataspec, const std::string& key) override;
  int JVCancel() override;
  int JVClose() override;

  /// The next call of `operation` (one of the eight names) returns `code` and does nothing.
  void FailNext(std::string_view operation, int code);
  /// Every call of `operation` returns `code` and does nothing, until ClearFailures.
  void FailAlways(std::string_view operation, int code);
  void ClearFailures();

 private:
  enum class StreamKind { None, Stored, Realtime };

  std::optional<int> InjectedFailure(std::string_view operation);
  int OpenRealtimeFiles(const std::string& dataspec, const std::string& key,
                        std::vector<std::filesystem::path>& files) const;
  void StartStream(StreamKind kind, std::vector<std::filesystem::path> files,
                   const std::vector<bool>& cached);
  void EndStream();

  std::filesystem::path feed_;
  const platform::Clock& clock_;
  FeedOptions options_;
  bool initialized_ = false;
  StreamKind stream_ = StreamKind::None;
  std::vector<std::filesystem::path> stream_files_;
  RecordStream records_{{}};
  SimulatedDownload download_;
  std::set<std::string> downloaded_;  ///< names of stored files in the local cache
  std::map<std::string, int, std::less<>> fail_next_;
  std::map<std::string, int, std::less<>> fail_always_;
};

}  // namespace jvlink
