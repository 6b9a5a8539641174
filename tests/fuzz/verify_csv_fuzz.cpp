// A verification file as the statistics read it: any bytes give rows and counted skips,
// never a crash, and "調べる" over every row selects no more rows than were read.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "codes/errors.h"
#include "verify/stats_conditions.h"
#include "verify/stats_file.h"
#include "verify/stats_result.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    const verify::StatsFile file = verify::ParseStatsFile("A_fuzz.csv", bytes);
    const verify::StatsResult result = verify::Examine(file, verify::StatsConditions());
    if (result.selected.size() > file.rows.size()) __builtin_trap();
    verify::SkippedText(file);
  } catch (const codes::InputError&) {
  }
  return 0;
}
