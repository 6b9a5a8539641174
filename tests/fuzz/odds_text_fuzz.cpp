// The odds text of O1 … O6 records: a number, one of the two sentinels, or InputError.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "codes/errors.h"
#include "store/odds_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view field(reinterpret_cast<const char*>(data), size);
  try {
    const double value = store::OddsValue(field);
    if (!store::IsOddsNumber(value) && value != -1.0 && value != -2.0) __builtin_trap();
    if (store::IsOddsNumber(value) && value < 0) __builtin_trap();
  } catch (const codes::InputError&) {
  }
  return 0;
}
