// The engine on one generated race day of 36 races with every odds kind: the full day
// load (files read and checked, odds imported, marks, payouts, first race shown) and one
// ShowRace with Logic A and with Logic B, each as a median of repetitions and as a ratio
// against reading the same day's files into memory in the same run, each file with one
// read of its size as the store reads it.
//
// Target: ShowRace under 2 ms. The day load has none (no one waits on it at that time of
// the day); its ratio to the read is printed beside the one measured when it was last
// profiled, and should not grow.
//
// Where the day load's time goes (Debian package linux-perf):
//   perf record --call-graph dwarf,16384 -o day.perf
//       build/bench/bench_engine --benchmark_filter=BM_DayLoad   (one command)
//   perf report -i day.perf --children --sort=sym -g none

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/session.h"
#include "codes/cp932.h"
#include "jvlink/feed_jv_link.h"
#include "jvlink/stored_pull.h"
#include "platform/clock.h"
#include "platform/companion_locator.h"
#include "platform/launcher.h"
#include "platform/silent_prompts.h"
#include "platform/user_prompts.h"
#include "samplefeed/feed_writer.h"

namespace {

namespace fs = std::filesystem;

const platform::LocalTime kNow{2024, 6, 1, 10, 0, 0};

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "bench_engine: %s\n", what.c_str());
  std::exit(1);
}

// Three weeks of sample feed pulled with final odds into a program folder, and the first
// day of it with 36 races; everything removed at the end of the run.
struct Bench {
  fs::path root = fs::temp_directory_path() /
                  ("quorvane-engine-bench-" + std::to_string(std::random_device{}()));
  platform::FixedClock clock{kNow};
  platform::SilentPrompts prompts;
  platform::ProcessLauncher launcher;
  platform::NoCompanionLocator companions;
  std::unique_ptr<app::Session> session;
  std::string day;  // Shift-JIS DayPrefix
  std::vector<fs::path> day_files;

  Bench() {
    fs::remove_all(root);
    fs::create_directories(root / "home");
    samplefeed::WriteFeed({root / "feed", 20240504, 21, 1, false});
    session = std::make_unique<app::Session>(prompts, clock, nullptr, launcher, companions,
                                             root / "home");
    session->Start();
    Pull();
    session->BuildDateList();
    for (const std::string& candidate : session->DateCombo.Items) {
      if (session->ChooseDate(candidate) == app::LoadResult::kLoaded &&
          session->DatList.Items.size() == 36) {
        day = candidate;
        break;
      }
    }
    if (day.empty()) Fail("no generated day with 36 races");
    const std::string prefix = codes::SjisToUtf8(day);
    for (const auto& entry : fs::directory_iterator(session->Store().DataFolder())) {
      if (entry.path().filename().string().starts_with(prefix)) day_files.push_back(entry.path());
    }
  }
  ~Bench() {
    session.reset();
    std::error_code ec;
    fs::remove_all(root, ec);
  }

  void Pull() {
    jvlink::FeedJVLink link(root / "feed", clock);
    link.JVInit("QV000001/QV000002/Quorvane/Version.1.13");
    jvlink::StoredPull pull(link, prompts, session->Settings(), clock, session->Store());
    pull.SetStartMoment({2024, 5, 1, 0, 0, 0});
    pull.SetFinalOdds(true);
    pull.Start();
    while (pull.PollTimerRunning()) pull.Poll();
    pull.Close();
    if (pull.outcome() != jvlink::StoredPull::Outcome::kCompleted)
      Fail("the pull did not complete");
  }
};

Bench& TheBench() {
  static Bench bench;
  return bench;
}

// The whole file with one read of the size found at opening, as the store reads it.
std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary | std::ios::ate);
  if (!in) Fail("cannot open " + file.string());
  std::string text(static_cast<size_t>(in.tellg()), '\0');
  in.seekg(0);
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (in.gcount() != static_cast<std::streamsize>(text.size()))
    Fail("short read of " + file.string());
  return text;
}

void BM_ReadDayFiles(benchmark::State& state) {
  Bench& bench = TheBench();
  long long bytes = 0;
  for (auto _ : state) {
    for (const fs::path& file : bench.day_files) {
      std::string text = ReadAll(file);
      bytes += static_cast<long long>(text.size());
      benchmark::DoNotOptimize(text);
    }
  }
  state.SetBytesProcessed(bytes);
  state.counters["files"] = static_cast<double>(bench.day_files.size());
}

void BM_DayLoad(benchmark::State& state) {
  Bench& bench = TheBench();
  bench.session->Settings().SetKaimeOption(1);
  for (auto _ : state) {
    if (bench.session->ChooseDate(bench.day) != app::LoadResult::kLoaded) Fail("load failed");
  }
}

void ShowEveryRaceInTurn(benchmark::State& state, int option) {
  Bench& bench = TheBench();
  bench.session->Settings().SetKaimeOption(option);
  if (bench.session->ChooseDate(bench.day) != app::LoadResult::kLoaded) Fail("load failed");
  int item = 0;
  for (auto _ : state) {
    bench.session->SelectRace(item);
    item = (item + 1) % 36;
  }
}

void BM_ShowRaceLogicA(benchmark::State& state) { ShowEveryRaceInTurn(state, 1); }
void BM_ShowRaceLogicB(benchmark::State& state) { ShowEveryRaceInTurn(state, 2); }

constexpr int kRepetitions = 9;
// The day load over the read of its files when the load was last profiled: most of its
// time goes to checking every digit of the odds records.
constexpr double kDayLoadRatioWhenProfiled = 5.2;
void Median(benchmark::internal::Benchmark* b, benchmark::TimeUnit unit) {
  b->Unit(unit)->Repetitions(kRepetitions)->ReportAggregatesOnly(true)->UseRealTime();
}
BENCHMARK(BM_ReadDayFiles)->Apply([](auto* b) { Median(b, benchmark::kMillisecond); });
BENCHMARK(BM_DayLoad)->Apply([](auto* b) { Median(b, benchmark::kMillisecond); });
BENCHMARK(BM_ShowRaceLogicA)->Apply([](auto* b) { Median(b, benchmark::kMicrosecond); });
BENCHMARK(BM_ShowRaceLogicB)->Apply([](auto* b) { Median(b, benchmark::kMicrosecond); });

// Keeps the console output and notes the median time of each benchmark, in seconds.
class MedianReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
        medians[run.run_name.function_name] =
            run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> medians;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TheBench();
  MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  auto median = [&](const char* name) {
    auto it = reporter.medians.find(name);
    return it == reporter.medians.end() ? 0.0 : it->second;
  };
  const double read = median("BM_ReadDayFiles");
  if (read <= 0) return 0;  // filtered out: no ratios
  std::printf("day of 36 races, %zu files\n", TheBench().day_files.size());
  std::printf("plain read of the day's files: %.3f ms (median)\n", read * 1e3);
  for (const char* name : {"BM_DayLoad", "BM_ShowRaceLogicA", "BM_ShowRaceLogicB"}) {
    const double t = median(name);
    if (t > 0) std::printf("%-18s %9.3f ms  %6.2fx the plain read\n", name, t * 1e3, t / read);
  }
  const double load = median("BM_DayLoad");
  if (load > 0) {
    std::printf("day load: %.2fx the read (%.1fx when last profiled; it should not grow)\n",
                load / read, kDayLoadRatioWhenProfiled);
  }
  std::printf(
      "target: ShowRace under 2 ms: %s\n",
      median("BM_ShowRaceLogicA") < 2e-3 && median("BM_ShowRaceLogicB") < 2e-3 ? "met" : "NOT met");
  return 0;
}
