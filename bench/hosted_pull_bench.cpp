// The stored pull through a JV-Link host against the pull over the feed folder, in the
// same run, over the same generated feed: records per second of each and their ratio.
//
// The simulated download is left out of both: each JV-Link first opens the whole feed
// once and lets its download finish, so the pulls measured find every file downloaded
// and read at once. The host is the feed-folder test host unless the environment
// variable QUORVANE_JVLINK_HOST_COMMAND gives another command line; "{feed}" in it
// stands for the generated feed folder, which QUORVANE_STANDIN_FEED names as well for a
// stand-in control (`wine …/quorvane-jvlink-host.exe` in a prefix with the stand-in
// registered, for instance). QUORVANE_READ_AHEAD sets how many records one read frame
// asks for (default 512).
//
// With such a command, the host is also run on its own with --read-all, which reads the
// same stream through the control with no program attached: the least time any pull
// through that host can take, so the host's own share shows apart from the control's.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>

#include "app/settings.h"
#include "jvlink/feed_jv_link.h"
#include "jvlink/hosted_jv_link.h"
#include "jvlink/stored_pull.h"
#include "platform/clock.h"
#include "platform/silent_prompts.h"
#include "samplefeed/feed_writer.h"
#include "store/record_store.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kFrom = 20230101;
constexpr int kDays = 56;
constexpr int kRounds = 3;
constexpr const char* kSid = "QV000001/QV000002/Quorvane/Version.1.13";
const platform::LocalTime kNow{2023, 3, 15, 12, 0, 0};
const char* const kNowText = "2023/03/15 12:00:00";
const platform::LocalTime kStart{2022, 12, 1, 0, 0, 0};

fs::path FreshFolder(const std::string& name) {
  fs::path dir = fs::temp_directory_path() /
                 ("quorvane-hosted-bench-" + std::to_string(std::random_device{}()) + "-" + name);
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

std::string HostCommand(const fs::path& feed) {
  const char* given = std::getenv("QUORVANE_JVLINK_HOST_COMMAND");
  std::string command = given && *given ? given : std::string(QUORVANE_TESTHOST) + " --feed \"{feed}\"";
  for (std::size_t at; (at = command.find("{feed}")) != std::string::npos;) {
    command.replace(at, 6, feed.string());
  }
  return command;
}

// Opens the whole feed and waits out its download, so later streams read at once.
void DownloadEverything(jvlink::JVLink& link) {
  int reads = 0, downloads = 0;
  std::string stamp;
  if (link.JVOpen("RACE", platform::StampOf(kStart), 1, reads, downloads, stamp) != 0) {
    std::fprintf(stderr, "JVOpen failed while downloading the feed\n");
    std::exit(1);
  }
  for (int status = 0; status >= 0 && status < downloads;) status = link.JVStatus();
  link.JVClose();
}

struct PullTime {
  double seconds = 0;
  long long records = 0;
};

PullTime PullOnce(jvlink::JVLink& link, const fs::path& home) {
  platform::FixedClock clock(kNow);
  store::RecordStore store(home, clock);
  store.PrepareFolders();
  app::Settings settings(home / "Quorvane.ini");
  platform::SilentPrompts prompts;
  jvlink::StoredPull pull(link, prompts, settings, clock, store);
  pull.SetStartMoment(kStart);
  pull.SetFinalOdds(true);
  const auto start = Clock::now();
  pull.Start();
  while (pull.PollTimerRunning()) pull.Poll();
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  if (pull.outcome() != jvlink::StoredPull::Outcome::kCompleted) {
    std::fprintf(stderr, "a pull did not complete\n");
    std::exit(1);
  }
  const jvlink::PullCounts& c = pull.Counts();
  return {seconds, c.filed + c.skipped + c.bad};
}

// The best time of `command --read-all` over the feed, from the line it says; 0 when
// it fails.
double ControlAloneSeconds(const std::string& command, const fs::path& feed) {
  setenv("QUORVANE_NOW", kNowText, 1);
  setenv("QUORVANE_STANDIN_FEED", feed.c_str(), 1);
  const std::string line = command + " --read-all RACE " + platform::StampOf(kStart) + " 2>&1";
  double best = 0;
  for (int round = 0; round < kRounds; ++round) {
    FILE* pipe = popen(line.c_str(), "r");
    if (pipe == nullptr) return 0;
    std::string said;
    for (char chunk[256]; std::fgets(chunk, sizeof chunk, pipe) != nullptr;) said += chunk;
    if (pclose(pipe) != 0) {
      std::fprintf(stderr, "%s", said.c_str());
      return 0;
    }
    const std::size_t in = said.find(" files in ");
    const double seconds = in == std::string::npos ? 0 : std::atof(said.c_str() + in + 10);
    if (seconds > 0 && (best == 0 || seconds < best)) best = seconds;
  }
  return best;
}

std::map<std::string, std::string> DataFiles(const fs::path& home) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::directory_iterator(home / "Data")) {
    std::ifstream in(e.path(), std::ios::binary);
    files[e.path().filename().string()] =
        std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return files;
}

}  // namespace

