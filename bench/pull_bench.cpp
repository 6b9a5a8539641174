// The stored pull over a generated feed: batched writing (each day file written once
// per pull) against rewriting the whole day file for every record.
//
// One year of race days, with all odds kinds, is generated once into a temporary
// folder. The batched pull reads the whole year. Whole-file rewriting of a year takes
// many minutes, so it runs on the first month of the same year (the generator gives a
// day the same data in every range that holds it) and its rate is taken per record;
// the batched pull of that month is measured too, so both ratios are printed.

#include <benchmark/benchmark.h>

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
#include "jvlink/stored_pull.h"
#include "platform/clock.h"
#include "platform/silent_prompts.h"
#include "platform/user_prompts.h"
#include "samplefeed/feed_writer.h"
#include "store/record_store.h"

namespace {

namespace fs = std::filesystem;

constexpr int kYearFrom = 20230101;
constexpr int kYearDays = 365;
constexpr int kMonthDays = 31;
const platform::LocalTime kNow{2024, 1, 15, 12, 0, 0};
const platform::LocalTime kStart{2022, 12, 1, 0, 0, 0};

fs::path FreshFolder(const std::string& name) {
  fs::path dir = fs::temp_directory_path() /
                 ("quorvane-pull-bench-" + std::to_string(std::random_device{}()) + "-" + name);
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

// The generated feeds, written once for the whole run and removed at its end.
struct Feeds {
  fs::path root = FreshFolder("feeds");
  fs::path year = root / "year";
  fs::path month = root / "month";
  Feeds() {
    samplefeed::WriteFeed({year, kYearFrom, kYearDays, 1, false});
    samplefeed::WriteFeed({month, kYearFrom, kMonthDays, 1, false});
  }
  ~Feeds() {
    std::error_code ec;
    fs::remove_all(root, ec);
  }
};

Feeds& TheFeeds() {
  static Feeds feeds;
  return feeds;
}

// One pull of a whole feed into an empty program folder; the records read.
long long PullOnce(const fs::path& feed, const fs::path& home, jvlink::PullWriting writing) {
  platform::FixedClock clock(kNow);
  store::RecordStore store(home, clock);
  store.PrepareFolders();
  app::Settings settings(home / "Quorvane.ini");
  platform::SilentPrompts prompts;
  jvlink::FeedJVLink link(feed, clock);
  link.JVInit("QV000001/QV000002/Quorvane/Version.1.13");
  jvlink::StoredPull pull(link, prompts, settings, clock, store, writing);
  pull.SetStartMoment(kStart);
  pull.SetFinalOdds(true);
  pull.Start();
  while (pull.PollTimerRunning()) pull.Poll();
  if (pull.outcome() != jvlink::StoredPull::Outcome::kCompleted) {
    std::fprintf(stderr, "the pull of %s did not complete\n", feed.string().c_str());
    std::exit(1);
  }
  const jvlink::PullCounts& c = pull.Counts();
  return c.filed + c.skipped + c.bad;
}

std::map<std::string, double>& Rates() {
  static std::map<std::string, double> rates;
  return rates;
}

void RunPull(benchmark::State& state, const fs::path& feed, jvlink::PullWriting writing,
             const std::string& name) {
  TheFeeds();
  long long records = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const fs::path home = FreshFolder(name);
    state.ResumeTiming();
    records += PullOnce(feed, home, writing);
    state.PauseTiming();
    fs::remove_all(home);
    state.ResumeTiming();
  }
  state.counters["records"] = static_cast<double>(records) / static_cast<double>(state.iterations());
  state.counters["records_per_second"] =
      benchmark::Counter(static_cast<double>(records), benchmark::Counter::kIsRate);
}

void BM_PullBatchedYear(benchmark::State& state) {
  RunPull(state, TheFeeds().year, jvlink::PullWriting::kBatched, "batched_year");
}
void BM_PullBatchedMonth(benchmark::State& state) {
  RunPull(state, TheFeeds().month, jvlink::PullWriting::kBatched, "batched_month");
}
void BM_PullPerRecordMonth(benchmark::State& state) {
  RunPull(state, TheFeeds().month, jvlink::PullWriting::kPerRecord, "per_record_month");
}

BENCHMARK(BM_PullBatchedYear)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_PullBatchedMonth)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_PullPerRecordMonth)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// Keeps the console output and notes each run's records per second.
class RateReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      auto it = run.counters.find("records_per_second");
      if (it != run.counters.end()) Rates()[run.benchmark_name()] = it->second.value;
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Both writings of the month give the same record files, byte for byte.
bool SameFilesBothWays() {
  const fs::path a = FreshFolder("same-a");
  const fs::path b = FreshFolder("same-b");
  PullOnce(TheFeeds().month, a, jvlink::PullWriting::kBatched);
  PullOnce(TheFeeds().month, b, jvlink::PullWriting::kPerRecord);
  std::map<std::string, std::string> fa, fb;
  for (const auto& e : fs::directory_iterator(a / "Data")) fa[e.path().filename().string()] = ReadAll(e.path());
  for (const auto& e : fs::directory_iterator(b / "Data")) fb[e.path().filename().string()] = ReadAll(e.path());
  fs::remove_all(a);
  fs::remove_all(b);
  return !fa.empty() && fa == fb;
}

double RateOf(const std::string& prefix) {
  for (const auto& [name, rate] : Rates()) {
    if (name.rfind(prefix, 0) == 0 && rate > 0) return rate;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TheFeeds();
  RateReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  const double year = RateOf("BM_PullBatchedYear");
  const double month = RateOf("BM_PullBatchedMonth");
  const double per_record = RateOf("BM_PullPerRecordMonth");
  std::printf("\nbatched, one year (%d days from %d, all odds kinds): %.0f records/s\n", kYearDays,
              kYearFrom, year);
  std::printf("batched, first %d days of that year:                %.0f records/s\n", kMonthDays,
              month);
  std::printf("per-record whole-file rewriting, first %d days:    %.0f records/s"
              " (a subset: the year's rate per record is extrapolated from it)\n",
              kMonthDays, per_record);
  if (per_record > 0) {
    std::printf("ratio batched/per-record: %.1fx (year against the month's per-record rate), "
                "%.1fx (same month)\n",
                year / per_record, month / per_record);
  }
  std::printf("record files of both writings identical: %s\n", SameFilesBothWays() ? "yes" : "NO");
  return 0;
}
