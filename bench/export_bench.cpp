// The verification export over one generated year (about 100 race days of 36 races, every
// odds kind) with Logic A on every core, against a plain sequential read of the same
// record files in the same run: races per second and the ratio of the times.
//
// Targets: at least 1,000 races a second, and within 3x the plain read.
//
// The year is generated and pulled into a temporary program folder (a few minutes on a
// busy machine) unless QUORVANE_EXPORT_BENCH_HOME names a program folder to keep it in:
// an existing one with a Data folder is used as it is.

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/clock.h"
#include "platform/companion_locator.h"
#include "platform/launcher.h"
#include "platform/memory_reuse.h"
#include "app/session.h"
#include "platform/silent_prompts.h"
#include "samplefeed/feed_writer.h"
#include "jvlink/feed_jv_link.h"
#include "jvlink/stored_pull.h"
#include "verify/verification_export.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const platform::LocalTime kNow{2024, 1, 10, 10, 0, 0};
constexpr int kRepetitions = 5;  // this machine is shared: medians of five

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "bench_export: %s\n", what.c_str());
  std::exit(1);
}

// Silent, but the export's question is answered Yes.
class YesPrompts : public platform::SilentPrompts {
 public:
  bool Confirm(const std::string&) override { return true; }
};

void GenerateYear(const fs::path& root, const fs::path& home) {
  std::fprintf(stderr, "generating and pulling 2023 into %s ...\n", home.string().c_str());
  samplefeed::WriteFeed({root / "feed", 20230101, 365, 1, false});
  platform::FixedClock clock(kNow);
  platform::SilentPrompts prompts;
  platform::ProcessLauncher launcher;
  platform::NoCompanionLocator companions;
  jvlink::FeedJVLink link(root / "feed", clock);
  app::Session session(prompts, clock, &link, launcher, companions, home);
  session.Start();
  link.JVInit("QV000001/QV000002/Quorvane/Version.1.13");
  jvlink::StoredPull pull(link, prompts, session.Settings(), clock, session.Store());
  pull.SetStartMoment({2022, 12, 31, 0, 0, 0});
  pull.SetFinalOdds(true);
  pull.Start();
  while (pull.PollTimerRunning()) pull.Poll();
  pull.Close();
  if (pull.outcome() != jvlink::StoredPull::Outcome::kCompleted) Fail("the pull did not complete");
  fs::remove_all(root / "feed");
}

// Every byte of every record file, one file after the other, each read whole into a text
// of its own with one read of its size (as the store reads a file); the number of bytes.
long long ReadAllFiles(const std::vector<fs::path>& files) {
  long long bytes = 0;
  for (const fs::path& file : files) {
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    std::string text(static_cast<size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    bytes += in.gcount();
  }
  return bytes;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// CPU time of the whole process (every thread), in seconds.
double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Median wall time of the repetitions; `cpu` gets the median CPU time.
template <typename Run>
double MedianSeconds(Run run, double* cpu = nullptr) {
  std::vector<double> seconds, cpu_seconds;
  for (int i = 0; i < kRepetitions; ++i) {
    const auto start = Clock::now();
    const double cpu_start = CpuSeconds();
    run();
    seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    cpu_seconds.push_back(CpuSeconds() - cpu_start);
  }
  if (cpu) *cpu = Median(cpu_seconds);
  return Median(seconds);
}

std::string LoadAverage() {
  std::ifstream in("/proc/loadavg");
  std::string text;
  std::getline(in, text);
  return text.empty() ? "unknown" : text;
}

// Medians of the three runs, wall and CPU seconds.
struct Timings {
  double read = 0, read_cpu = 0;
  double one = 0, one_cpu = 0;
  double all = 0, all_cpu = 0;
};

void Report(const verify::ExportSummary& summary, size_t files, long long bytes, const Timings& t) {
  const int workers = verify::WorkerCount(0);
  const double races = summary.races;
  std::printf("%d race days, %d races, %zu record files, %.1f MB; %d cores; load %s\n",
              summary.days_done, summary.races, files, static_cast<double>(bytes) / 1e6, workers,
              LoadAverage().c_str());
  std::printf("wall seconds, medians of %d [CPU seconds of every thread]\n", kRepetitions);
  std::printf("plain sequential read:  %7.3f [%6.3f]\n", t.read, t.read_cpu);
  std::printf("export, 1 worker:       %7.3f [%6.3f]  %6.0f races/s  %5.2fx the plain read\n",
              t.one, t.one_cpu, races / t.one, t.one / t.read);
  std::printf("export, %d workers:      %7.3f [%6.3f]  %6.0f races/s  %5.2fx the plain read\n",
              workers, t.all, t.all_cpu, races / t.all, t.all / t.read);
  // On a busy machine the wall times measure the other processes as much as this one; the
  // CPU seconds say what the cores would do if they were ours.
  std::printf(
      "per CPU second: export %.0f races, %d cores free -> about %.0f races/s, "
      "%.2fx the plain read's CPU time\n",
      races / t.one_cpu, workers, races / t.one_cpu * workers, t.one_cpu / workers / t.read_cpu);
  std::printf("targets (wall): >= 1000 races/s: %s; within 3x the plain read: %s\n",
              races / t.all >= 1000 ? "met" : "NOT met", t.all <= 3 * t.read ? "met" : "NOT met");
}

}  // namespace

int main() {
  platform::KeepFreedMemoryForReuse();  // as the programs do at start-up
  const char* kept = std::getenv("QUORVANE_EXPORT_BENCH_HOME");
  const fs::path root = kept ? fs::path(kept)
                             : fs::temp_directory_path() / ("quorvane-export-bench-" +
                                                            std::to_string(std::random_device{}()));
  const fs::path home = kept ? root : root / "home";
  if (!fs::exists(home / "Data")) GenerateYear(root, home);

  platform::FixedClock clock(kNow);
  YesPrompts prompts;
  platform::ProcessLauncher launcher;
  platform::NoCompanionLocator companions;
  app::Session session(prompts, clock, nullptr, launcher, companions, home);
  session.Start();
  session.Settings().SetKaimeOption(1);
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(home / "Data")) files.push_back(entry.path());
  std::sort(files.begin(), files.end());

  long long bytes = 0;
  Timings t;
  t.read = MedianSeconds([&] { bytes = ReadAllFiles(files); }, &t.read_cpu);
  verify::ExportSummary summary;
  const auto export_with = [&](int jobs, double* cpu) {
    return MedianSeconds(
        [&] {
          summary = verify::RunExport(session, {"20230101", "20231231", jobs}, {});
          if (summary.outcome != verify::ExportOutcome::kDone) Fail("the export did not finish");
        },
        cpu);
  };
  t.one = export_with(1, &t.one_cpu);
  t.all = export_with(0, &t.all_cpu);
  if (!kept) fs::remove_all(root);
  Report(summary, files.size(), bytes, t);
  return 0;
}