int main() {
  const fs::path root = FreshFolder("run");
  const fs::path feed = root / "feed";
  samplefeed::WriteFeed({feed, kFrom, kDays, 1, false});

  platform::FixedClock clock(kNow);
  jvlink::FeedJVLink direct(feed, clock);
  jvlink::HostedOptions options;
  options.endpoint.argv = jvlink::SplitCommandLine(HostCommand(feed));
  // The stand-in control under Wine serves the folder QUORVANE_STANDIN_FEED names.
  options.endpoint.environment = {{"QUORVANE_NOW", kNowText},
                                  {"QUORVANE_STANDIN_FEED", feed.string()}};
  options.log = [](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); };
  if (const char* ahead = std::getenv("QUORVANE_READ_AHEAD")) options.read_ahead = std::atoi(ahead);
  jvlink::HostedJVLink hosted(options);
  for (jvlink::JVLink* link : {static_cast<jvlink::JVLink*>(&direct), static_cast<jvlink::JVLink*>(&hosted)}) {
    if (link->JVInit(kSid) != 0) {
      std::fprintf(stderr, "JVInit failed (host: %s)\n", options.endpoint.Describe().c_str());
      return 1;
    }
    DownloadEverything(*link);
  }

  // Rounds alternate, so both paths meet the same state of the machine; the best round counts.
  PullTime best_direct{1e9, 0}, best_hosted{1e9, 0};
  bool same_files = true;
  for (int round = 0; round < kRounds; ++round) {
    const fs::path a = root / ("direct" + std::to_string(round));
    const fs::path b = root / ("hosted" + std::to_string(round));
    const PullTime d = PullOnce(direct, a);
    const PullTime h = PullOnce(hosted, b);
    if (d.seconds < best_direct.seconds) best_direct = d;
    if (h.seconds < best_hosted.seconds) best_hosted = h;
    same_files = same_files && d.records == h.records && DataFiles(a) == DataFiles(b);
    fs::remove_all(a);
    fs::remove_all(b);
  }
  const char* given = std::getenv("QUORVANE_JVLINK_HOST_COMMAND");
  const bool own_command = given && *given;
  const double alone = own_command ? ControlAloneSeconds(HostCommand(feed), feed) : 0;
  fs::remove_all(root);

  const double direct_rate = static_cast<double>(best_direct.records) / best_direct.seconds;
  const double hosted_rate = static_cast<double>(best_hosted.records) / best_hosted.seconds;
  std::printf("stored pull of %d days from %d (all odds kinds, %lld records), best of %d:\n", kDays,
              kFrom, best_direct.records, kRounds);
  std::printf("  feed folder:   %8.3f s  %10.0f records/s\n", best_direct.seconds, direct_rate);
  std::printf("  through host:  %8.3f s  %10.0f records/s  (%s)\n", best_hosted.seconds, hosted_rate,
              options.endpoint.Describe().c_str());
  std::printf("ratio host/feed time: %.2fx (within 2x: %s)\n", best_hosted.seconds / best_direct.seconds,
              best_hosted.seconds <= 2 * best_direct.seconds ? "yes" : "NO");
  std::printf("record files of both paths identical: %s\n", same_files ? "yes" : "NO");
  if (own_command) {
    if (alone > 0) {
      std::printf("the control alone, read inside the host with no program: %.3f s (%.2fx the "
                  "feed folder's pull)\n",
                  alone, alone / best_direct.seconds);
      std::printf("the host's own share (pull through host less the control alone): %.3f s\n",
                  best_hosted.seconds - alone);
    } else {
      std::printf("the control alone: the host's --read-all failed\n");
    }
  }
  return same_files ? 0 : 1;
}
