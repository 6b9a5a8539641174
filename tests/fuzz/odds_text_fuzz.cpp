// The odds text of O1 … O6 records: a number, one of the two sentinels, or InputError.
// The same bytes as a run of combination odds: the word-at-a-time check of the run flags
// exactly the fields the byte-by-byte check flags, and each field it passes converts.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "codes/errors.h"
#include "codes/record_field.h"
#include "store/odds_text.h"

namespace {

void CheckRun(std::string_view record, int width) {
  // Entries of one odds field and one other byte, as many as the bytes hold.
  const int entry_length = width + 1;
  const codes::odds_layout::OddsRun run{
      1, entry_length, static_cast<int>(record.size()) / entry_length, 0, width, width, 1};
  int expected = 1;
  while (expected <= run.count &&
         store::IsDigitsOrBlank(codes::Field(record, 1 + entry_length * (expected - 1), width))) {
    const double value =
        store::OddsValue(codes::Field(record, 1 + entry_length * (expected - 1), width));
    if (store::IsOddsNumber(value) && value < 0) __builtin_trap();
    ++expected;
  }
  if (store::NextOtherOddsText(record, run, 1) != expected) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view field(reinterpret_cast<const char*>(data), size);
  try {
    const double value = store::OddsValue(field);
    if (!store::IsOddsNumber(value) && value != -1.0 && value != -2.0) __builtin_trap();
    if (store::IsOddsNumber(value) && value < 0) __builtin_trap();
  } catch (const codes::InputError&) {
  }
  for (const int width : {4, 6, 7}) CheckRun(field, width);
  return 0;
}
