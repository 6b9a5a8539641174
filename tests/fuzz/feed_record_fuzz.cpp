// A record as the feed's JV-Link hands it to the pull: filed into its files, left, or
// dropped as bad; never a file outside the day's own names, never a crash.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "codes/errors.h"
#include "jvlink/record_dispatch.h"
#include "platform/clock.h"
#include "store/day_prefix.h"
#include "store/line_files.h"
#include "store/record_store.h"

namespace {

// The day files in memory: nothing reaches the disk but the error log.
class MemoryLineFiles : public store::LineFiles {
 public:
  std::optional<std::vector<std::string>> Load(const std::filesystem::path& file) override {
    auto it = files.find(file.string());
    if (it == files.end()) return std::nullopt;
    return it->second;
  }
  void Save(const std::filesystem::path& file, const std::vector<std::string>& lines) override {
    files[file.string()] = lines;
  }
  bool Exists(const std::filesystem::path& file) override { return files.count(file.string()) > 0; }
  std::map<std::string, std::vector<std::string>> files;
};

struct Home {
  Home()
      : folder(std::filesystem::temp_directory_path() /
               ("quorvane-fuzz-" + std::to_string(getpid()))),
        clock({2024, 5, 18, 9, 0, 0}),
        store(folder, clock) {
    store.PrepareFolders();
  }
  std::filesystem::path folder;
  platform::FixedClock clock;
  store::RecordStore store;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Home home;
  if (size < 1) return 0;
  jvlink::PullFilter filter;
  filter.start_day = 20240501;
  filter.final_odds = (data[0] & 1) != 0;
  const std::string record(reinterpret_cast<const char*>(data + 1), size - 1);
  MemoryLineFiles files;
  std::filesystem::remove(home.store.ErrorLogPath());
  try {
    jvlink::DispatchRecord(record, "fuzz.jvd", filter, home.store, files);
  } catch (const codes::InputError&) {
  }
  for (const auto& [name, lines] : files.files) {
    const std::filesystem::path file(name);
    if (file.parent_path() != home.store.DataFolder()) __builtin_trap();
    if (!store::DayPrefixOfFileName(file)) __builtin_trap();
  }
  return 0;
}
