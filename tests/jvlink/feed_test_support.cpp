#include "feed_test_support.h"

#include "support/record_builder.h"

namespace jvlink {

FeedFixture::FeedFixture()
    : feed_(dir_.path() / "feed"), clock_(platform::LocalTime{2024, 5, 18, 10, 30, 0}) {
  std::filesystem::create_directories(feed_ / "stored");
  testsupport::WriteFileBytes(feed_ / "feed.txt", "quorvane-feed 1\r\n");
}

namespace {
std::string Joined(const std::vector<std::string>& records) {
  std::string bytes;
  for (const std::string& r : records) bytes += r;
  return bytes;
}
}  // namespace

void FeedFixture::Stored(const std::string& name, const std::vector<std::string>& records) {
  testsupport::WriteFileBytes(feed_ / "stored" / name, Joined(records));
}

void FeedFixture::Realtime(const std::string& relative, const std::vector<std::string>& records) {
  testsupport::WriteFileBytes(feed_ / "realtime" / relative, Joined(records));
}

FeedJVLink& FeedFixture::Link(FeedOptions options) {
  link_ = std::make_unique<FeedJVLink>(feed_, clock_, options);
  link_->JVInit(kSid);
  return *link_;
}

std::vector<std::string> FeedFixture::ReadAll(int limit) {
  std::vector<std::string> events;
  std::string buff, name;
  for (int i = 0; i < limit; ++i) {
    const int r = link_->JVRead(buff, 100000, name);
    events.push_back(r > 0 ? buff : "#" + std::to_string(r));
    if (r == 0 || r <= -4) break;
  }
  return events;
}

bool FeedFixture::DownloadAll(int count) {
  for (int i = 0; i < 1000; ++i) {
    const int n = link_->JVStatus();
    if (n < 0) return false;
    if (n == count) return true;
  }
  return false;
}

std::string SmallRecord(const std::string& id, const std::string& race_key, char kind) {
  return testsupport::RecordWithKey(id, 40, kind, race_key);
}

}  // namespace jvlink
