#include "verify/parallel_replay.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

#include "app/session.h"
#include "app/show_race.h"
#include "codes/errors.h"

namespace verify {
namespace {

// What the workers and the caller's thread share.
struct Shared {
  Shared(const ReplaySetup& s, const std::vector<std::string>& d)
      : setup(s), days(d), results(d.size()), completed(d.size(), false) {}
  const ReplaySetup& setup;
  const std::vector<std::string>& days;
  std::vector<DayExport> results;
  std::atomic<size_t> next{0};
  std::atomic<bool> stop{false};
  std::mutex mutex;
  std::condition_variable changed;
  int done = 0;                 // guarded by mutex
  int running = 0;              // guarded by mutex
  std::string started;          // guarded by mutex
  std::vector<bool> completed;  // guarded by mutex: by the index of the day
  std::exception_ptr error;     // guarded by mutex
};

void Work(Shared& shared) {
  const ReplaySetup& setup = shared.setup;
  CollectingPrompts prompts;
  app::Session session(prompts, *setup.clock, nullptr, *setup.launcher, *setup.companions,
                       setup.program_folder);
  session.DateCombo.Items = setup.date_items;
  session.Screen.LogicUnticked = setup.logic_unticked;
  // The run works from the date list and the settings taken at its start, and reads the
  // names of the data folder once, not again at every race and every day.
  session.Settings().Ini() = setup.settings;
  session.Store().HoldDataFolderNames();
  // A worker's races are never on a screen: showing one makes only the bet pages and the
  // labels its lines are made of.
  session.Hooks.ShowRace = [&session] { app::ShowRaceBets(session); };
  while (!shared.stop) {
    const size_t i = shared.next++;
    if (i >= shared.days.size()) break;
    {
      std::lock_guard lock(shared.mutex);
      shared.started = shared.days[i];
    }
    DayExport result = ReplayDay(session, prompts, shared.days[i]);
    std::lock_guard lock(shared.mutex);
    shared.results[i] = std::move(result);
    shared.completed[i] = true;
    ++shared.done;
    shared.changed.notify_all();
  }
}

void RunWorker(Shared& shared) {
  try {
    Work(shared);
  } catch (...) {
    std::lock_guard lock(shared.mutex);
    if (!shared.error) shared.error = std::current_exception();
    shared.stop = true;
  }
  std::lock_guard lock(shared.mutex);
  --shared.running;
  shared.changed.notify_all();
}

// Reports progress until every worker has stopped, the last report after the last day;
// true when the caller cancelled.
bool Watch(Shared& shared, const ReplayCallbacks& callbacks) {
  bool cancelled = false;
  std::unique_lock lock(shared.mutex);
  int reported = -1;
  size_t in_order = 0;  // the days before it are finished and reported
  for (;;) {
    shared.changed.wait_for(lock, std::chrono::milliseconds(50),
                            [&] { return shared.running == 0 || shared.done != reported; });
    // Taken with the report: workers that stop while the caller draws it are reported next
    // time round, not left out.
    const bool stopped = shared.running == 0;
    ReplayProgress progress{shared.done, static_cast<int>(shared.days.size()), shared.started, {}};
    while (in_order < shared.days.size() && shared.completed[in_order]) {
      progress.finished.push_back(shared.days[in_order++]);
    }
    reported = shared.done;
    lock.unlock();
    if (callbacks.progress) callbacks.progress(progress);
    if (!cancelled && callbacks.cancelled && callbacks.cancelled()) {
      cancelled = true;
      shared.stop = true;
    }
    if (stopped) return cancelled;
    lock.lock();
  }
}

}  // namespace

int WorkerCount(int jobs) {
  if (jobs > 0) return jobs;
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

std::optional<std::vector<DayExport>> ReplayDays(const ReplaySetup& setup,
                                                 const std::vector<std::string>& days, int jobs,
                                                 const ReplayCallbacks& callbacks) {
  if (!setup.clock || !setup.launcher || !setup.companions) {
    throw codes::LogicError("replay set up without its ports");
  }
  Shared shared(setup, days);
  const int workers = std::min(WorkerCount(jobs), std::max(1, static_cast<int>(days.size())));
  std::vector<std::thread> threads;
  bool cancelled = false;
  try {
    for (int w = 0; w < workers; ++w) {
      {
        std::lock_guard lock(shared.mutex);
        ++shared.running;
      }
      try {
        threads.emplace_back(RunWorker, std::ref(shared));
      } catch (...) {
        std::lock_guard lock(shared.mutex);
        --shared.running;
        throw;
      }
    }
    cancelled = Watch(shared, callbacks);
  } catch (...) {
    // A thread that would not start, or a callback that failed: stop the others first.
    shared.stop = true;
    for (std::thread& t : threads) t.join();
    throw;
  }
  for (std::thread& t : threads) t.join();
  if (shared.error) std::rethrow_exception(shared.error);
  if (cancelled) return std::nullopt;
  return std::move(shared.results);
}

}  // namespace verify
