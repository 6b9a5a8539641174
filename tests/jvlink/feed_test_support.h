#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "jvlink/feed_jv_link.h"
#include "platform/clock.h"
#include "support/temp_dir.h"

namespace jvlink {

/// A feed folder built by hand in a temporary folder, a clock that stands at
/// 2024/05/18 10:30:00 and a FeedJVLink over them.
class FeedFixture {
 public:
  static constexpr const char* kSid = "ABCD1234/EFGH5678/Quorvane/Version.1.13";

  FeedFixture();

  /// Writes stored/<name> with the records back to back.
  void Stored(const std::string& name, const std::vector<std::string>& records);
  /// Writes realtime/<relative> with the records back to back.
  void Realtime(const std::string& relative, const std::vector<std::string>& records);

  /// A new JV-Link over the feed, already through JVInit.
  FeedJVLink& Link(FeedOptions options = {});

  /// JVRead until 0 (or `limit` calls): each record's bytes, each other result as "#code".
  std::vector<std::string> ReadAll(int limit = 100);
  /// JVStatus until it reaches `count`; false when it fails or stalls.
  bool DownloadAll(int count);

  const std::filesystem::path& feed() const { return feed_; }
  platform::FixedClock& clock() { return clock_; }

 private:
  testsupport::TempDir dir_;
  std::filesystem::path feed_;
  platform::FixedClock clock_;
  std::unique_ptr<FeedJVLink> link_;
};

/// A short record of the given id and RaceKey, CR LF included.
std::string SmallRecord(const std::string& id, const std::string& race_key, char kind = '1');

}  // namespace jvlink
