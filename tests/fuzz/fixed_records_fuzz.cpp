// The fixed-length record reader of the day load, and the mending of day files that a
// pull does before it merges: whatever the bytes, they raise InputError or give
// records, and a mended file (other than a day file with too many races) always reads.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "codes/errors.h"
#include "store/fixed_records.h"
#include "store/line_files.h"
#include "store/record_file_repair.h"
#include "store/record_lengths.h"

namespace {

struct Kind {
  const char* file;
  int length;
};

// clang-format off
constexpr Kind kKinds[] = {
  {"2024年05月18日.jvRA",      store::kRaLength},
  {"2024年05月18日東京.jvSEr", store::kSeLength},
  {"2024年05月18日.jvHR",      store::kHrLength},
  {"2024年05月18日.jvO1a",     store::kO1Length},
  {"2024年05月18日.TC",        store::kTcLength},
};
// clang-format on

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const Kind& kind = kKinds[data[0] % std::size(kKinds)];
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  try {
    for (const std::string& record : store::ParseFixedRecords(text, kind.length, "fuzz")) {
      if (record.size() != static_cast<std::size_t>(kind.length)) __builtin_trap();
    }
  } catch (const codes::InputError&) {
  }
  std::vector<std::string> lines = store::SplitLines(text);
  try {
    store::RepairRecordLines(std::string("/fuzz/") + kind.file, lines);
  } catch (const codes::InputError&) {
    return 0;  // a day file that holds more races than a day: reported, not mended
  }
  // What the mending leaves is a file the day load reads.
  try {
    store::ParseFixedRecords(store::JoinLines(lines), kind.length, "mended");
  } catch (const codes::InputError&) {
    __builtin_trap();
  }
  return 0;
}
