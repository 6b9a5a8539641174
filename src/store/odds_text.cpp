#include "store/odds_text.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "codes/errors.h"
#include "codes/record_field.h"

namespace store {
namespace {

bool AllOf(std::string_view text, char c) {
  return std::all_of(text.begin(), text.end(), [c](char x) { return x == c; });
}

// Digits with at most one decimal point among them.
bool IsDecimalText(std::string_view text) {
  int points = 0;
  int digits = 0;
  for (char c : text) {
    if (c == '.') {
      ++points;
    } else if (c >= '0' && c <= '9') {
      ++digits;
    } else {
      return false;
    }
  }
  return points <= 1 && digits > 0;
}

// The odds of a field of digits only, as delivered ("0123" gives 12.3); nullopt for any
// other text. Up to 15 digits the integer is exact in a double, so the one division gives
// the same double as the general conversion below.
std::optional<double> PlainDigitsValue(std::string_view field) {
  if (field.empty() || field.size() > 15) return std::nullopt;
  long long tenths = 0;
  for (char c : field) {
    if (c < '0' || c > '9') return std::nullopt;
    tenths = tenths * 10 + (c - '0');
  }
  return static_cast<double>(tenths) / 10;
}

// Every byte of the word is one of '0' … '9': the high nibble is 3, and adding 6 does not
// carry the low nibble past 9 (a byte above '9' turns 3 into 4 there).
bool AllDigitBytes(std::uint64_t word) {
  constexpr std::uint64_t kHigh = 0xF0F0F0F0F0F0F0F0ULL;
  constexpr std::uint64_t kSix = 0x0606060606060606ULL;
  return ((word & kHigh) | (((word + kSix) & kHigh) >> 4)) == 0x3333333333333333ULL;
}

constexpr std::uint64_t kZeros = 0x3030303030303030ULL;
constexpr std::uint64_t kBlanks = 0x2020202020202020ULL;

}  // namespace

bool IsDigitsOrBlank(std::string_view field) {
  return codes::IsAllDigits(field) || codes::IsBlank(field);
}

int NextOtherOddsText(std::string_view record, const codes::odds_layout::OddsRun& run, int from) {
  static_assert(std::endian::native == std::endian::little, "a word holds its first byte lowest");
  const int width = run.odds_width;
  const auto offset_of = [&](int i) { return static_cast<size_t>(run.OddsPos(i) - 1); };
  int i = std::max(from, 1);
  if (width >= 1 && width <= 8) {
    // One load of eight bytes per field, while eight bytes remain in the record; the bytes
    // past the field are replaced by what passes either test.
    const std::uint64_t keep = width == 8 ? ~0ULL : (1ULL << (8 * width)) - 1;
    const std::uint64_t zeros = kZeros & ~keep;
    const std::uint64_t blanks = kBlanks & keep;
    const auto stride = static_cast<size_t>(run.entry_length);
    for (size_t at = offset_of(i); i <= run.count && at + 8 <= record.size(); ++i, at += stride) {
      std::uint64_t word;
      std::memcpy(&word, record.data() + at, sizeof word);
      word &= keep;
      // Both tests at once: which one passes alternates too often for a branch on each.
      if (!AllDigitBytes(word | zeros) & (word != blanks)) return i;
    }
  }
  for (; i <= run.count; ++i) {
    if (!IsDigitsOrBlank(codes::Field(record, static_cast<int>(offset_of(i)) + 1, width))) return i;
  }
  return run.count + 1;
}

double OddsValue(std::string_view field) {
  // Nearly every field is plain digits: those need neither trimming nor the parser.
  if (const std::optional<double> plain = PlainDigitsValue(field)) return *plain;
  // The next most common: a combination of horses the race does not have.
  if (codes::IsBlank(field)) return kOddsBlank;
  // The cancellation marks fill the whole field; a shorter run of them is no number.
  if (!field.empty() && (AllOf(field, '-') || AllOf(field, '*'))) return kOddsScratched;
  const std::string_view text = codes::TrimBlanks(field);
  if (text.empty()) return kOddsBlank;
  double tenths = 0;
  const auto [end, error] =
      IsDecimalText(text) ? std::from_chars(text.data(), text.data() + text.size(), tenths,
                                            std::chars_format::fixed)
                          : std::from_chars_result{text.data(), std::errc::invalid_argument};
  if (error != std::errc{} || end != text.data() + text.size()) {
    throw codes::InputError("odds text \"" + std::string(field) +
                            "\" is neither a number, blank nor a cancellation mark");
  }
  // One correctly rounded division: "0123" gives the double nearest to 12.3.
  return tenths / 10;
}


}  // namespace store
